// font_baker FACES_DIR PAGES_DIR DESCRIPTOR_DIR...
// Bakes the game's default bitmap fonts: page images into PAGES_DIR and the
// descriptors into every DESCRIPTOR_DIR.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/fonts/font_baker.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: font_baker FACES_DIR PAGES_DIR DESCRIPTOR_DIR...\n");
    return 2;
  }
  std::vector<std::string> descriptor_dirs(argv + 3, argv + argc);
  std::string error;
  if (!fontbake::BakeDefaultFonts(argv[1], argv[2], descriptor_dirs, error)) {
    std::fprintf(stderr, "font_baker: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
