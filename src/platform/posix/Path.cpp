#include "platform/Path.h"

#include <filesystem>
#include <string>
#include <system_error>

namespace tallyo {

std::string ProgramFolder() {
  // The kernel's link to the running program file, with every symbolic link resolved.
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error || !program.has_parent_path() ? "." : program.parent_path().string();
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

std::string_view FileNameOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace tallyo
