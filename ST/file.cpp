// The file service's plain files: reading, emptying, deleting and
// appending, each by the opening rules of file_open.h. Its other parts:
// file_replace.cpp (the atomic replace and setting aside), file_folders.cpp
// (folders and wildcard lists), file_log.cpp (the log, message box and
// shell opening), file_zip.cpp (packs).
#include "ST/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "ST/file_open.h"

namespace ZOV {

using namespace fileio;

constinit iFile ifile;

iFile::~iFile() {
  delete[] log_name_;
  delete[] log_folder_;
  ZipClearData();
  ZipCloze();
}

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

}  // namespace ZOV
