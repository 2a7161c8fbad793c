// jigsaw_pack: writes every pack of the game into <game>/DATA/ from the
// generators' folders, and copies <gen>/root/ into <game>/.
//
//   jigsaw_pack --gen <gen folder> --out <game folder> [--stamp <file>]
//
// The stamp file is touched after a successful run, for the build's
// dependency tracking. Exit code 0 on success, 1 on failure, 2 on bad use.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "tools/pack/pack_writer.h"

int main(int argc, char** argv) {
  std::string gen, out, stamp;
  for (int i = 1; i < argc; ++i) {
    const bool has_value = i + 1 < argc;
    if (std::strcmp(argv[i], "--gen") == 0 && has_value) {
      gen = argv[++i];
    } else if (std::strcmp(argv[i], "--out") == 0 && has_value) {
      out = argv[++i];
    } else if (std::strcmp(argv[i], "--stamp") == 0 && has_value) {
      stamp = argv[++i];
    } else {
      std::fprintf(stderr, "usage: jigsaw_pack --gen <folder> --out <folder> [--stamp <file>]\n");
      return 2;
    }
  }
  if (gen.empty() || out.empty()) {
    std::fprintf(stderr, "usage: jigsaw_pack --gen <folder> --out <folder> [--stamp <file>]\n");
    return 2;
  }
  std::vector<std::string> log;
  std::string error;
  const bool ok = packtool::BuildGamePacks(gen, out, &log, &error);
  for (const std::string& line : log) std::printf("jigsaw_pack: %s\n", line.c_str());
  if (!ok) {
    std::fprintf(stderr, "jigsaw_pack: %s\n", error.c_str());
    return 1;
  }
  if (!stamp.empty()) {
    std::ofstream touch(stamp, std::ios::trunc);
    touch << "packs built\n";
    if (!touch) {
      std::fprintf(stderr, "jigsaw_pack: cannot write %s\n", stamp.c_str());
      return 1;
    }
  }
  return 0;
}
