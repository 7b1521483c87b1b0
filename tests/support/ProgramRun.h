#pragma once
// A program file of this build run as a command line runs it: with arguments, its standard
// output and error kept, its exit status. A program that does not end in time is ended, and
// the test fails.

#ifdef _WIN32
#include <windows.h>

#include "platform/windows/WideText.h"
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/Deadline.h"
#include "support/TempLogFolder.h"

namespace tallyo::test {

// Long enough for a program's first start under Wine or qemu on a busy machine.
inline constexpr std::chrono::milliseconds kProgramLimit{60'000};

struct ProgramRun {
  int status = -1;
  std::string out;  // standard output, byte for byte
  std::string err;  // standard error
};

// The file of a program built beside the test programs (they lie in tests/ beneath it).
inline std::string BuiltProgram(const std::string& name) {
#ifdef _WIN32
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return Utf8Path(std::filesystem::path(path).parent_path().parent_path() / (name + ".exe"));
#else
  return Utf8Path(std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() /
                  name);
#endif
}

namespace program_run {

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

#ifdef _WIN32
// One argument as the C runtime reads the command line back into argv.
inline std::wstring Quoted(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}
#endif

}  // namespace program_run

#ifdef _WIN32
// CreateProcessW, tried again a few times: under Wine, with test programs running side by
// side, a start has failed at once (seen once in a whole run of the Windows tests, and in
// none of six runs after it) where the same start works a moment later. NO_ERROR, or the
// system's error code of the last try.
inline DWORD StartProcess(const wchar_t* program, std::wstring& commandLine, BOOL inherit,
                          DWORD flags, const wchar_t* folder, STARTUPINFOW& startup,
                          PROCESS_INFORMATION& started) {
  DWORD error = NO_ERROR;
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (CreateProcessW(program, commandLine.data(), nullptr, nullptr, inherit, flags, nullptr,
                       folder, &startup, &started)) {
      return NO_ERROR;
    }
    error = GetLastError();
    Sleep(200);
  }
  return error;
}
#endif

// Runs program with arguments (UTF-8) from the folder `from`; nullopt, after a failure,
// when it could not be started or did not end within kProgramLimit.
inline std::optional<ProgramRun> RunProgramFile(const std::string& program,
                                                const std::vector<std::string>& arguments,
                                                const std::string& from) {
  const TempLogFolder capture(false);
  const std::filesystem::path outPath = NativePath(capture.ProgramFolder()) / "out";
  const std::filesystem::path errPath = NativePath(capture.ProgramFolder()) / "err";
  ProgramRun run;
#ifdef _WIN32
  std::wstring commandLine = program_run::Quoted(*WideFromUtf8(program));
  for (const std::string& a : arguments)
    commandLine += L" " + program_run::Quoted(*WideFromUtf8(a));
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const auto create = [&](const std::filesystem::path& p) {
    return CreateFileW(p.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  const HANDLE out = create(outPath), err = create(errPath);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION started{};
  const std::wstring folder = *WideFromUtf8(from);
  const DWORD error =
      StartProcess(nullptr, commandLine, TRUE, CREATE_NO_WINDOW, folder.c_str(), startup, started);
  CloseHandle(out);
  CloseHandle(err);
  if (error != NO_ERROR) {
    ADD_FAILURE() << "cannot start " << program << ": error " << error;
    return std::nullopt;
  }
  CloseHandle(started.hThread);
  const DWORD waited =
      WaitForSingleObject(started.hProcess, static_cast<DWORD>(kProgramLimit.count()));
  DWORD code = 0;
  if (waited != WAIT_OBJECT_0) TerminateProcess(started.hProcess, 1);
  GetExitCodeProcess(started.hProcess, &code);
  CloseHandle(started.hProcess);
  if (waited != WAIT_OBJECT_0) {
    ADD_FAILURE() << program << " did not end in time";
    return std::nullopt;
  }
  run.status = static_cast<int>(code);
#else
  std::vector<char*> argv;
#ifdef TALLYO_TEST_EMULATOR
  // A program built for another processor runs under the emulator, found on the PATH.
  std::string emulator = TALLYO_TEST_EMULATOR;
  argv.push_back(emulator.data());
#endif
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  // fork rather than posix_spawn: qemu, which runs the arm64 tests, refuses the latter's
  // clone.
  const pid_t child = ::fork();
  if (child == 0) {
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int none = ::open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || none < 0 || ::dup2(none, 0) < 0 || ::dup2(out, 1) < 0 ||
        ::dup2(err, 2) < 0 || ::chdir(from.c_str()) != 0) {
      ::_exit(126);
    }
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  if (child < 0) {
    ADD_FAILURE() << "cannot start " << program;
    return std::nullopt;
  }
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + kProgramLimit;
  pid_t ended = 0;
  while ((ended = ::waitpid(child, &status, WNOHANG)) == 0 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (ended != child) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    ADD_FAILURE() << program << " did not end in time";
    return std::nullopt;
  }
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
#endif
  run.out = program_run::ReadAll(outPath);
  run.err = program_run::ReadAll(errPath);
  return run;
}

}  // namespace tallyo::test
