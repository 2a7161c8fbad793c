// The data generator: every file of the game's default data, drawn or
// synthesised from code, by family.  Each family puts its files into a Sink
// under the folder of its pack ("gui", "menu", ...; "root" for files read
// from the current folder).  Output is the same bytes on every run.
#pragma once
#include <string>
#include <vector>

#include "tools/data/canvas.h"
#include "tools/data/sink.h"

namespace gendata {

void PutPng(Sink& sink, const std::string& folder, const std::string& name, Image& img);

// Interface art.
void MakeMenuButtons(Sink& sink);   // menu: main-menu buttons, tabs, paging, trash
void MakeLevelButtons(Sink& sink);  // level: play-panel tools, preview-frame buttons
void MakeGuiWidgets(Sink& sink);    // gui: dialog buttons, sliders, check boxes
void MakePocket(Sink& sink);        // pocket: toggle button and tiles
void MakePanels(Sink& sink);        // windows, panels, plates, book tiles, floor
void MakeDecorations(Sink& sink);   // pictures of windows, help pictures, ornaments
void MakeSmallArt(Sink& sink);      // cursor, icons, particles, loading screen
void MakeTrophies(Sink& sink);      // trofei: every level of the seven trophies

// Puzzle pictures (low/*.jpg, pre/*.png) and the catalogue root/pzls.xml.
void MakePictures(Sink& sink);
// Sound effects and the two music loops (music/*.ogg).
void MakeSounds(Sink& sink);
void MakeMusic(Sink& sink);
// editions/editions.xml.
void MakeEditions(Sink& sink);

struct Family {
  const char* name;
  void (*make)(Sink&);
};
const std::vector<Family>& Families();

// Runs every family; returns the number of files written.
void GenerateAll(Sink& sink);

// Folders this generator owns alone (cleared before a build-time run).
const std::vector<std::string>& OwnedFolders();

}  // namespace gendata
