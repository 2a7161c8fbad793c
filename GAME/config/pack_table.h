#pragma once
// The game's built-in packs: for each, the key of its entry in resource.xml's
// "packs" group, its default file name (relative to the game folder, no
// extension) and the password every one of its entries is encrypted with.
//
// One table serves the game (the built-in pack passwords and the default pack
// names it writes into a fresh resource.xml) and the build's pack builder,
// which writes exactly these files, so the two can never disagree.
// Header only, no dependencies: usable from the engine's tests and the tools.

#include <cstddef>
#include <string_view>

// The two passwords as string literals, so fixed char arrays can be
// initialised from them (char C_PAS_GUI[] = JIGSAW_PACK_PASSWORD;).
#define JIGSAW_PACK_PASSWORD "vexo4"
#define JIGSAW_MUSIC_PACK_PASSWORD "tunes.wav"
// The edition pack is not named in resource.xml; its name is built in.
#define JIGSAW_EDITION_PACK "DATA/editions"

namespace GAME {

inline constexpr char kPackPassword[] = JIGSAW_PACK_PASSWORD;
inline constexpr char kMusicPackPassword[] = JIGSAW_MUSIC_PACK_PASSWORD;

struct PackInfo {
  const char* key;       // element name in resource.xml's "packs" group; nullptr when built in
  const char* file;      // default file name, e.g. "DATA/gui"
  const char* password;  // password of every entry
  bool selected;         // false for the two image packs the game never opens
};

// Positions in kPacks. The first fourteen follow the order of the "packs"
// group in resource.xml (entries there are read by position).
enum PackId : int {
  kPackLoading = 0,
  kPackMenu,
  kPackBook,
  kPackLevel,
  kPackPocket,
  kPackGui,
  kPackTrofei,
  kPackEffects,
  kPackFonts,
  kPackMusic,
  kPackImagePrev,
  kPackImageSmal,
  kPackImageBig,
  kPackImageMed,
  kPackEdition,
  kPackCount
};

// Packs listed in resource.xml (all but the edition pack).
inline constexpr int kResourcePackCount = kPackEdition;

// The big and medium image packs are never opened by the game; the builder
// still writes them, encrypted with the common password.
inline constexpr PackInfo kPacks[kPackCount] = {
    {"loading_pack", "DATA/loading", kPackPassword, true},
    {"menu_pack", "DATA/menu", kPackPassword, true},
    {"book_pack", "DATA/book", kPackPassword, true},
    {"level_pack", "DATA/level", kPackPassword, true},
    {"pocket_pack", "DATA/pocket", kPackPassword, true},
    {"gui_pack", "DATA/gui", kPackPassword, true},
    {"trofei_pack", "DATA/trofei", kPackPassword, true},
    {"effects_pack", "DATA/effects", kPackPassword, true},
    {"fonts_pack", "DATA/fonts", kPackPassword, true},
    {"music_pack", "DATA/music", kMusicPackPassword, true},
    {"pre_pack", "DATA/pre", kPackPassword, true},
    {"low_pack", "DATA/low", kPackPassword, true},
    {"hi_pack", "DATA/hi", kPackPassword, false},
    {"mid_pack", "DATA/mid", kPackPassword, false},
    {nullptr, JIGSAW_EDITION_PACK, kPackPassword, true},
};

// The last component of a pack's file name ("gui" for "DATA/gui"): the name
// of the folder the data generators fill for that pack.
constexpr std::string_view PackFolder(const PackInfo& pack) {
  std::string_view file = pack.file;
  const std::size_t slash = file.find_last_of('/');
  return slash == std::string_view::npos ? file : file.substr(slash + 1);
}

// The pack whose default file name or resource key is `name`; nullptr if none.
constexpr const PackInfo* FindPack(std::string_view name) {
  for (const PackInfo& pack : kPacks) {
    if (name == pack.file || (pack.key != nullptr && name == pack.key)) return &pack;
  }
  return nullptr;
}

static_assert(PackFolder(kPacks[kPackGui]) == "gui");
static_assert(PackFolder(kPacks[kPackEdition]) == "editions");
static_assert(FindPack("music_pack") == &kPacks[kPackMusic]);

}  // namespace GAME
