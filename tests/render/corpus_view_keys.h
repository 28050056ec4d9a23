#pragma once

// How the corpus's golden list of views names and hashes a view: "library entry WxH" and a hash
// of the view's size and pixels.

#include <cstdio>
#include <string>

#include "../support/golden_hashes.h"
#include "platform/bitmap.h"

namespace quiral::testing {

inline std::string viewHash(const Bitmap& view) {
  ContentHash hash;
  const int size[2] = {view.width(), view.height()};
  hash.add(size, sizeof size);
  hash.add(view.data(), view.stride() * size_t(view.height()));
  return hash.hex();
}

inline std::string viewKey(const std::string& library, size_t entry, const Bitmap& view) {
  char key[64];
  std::snprintf(key, sizeof key, " %04zu %dx%d", entry, view.width(), view.height());
  return library + key;
}

}  // namespace quiral::testing
