#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/error.h"

struct z_stream_s;

namespace quiral {

// A failure inside zlib.
class EZlibError : public QuiralError {
 public:
  using QuiralError::QuiralError;
};

// A failed compression, or an operation that a compressing stream cannot do.
class ECompressionError : public EZlibError {
 public:
  using EZlibError::EZlibError;
};

enum class CompressionLevel { None, Fastest, Default, Max };

enum class SeekOrigin { Begin, Current, End };

// Deflates what is written to it, in the zlib format (two-byte header, Adler-32 trailer) that
// /FlateDecode expects, into `destination`. Output starts at the destination's size when the
// stream is made and goes out in blocks of 8192 bytes. `finish` completes the zlib stream;
// a stream destroyed without it leaves an incomplete one (what was written stays).
class TCompressionStream {
 public:
  TCompressionStream(CompressionLevel level, std::string& destination);
  ~TCompressionStream();
  TCompressionStream(const TCompressionStream&) = delete;
  TCompressionStream& operator=(const TCompressionStream&) = delete;

  // Feeds `bytes` to deflate without flushing; returns how many were taken (all of them).
  size_t write(std::string_view bytes);
  // Flushes deflate to its end and writes the rest of the buffer. Further writes are refused.
  void finish();

  // A compressing stream cannot be read: always throws.
  [[noreturn]] size_t read(void* buffer, size_t count);
  // Only asking for the position works (offset 0 from the current position): it is the number of
  // bytes taken so far. Anything else throws.
  uint64_t seek(int64_t offset, SeekOrigin origin);

 private:
  void deflateStep(int flush);
  void emit(size_t count);

  static constexpr size_t kBufferSize = 8192;
  std::unique_ptr<z_stream_s> zlib_;
  std::string& destination_;
  size_t position_;  // where the next output goes in `destination_`
  bool finished_ = false;
  unsigned char buffer_[kBufferSize];
};

// Appends the zlib stream of `bytes` at the default level to `destination`.
void compressInto(std::string& destination, std::string_view bytes);

}  // namespace quiral
