# GoogleTest for a target system that has no GoogleTest package on this machine, only its
# sources: the Windows build, where Debian's package `googletest` brings the sources and
# no MinGW-w64 libraries. At the first configuration the sources are built for the target
# with the build's own toolchain file and installed into the build folder (googletest/);
# find_package(GTest) then finds them there as it finds any installed GoogleTest.
set(TALLYO_GTEST_SOURCES /usr/src/googletest CACHE PATH
  "GoogleTest's sources, built for a target system that has no GoogleTest package")

set(tallyo_gtest_prefix ${PROJECT_BINARY_DIR}/googletest)
set(tallyo_gtest_build ${PROJECT_BINARY_DIR}/googletest-build)
if(NOT EXISTS ${tallyo_gtest_prefix}/lib/cmake/GTest/GTestConfig.cmake)
  if(NOT EXISTS ${TALLYO_GTEST_SOURCES}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${TALLYO_GTEST_SOURCES} (Debian's package "
      "googletest; or -DTALLYO_GTEST_SOURCES=FOLDER)")
  endif()
  message(STATUS "Building GoogleTest for ${CMAKE_SYSTEM_NAME} from ${TALLYO_GTEST_SOURCES}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${TALLYO_GTEST_SOURCES} -B ${tallyo_gtest_build}
      -G "${CMAKE_GENERATOR}" "-DCMAKE_MAKE_PROGRAM=${CMAKE_MAKE_PROGRAM}"
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_INSTALL_PREFIX=${tallyo_gtest_prefix} -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  execute_process(
    COMMAND ${CMAKE_COMMAND} --build ${tallyo_gtest_build} --target install --parallel
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
# Searched before the target system's folders (CMAKE_FIND_ROOT_PATH).
set(GTest_DIR ${tallyo_gtest_prefix}/lib/cmake/GTest)
