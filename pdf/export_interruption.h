#pragma once

#include <signal.h>

namespace quiral {

// While an export runs, SIGINT and SIGTERM only take note: the export stops at its next page
// (throwIfInterrupted), removes its spool folder and temporary file as it unwinds, and when this
// guard goes the signal ends the program as it would have. Without it an interrupted export
// leaves its page pictures in the temporary folder.
class ExportInterruption {
 public:
  ExportInterruption();
  ~ExportInterruption();
  ExportInterruption(const ExportInterruption&) = delete;
  ExportInterruption& operator=(const ExportInterruption&) = delete;

  // Throws QuiralError("Interrupted") once a signal was noted.
  static void throwIfInterrupted();
  static bool interrupted();

 private:
  struct sigaction savedInt_ {};
  struct sigaction savedTerm_ {};
};

}  // namespace quiral
