// The file service's folders: what is at a path, creating and deleting
// folders (links removed, never followed), listing a folder by a
// Windows-style wildcard mask, the current, documents and program folders.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "ST/file.h"
#include "ST/file_open.h"
#include "platform/sys.h"

namespace ZOV {

using namespace fileio;

namespace {

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
  if (folder.empty()) folder.push_back('.');  // (not `= "."`: GCC 12 warns falsely of overlap there)
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

}  // namespace ZOV
