#include "vector/compact_path.h"

#include <gtest/gtest.h>

#include <functional>

namespace quiral {
namespace {

// Each segment the shorter of absolute and relative, H/V where it is straight, the minus sign as
// separator, a repeated letter dropped, and Z returning to the subpath's start.
TEST(CompactPath, WritesEachSegmentInItsShortestSpelling) {
  const struct {
    std::function<void(CompactPath&)> draw;
    const char* expected;
  } cases[] = {
      {[](CompactPath& p) { p.moveTo(-40, 100), p.lineTo(40, 100), p.lineTo(40, -100); },
       "M-40 100H40V-100"},
      {[](CompactPath& p) { p.moveTo(1200, 2000), p.lineTo(1400, 2000), p.moveTo(1200, -1200); },
       "M1200 2000h200M1200-1200"},
      {[](CompactPath& p) { p.moveTo(-1200, 100), p.lineTo(-1400, 100), p.moveTo(-1200, 200); },
       "M-1200 100h-200m200 100"},
      {[](CompactPath& p) { p.moveTo(0, 0), p.lineTo(10, 10), p.lineTo(20, 30), p.lineTo(25, 20); },
       "M0 0L10 10 20 30l5-10"},
      {[](CompactPath& p) { p.moveTo(5000, 5000), p.lineTo(5010, 5020), p.lineTo(5015, 5010); },
       "M5000 5000l10 20 5-10"},
      {[](CompactPath& p) { p.moveTo(0.4, -0.6), p.dot(), p.close(), p.lineTo(3, 1); },
       "M0-1h0ZL3 1"},
      {[](CompactPath& p) {
         p.moveTo(-50, 0), p.arcTo(50, 50, true, 50, 0), p.arcTo(50, 50, true, -50, 0);
       },
       "M-50 0A50 50 0 1 0 50 0 50 50 0 1 0-50 0"},
  };
  for (const auto& c : cases) {
    std::string out;
    CompactPath path(out);
    c.draw(path);
    EXPECT_EQ(out, c.expected);
  }
}

}  // namespace
}  // namespace quiral
