// The video configuration file "game.xml" in the per-user game folder: the
// logical resolution, whether the display offers 1024x768, full screen or
// not, and a log switch; and the resolution change that applies it.
#include <pugixml.hpp>

#include <sstream>

#include "ST/file.h"
#include "ST/game.h"
#include "ST/window_proc.h"
#include "ST/xml_file.h"

namespace ZOV {
namespace {

std::string DocumentsOrHere() {
  const std::string docs = plat::DocumentsDir();
  if (!docs.empty()) return docs;
  // No documents folder: keep the player's files beside the game.
  return plat::CurrentDir().empty() ? std::string(".") : plat::CurrentDir();
}

// Writes the file with the BOM, no indentation, and a line per element,
// atomically through the file service (so a link at the path is replaced,
// never written through, and a folder or pipe there is left alone).
bool SaveGameXml(const std::string& path, int w, int h, bool support1024, bool full, bool log) {
  pugi::xml_document doc;
  pugi::xml_node main = doc.append_child("Config").append_child("Main");
  main.append_attribute("resX") = w;
  main.append_attribute("resY") = h;
  main.append_attribute("support1024") = support1024;
  main.append_attribute("FullScreen") = full;
  main.append_attribute("Log") = log;
  std::ostringstream out;
  doc.save(out, "\t", pugi::format_write_bom, pugi::encoding_auto);
  if (!out) return false;
  const std::string bytes = out.str();
  return ifile.SaveData(path.c_str(), bytes.data(), static_cast<int>(bytes.size())) == 0;
}

// The per-user folders are the game's own: when one of them is a link, the
// file service neither reads nor writes anything below it, and the game
// runs on its defaults. Said once here, where start-up first looks.
void ReportLinkedFolder(const std::string& folder) {
  std::string path = folder;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  if (iFile::WhatIsAt(path.c_str()) == iFile::PathKind::kLink)
    plat::PrintLine("Game folder is a link, not used: " + path);
}

}  // namespace

bool ReadGameConfig(const std::string& path, GAME_VIDEO_CONFIG* out) {
  pugi::xml_document doc;
  const bool loaded = LoadXmlFile(&doc, path.c_str());
  const pugi::xml_node main = doc.first_child().first_child();
  const int x = main.attribute("resX").as_int();
  const int y = main.attribute("resY").as_int();
  if (!loaded || std::string(doc.first_child().name()) != "Config" || std::string(main.name()) != "Main" ||
      x <= 0 || y <= 0)
    return false;
  out->resX = x;
  out->resY = y;
  out->support1024 = main.attribute("support1024").as_bool();
  out->fullScreen = main.attribute("FullScreen").as_bool();
  return true;
}

const char* ST_GAME::GetProfileDirg() {
  profileDir_ = DocumentsOrHere() + "/" + companyName + "/";
  return profileDir_.c_str();
}

const char* ST_GAME::GetGameProfileDirg() {
  gameProfileDir_ = DocumentsOrHere() + "/" + companyName + "/" + productName + "/";
  return gameProfileDir_.c_str();
}

std::string ST_GAME::GameConfigPath() { return std::string(GetGameProfileDirg()) + "game.xml"; }

void ST_GAME::CreateDefaultConfig() {
  std::vector<JST::iPOINT> modes;
  gfx.fGetAvailableResolution(modes);
  support1024 = false;
  plat::PrintLine("support resolutions");
  for (const JST::iPOINT& m : modes)
    if (m.x == 1024 && m.y == 768) support1024 = true;
  if (support1024) {
    resX = desktop.x;
    resY = desktop.y;
  } else {
    resX = 1024;
    resY = 768;
  }
  screenRes = resX * resY;
  fullScreen = true;
  CreateConfig(resX, resY, true, false);
}

void ST_GAME::CreateConfig(int w, int h, bool full, bool log) {
  resX = w;
  resY = h;
  fullScreen = full;
  screenRes = w * h;
  // One level each, never through a link (the documents folder exists).
  ifile.CreateDir(GetProfileDirg());
  ifile.CreateDir(GetGameProfileDirg());
  const std::string path = GameConfigPath();
  if (SaveGameXml(path, w, h, support1024, full, log))
    plat::PrintLine("Config created");
  else
    plat::PrintLine("Config not saved: " + path);
}

void ST_GAME::LoadGameConfig() {
  const std::string path = GameConfigPath();
  plat::PrintLine(" LOAD GAME CONF: " + path);
  ReportLinkedFolder(GetProfileDirg());
  ReportLinkedFolder(GetGameProfileDirg());
  for (int attempt = 0; attempt < 2; ++attempt) {
    GAME_VIDEO_CONFIG read;
    const bool usable = ReadGameConfig(path, &read);
    if (!usable && attempt == 0) {
      // A missing or broken file would ask for a 0x0 window: start afresh.
      plat::PrintLine("Game config unusable, writing the default: " + path);
      CreateDefaultConfig();
      continue;
    }
    resX = usable ? read.resX : resX;
    resY = usable ? read.resY : resY;
    if (resX > desktop.x || resY > desktop.y) {
      resX = desktop.x;
      resY = desktop.y;
    }
    if (usable) {
      support1024 = read.support1024;
      fullScreen = read.fullScreen;
    }
    screenRes = resX * resY;
    break;
  }
  app.fInit(gameName[0] ? std::string(gameName) : std::string("Jigsaw"), &JWndProc);
  gfx.SetQuality(0);
  if (!app.fGetWindow() || gfx.Init(*app.fGetWindow()) != 0) {
    plat::MessageBox(app.fGetWindow(), "Error Init Render", "Error");
    std::exit(1);
  }
  if (fullScreen)
    ChangeResolution(desktop.x, desktop.y, true);
  else
    ChangeResolution(resX, resY, false);
  plat::PrintLine("Config loaded");
}

void ST_GAME::ChangeResolution(int w, int h, bool full) {
  plat::PrintLine("System reset" + std::to_string(w) + " " + std::to_string(h));
  middle = JST::iPOINT(w / 2, h / 2);
  if (full) {
    gfx.ChangeVideoMode(desktop.x, desktop.y, true);
    app.fResizeWindow(desktop.x, desktop.y, true, false);
  } else {
    gfx.ChangeVideoMode(w, h, false);
    app.fResizeWindow(w, h, false, true);
  }
  gfx.SetAdaptScreen(w, h);
  plat::PrintLine("change middle screen OK");
  plat::PrintLine("System reset complete");
}

}  // namespace ZOV
