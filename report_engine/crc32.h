#pragma once

#include <cstdint>
#include <string_view>

namespace quiral {

// CRC-32 (the zlib/PNG polynomial) of a run of bytes.
uint32_t crc32Of(std::string_view bytes);

}  // namespace quiral
