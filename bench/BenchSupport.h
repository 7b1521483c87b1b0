#pragma once
// Small helpers shared by the benchmarks: input files from the environment, a scratch
// program folder with its own copy of a day file, and timing a child process.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace tallyo::bench {

// The value of an environment variable, or fallback when it is unset or empty.
inline std::string EnvOr(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::string(v) : fallback;
}

// A program folder of our own under the temp folder with "logs/<name>" copied from a
// source day file. Every display appends CR LF to the copy, so the source stays as made.
class ScratchDay {
 public:
  ScratchDay(const std::string& source, const std::string& name) : source_(source), name_(name) {
    namespace fs = std::filesystem;
    char pattern[] = "/tmp/tallyo-bench-XXXXXX";
    const char* made = mkdtemp(pattern);
    folder_ = made ? made : "/tmp";
    fs::create_directories(fs::path(folder_) / "logs");
    Recopy();
  }
  ~ScratchDay() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  ScratchDay(const ScratchDay&) = delete;
  ScratchDay& operator=(const ScratchDay&) = delete;

  bool Ok() const { return std::filesystem::exists(source_); }
  // Puts the original bytes back (drops the empty lines earlier displays appended).
  void Recopy() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::copy_file(source_, Path(), fs::copy_options::overwrite_existing, ec);
  }
  std::string Path() const { return folder_ + "/logs/" + name_; }
  const std::string& Folder() const { return folder_; }
  const std::string& Name() const { return name_; }
  std::uintmax_t Bytes() const {
    std::error_code ec;
    auto n = std::filesystem::file_size(Path(), ec);
    return ec ? 0 : n;
  }

 private:
  std::string source_, name_, folder_;
};

// Starts program with args (args[0] is the program's name), its standard output and error
// sent to /dev/null, waits for it and returns the wall time in seconds from just before the
// spawn to just after the wait; a negative value when it could not be run or failed.
inline double TimeChild(const std::string& program, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  int status = 0;
  if (rc == 0) waitpid(pid, &status, 0);
  const auto end = std::chrono::steady_clock::now();
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::chrono::duration<double>(end - start).count();
}

}  // namespace tallyo::bench
