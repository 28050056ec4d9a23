#include "tools/png_write_queue.h"

namespace quiral::cli {

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
      // writePng replaces each file whole, so two writers of one name never mix their bytes.
      if (job.bitmap)
        writePng(*job.bitmap, job.path, options);
      else
        writePng(job.prepared, job.path, options);
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
