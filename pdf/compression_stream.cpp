#include "pdf/compression_stream.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace quiral {

namespace {

int zlibLevel(CompressionLevel level) {
  switch (level) {
    case CompressionLevel::None:
      return Z_NO_COMPRESSION;
    case CompressionLevel::Fastest:
      return Z_BEST_SPEED;
    case CompressionLevel::Max:
      return Z_BEST_COMPRESSION;
    case CompressionLevel::Default:
      break;
  }
  return Z_DEFAULT_COMPRESSION;
}

[[noreturn]] void raiseError() {
  throw ECompressionError("error");
}

int checked(int result) {
  if (result < 0) raiseError();
  return result;
}

}  // namespace

TCompressionStream::TCompressionStream(CompressionLevel level, std::string& destination)
    : zlib_(std::make_unique<z_stream_s>()),
      destination_(destination),
      position_(destination.size()) {
  checked(deflateInit2(zlib_.get(), zlibLevel(level), Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY));
  zlib_->next_out = buffer_;
  zlib_->avail_out = kBufferSize;
}

TCompressionStream::~TCompressionStream() {
  deflateEnd(zlib_.get());
}

void TCompressionStream::emit(size_t count) {
  // The destination may have been written by others meanwhile: output goes where this stream
  // left off, not to the destination's end.
  const char* bytes = reinterpret_cast<const char*>(buffer_);
  if (position_ >= destination_.size()) {
    destination_.resize(position_);
    destination_.append(bytes, count);
  } else {
    destination_.replace(position_, std::min(count, destination_.size() - position_), bytes, count);
  }
  position_ += count;
  zlib_->next_out = buffer_;
  zlib_->avail_out = kBufferSize;
}

void TCompressionStream::deflateStep(int flush) {
  checked(deflate(zlib_.get(), flush));
  if (zlib_->avail_out == 0) emit(kBufferSize);
}

size_t TCompressionStream::write(std::string_view bytes) {
  if (finished_) raiseError();
  size_t left = bytes.size();
  auto* next = reinterpret_cast<const Bytef*>(bytes.data());
  while (left > 0) {
    const uInt chunk = uInt(std::min<size_t>(left, UINT_MAX));
    zlib_->next_in = const_cast<Bytef*>(next);
    zlib_->avail_in = chunk;
    while (zlib_->avail_in > 0) deflateStep(Z_NO_FLUSH);
    next += chunk;
    left -= chunk;
  }
  return bytes.size();
}

void TCompressionStream::finish() {
  if (finished_) return;
  zlib_->next_in = nullptr;
  zlib_->avail_in = 0;
  for (;;) {
    int result = checked(deflate(zlib_.get(), Z_FINISH));
    if (result == Z_STREAM_END) break;
    if (zlib_->avail_out == 0) emit(kBufferSize);
  }
  finished_ = true;
  if (zlib_->avail_out < kBufferSize) emit(kBufferSize - zlib_->avail_out);
}

size_t TCompressionStream::read(void*, size_t) {
  throw ECompressionError("Invalid stream operation");
}

uint64_t TCompressionStream::seek(int64_t offset, SeekOrigin origin) {
  if (offset != 0 || origin != SeekOrigin::Current)
    throw ECompressionError("Invalid stream operation");
  return zlib_->total_in;
}

void compressInto(std::string& destination, std::string_view bytes) {
  TCompressionStream stream(CompressionLevel::Default, destination);
  stream.write(bytes);
  stream.finish();
}

}  // namespace quiral
