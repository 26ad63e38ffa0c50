#include "services/whole_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>
#include <vector>

namespace sorvane {

namespace {

// Owns a file descriptor; closes it on every path.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  void reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  void adopt(int fd) {
    reset();
    fd_ = fd;
  }
  // Closes now and tells whether the close reported success (a deferred write
  // error can surface here).
  bool close_checked() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

// Removes a temporary file unless told to keep it.
class TempName {
 public:
  TempName() = default;
  ~TempName() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TempName(const TempName&) = delete;
  TempName& operator=(const TempName&) = delete;

  void set(std::string p) { path_ = std::move(p); }
  const std::string& path() const { return path_; }
  void release() { path_.clear(); }

 private:
  std::string path_;
};

bool usable_name(const std::string& path) {
  // An embedded NUL would silently cut the name the system sees.
  return !path.empty() && path.find('\0') == std::string::npos;
}

int open_retrying(const char* path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path, flags, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool lock_nonblocking(int fd, int how) {
  int r;
  do {
    r = ::flock(fd, how | LOCK_NB);
  } while (r != 0 && errno == EINTR);
  return r == 0;
}

bool write_all(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const std::size_t chunk = size > (std::size_t{1} << 30) ? (std::size_t{1} << 30) : size;
    const ssize_t n = ::write(fd, data, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;  // the device takes no more
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

std::string folder_of(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return std::string();
  if (slash == 0) return "/";
  return path.substr(0, slash + 1);
}

std::string base_name_of(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A name for the temporary file beside the target, unique within this
// process and unlikely to meet another's; O_EXCL settles any clash.
std::string temp_candidate(const std::string& target, unsigned attempt) {
  static std::atomic<std::uint64_t> counter{0};
  const auto now = static_cast<std::uint64_t>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  const std::uint64_t mix =
      now ^ (static_cast<std::uint64_t>(::getpid()) << 32) ^ (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull) ^
      attempt;
  static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string suffix;
  std::uint64_t v = mix;
  for (int i = 0; i < 10; ++i, v /= 36) suffix += kDigits[v % 36];
  // Keep the temporary name short even when the target's own name is long,
  // so it never exceeds the folder's name limit where the target does not.
  std::string base = base_name_of(target);
  if (base.size() > 40) base.resize(40);
  return folder_of(target) + "." + base + ".sorvane-" + suffix + ".tmp";
}

// The file a write should replace: symbolic links are followed, so the link
// stays and its target gets the new contents.
std::string resolve_target(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (real == nullptr) return path;  // dangling link: it is replaced by the file
  std::string out(real);
  std::free(real);
  return out;
}

}  // namespace

ByteBuffer read_whole_file(const std::string& utf8_path) {
  if (!usable_name(utf8_path)) return {};

  // O_NONBLOCK keeps the open itself from hanging on a FIFO; it has no effect
  // on reads of regular files, the only kind read below.
  Fd fd(open_retrying(utf8_path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd.valid()) return {};

  struct stat st;
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return {};

  // Other readers may share the file; a writer holding it gives no data.
  if (!lock_nonblocking(fd.get(), LOCK_SH)) return {};

  if (st.st_size <= 0 || st.st_size > std::numeric_limits<std::int32_t>::max()) return {};
  const auto length = static_cast<std::size_t>(st.st_size);

  ByteBuffer buffer;
  try {
    buffer.resize(length);
  } catch (const std::bad_alloc&) {
    return {};
  }

  std::size_t got = 0;
  while (got < length) {
    const ssize_t n = ::read(fd.get(), buffer.data() + got, length - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      return {};
    }
    if (n == 0) break;  // the file shrank meanwhile
    got += static_cast<std::size_t>(n);
  }
  buffer.resize(got);
  return buffer;
}

bool write_whole_file(const std::string& utf8_path, const ByteBuffer* const* buffers,
                      std::size_t count) {
  if (!usable_name(utf8_path)) return false;
  for (std::size_t i = 0; i < count; ++i) {
    if (buffers[i] == nullptr) return false;
  }
  const std::string target = resolve_target(utf8_path);
  if (target.back() == '/') return false;  // names a folder

  // An existing target must be a writable regular file. It is held with an
  // exclusive lock while the new contents are prepared, so readers and other
  // writers that honour locks do not meet a half-made file or race us.
  Fd old_fd;
  struct stat old_st{};
  bool had_old = false;
  {
    const int fd = open_retrying(target.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd >= 0) {
      old_fd.adopt(fd);
      if (::fstat(fd, &old_st) != 0 || !S_ISREG(old_st.st_mode)) return false;
      // A file without any write bit counts as read-only even for a
      // privileged user, who could otherwise write it anyway.
      if ((old_st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
      if (::access(target.c_str(), W_OK) != 0) return false;
      if (!lock_nonblocking(fd, LOCK_EX)) return false;
      had_old = true;
    } else if (errno != ENOENT) {
      return false;  // no access, a missing folder on the way, ...
    }
  }

  TempName temp;
  Fd out;
  for (unsigned attempt = 0; attempt < 16 && !out.valid(); ++attempt) {
    std::string candidate = temp_candidate(target, attempt);
    const int fd = open_retrying(candidate.c_str(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd >= 0) {
      out.adopt(fd);
      temp.set(std::move(candidate));
    } else if (errno != EEXIST) {
      return false;  // missing folder, no access, no space, ...
    }
  }
  if (!out.valid()) return false;

  if (had_old) {
    // The replacement keeps the old file's permissions and, where allowed,
    // its owner.
    if (::fchmod(out.get(), old_st.st_mode & 07777) != 0) return false;
    if (::fchown(out.get(), old_st.st_uid, old_st.st_gid) != 0) {
      // Not permitted for an ordinary user on someone else's file: the new
      // file then belongs to the writer, as with any newly made file.
    }
  }

  for (std::size_t i = 0; i < count; ++i) {
    const ByteBuffer& b = *buffers[i];
    if (!b.empty() && !write_all(out.get(), b.data(), b.size())) return false;
  }
  // The data reach the disk before the name points at them.
  if (::fdatasync(out.get()) != 0) return false;
  if (!out.close_checked()) return false;
  if (::rename(temp.path().c_str(), target.c_str()) != 0) return false;
  temp.release();
  return true;
}

bool write_whole_file(const std::string& utf8_path,
                      std::initializer_list<std::reference_wrapper<const ByteBuffer>> buffers) {
  std::vector<const ByteBuffer*> list;
  try {
    list.reserve(buffers.size());
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (const ByteBuffer& b : buffers) list.push_back(&b);
  return write_whole_file(utf8_path, list.data(), list.size());
}

bool write_whole_file(const std::string& utf8_path, const ByteBuffer& buffer) {
  const ByteBuffer* one = &buffer;
  return write_whole_file(utf8_path, &one, 1);
}

}  // namespace sorvane
