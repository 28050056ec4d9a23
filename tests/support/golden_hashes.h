#pragma once

// Golden lists of content hashes: one "key hash" line per item, kept in tests/data/golden.
// Setting QUIRAL_UPDATE_GOLDEN=1 rewrites a list from the current output instead of comparing.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

namespace quiral::testing {

// A 64-bit hash of bytes, eight at a time (FNV-style multiply and xor with a final mix). Not
// cryptographic; it only has to change when any byte changes.
class ContentHash {
 public:
  void add(const void* data, size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
      uint64_t word;
      std::memcpy(&word, p + i, 8);
      mix(word);
    }
    uint64_t tail = size;
    for (; i < size; ++i) tail = (tail << 8) | p[i];
    mix(tail);
  }
  void add(std::string_view text) { add(text.data(), text.size()); }
  std::string hex() const {
    uint64_t h = h_;
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    char out[17];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(h));
    return out;
  }

 private:
  void mix(uint64_t word) {
    h_ = (h_ ^ word) * 0x100000001b3ull;
    h_ ^= h_ >> 29;
  }
  uint64_t h_ = 0xcbf29ce484222325ull;
};

using GoldenList = std::map<std::string, std::string>;  // key -> hash

inline std::string goldenPath(const std::string& name) {
  return std::string(QUIRAL_TEST_DATA_DIR) + "/golden/" + name;
}

inline bool updatingGolden() {
  const char* v = std::getenv("QUIRAL_UPDATE_GOLDEN");
  return v && *v && std::strcmp(v, "0") != 0;
}

inline GoldenList readGolden(const std::string& name) {
  GoldenList list;
  std::ifstream in(goldenPath(name));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const size_t space = line.rfind(' ');
    if (space == std::string::npos) continue;
    list[line.substr(0, space)] = line.substr(space + 1);
  }
  return list;
}

inline void writeGolden(const std::string& name, const std::string& header,
                        const GoldenList& list) {
  std::ofstream out(goldenPath(name), std::ios::binary | std::ios::trunc);
  out << "# " << header << "\n";
  for (const auto& [key, hash] : list) out << key << ' ' << hash << '\n';
}

// The keys whose hashes differ or that only one side has, at most `limit` of them, for a
// failure message.
inline std::string goldenDifferences(const GoldenList& expected, const GoldenList& actual,
                                     size_t limit = 20) {
  std::ostringstream out;
  size_t shown = 0, total = 0;
  auto note = [&](const std::string& key, const char* what) {
    if (shown++ < limit) out << "  " << key << ": " << what << '\n';
    ++total;
  };
  for (const auto& [key, hash] : expected) {
    auto it = actual.find(key);
    if (it == actual.end())
      note(key, "missing");
    else if (it->second != hash)
      note(key, "differs");
  }
  for (const auto& [key, hash] : actual)
    if (!expected.count(key)) note(key, "not expected");
  out << total << " difference(s)";
  return out.str();
}

}  // namespace quiral::testing
