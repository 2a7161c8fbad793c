// Plain files, raw records, folders, the documents folder, message boxes,
// opening with the desktop and the line log of the file service.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "ST/file.h"
#include "platform/sys.h"

namespace ZOV {

constinit iFile ifile;

namespace {

std::atomic<iFile::WriteFaultHook> gWriteFault{nullptr};

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

// Reads the rest of an open file; false on a read error.
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

unsigned char Lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// Windows-style wildcard match: '*' any run, '?' one character, letters
// compared without case.
bool WildMatch(const char* mask, const char* name) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name) {
    if (*mask == '*') {
      star = mask++;
      resume = name;
    } else if (*mask == '?' || (*mask && Lower(*mask) == Lower(*name))) {
      ++mask;
      ++name;
    } else if (star) {
      mask = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*mask == '*') ++mask;
  return *mask == '\0';
}

// As Windows does, a mask ending in ".*" also matches names without a dot
// ("*.*" is every entry).
bool MaskMatch(const std::string& mask, const char* name) {
  if (WildMatch(mask.c_str(), name)) return true;
  if (mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0)
    return WildMatch(mask.substr(0, mask.size() - 2).c_str(), name);
  return false;
}

bool LessNoCase(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = Lower(a[i]), y = Lower(b[i]);
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

// Deletes everything inside the open folder `folder_fd` (which it closes),
// removing links instead of following them. Stops at the first failure.
bool DeleteContents(int folder_fd) {
  DIR* d = fdopendir(folder_fd);
  if (d == nullptr) {
    ::close(folder_fd);
    return false;
  }
  std::vector<std::string> names;
  while (dirent* e = readdir(d)) {
    if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
    names.emplace_back(e->d_name);
  }
  bool ok = true;
  const int fd = dirfd(d);
  for (const std::string& name : names) {
    struct stat st;
    if (fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      ok = false;
      break;
    }
    if (S_ISDIR(st.st_mode)) {
      // A folder we may not write into gets owner rights first, as a
      // read-only file would have its attribute cleared.
      if ((st.st_mode & S_IRWXU) != S_IRWXU) fchmodat(fd, name.c_str(), st.st_mode | S_IRWXU, 0);
      const int sub = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (sub < 0 || !DeleteContents(sub) || unlinkat(fd, name.c_str(), AT_REMOVEDIR) != 0) {
        ok = false;
        break;
      }
    } else if (unlinkat(fd, name.c_str(), 0) != 0) {
      ok = false;
      break;
    }
  }
  closedir(d);
  return ok;
}

// The folder that holds a path's last component, open for the *at() calls,
// and that component's name. Below the documents folder (`guarded`) every
// folder on the way was opened without following a link.
struct Holder {
  int fd = -1;
  std::string base;
  std::string shown;  // the path without trailing separators, for hooks and logs
  bool guarded = false;
  Holder() = default;
  Holder(const Holder&) = delete;
  Holder& operator=(const Holder&) = delete;
  ~Holder() {
    if (fd >= 0) ::close(fd);
  }
};

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

// errno of a failed open as a read result.
iFile::ReadResult ReadErrno(int err) {
  if (err == ENOENT) return iFile::ReadResult::kMissing;
  if (err == ELOOP || err == ENOTDIR || err == ENXIO) return iFile::ReadResult::kNotAFile;
  return iFile::ReadResult::kFailed;
}

// Opens the folder holding `path`. False (errno set) when the path names no
// file (empty, the root, ending in "." or "..") or a folder on the way
// cannot be opened, or is a link below the documents folder.
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

// Opens the regular file `h.base` for reading without waiting on a pipe;
// a link is followed only outside the documents folder.
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

// Opens the regular file at `h.base` for writing without following a link
// or waiting on a pipe; -1 when it is anything else.
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

// Temporary files of the atomic replace are named
// "<stem>.~<pid>.<6 letters or digits>", where <stem> is the target's name
// (its first kTempStemBytes bytes for very long names, so that the whole
// name stays within a file name's limit) and <pid> the writer's process.
constexpr size_t kTempStemBytes = 200;

std::string TempStem(const std::string& base) {
  return base.size() > kTempStemBytes ? base.substr(0, kTempStemBytes) : base;
}

// A name for a temporary file beside `base` that does not exist yet.
std::string TempName(const std::string& base, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  unsigned v = unsigned(::getpid()) * 2654435761u ^ (counter.fetch_add(1) * 40503u) ^ (attempt * 977u) ^
               unsigned(reinterpret_cast<uintptr_t>(&base));
  std::string tail;
  for (int i = 0; i < 6; ++i) {
    tail += kDigits[v % 36];
    v /= 36;
    v ^= 0x9E3779B9u * unsigned(i + 1);
  }
  return TempStem(base) + ".~" + std::to_string(::getpid()) + "." + tail;
}

// The writer's process id when `name` is a temporary file of `stem` as
// TempName makes them; 0 when it is not one.
pid_t TempOwner(const std::string& name, const std::string& stem) {
  const std::string head = stem + ".~";
  if (name.size() <= head.size() || name.compare(0, head.size(), head) != 0) return 0;
  size_t at = head.size();
  long pid = 0;
  const size_t digits = at;
  while (at < name.size() && name[at] >= '0' && name[at] <= '9' && at - digits < 10) pid = pid * 10 + (name[at++] - '0');
  if (at == digits || at >= name.size() || name[at] != '.' || pid <= 0 || pid > 0x7FFFFFFF) return 0;
  const std::string tail = name.substr(at + 1);
  if (tail.size() != 6) return 0;
  for (char c : tail)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return 0;
  return pid_t(pid);
}

// Removes the temporary files of `base` in the folder `dirFd` that writers
// left when they were killed: regular files named as TempName names them
// whose writer process no longer exists. A living writer's file (another
// thread of this process, another running copy of the game) is left alone.
void RemoveStaleTemps(int dirFd, const std::string& base) {
  const int listFd = openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listFd < 0) return;
  DIR* dir = fdopendir(listFd);
  if (dir == nullptr) {
    ::close(listFd);
    return;
  }
  const std::string stem = TempStem(base);
  std::vector<std::string> stale;
  while (const dirent* e = readdir(dir)) {
    const pid_t owner = TempOwner(e->d_name, stem);
    if (owner == 0 || owner == ::getpid()) continue;
    if (::kill(owner, 0) == 0 || errno != ESRCH) continue;
    stale.emplace_back(e->d_name);
  }
  closedir(dir);
  for (const std::string& name : stale) {
    struct stat st;
    if (fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
      unlinkat(dirFd, name.c_str(), 0);
  }
}

}  // namespace

void FreeNameList(JINVECPTR<char*>* head) {
  while (head) {
    JINVECPTR<char*>* next = head->next;
    delete[] head->value;
    delete head;
    head = next;
  }
}

iFile::~iFile() {
  delete[] log_name_;
  delete[] log_folder_;
  ZipClearData();
  ZipCloze();
}

void iFile::SetWriteFaultHookForTests(WriteFaultHook hook) { gWriteFault = hook; }

// --- Plain files -------------------------------------------------------------

iFile::ReadResult iFile::ReadRegularFile(const char* path, std::string* out) {
  if (out == nullptr) return ReadResult::kFailed;
  out->clear();
  Holder h;
  if (!OpenHolder(path, &h)) return ReadErrno(errno);
  int fd = -1;
  const ReadResult opened = OpenRegular(h, &fd);
  if (opened != ReadResult::kOk) return opened;
  const ReadResult read = ReadOpened(fd, out);
  ::close(fd);
  if (read != ReadResult::kOk) out->clear();
  return read;
}

bool iFile::CheckFileExist(const char* path) {
  if (path == nullptr || *path == '\0') return false;
  struct stat st;
  return ::stat(path, &st) == 0;
}

int iFile::CreateNewEmptyFile(const char* path) {
  Holder h;
  if (!OpenHolder(path, &h)) return 1;
  const int fd = OpenRegularForWrite(h, 0);
  if (fd < 0) return 1;
  const bool ok = ftruncate(fd, 0) == 0;
  ::close(fd);
  return ok ? 0 : 1;
}

char* iFile::FileRead(const char* path) {
  Holder h;
  if (!OpenHolder(path, &h)) return nullptr;
  int fd = -1;
  ReadResult r = OpenRegular(h, &fd);
  if (r == ReadResult::kMissing) {
    // Created empty, never through a link (O_EXCL refuses one).
    fd = openat(h.fd, h.base.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    r = ReadResult::kOk;
  }
  if (r != ReadResult::kOk) return nullptr;
  std::string contents;
  r = ReadOpened(fd, &contents);
  ::close(fd);
  return r == ReadResult::kOk ? CopyText(contents) : nullptr;
}

int iFile::FileDel(const char* path) {
  Holder h;
  if (!OpenHolder(path, &h)) return 1;
  struct stat st;
  if (fstatat(h.fd, h.base.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(st.st_mode)) return 1;
  return unlinkat(h.fd, h.base.c_str(), 0) == 0 ? 0 : 1;
}

int iFile::WriteInFileBack(const char* path, const char* text) {
  Holder h;
  if (!OpenHolder(path, &h)) return 1;
  const int fd = OpenRegularForWrite(h, O_APPEND | O_CREAT);
  if (fd < 0) return 1;
  struct stat st;
  bool ok = fstat(fd, &st) == 0;
  if (ok && st.st_size > 0) ok = WriteAll(fd, "\n", 1);
  if (ok && text) ok = WriteAll(fd, text, std::strlen(text));
  if (::close(fd) != 0) ok = false;
  return ok ? 0 : 1;
}

// Writes `contents` to a temporary file beside `path`, flushes it to disk
// and renames it over `path`, so the old file stays whole until the new one
// is complete, and a link at the path is replaced rather than written
// through. The new file keeps the old one's permissions; a file we may not
// write (read-only) is left alone, as an in-place write would be, and so is
// anything that is not a regular file or a link.
bool iFile::ReplaceFile(const char* path, const std::string& contents) {
  Holder h;
  if (!OpenHolder(path, &h)) return false;
  const char* base = h.base.c_str();
  struct stat old;
  mode_t mode = 0;
  if (fstatat(h.fd, base, &old, AT_SYMLINK_NOFOLLOW) == 0) {
    if (S_ISREG(old.st_mode)) {
      if (faccessat(h.fd, base, W_OK, 0) != 0) return false;
      mode = old.st_mode & 07777;
    } else if (!S_ISLNK(old.st_mode)) {
      return false;
    }
  } else if (errno != ENOENT) {
    return false;
  }
  if (mode == 0) {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  RemoveStaleTemps(h.fd, h.base);
  std::string temp;
  int fd = -1;
  for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = TempName(h.base, attempt);
    fd = openat(h.fd, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  fchmod(fd, mode);
  const std::string shownTemp = h.shown.substr(0, h.shown.size() - h.base.size()) + temp;
  const size_t half = contents.size() / 2;
  bool ok = WriteAll(fd, contents.data(), half);
  if (ok) {
    if (WriteFaultHook hook = gWriteFault.load()) ok = hook(shownTemp.c_str());
  }
  if (ok) ok = WriteAll(fd, contents.data() + half, contents.size() - half);
  if (ok) ok = fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok) ok = renameat(h.fd, temp.c_str(), h.fd, base) == 0;
  if (!ok) unlinkat(h.fd, temp.c_str(), 0);
  return ok;
}

int iFile::WriteInFileFirst(const char* path, const char* text) {
  Holder h;
  if (!OpenHolder(path, &h)) return 1;
  std::string old;
  int fd = OpenRegularForWrite(h, 0);
  if (fd < 0 && errno == ENOENT) {
    // Nothing there yet: the text alone becomes the file.
  } else if (fd < 0) {
    return 1;
  } else {
    ::close(fd);
    if (ReadRegularFile(path, &old) != ReadResult::kOk) return 1;
  }
  try {
    std::string contents = text ? text : "";
    if (!old.empty()) contents += '\n';
    contents += old;
    return ReplaceFile(path, contents) ? 0 : 1;
  } catch (const std::bad_alloc&) {
    return 1;
  }
}

int iFile::SaveData(const char* path, const void* data, int size) {
  if (path == nullptr || *path == '\0' || size < 0 || (data == nullptr && size > 0)) return 1;
  try {
    const std::string contents(static_cast<const char*>(data), size_t(size));
    return ReplaceFile(path, contents) ? 0 : 1;
  } catch (const std::bad_alloc&) {
    return 1;
  }
}

int iFile::LoadData(const char* path, void* data, int size) {
  Holder h;
  if (!OpenHolder(path, &h)) return 1;
  int fd = -1;
  if (OpenRegular(h, &fd) != ReadResult::kOk) return 1;
  char* out = static_cast<char*>(data);
  size_t got = 0;
  const size_t want = (data && size > 0) ? size_t(size) : 0;
  bool ok = true;
  while (got < want) {
    const ssize_t n = ::read(fd, out + got, want - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    got += size_t(n);
  }
  ::close(fd);
  return ok ? 0 : 1;
}

std::string iFile::SetAside(const char* path) {
  Holder h;
  if (!OpenHolder(path, &h)) return {};
  struct stat st;
  if (fstatat(h.fd, h.base.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return {};
  const std::string prefix = h.shown.substr(0, h.shown.size() - h.base.size());
  for (int i = 0; i < kSetAsideNames; ++i) {
    const std::string name = h.base + ".bad" + (i == 0 ? std::string() : "." + std::to_string(i));
    if (renameat2(h.fd, h.base.c_str(), h.fd, name.c_str(), RENAME_NOREPLACE) == 0) return prefix + name;
    if (errno == EEXIST) continue;
    if (errno != EINVAL && errno != ENOSYS) return {};
    // A file system without the no-replace rename: look first, then rename.
    if (fstatat(h.fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) continue;
    if (errno == ENOENT && renameat(h.fd, h.base.c_str(), h.fd, name.c_str()) == 0) return prefix + name;
    return {};
  }
  return {};
}

// --- Folders -------------------------------------------------------------------

iFile::PathKind iFile::WhatIsAt(const char* path) {
  struct stat st;
  if (path == nullptr || ::lstat(path, &st) != 0) return PathKind::kNothing;
  if (S_ISLNK(st.st_mode)) return PathKind::kLink;
  return S_ISDIR(st.st_mode) ? PathKind::kFolder : PathKind::kOther;
}

int iFile::CreateDir(const char* path) {
  Holder h;
  if (!OpenHolder(path, &h)) return 2;
  struct stat st;
  if (fstatat(h.fd, h.base.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return 1;
  return mkdirat(h.fd, h.base.c_str(), 0777) == 0 ? 0 : 2;
}

bool iFile::DirDel(const char* path) {
  if (path == nullptr || *path == '\0') return false;
  char* real = ::realpath(path, nullptr);
  const bool is_root = real != nullptr && std::strcmp(real, "/") == 0;
  std::free(real);
  if (is_root) return false;
  // Taken without its trailing separators, so that a link named "link/" is
  // seen as the link it is and refused, not followed to its target.
  Holder h;
  if (!OpenHolder(path, &h)) return false;
  const int fd = openat(h.fd, h.base.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  if (!DeleteContents(fd)) return false;
  return unlinkat(h.fd, h.base.c_str(), AT_REMOVEDIR) == 0;
}

JINVECPTR<char*>* iFile::FindDir(const char* dir, const char* mask, int mode) {
  if (dir == nullptr || mask == nullptr) return nullptr;
  std::string folder(dir);
  std::replace(folder.begin(), folder.end(), '\\', '/');
  if (folder.empty()) folder = ".";
  Holder h;
  int fd = -1;
  if (OpenHolder(folder.c_str(), &h)) {
    fd = openat(h.fd, h.base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (h.guarded ? O_NOFOLLOW : 0));
  } else if (errno == EINVAL) {
    // "/", "." or "..": a folder that is not a last component of a path.
    fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  }
  if (fd < 0) return nullptr;
  DIR* d = fdopendir(fd);
  if (d == nullptr) {
    ::close(fd);
    return nullptr;
  }
  std::vector<std::string> kept;
  try {
    const std::string pattern(mask);
    while (dirent* e = readdir(d)) {
      if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
      if (!MaskMatch(pattern, e->d_name)) continue;
      if (mode == 0) {
        kept.emplace_back(e->d_name);
      } else if (mode == 1) {
        struct stat st;
        if (fstatat(dirfd(d), e->d_name, &st, h.guarded ? AT_SYMLINK_NOFOLLOW : 0) == 0 && S_ISDIR(st.st_mode))
          kept.emplace_back(e->d_name);
      }
    }
  } catch (const std::bad_alloc&) {
    kept.clear();
  }
  closedir(d);
  std::sort(kept.begin(), kept.end(), LessNoCase);
  JINVECPTR<char*>* head = nullptr;
  int index = 0;
  for (const std::string& name : kept) {
    auto* node = new (std::nothrow) JINVECPTR<char*>;
    char* value = CopyText(name);
    if (node == nullptr || value == nullptr) {
      delete node;
      delete[] value;
      FreeNameList(head);
      return nullptr;
    }
    node->index = index++;
    node->value = value;
    node->next = head;
    head = node;
  }
  return head;
}

char* iFile::GetCurrentDir() {
  if (::getcwd(folder_, sizeof folder_) == nullptr) folder_[0] = '\0';
  return folder_;
}

int iFile::SetCurrentDir(const char* path) {
  if (path != nullptr && *path != '\0' && ::chdir(path) != 0) {
    // The result is 0 whatever happened; callers do not check it.
  }
  return 0;
}

char* iFile::GetFolderPath() {
  const std::string docs = plat::DocumentsDir();
  if (docs.empty()) return nullptr;
  char* out = new (std::nothrow) char[std::max<size_t>(kNameCapacity, docs.size() + 1)];
  if (out) std::memcpy(out, docs.c_str(), docs.size() + 1);
  return out;
}

int iFile::SetGameDir() {
  char exe[4096];
  const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) return 0;
  std::string path(exe, size_t(n));
  const size_t slash = path.find_last_of('/');
  if (slash != std::string::npos) path.resize(slash == 0 ? 1 : slash);
  return SetCurrentDir(path.c_str());
}

// --- Messages and shell -------------------------------------------------------

int iFile::ShowMessage(const char* text, const char* caption) { return plat::MessageBox(nullptr, text, caption); }

bool iFile::fOpenURL(const char* path) {
  if (path == nullptr || *path == '\0' || *path == '-' || std::strchr(path, '/') != nullptr ||
      std::strchr(path, '\\') != nullptr || std::strcmp(path, ".") == 0 || std::strcmp(path, "..") == 0)
    return false;
  struct stat st;
  if (::stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return plat::ShellOpen(path);
}

// --- Log ---------------------------------------------------------------------------

int iFile::LogInit(const char* name, const char* folder) {
  delete[] log_name_;
  log_name_ = CopyText(std::string(name ? name : "") + ".log");
  delete[] log_folder_;
  if (folder != nullptr) {
    log_folder_ = CopyText(folder);
    SetCurrentDir(folder);
  } else {
    log_folder_ = CopyText(GetCurrentDir());
  }
  if (log_on_) return 0;
  log_on_ = true;
  if (log_name_ && CheckFileExist(log_name_)) CreateNewEmptyFile(log_name_);
  if (log_name_) WriteInFileBack(log_name_, "Init");
  return 0;
}

int iFile::WriteLine(const std::string& line, bool back) {
  if (!log_on_) return 1;
  if (log_name_ == nullptr || log_folder_ == nullptr) return 1;
  const std::string file = std::string(log_folder_) + "/" + log_name_;
  if (back)
    WriteInFileBack(file.c_str(), line.c_str());
  else
    WriteInFileFirst(file.c_str(), line.c_str());
  return 0;
}

namespace {
std::string Decimal(int v) { return std::to_string(v); }
std::string Fixed(float v) {
  char buf[64];
  const int n = std::snprintf(buf, sizeof buf, "%f", double(v));
  if (n >= 0 && size_t(n) < sizeof buf) return buf;
  std::string big(size_t(n) + 1, '\0');
  std::snprintf(big.data(), big.size(), "%f", double(v));
  big.resize(size_t(n));
  return big;
}
}  // namespace

int iFile::Log(const char* text, bool back) {
  if (!log_on_) return 1;
  return WriteLine(text ? text : "", back);
}
int iFile::Log(char* text, bool back) { return Log(static_cast<const char*>(text), back); }
int iFile::Log(int value, bool back) {
  if (!log_on_) return 1;
  return WriteLine(Decimal(value), back);
}
int iFile::Log(float value, bool back) {
  if (!log_on_) return 1;
  return WriteLine(Fixed(value), back);
}
int iFile::Log(char* a, char* b, bool back) {
  if (!log_on_) return 1;
  return WriteLine(std::string(a ? a : "") + "\t" + (b ? b : ""), back);
}
int iFile::Log(char* a, int value, bool back) {
  if (!log_on_) return 1;
  return WriteLine(std::string(a ? a : "") + "\t" + Decimal(value), back);
}
int iFile::Log(char* a, float value, bool back) {
  if (!log_on_) return 1;
  return WriteLine(std::string(a ? a : "") + "\t" + Fixed(value), back);
}

iFile& iFile::operator<<(char* text) {
  Log(text, false);
  return ifile;
}
iFile& iFile::operator<<(const char* text) {
  Log(text, false);
  return ifile;
}
iFile& iFile::operator<<(int value) {
  Log(value, false);
  return ifile;
}
iFile& iFile::operator<<(float value) {
  Log(value, false);
  return ifile;
}
iFile& iFile::operator>>(char* text) {
  Log(text, true);
  return ifile;
}
iFile& iFile::operator>>(int value) {
  Log(value, true);
  return ifile;
}
iFile& iFile::operator>>(float value) {
  Log(value, true);
  return ifile;
}

}  // namespace ZOV
