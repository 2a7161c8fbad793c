// Plain files, raw records, folders, the documents folder, message boxes,
// opening with the desktop and the line log of the file service.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
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

bool iFile::CheckFileExist(const char* path) {
  if (path == nullptr || *path == '\0') return false;
  struct stat st;
  return ::stat(path, &st) == 0;
}

int iFile::CreateNewEmptyFile(const char* path) {
  if (path == nullptr || *path == '\0') return 1;
  const int fd = ::open(path, O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) return 1;
  ::close(fd);
  return 0;
}

char* iFile::FileRead(const char* path) {
  if (path == nullptr || *path == '\0') return nullptr;
  int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) fd = ::open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::string contents;
  bool ok = false;
  try {
    ok = ReadAll(fd, &contents);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  ::close(fd);
  return ok ? CopyText(contents) : nullptr;
}

int iFile::FileDel(const char* path) {
  if (!CheckFileExist(path)) return 1;
  return ::unlink(path) == 0 ? 0 : 1;
}

int iFile::WriteInFileBack(const char* path, const char* text) {
  if (path == nullptr || *path == '\0') return 1;
  const int fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
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
// is complete. The new file keeps the old one's permissions, and a file we
// may not write (read-only) is left alone, as an in-place write would be.
bool iFile::ReplaceFile(const char* path, const std::string& contents) {
  if (::access(path, F_OK) == 0 && ::access(path, W_OK) != 0) return false;
  std::string temp = std::string(path) + ".XXXXXX";
  const int fd = mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;
  struct stat old;
  if (::stat(path, &old) == 0) {
    fchmod(fd, old.st_mode & 07777);
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
  }
  const size_t half = contents.size() / 2;
  bool ok = WriteAll(fd, contents.data(), half);
  if (ok) {
    if (WriteFaultHook hook = gWriteFault.load()) ok = hook(temp.c_str());
  }
  if (ok) ok = WriteAll(fd, contents.data() + half, contents.size() - half);
  if (ok) ok = fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(temp.c_str(), path) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

int iFile::WriteInFileFirst(const char* path, const char* text) {
  if (path == nullptr || *path == '\0') return 1;
  int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) fd = ::open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return 1;
  std::string old;
  bool ok = false;
  try {
    ok = ReadAll(fd, &old);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  ::close(fd);
  if (!ok) return 1;
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
  if (path == nullptr || *path == '\0') return 1;
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 1;
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

// --- Folders -------------------------------------------------------------------

int iFile::CreateDir(const char* path) {
  if (path == nullptr || *path == '\0') return 2;
  struct stat st;
  if (::lstat(path, &st) == 0) return 1;
  return ::mkdir(path, 0777) == 0 ? 0 : 2;
}

bool iFile::DirDel(const char* path) {
  if (path == nullptr || *path == '\0') return false;
  char* real = ::realpath(path, nullptr);
  const bool is_root = real != nullptr && std::strcmp(real, "/") == 0;
  std::free(real);
  if (is_root) return false;
  // Without its trailing separators, so that a link named "link/" is seen
  // as the link it is and refused, not followed to its target.
  std::string folder(path);
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  if (!DeleteContents(fd)) return false;
  return ::rmdir(folder.c_str()) == 0;
}

JINVECPTR<char*>* iFile::FindDir(const char* dir, const char* mask, int mode) {
  if (dir == nullptr || mask == nullptr) return nullptr;
  std::string folder(dir);
  std::replace(folder.begin(), folder.end(), '\\', '/');
  if (folder.empty()) folder = ".";
  DIR* d = opendir(folder.c_str());
  if (d == nullptr) return nullptr;
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
        const std::string full = folder + "/" + e->d_name;
        if (::stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) kept.emplace_back(e->d_name);
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
