#include "tools/data/sink.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace gendata {

bool MemSink::Put(const std::string& folder, const std::string& name, const Bytes& bytes) {
  files_[{folder, name}] = bytes;
  return true;
}

const Bytes* MemSink::Find(const std::string& folder, const std::string& name) const {
  auto it = files_.find({folder, name});
  return it == files_.end() ? nullptr : &it->second;
}

bool DirSink::Put(const std::string& folder, const std::string& name, const Bytes& bytes) {
  // Every file of the data has contents: nothing to write means its encoder
  // failed, which must fail the run rather than ship an empty file.
  if (bytes.empty()) {
    std::printf("gen_data: nothing made for %s/%s\n", folder.c_str(), name.c_str());
    ++failures_;
    return false;
  }
  std::error_code ec;
  std::filesystem::path dir = std::filesystem::path(root_) / folder;
  std::filesystem::create_directories(dir, ec);
  std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
  if (out) out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::printf("gen_data: cannot write %s/%s\n", folder.c_str(), name.c_str());
    ++failures_;
    return false;
  }
  return true;
}

}  // namespace gendata
