#pragma once

#include <string>

namespace quiral::cli {

// What a run over several libraries prints on standard error: one progress line per library,
// updated in place on a terminal (only the finished count otherwise), and warnings.
class LibraryProgressText {
 public:
  LibraryProgressText();
  void step(const std::string& library, size_t done, size_t total);
  static void skipped(const std::string& library, const std::string& reason);
  static void warning(const std::string& library, const std::string& what);

 private:
  bool terminal_;
};

}  // namespace quiral::cli
