#pragma once

#include <string>

namespace quiral {

// Shows how an export advances. The windowed program implements it with its progress dialog, the
// command-line tool with lines on standard error. Calls come on the exporting thread.
class ExportProgress {
 public:
  virtual ~ExportProgress() = default;
  // The export begins: the bar runs from 0 to `pageCount` - 1 and stands at 0. Show the dialog.
  virtual void start(int pageCount) = 0;
  // Page `page` (from 1) of `pageCount` is being exported; `caption` reads "Page... i of n".
  virtual void pageStarted(int page, int pageCount, const std::string& caption) = 0;
  // A page is done: the bar steps by one (and stops at its end).
  virtual void pageDone() = 0;
  // The export ended, completed or not: close the dialog. Called also when start was not.
  virtual void finish() = 0;
};

// Tells the user that an export failed. The window shows its fixed text; the reason is there for
// those who can show it (the command-line tool prints it).
class ExportErrorBox {
 public:
  virtual ~ExportErrorBox() = default;
  virtual void showExportError(const std::string& reason) = 0;
};

// The text of the export's error box.
inline constexpr char kExportErrorText[] = "Error exporting report";

}  // namespace quiral
