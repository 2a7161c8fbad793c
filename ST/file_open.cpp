// The file service's no-follow opening (file_open.h).
#include "ST/file_open.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "platform/sys.h"

namespace ZOV::fileio {

namespace {

// The path's components, with "." and empty ones dropped and ".." taken
// back lexically (below the documents folder no link is followed, so there
// the lexical parent is the real one).
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  size_t at = 0;
  while (at <= path.size()) {
    size_t end = path.find('/', at);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(at, end - at);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    at = end + 1;
  }
  return parts;
}

std::string AbsolutePath(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char cwd[4096];
  if (::getcwd(cwd, sizeof cwd) == nullptr) return path;
  return std::string(cwd) + "/" + path;
}

// The components of `path` below the documents folder; empty when the path
// is not below it (or is the documents folder itself).
std::vector<std::string> BelowDocuments(const std::string& path, std::string* docs_out) {
  const std::string docs = plat::DocumentsDir();
  if (docs.empty()) return {};
  const std::vector<std::string> d = Components(docs);
  std::vector<std::string> p = Components(AbsolutePath(path));
  if (p.size() <= d.size() || !std::equal(d.begin(), d.end(), p.begin())) return {};
  *docs_out = docs;
  return std::vector<std::string>(p.begin() + std::ptrdiff_t(d.size()), p.end());
}

}  // namespace

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= size_t(n);
  }
  return true;
}

bool ReadAll(int fd, std::string* out) {
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    out->append(chunk, size_t(n));
  }
}

char* CopyText(const std::string& s) {
  char* copy = new (std::nothrow) char[s.size() + 1];
  if (copy) std::memcpy(copy, s.c_str(), s.size() + 1);
  return copy;
}

iFile::ReadResult ReadErrno(int err) {
  if (err == ENOENT) return iFile::ReadResult::kMissing;
  if (err == ELOOP || err == ENOTDIR || err == ENXIO) return iFile::ReadResult::kNotAFile;
  return iFile::ReadResult::kFailed;
}

bool OpenHolder(const char* path, Holder* h) {
  if (path == nullptr || *path == '\0') {
    errno = ENOENT;
    return false;
  }
  std::string p(path);
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  h->shown = p;
  std::string docs;
  const std::vector<std::string> below = BelowDocuments(p, &docs);
  if (!below.empty()) {
    h->guarded = true;
    int fd = ::open(docs.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (size_t i = 0; fd >= 0 && i + 1 < below.size(); ++i) {
      const int next = ::openat(fd, below[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      const int err = errno;
      ::close(fd);
      fd = next;
      errno = err;
    }
    if (fd < 0) return false;
    h->fd = fd;
    h->base = below.back();
    return true;
  }
  const size_t slash = p.find_last_of('/');
  std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : p.substr(0, slash));
  h->base = slash == std::string::npos ? p : p.substr(slash + 1);
  if (h->base.empty() || h->base == "." || h->base == "..") {
    errno = EINVAL;
    return false;
  }
  h->fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return h->fd >= 0;
}

iFile::ReadResult OpenRegular(const Holder& h, int* out) {
  const int nofollow = h.guarded ? O_NOFOLLOW : 0;
  struct stat st;
  // Looked at before opening, so that a device is never even opened.
  if (fstatat(h.fd, h.base.c_str(), &st, h.guarded ? AT_SYMLINK_NOFOLLOW : 0) != 0) return ReadErrno(errno);
  if (!S_ISREG(st.st_mode)) return iFile::ReadResult::kNotAFile;
  const int fd = openat(h.fd, h.base.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | nofollow);
  if (fd < 0) return ReadErrno(errno);
  // Checked again on what was opened: the entry may have changed between.
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return iFile::ReadResult::kNotAFile;
  }
  *out = fd;
  return iFile::ReadResult::kOk;
}

iFile::ReadResult ReadOpened(int fd, std::string* out) {
  struct stat st;
  if (fstat(fd, &st) != 0 || uint64_t(st.st_size) > iFile::kMaxEntrySize) return iFile::ReadResult::kFailed;
  try {
    out->reserve(size_t(st.st_size));
    if (!ReadAll(fd, out)) return iFile::ReadResult::kFailed;
  } catch (const std::bad_alloc&) {
    return iFile::ReadResult::kFailed;
  }
  return out->size() > iFile::kMaxEntrySize ? iFile::ReadResult::kFailed : iFile::ReadResult::kOk;
}

int OpenRegularForWrite(const Holder& h, int flags) {
  const int fd = openat(h.fd, h.base.c_str(), flags | O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  return fd;
}

}  // namespace ZOV::fileio
