// Writes the fuzz targets' seed corpora, each file made by the game's own
// writers and tools, into <out>/<corpus>/:
//   config_resource, config_config, config_strings  the default files
//   editions        the data generator's editions.xml
//   game_xml        "game.xml" as the engine writes it (windowed, full screen)
//   lc_pzl          "LC.pzl" as the player keeper writes it (the default Cyrillic name, a Latin one)
//   set_bin         "set.bin" as the player keeper writes it (default, earned)
//   saved_game      saved games as the board's writer writes them
//   progress_xml    "Progress.xml" as the progress file's writer appends it
//   zip_pack, zip_pack_plain  packs by the pack builder, with and without
//                   the game's pack password
//   font            a descriptor by the font baker, naming "page.png"
//   picture         PNG and JPEG pictures by the data generator's canvas
// ("pzls.xml" comes from the data generator's whole picture run, too slow
// for the sanitizer build: its seed is kept in tests/fuzz/seeds/catalogue.)
//
//   jigsaw_fuzz_seeds <out folder>     exit code 0 when every seed was written
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "GAME/board/board_save.h"
#include "GAME/config/player_record.h"
#include "GAME/config/pack_table.h"
#include "GAME/shell/progress_file.h"
#include "tests/fuzz/fuzz_env.h"
#include "tools/data/canvas.h"
#include "tools/data/generator.h"
#include "tools/data/sink.h"
#include "tools/fonts/font_baker.h"
#include "tools/pack/pack_writer.h"

namespace fs = std::filesystem;

namespace {

int gFailures = 0;

void Put(const fs::path& dir, const std::string& name, const std::string& bytes) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  if (!out || bytes.empty()) {
    std::fprintf(stderr, "seed not written: %s\n", (dir / name).c_str());
    ++gFailures;
  }
}

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (s.empty()) {
    std::fprintf(stderr, "nothing written at %s\n", path.c_str());
    ++gFailures;
  }
  return s;
}

void ConfigSeeds(const fs::path& out) {
  SaveDefaultResource();
  SaveDefaultConfig();
  SaveDefaultStrings();
  Put(out / "config_resource", "resource.xml", Read("resource.xml"));
  Put(out / "config_config", "config.xml", Read("config.xml"));
  Put(out / "config_strings", "strings.xml", Read("strings.xml"));
}

void EditionSeeds(const fs::path& out) {
  gendata::MemSink sink;
  gendata::MakeEditions(sink);
  const gendata::Bytes* b = sink.Find("editions", "editions.xml");
  Put(out / "editions", "editions.xml", b ? std::string(b->begin(), b->end()) : "");
}

void PlayerSeeds(const fs::path& out) {
  ZOV::ST_GAME* game = fuzzenv::RecordingEngine();
  game->CreateConfig(1024, 768, false, false);
  Put(out / "game_xml", "windowed.xml", Read(std::string(game->GetGameProfileDirg()) + "game.xml"));
  game->CreateConfig(1280, 1024, true, true);
  Put(out / "game_xml", "full.xml", Read(std::string(game->GetGameProfileDirg()) + "game.xml"));

  GAME::PROFILE& players = fuzzenv::Players();
  players.LoadSettings();  // writes the default record
  std::string root = players.GetGameProfileDir();
  if (root.back() != '/') root += "/";
  Put(out / "lc_pzl", "default", Read(root + "LC.pzl"));
  Put(out / "set_bin", "default", Read(std::string(players.GetPlayerDir()) + "set.bin"));
  players.ChoosePlayer("Player2");
  Put(out / "lc_pzl", "latin", Read(root + "LC.pzl"));
  GAME::PUZZLE_PLAYER_PROFILE* s = players.GetSettings();
  s->trofei[GAME::PUZZLE_PLAYER_PROFILE::COLLECTOR] = 3;
  s->Puzzles = 12;
  s->Score = 34567;
  s->Pieces = 1200;
  s->PlayTime = 5400;
  s->MusicVolum = 0.8f;
  players.SaveSettings();
  Put(out / "set_bin", "earned", Read(std::string(players.GetPlayerDir()) + "set.bin"));
}

void SaveSeeds(const fs::path& out) {
  for (int min : {3, 5}) {
    GAME::SAVED_GAME g;
    g.ImgAdr = "autumn.jpg";
    g.ImgSmAdr = "autumn.png";
    g.ImgPkAdr = "DATA/low";
    g.Min = min;
    g.distort = 40;
    g.typeborder = 1;
    g.fly = true;
    g.frame = min == 5;
    g.regT = 95.5;
    g.regCg = 2;
    g.regSc = 120;
    g.rt = min == 5;
    const int count = min == 3 ? 12 : 35;
    g.cstr = count;
    for (int i = 0; i < count; ++i) {
      GAME::SAVED_PIECE p;
      p.posx = 100.0 + 37.5 * i;
      p.posy = 80.0 + 11.25 * i;
      p.trt = g.rt ? (i % 4) * 90 : 0;
      p.nstr = i;
      p.BK = i < 2 ? 1 : 0;
      g.pieces.push_back(p);
    }
    Put(out / "saved_game", "min" + std::to_string(min) + ".pzl", GAME::WriteSavedGame(g));
  }
}

void ProgressSeeds(const fs::path& out) {
  const std::string folder = testenv::FreshDir("progress") + "/";
  const GAME::PROGRESS_FILE file(folder.c_str(), "Progress.xml");
  GAME::PROGRESS_ENTRY e;
  e.face = "autumn.png";
  e.score = 345;
  e.count = 9;
  e.time = 125.9f;
  file.Append(e);
  Put(out / "progress_xml", "one.xml", Read(file.Path()));
  e.face = "harbour.png";
  e.score = 1210;
  e.count = 150;
  e.rotata = true;
  e.time = 4505.25f;
  file.Append(e);
  Put(out / "progress_xml", "two.xml", Read(file.Path()));
}

void PackSeeds(const fs::path& out) {
  std::error_code ec;
  fs::create_directories(out / "zip_pack", ec);
  fs::create_directories(out / "zip_pack_plain", ec);
  gendata::Image img(8, 6);
  const gendata::Bytes png = img.Png();
  std::vector<packtool::PackEntry> entries = {
      {"a.xml", "<?xml version=\"1.0\"?><root><x a=\"1\"/></root>", true, std::nullopt},
      {"dir/b.png", std::string(png.begin(), png.end()), false, std::nullopt},
      {"c.bin", std::string(300, 'c'), true, std::nullopt},
  };
  std::string error;
  if (!packtool::WritePack((out / "zip_pack" / "pack").string(), entries, JIGSAW_PACK_PASSWORD, &error) ||
      !packtool::WritePack((out / "zip_pack_plain" / "pack").string(), entries, "", &error)) {
    std::fprintf(stderr, "pack not written: %s\n", error.c_str());
    ++gFailures;
  }
}

void FontSeeds(const fs::path& out) {
  fontbake::FontSpec spec;
  spec.descriptor = "seed.fnt";
  spec.page = "page.png";
  spec.face_file = "DejaVuSans.ttf";
  spec.face_name = "DejaVu Sans";
  spec.size = 16;
  spec.pixel_size = 14;
  spec.spacing = -2;
  spec.chars = {U' ', U'A', U'b', U'0', U'9', U'%', U'Ж', U'ж'};
  fontbake::BakedFont font;
  std::string error;
  if (!fontbake::BakeFont(spec, fontbake::kDefaultFacesDir, font, error)) {
    std::fprintf(stderr, "font not baked: %s\n", error.c_str());
    ++gFailures;
    return;
  }
  Put(out / "font", "seed.fnt", fontbake::DescriptorText(font));
}

void PictureSeeds(const fs::path& out) {
  gendata::Image img(24, 16);
  gendata::SetRgb(img.Cr(), gendata::Hex(0x3366AA));
  gendata::Circle(img.Cr(), 12, 8, 6);
  cairo_fill(img.Cr());
  const gendata::Bytes png = img.Png(), jpg = img.Jpeg(80);
  Put(out / "picture", "small.png", std::string(png.begin(), png.end()));
  Put(out / "picture", "small.jpg", std::string(jpg.begin(), jpg.end()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: jigsaw_fuzz_seeds <out folder>\n");
    return 2;
  }
  const fs::path out = fs::absolute(argv[1]);
  fuzzenv::Isolate();
  GAME::ApplyConfigDefaults();
  ConfigSeeds(out);
  EditionSeeds(out);
  PlayerSeeds(out);
  SaveSeeds(out);
  ProgressSeeds(out);
  PackSeeds(out);
  FontSeeds(out);
  PictureSeeds(out);
  testenv::Cleanup();
  return gFailures == 0 ? 0 : 1;
}
