#include "tools/library_progress.h"

#include <unistd.h>

#include <cstdio>

namespace quiral::cli {

LibraryProgressText::LibraryProgressText() : terminal_(::isatty(STDERR_FILENO) == 1) {}

void LibraryProgressText::step(const std::string& library, size_t done, size_t total) {
  if (!terminal_ && done != total) return;
  std::fprintf(stderr, terminal_ ? "\r%s: %zu/%zu" : "%s: %zu/%zu\n", library.c_str(), done, total);
  if (terminal_ && done == total) std::fputc('\n', stderr);
  std::fflush(stderr);
}

void LibraryProgressText::skipped(const std::string& library, const std::string& reason) {
  std::fprintf(stderr, "quiral-cli: warning: %s: skipped: %s\n", library.c_str(), reason.c_str());
}

void LibraryProgressText::warning(const std::string& library, const std::string& what) {
  std::fprintf(stderr, "quiral-cli: warning: %s: %s\n", library.c_str(), what.c_str());
}

}  // namespace quiral::cli
