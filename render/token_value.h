#pragma once

#include <cstdint>
#include <string_view>

namespace quiral {

// The numeric value of a record field. Leading blanks are skipped, then an optional sign, then an
// optional hexadecimal prefix ($, x or 0x, either case) and the digits. Digits stop at the first
// character that does not belong to the number; the value is then that of the digits read so far,
// without the sign. The result saturates at the 32-bit limits, so a field such as 99999999999
// cannot overflow the sums that drawers build from it. Empty text is 0.
int32_t tokenValue(std::string_view text);

// num / den rounded to the nearest integer, halves to the even neighbour (den > 0).
int64_t divideRoundHalfEven(int64_t num, int64_t den);

// A polyline's point count: only plain decimal digits count as a number. Values beyond `cap` read
// as `cap`, so no count taken from a file can ask for more than the caller can hold.
// Returns -1 when the text is empty or holds anything but digits.
int64_t decimalCount(std::string_view text, int64_t cap);

}  // namespace quiral
