#include "tools/data/generator.h"

namespace gendata {

void PutPng(Sink& sink, const std::string& folder, const std::string& name, Image& img) {
  sink.Put(folder, name, img.Png());
}

const std::vector<Family>& Families() {
  static const std::vector<Family> families = {
      {"menu_buttons", MakeMenuButtons}, {"level_buttons", MakeLevelButtons}, {"gui_widgets", MakeGuiWidgets},
      {"pocket", MakePocket},            {"panels", MakePanels},              {"decorations", MakeDecorations},
      {"small_art", MakeSmallArt},       {"trophies", MakeTrophies},          {"pictures", MakePictures},
      {"sounds", MakeSounds},            {"music", MakeMusic},                {"editions", MakeEditions},
  };
  return families;
}

void GenerateAll(Sink& sink) {
  for (const Family& f : Families()) f.make(sink);
}

const std::vector<std::string>& OwnedFolders() {
  static const std::vector<std::string> folders = {"loading", "menu",  "book", "level", "pocket", "gui", "trofei",
                                                   "effects", "music", "pre",  "low",   "editions"};
  return folders;
}

}  // namespace gendata
