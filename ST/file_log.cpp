// The file service's log file, message box and shell opening.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ST/file.h"
#include "ST/file_open.h"
#include "platform/sys.h"

namespace ZOV {

using fileio::CopyText;

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
