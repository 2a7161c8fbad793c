// gen_data: writes the game's default data into one folder per pack.
//   gen_data <out-dir> [stamp-file]   generate everything
//   gen_data --sheet <png> [folder]   draw the contact sheet of all images
//   gen_data --mock <png>             draw mock menu, board and window screens
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/data/contact_sheet.h"
#include "tools/data/generator.h"
#include "tools/data/mock_screens.h"

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--sheet") == 0) {
    gendata::MemSink mem;
    gendata::GenerateAll(mem);
    return gendata::WriteContactSheet(mem, argv[2], argc >= 4 ? argv[3] : "") ? 0 : 1;
  }
  if (argc >= 3 && std::strcmp(argv[1], "--mock") == 0) {
    gendata::MemSink mem;
    gendata::GenerateAll(mem);
    return gendata::WriteMockScreens(mem, argv[2]) ? 0 : 1;
  }
  if (argc < 2) {
    std::fprintf(stderr, "usage: gen_data <out-dir> [stamp-file] | --sheet <png> [folder] | --mock <png>\n");
    return 2;
  }
  std::string out = argv[1];
  std::error_code ec;
  // Stale files from an earlier run must not end up in a pack.
  for (const std::string& f : gendata::OwnedFolders()) std::filesystem::remove_all(std::filesystem::path(out) / f, ec);
  gendata::DirSink sink(out);
  gendata::GenerateAll(sink);
  if (sink.Failures() > 0) return 1;
  if (argc >= 3) {
    std::ofstream stamp(argv[2], std::ios::trunc);
    stamp << "generated\n";
    if (!stamp) return 1;
  }
  std::printf("gen_data: data written to %s\n", out.c_str());
  return 0;
}
