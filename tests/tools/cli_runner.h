#pragma once

// Runs quiral-cli (path baked in as QUIRAL_CLI) with arguments passed as they are, no shell in
// between, and collects its exit status, standard output and standard error.

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace quiral::testing {

struct CliResult {
  int status = -1;  // the exit status; -1 when the program did not exit normally
  std::string out;
  std::string err;
};

inline CliResult runCli(const std::vector<std::string>& args) {
  const TempDir folder;
  const std::string outPath = folder.file("out"), errPath = folder.file("err");

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  std::vector<std::string> storage{QUIRAL_CLI};
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);

  CliResult result;
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, QUIRAL_CLI, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned == 0) {
    int wstatus = 0;
    if (waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus))
      result.status = WEXITSTATUS(wstatus);
    result.out = testing::readBytes(outPath);
    result.err = testing::readBytes(errPath);
  }
  if (spawned != 0) throw std::runtime_error(std::string("cannot start ") + QUIRAL_CLI);
  return result;
}

// A private folder for the files a command writes, removed afterwards.
struct OutputFolder {
  TempDir dir;
  const std::filesystem::path path = dir.path();
  std::string file(const char* name) const { return dir.file(name); }
  size_t fileCount() const {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(path)) ++n;
    return n;
  }
};

}  // namespace quiral::testing
