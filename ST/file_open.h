// The file service's opening rules, shared by its parts (file.cpp,
// file_replace.cpp, file_folders.cpp, file_log.cpp): a path's holding
// folder opened without following a link below the documents folder, and
// regular files opened without waiting on a pipe (the rules are listed in
// ST/file.h). Internal to the file service; nothing else includes it.
#pragma once

#include <unistd.h>

#include <string>

#include "ST/file.h"

namespace ZOV::fileio {

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

// Opens the folder holding `path`. False (errno set) when the path names no
// file (empty, the root, ending in "." or "..") or a folder on the way
// cannot be opened, or is a link below the documents folder.
bool OpenHolder(const char* path, Holder* h);
// errno of a failed open as a read result.
iFile::ReadResult ReadErrno(int err);
// Opens the regular file `h.base` for reading without waiting on a pipe;
// a link is followed only outside the documents folder.
iFile::ReadResult OpenRegular(const Holder& h, int* out);
// Reads the whole open file, at most kMaxEntrySize bytes.
iFile::ReadResult ReadOpened(int fd, std::string* out);
// Opens the regular file at `h.base` for writing without following a link
// or waiting on a pipe; -1 when it is anything else.
int OpenRegularForWrite(const Holder& h, int flags);
// Writes all of `data`; false on a write error.
bool WriteAll(int fd, const char* data, size_t size);
// Reads the rest of an open file; false on a read error.
bool ReadAll(int fd, std::string* out);
// A new[] copy of the text, null when memory is short.
char* CopyText(const std::string& s);

}  // namespace ZOV::fileio
