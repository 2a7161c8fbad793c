// The zip side of the file service: one open pack, one entry found, one read
// buffer. Packs are read with libzip; traditional PKWARE encryption.
#include <zip.h>

#include <cstring>
#include <new>
#include <string>

#include "ST/file.h"
#include "ST/text_cut.h"
#include "platform/sys.h"

namespace ZOV {

int iFile::ZipOpen(const char* pack) {
  ZipCloze();
  if (pack == nullptr || *pack == '\0') return -1;
  int err = 0;
  zip_t* za = zip_open(pack, ZIP_RDONLY, &err);
  if (za == nullptr) return -1;
  archive_ = za;
  return 1;
}

int iFile::ZipFindFile(const char* name) {
  has_entry_ = false;
  if (archive_ == nullptr) return -1;
  const zip_int64_t count = zip_get_num_entries(archive_, 0);
  if (count <= 0) return -1;
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive_, zip_uint64_t(i), ZIP_FL_ENC_RAW, &st) != 0) return -1;
    if (!(st.valid & ZIP_STAT_NAME) || st.name == nullptr) return -1;
    std::strncpy(entry_name_, st.name, kNameCapacity - 1);
    entry_name_[kNameCapacity - 1] = '\0';
    if (name == nullptr || std::strcmp(st.name, name) != 0) continue;
    file_info = ZipEntryInfo{};
    file_info.index = zip_uint64_t(i);
    file_info.uncompressed_size = (st.valid & ZIP_STAT_SIZE) ? st.size : 0;
    file_info.compressed_size = (st.valid & ZIP_STAT_COMP_SIZE) ? st.comp_size : 0;
    file_info.crc = (st.valid & ZIP_STAT_CRC) ? st.crc : 0;
    file_info.compression_method = (st.valid & ZIP_STAT_COMP_METHOD) ? st.comp_method : 0;
    file_info.encryption_method = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) ? st.encryption_method : 0;
    has_entry_ = true;
    return 1;
  }
  plat::PrintLine("Zip not find " + LogQuote(name));
  return -1;
}

int iFile::ZipReadFile(const char* password) {
  ZipClearData();
  if (archive_ == nullptr || !has_entry_) return -1;
  const uint64_t size = file_info.uncompressed_size;
  if (size > kMaxEntrySize) {
    plat::PrintLine("ReadError");
    return -1;
  }
  // An entry whose compression or encryption method libzip cannot decode (a
  // damaged header, or a method the game's packs never use) is refused
  // before it is opened: libzip's failed open of such an entry does not
  // always free what it made.
  const uint16_t method = file_info.compression_method;
  if (!zip_compression_method_supported(zip_int32_t(method), 0)) {
    plat::PrintLine("Zip unknown compression method " + std::to_string(method) + " " + entry_name_);
    return -1;
  }
  const uint16_t encryption = file_info.encryption_method;
  if (!zip_encryption_method_supported(encryption, 0)) {
    plat::PrintLine("Zip unknown encryption method " + std::to_string(encryption) + " " + entry_name_);
    return -1;
  }
  zip_file_t* zf = password ? zip_fopen_index_encrypted(archive_, file_info.index, 0, password)
                            : zip_fopen_index(archive_, file_info.index, 0);
  if (zf == nullptr) return -1;
  char* buffer = new (std::nothrow) char[size + 1];
  bool ok = buffer != nullptr;
  uint64_t got = 0;
  while (ok && got < size) {
    const zip_int64_t n = zip_fread(zf, buffer + got, size - got);
    if (n <= 0) break;
    got += uint64_t(n);
  }
  if (ok && got == size) {
    // Read past the end: this is where the checksum is compared, and it
    // proves the entry holds no more than it declared.
    char probe;
    ok = zip_fread(zf, &probe, 1) == 0;
  } else {
    ok = false;
  }
  if (zip_fclose(zf) != 0) ok = false;
  if (!ok) {
    delete[] buffer;
    plat::PrintLine("ReadError");
    return -1;
  }
  buffer[size] = '\0';
  read_buffer = buffer;
  return 1;
}

int iFile::ZipClearData() {
  delete[] read_buffer;
  read_buffer = nullptr;
  return 1;
}

int iFile::ZipCloze() {
  if (archive_ != nullptr) zip_discard(archive_);
  archive_ = nullptr;
  has_entry_ = false;
  return 1;
}

int iFile::ZipJustGetMeFile(const char* name) {
  if (current_pack == nullptr || current_pass == nullptr) return -1;
  if (ZipOpen(current_pack) == 1 && ZipFindFile(name) == 1 && ZipReadFile(current_pass) == 1) {
    ZipClearData();
    ZipCloze();
    return 1;
  }
  ZipClearData();
  ZipCloze();
  // The password stays out of the log.
  plat::PrintLine("\n\n\nError loading zip file named | " + LogQuote(current_pack) + "| file | " + LogQuote(name) +
                  " |\n\n\n");
  return -1;
}

int iFile::ZipReadEntry(const char* pack, const char* name, const char* password, std::string* out) {
  if (out) out->clear();
  int result = -1;
  if (ZipOpen(pack) == 1 && ZipFindFile(name) == 1 && ZipReadFile(password) == 1) {
    try {
      if (out) out->assign(read_buffer, size_t(file_info.uncompressed_size));
      result = 1;
    } catch (const std::bad_alloc&) {
      result = -1;
    }
  }
  ZipClearData();
  ZipCloze();
  return result;
}

}  // namespace ZOV
