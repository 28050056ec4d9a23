#include "tools/png_write_queue.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/error.h"

namespace quiral::cli {

namespace {

// A name beside `path` that no other writer of this or another process uses.
std::string temporaryBeside(const std::string& path) {
  static std::atomic<unsigned long> next{0};
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  return folder + ".quiral-png-" + std::to_string(::getpid()) + "-" + std::to_string(next++);
}

// Writes through a temporary and a rename, so that a file is either absent or whole, and two
// writers of one name can never interleave their bytes. Only a regular file is replaced.
template <typename Picture>
void writeWhole(const Picture& picture, const std::string& path, PngOptions options) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode))
    throw QuiralError(path + ": not a regular file");
  const std::string temporary = temporaryBeside(path);
  try {
    writePng(picture, temporary, options);
    if (::rename(temporary.c_str(), path.c_str()) != 0) throwFileError(path);
  } catch (...) {
    std::remove(temporary.c_str());
    throw;
  }
}

}  // namespace

PngWriteQueue::PngWriteQueue(size_t maxPending)
    : maxPending_(maxPending == 0 ? 1 : maxPending), worker_([this] { run(); }) {}

PngWriteQueue::~PngWriteQueue() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void PngWriteQueue::rethrowFailure() {
  if (failure_) std::rethrow_exception(failure_);
}

void PngWriteQueue::push(PreparedPng picture, std::string path) {
  enqueue(Job{std::nullopt, std::move(picture), std::move(path)});
}

void PngWriteQueue::push(Bitmap picture, std::string path) {
  enqueue(Job{std::move(picture), PreparedPng{}, std::move(path)});
}

void PngWriteQueue::enqueue(Job job) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return failure_ || pending_.size() < maxPending_; });
  rethrowFailure();
  pending_.push_back(std::move(job));
  changed_.notify_all();
}

void PngWriteQueue::finish() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return failure_ || (pending_.empty() && !busy_); });
  rethrowFailure();
}

void PngWriteQueue::run() {
  PngOptions options;
  options.fast = true;
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return stopping_ || !pending_.empty(); });
    if (pending_.empty()) return;  // stopping with nothing left
    Job job = std::move(pending_.front());
    pending_.pop_front();
    busy_ = true;
    lock.unlock();
    std::exception_ptr failure;
    try {
      if (job.bitmap)
        writeWhole(*job.bitmap, job.path, options);
      else
        writeWhole(job.prepared, job.path, options);
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    busy_ = false;
    if (failure && !failure_) failure_ = failure;
    if (failure_) pending_.clear();
    changed_.notify_all();
  }
}

}  // namespace quiral::cli
