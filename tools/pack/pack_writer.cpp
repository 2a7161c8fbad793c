// Pack writing with libzip: traditional PKWARE encryption, fixed time
// stamps, entries in the order given.
#include "tools/pack/pack_writer.h"

#include <zip.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <system_error>

#include "GAME/config/pack_table.h"

namespace fs = std::filesystem;

namespace packtool {
namespace {

// Every entry carries the same local time, 1 January 1980 at noon. It has to
// come from the entry's source: the encryption header's check byte is made
// from the source's time, so changing the entry's date afterwards would make
// the password check fail in every reader.
time_t FixedEntryTime() {
  std::tm tm{};
  tm.tm_year = 80;
  tm.tm_mon = 0;
  tm.tm_mday = 1;
  tm.tm_hour = 12;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

// A read-only zip source over a string that reports the fixed time.
struct FixedSource {
  const std::string* data;
  zip_uint64_t pos = 0;
  time_t mtime = 0;
  zip_error_t error;
};

zip_int64_t FixedSourceCallback(void* user, void* out, zip_uint64_t len, zip_source_cmd_t cmd) {
  auto* src = static_cast<FixedSource*>(user);
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      src->pos = 0;
      return 0;
    case ZIP_SOURCE_READ: {
      const zip_uint64_t left = src->data->size() - src->pos;
      const zip_uint64_t n = len < left ? len : left;
      std::memcpy(out, src->data->data() + src->pos, n);
      src->pos += n;
      return zip_int64_t(n);
    }
    case ZIP_SOURCE_CLOSE:
      return 0;
    case ZIP_SOURCE_STAT: {
      auto* st = static_cast<zip_stat_t*>(out);
      zip_stat_init(st);
      st->size = src->data->size();
      st->mtime = src->mtime;
      st->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
      return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&src->error, out, len);
    case ZIP_SOURCE_FREE:
      zip_error_fini(&src->error);
      delete src;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                            ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SUPPORTS, -1);
    default:
      zip_error_set(&src->error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

zip_source_t* MakeSource(zip_t* za, const std::string& data, time_t mtime) {
  auto* user = new FixedSource{&data, 0, mtime, {}};
  zip_error_init(&user->error);
  zip_source_t* src = zip_source_function(za, FixedSourceCallback, user);
  if (src == nullptr) {
    zip_error_fini(&user->error);
    delete user;
  }
  return src;
}

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

bool ReadFile(const fs::path& path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// Writes `data` to a temporary file beside `path`, then renames it over.
bool WriteFileAtomic(const fs::path& path, const std::string& data) {
  fs::path temp = path;
  temp += ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(data.data(), std::streamsize(data.size()));
    out.flush();
    if (!out) {
      std::error_code ec;
      fs::remove(temp, ec);
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  if (ec) fs::remove(temp, ec);
  return !ec;
}

// Already-compressed formats gain nothing from deflate.
bool StoredByName(const std::string& name) {
  static const char* const kStored[] = {".png", ".jpg", ".jpeg", ".ogg", ".mp3", ".gz", ".zip"};
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  for (const char* ext : kStored) {
    const std::string e(ext);
    if (lower.size() >= e.size() && lower.compare(lower.size() - e.size(), e.size(), e) == 0) return true;
  }
  return false;
}

// Generators keep their stamps and scratch files under hidden names or with
// a ".stamp" suffix; those never go into a pack.
bool Skipped(const std::string& name) {
  return name.empty() || name[0] == '.' ||
         (name.size() > 6 && name.compare(name.size() - 6, 6, ".stamp") == 0);
}

const std::string& EntryPassword(const PackEntry& e, const std::string& pack_password) {
  return e.password ? *e.password : pack_password;
}

}  // namespace

bool WritePack(const std::string& path, const std::vector<PackEntry>& entries, const std::string& password,
               std::string* error) {
  std::set<std::string> seen;
  for (const PackEntry& e : entries) {
    if (e.name.empty()) {
      SetError(error, "empty entry name");
      return false;
    }
    if (!seen.insert(e.name).second) {
      SetError(error, "duplicate entry " + e.name);
      return false;
    }
  }
  if (entries.empty()) {
    // libzip writes no file for an archive without entries: the end record
    // alone is a valid empty zip.
    std::string eocd(22, '\0');
    eocd[0] = 'P';
    eocd[1] = 'K';
    eocd[2] = 5;
    eocd[3] = 6;
    if (!WriteFileAtomic(path, eocd)) {
      SetError(error, "cannot write " + path);
      return false;
    }
    return true;
  }
  int code = 0;
  zip_t* za = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (za == nullptr) {
    zip_error_t err;
    zip_error_init_with_code(&err, code);
    SetError(error, "cannot create " + path + ": " + zip_error_strerror(&err));
    zip_error_fini(&err);
    return false;
  }
  const time_t mtime = FixedEntryTime();
  for (const PackEntry& e : entries) {
    zip_source_t* src = MakeSource(za, e.data, mtime);
    zip_int64_t idx = src ? zip_file_add(za, e.name.c_str(), src, ZIP_FL_ENC_RAW) : -1;
    if (idx < 0) {
      if (src) zip_source_free(src);
      SetError(error, "cannot add " + e.name + ": " + zip_strerror(za));
      zip_discard(za);
      return false;
    }
    const std::string& pw = EntryPassword(e, password);
    const zip_uint64_t i = zip_uint64_t(idx);
    if (zip_set_file_compression(za, i, e.deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, e.deflate ? 9 : 0) != 0 ||
        (!pw.empty() && zip_file_set_encryption(za, i, ZIP_EM_TRAD_PKWARE, pw.c_str()) != 0) ||
        zip_file_set_external_attributes(za, i, 0, ZIP_OPSYS_UNIX, 0100644u << 16) != 0) {
      SetError(error, "cannot set up " + e.name + ": " + zip_strerror(za));
      zip_discard(za);
      return false;
    }
  }
  if (zip_close(za) != 0) {
    SetError(error, "cannot write " + path + ": " + zip_strerror(za));
    zip_discard(za);
    return false;
  }
  return true;
}

bool CollectFolder(const std::string& dir, std::vector<PackEntry>* out, std::string* error) {
  out->clear();
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return true;
  std::vector<fs::path> files;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (Skipped(name) || !it->is_regular_file(ec)) continue;
    files.push_back(it->path());
  }
  if (ec) {
    SetError(error, "cannot list " + dir + ": " + ec.message());
    return false;
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& f : files) {
    PackEntry e;
    e.name = f.filename().string();
    e.deflate = !StoredByName(e.name);
    if (!ReadFile(f, &e.data)) {
      SetError(error, "cannot read " + f.string());
      return false;
    }
    out->push_back(std::move(e));
  }
  return true;
}

bool PackMatches(const std::string& path, const std::vector<PackEntry>& entries, const std::string& password) {
  int code = 0;
  zip_t* za = zip_open(path.c_str(), ZIP_RDONLY, &code);
  if (za == nullptr) return false;
  bool same = zip_get_num_entries(za, 0) == zip_int64_t(entries.size());
  for (size_t i = 0; same && i < entries.size(); ++i) {
    const PackEntry& e = entries[i];
    const std::string& pw = EntryPassword(e, password);
    zip_stat_t st;
    zip_stat_init(&st);
    same = zip_stat_index(za, i, ZIP_FL_ENC_RAW, &st) == 0 && st.name && e.name == st.name &&
           st.size == e.data.size() && st.comp_method == (e.deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE) &&
           st.encryption_method == (pw.empty() ? ZIP_EM_NONE : ZIP_EM_TRAD_PKWARE);
    if (!same) break;
    zip_file_t* zf = pw.empty() ? zip_fopen_index(za, i, 0) : zip_fopen_index_encrypted(za, i, 0, pw.c_str());
    if (zf == nullptr) {
      same = false;
      break;
    }
    std::string data(e.data.size() + 1, '\0');
    const zip_int64_t n = zip_fread(zf, data.data(), data.size());
    same = n == zip_int64_t(e.data.size()) && data.compare(0, e.data.size(), e.data) == 0;
    if (zip_fclose(zf) != 0) same = false;
  }
  zip_discard(za);
  return same;
}

bool UpdatePack(const std::string& path, const std::vector<PackEntry>& entries, const std::string& password,
                bool* written, std::string* error) {
  if (written) *written = false;
  if (PackMatches(path, entries, password)) return true;
  if (!WritePack(path, entries, password, error)) return false;
  if (written) *written = true;
  return true;
}

long long EntryDataOffset(const std::string& path, int index) {
  std::string bytes;
  if (index < 0 || !ReadFile(path, &bytes) || bytes.size() < 22) return -1;
  auto byte = [&](size_t at) { return unsigned(static_cast<unsigned char>(bytes[at])); };
  auto u16 = [&](size_t at) { return byte(at) | byte(at + 1) << 8; };
  auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  // The writer adds no archive comment: the end record is the last 22 bytes.
  const size_t end = bytes.size() - 22;
  if (u32(end) != 0x06054b50u || int(u16(end + 10)) <= index) return -1;
  size_t at = u32(end + 16);
  for (int i = 0; i < index; ++i) {
    if (at + 46 > bytes.size() || u32(at) != 0x02014b50u) return -1;
    at += 46 + u16(at + 28) + u16(at + 30) + u16(at + 32);
  }
  if (at + 46 > bytes.size() || u32(at) != 0x02014b50u) return -1;
  const size_t local = u32(at + 42);
  if (local + 30 > bytes.size() || u32(local) != 0x04034b50u) return -1;
  return (long long)(local + 30 + u16(local + 26) + u16(local + 28));
}

bool BuildGamePacks(const std::string& gen_dir, const std::string& game_dir, std::vector<std::string>* log,
                    std::string* error) {
  try {
    for (const GAME::PackInfo& pack : GAME::kPacks) {
      const fs::path source = fs::path(gen_dir) / std::string(GAME::PackFolder(pack));
      const fs::path target = fs::path(game_dir) / pack.file;
      std::error_code ec;
      fs::create_directories(target.parent_path(), ec);
      std::vector<PackEntry> entries;
      if (!CollectFolder(source.string(), &entries, error)) return false;
      bool written = false;
      if (!UpdatePack(target.string(), entries, pack.password, &written, error)) return false;
      if (log)
        log->push_back(std::string(pack.file) + ": " + std::to_string(entries.size()) + " entries" +
                       (written ? "" : ", unchanged"));
    }
    const fs::path root = fs::path(gen_dir) / "root";
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return true;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
      if (!it->is_regular_file(ec) || Skipped(it->path().filename().string())) continue;
      const fs::path rel = fs::relative(it->path(), root);
      const fs::path target = fs::path(game_dir) / rel;
      std::string data, old;
      if (!ReadFile(it->path(), &data)) {
        SetError(error, "cannot read " + it->path().string());
        return false;
      }
      if (ReadFile(target, &old) && old == data) continue;
      std::error_code mk;
      fs::create_directories(target.parent_path(), mk);
      if (!WriteFileAtomic(target, data)) {
        SetError(error, "cannot write " + target.string());
        return false;
      }
      if (log) log->push_back(rel.string() + ": copied");
    }
    if (ec) {
      SetError(error, "cannot list " + root.string() + ": " + ec.message());
      return false;
    }
    return true;
  } catch (const std::exception& ex) {
    SetError(error, ex.what());
    return false;
  }
}

}  // namespace packtool
