// The zip pack reader (ST/file_zip.cpp) through ZOV::iFile, as the loaders
// use it: open the pack, find an entry by name, read it whole with the
// selected password, clear, close; then the same through ZipReadEntry and
// ZipJustGetMeFile. JIGSAW_FUZZ_PASSWORD 1 reads with the game's pack
// password (the seeds' entries are encrypted with it), 0 with none (the
// seeds' entries are stored without encryption). The entry names are the
// seeds' own, so the fuzzer mutates packs that hold them.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "GAME/config/pack_table.h"
#include "tests/fuzz/fuzz_env.h"

namespace {

constexpr const char* kNames[] = {"a.xml", "dir/b.png", "c.bin", "missing"};
char gPack[] = "fuzz.pack";
#if JIGSAW_FUZZ_PASSWORD
char gPassword[] = JIGSAW_PACK_PASSWORD;
char* const kPassword = gPassword;
#else
char* const kPassword = nullptr;
#endif

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzenv::Isolate();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzenv::WriteInput(gPack, data, size);
  ZOV::iFile& f = ZOV::ifile;
  if (f.ZipOpen(gPack) == 1) {
    for (const char* name : kNames) {
      if (f.ZipFindFile(name) != 1) continue;
      if (f.ZipReadFile(kPassword) == 1) {
        if (!f.read_buffer) Fail("a read entry has no buffer");
        if (f.file_info.uncompressed_size > ZOV::iFile::kMaxEntrySize) Fail("an entry past the limit was read");
        // The spare byte after the contents is 0, and every byte is there.
        if (f.read_buffer[f.file_info.uncompressed_size] != 0) Fail("the read buffer is not terminated");
      } else if (f.read_buffer) {
        Fail("a failed read left a buffer");
      }
      f.ZipClearData();
    }
  }
  f.ZipCloze();
  std::string out;
  for (const char* name : kNames) {
    if (f.ZipReadEntry(gPack, name, kPassword, &out) != 1 && !out.empty()) Fail("a failed entry read left bytes");
  }
  f.ZipSetCurrentPack(gPack);
  f.ZipSetCurrentPass(kPassword);
  if (kPassword) f.ZipJustGetMeFile(kNames[0]);
  f.ZipSetCurrentPack(nullptr);
  f.ZipSetCurrentPass(nullptr);
  if (f.IsPackOpen() || f.read_buffer) Fail("a pack or a buffer was left open");
  return 0;
}
