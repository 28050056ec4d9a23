#pragma once

namespace quiral {

// The screen's logical resolution: 96 pixels per inch everywhere.
constexpr int kScreenDpi = 96;
inline int screenPixelsPerInch() {
  return kScreenDpi;
}

}  // namespace quiral
