#pragma once

#include <string>
#include <string_view>

#include "report_engine/prepared_page.h"

namespace quiral {

// Prepared-report files ("QRP"): our own binary format, written and read only by this engine.
//
//   magic      8 bytes  "QRPQrl" 0x1A 0x0A (the last two catch text-mode mangling)
//   version    u16      1
//   title      string
//   page size  i32 width, i32 height (tenths of a millimetre), u8 orientation
//   pictures   u32 count, each: u32 width, u32 height, u32 run count, runs of equal pixels
//              (u8 length - 1, R, G, B), left to right and top to bottom
//   pages      u32 count, each: u32 item count, each item: u8 kind and its fields
//   checksum   u32 CRC-32 of everything before it
//
// Integers are little-endian; a string is a u32 length and its bytes. Every count and length is
// checked against what the file can still hold before anything is allocated for it.

constexpr uint16_t kQrpVersion = 1;

std::string encodePreparedReport(const PreparedReport& report);

// Throws QuiralError with a message for the user when the bytes are not a prepared report we
// can read; nothing is kept from a refused file.
PreparedReport decodePreparedReport(std::string_view bytes);

// Writes to a temporary file beside `path` and renames it over `path`, so a failed save leaves
// any earlier file whole. Throws FileError.
void savePreparedReport(const PreparedReport& report, const std::string& path);

// Reads and decodes a whole file. Throws FileError when it cannot be read, QuiralError when it
// is not a prepared report.
PreparedReport loadPreparedReport(const std::string& path);

}  // namespace quiral
