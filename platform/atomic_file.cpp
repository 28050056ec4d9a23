#include "platform/atomic_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <random>

#include "platform/error.h"

namespace quiral {

namespace {

// Temporaries open anywhere in the process, for the signal handler. A fixed table of C strings
// because a handler may neither allocate nor take a lock; a file that finds no free slot is still
// written, only not removed on a signal.
constexpr size_t kSlots = 256;
std::array<std::atomic<const char*>, kSlots> liveTemporaries{};

// Set by the signal handler before it removes the temporaries: a thread that makes or finishes a
// file meanwhile (the handler runs on one thread, the others go on until the process ends) sees
// it and removes its own temporary instead of leaving it behind.
std::atomic<bool> ending{false};
// Threads between creating a temporary and registering it (with the ending signals held back):
// the handler lets them finish before it sweeps.
std::atomic<int> creating{0};

[[noreturn]] void removeAndAwaitTheEnd(const char* path) {
  ::unlink(path);
  for (;;) ::pause();
}

int registerTemporary(const char* path) {
  for (size_t i = 0; i < kSlots; ++i) {
    const char* empty = nullptr;
    if (liveTemporaries[i].compare_exchange_strong(empty, path)) return int(i);
  }
  return -1;
}

void unregisterTemporary(int slot) {
  if (slot >= 0) liveTemporaries[size_t(slot)].store(nullptr);
}

extern "C" void removeTemporariesAndDie(int signal) {
  ending.store(true);
  for (int waited = 0; creating.load() > 0 && waited < 200; ++waited) {
    const timespec millisecond{0, 1000000};
    ::nanosleep(&millisecond, nullptr);
  }
  for (auto& slot : liveTemporaries) {
    const char* path = slot.exchange(nullptr);
    if (path) ::unlink(path);
  }
  struct sigaction standard {};
  standard.sa_handler = SIG_DFL;
  sigemptyset(&standard.sa_mask);
  ::sigaction(signal, &standard, nullptr);
  ::raise(signal);
}

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The path that a write to `path` really lands on: symbolic links are followed one by one,
// also when the last one points to a file that does not exist yet.
std::string followLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::string target(size_t(PATH_MAX), '\0');
    ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0) throwFileError(path);
    target.resize(size_t(n));
    path = (!target.empty() && target[0] == '/') ? target : folderOf(path) + "/" + target;
  }
  throw FileError(ELOOP, path);
}

// Refuses a target that exists but must not be replaced. Returns whether it exists.
bool checkReplaceable(const std::string& target, const std::string& shown, struct stat& info) {
  if (::stat(target.c_str(), &info) != 0) {
    if (errno == ENOENT) return false;
    throwFileError(shown);
  }
  if (S_ISDIR(info.st_mode)) throw FileError(EISDIR, shown);
  // A device or a pipe would be replaced by a plain file (as root a link to /dev/null would
  // replace /dev/null itself), or a write into it would block or vanish: never what was meant.
  if (!S_ISREG(info.st_mode)) throw QuiralError(shown + ": not a regular file");
  // access() lets root write anything; a file without any write bit was still made read-only
  // on purpose, so that is refused too.
  if (::access(target.c_str(), W_OK) != 0) throwFileError(shown);
  if ((info.st_mode & 0222) == 0) throw FileError(EACCES, shown);
  return true;
}

// Creates a new, uniquely named file in `folder`. The mode 0666 is cut by the process's umask
// by the kernel itself, so the umask is never read or changed here (changing it would affect
// files that other threads create meanwhile).
int createTemporary(const std::string& folder, std::string& tempPath) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = folder + "/.quiral-";
    for (int i = 0; i < 8; ++i) tempPath += kLetters[random() % (sizeof kLetters - 1)];
    int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

// Holds back SIGINT, SIGTERM and SIGHUP on this thread while it lives: between creating a
// temporary and registering it a signal would otherwise leave the file behind.
class EndingSignalsHeld {
 public:
  EndingSignalsHeld() {
    sigset_t ending;
    sigemptyset(&ending);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&ending, signal);
    ::pthread_sigmask(SIG_BLOCK, &ending, &saved_);
  }
  ~EndingSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }

 private:
  sigset_t saved_;
};

AtomicFile::AtomicFile(const std::string& path) : path_(path), target_(followLinks(path)) {
  exists_ = checkReplaceable(target_, path_, existing_);
  const EndingSignalsHeld held;
  ++creating;
  file_ = FileDescriptor(createTemporary(folderOf(target_), temporary_));
  if (file_) slot_ = registerTemporary(temporary_.c_str());
  --creating;
  if (!file_) throwFileError(path_);
  if (ending.load()) removeAndAwaitTheEnd(temporary_.c_str());
}

AtomicFile::~AtomicFile() {
  if (!temporary_.empty()) discard();
}

void AtomicFile::discard() noexcept {
  file_ = FileDescriptor();
  ::unlink(temporary_.c_str());
  unregisterTemporary(slot_);
  slot_ = -1;
  temporary_.clear();
}

bool AtomicFile::append(const void* data, size_t size) noexcept {
  if (error_ != 0 || !file_) return false;
  if (size == 0) return true;  // an empty chunk may come without any bytes to point at
  auto* bytes = static_cast<const char*>(data);
  // Encoders hand over a few kilobytes at a time: gathered into larger writes.
  if (buffered_ + size <= sizeof buffer_) {
    std::memcpy(buffer_ + buffered_, bytes, size);
    buffered_ += size;
    return true;
  }
  return flushBuffer() && writeOut(bytes, size);
}

bool AtomicFile::flushBuffer() noexcept {
  const size_t size = buffered_;
  buffered_ = 0;
  return writeOut(buffer_, size);
}

bool AtomicFile::writeOut(const char* bytes, size_t size) noexcept {
  while (size > 0) {
    const ssize_t n = ::write(file_.get(), bytes, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      error_ = errno ? errno : EIO;
      return false;
    }
    bytes += n;
    size -= size_t(n);
  }
  return true;
}

void AtomicFile::throwIfFailed() const {
  if (error_ != 0) throw FileError(error_, path_);
}

void AtomicFile::write(std::string_view bytes) {
  if (!append(bytes.data(), bytes.size())) throw FileError(error_ ? error_ : EBADF, path_);
}

void AtomicFile::commit() {
  if (temporary_.empty()) throw QuiralError(path_ + ": written already");
  try {
    if (error_ == 0) flushBuffer();
    if (error_ != 0) throw FileError(error_, path_);
    if (exists_) {
      // The replacement is the same file to its users: same permissions and, where the process
      // may give it away, the same owner (ownership first, as it can clear set-id bits).
      if (::fchown(file_.get(), existing_.st_uid, existing_.st_gid) != 0) {
        // Not allowed for an ordinary user on another's file: the file becomes theirs.
      }
      if (::fchmod(file_.get(), existing_.st_mode & 07777) != 0) throwFileError(path_);
    }
    if (::fsync(file_.get()) != 0) throwFileError(path_);
    if (::close(file_.release()) != 0) throwFileError(path_);
    if (ending.load()) removeAndAwaitTheEnd(temporary_.c_str());
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) throwFileError(path_);
  } catch (...) {
    discard();
    throw;
  }
  unregisterTemporary(slot_);
  slot_ = -1;
  temporary_.clear();
}

void removeTemporariesOnSignals() {
  struct sigaction removing {};
  removing.sa_handler = removeTemporariesAndDie;
  sigemptyset(&removing.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction before {};
    ::sigaction(signal, nullptr, &before);
    // A signal the caller's parent chose to ignore (nohup) stays ignored.
    if (before.sa_handler != SIG_IGN) ::sigaction(signal, &removing, nullptr);
  }
  std::signal(SIGXFSZ, SIG_IGN);
}

bool sameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace quiral
