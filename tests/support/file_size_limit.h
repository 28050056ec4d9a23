#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

namespace quiral::testing {

// Makes writes past `bytes` fail for as long as it lives, for root too: the process's file size
// limit is lowered, and the signal that comes with passing it ignored, so write() fails with EFBIG.
struct FileSizeLimit {
  rlimit saved{};
  void (*savedHandler)(int) = SIG_DFL;
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved);
    savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lowered{bytes, saved.rlim_max};
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &lowered), 0);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
  }
};

}  // namespace quiral::testing
