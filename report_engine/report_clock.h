#pragma once

#include <functional>
#include <string>

namespace quiral {

// A local date and time as a report prints it.
struct DateTime {
  int year = 1970;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Where a report takes the time of printing from; tests inject a fixed one.
using ReportClock = std::function<DateTime()>;

// The machine's local time now.
DateTime localNow();

// "dd/mm/yyyy hh:mm:ss", the way the users read dates; independent of the locale.
std::string formatDateTime(const DateTime& t);

}  // namespace quiral
