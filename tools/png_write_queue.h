#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/png_writer.h"

namespace quiral::cli {

// Encodes and writes prepared pictures as PNG files on a second thread, so that drawing the next
// component and encoding and writing the last one overlap. The drawing thread prepares each
// picture (palette indexing and packing) and hands over its packed rows. Each file is written
// under a temporary name and renamed into place once whole. The first failure is kept:
// later pictures are dropped, and push() or finish() rethrow it.
class PngWriteQueue {
 public:
  explicit PngWriteQueue(size_t maxPending = 16);
  ~PngWriteQueue();
  PngWriteQueue(const PngWriteQueue&) = delete;
  PngWriteQueue& operator=(const PngWriteQueue&) = delete;

  // Queue a picture; each waits while maxPending pictures are queued. A prepared picture is
  // only encoded on the writer thread; a bitmap is also prepared there.
  void push(PreparedPng picture, std::string path);
  void push(Bitmap picture, std::string path);
  // Waits until everything queued is written.
  void finish();

 private:
  struct Job {
    std::optional<Bitmap> bitmap;  // when given, written instead of `prepared`
    PreparedPng prepared;
    std::string path;
  };
  void enqueue(Job job);
  void run();
  void rethrowFailure();

  const size_t maxPending_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> pending_;
  bool busy_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread worker_;
};

}  // namespace quiral::cli
