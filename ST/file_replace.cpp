// The file service's atomic replace (a temporary file beside the target,
// flushed unless asked not to, then renamed over it), the clean-up of temporary files that
// killed writers left, and setting a damaged file aside.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "ST/file.h"
#include "ST/file_open.h"

namespace ZOV {

using namespace fileio;

namespace {

std::atomic<iFile::WriteFaultHook> gWriteFault{nullptr};

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

void iFile::SetWriteFaultHookForTests(WriteFaultHook hook) { gWriteFault = hook; }

// Writes `contents` to a temporary file beside `path`, flushes it to disk
// (unless `flush` is kNo) and renames it over `path`, so the old file stays whole until the new one
// is complete, and a link at the path is replaced rather than written
// through. The new file keeps the old one's permissions; a file we may not
// write (read-only) is left alone, as an in-place write would be, and so is
// anything that is not a regular file or a link.
bool iFile::ReplaceFile(const char* path, const std::string& contents, Flush flush) {
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
  if (ok && flush == Flush::kToDisk) ok = fsync(fd) == 0;
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
    return ReplaceFile(path, contents, Flush::kToDisk) ? 0 : 1;
  } catch (const std::bad_alloc&) {
    return 1;
  }
}

int iFile::SaveBytes(const char* path, const void* data, int size, Flush flush) {
  if (path == nullptr || *path == '\0' || size < 0 || (data == nullptr && size > 0)) return 1;
  try {
    const std::string contents(static_cast<const char*>(data), size_t(size));
    return ReplaceFile(path, contents, flush) ? 0 : 1;
  } catch (const std::bad_alloc&) {
    return 1;
  }
}

int iFile::SaveData(const char* path, const void* data, int size) { return SaveBytes(path, data, size, Flush::kToDisk); }

int iFile::SaveDataUnflushed(const char* path, const void* data, int size) {
  return SaveBytes(path, data, size, Flush::kNo);
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

}  // namespace ZOV
