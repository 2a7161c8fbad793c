#include "GAME/config/profile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "GAME/config/globals.h"
#include "GAME/config/player_name.h"
#include "ST/game.h"
#include "ST/text_cut.h"
#include "platform/sys.h"

namespace GAME {
namespace {

constexpr const char kSettingsFile[] = "set.bin";
constexpr const char kLastCharacterFile[] = "LC.pzl";

void Log(const std::string& line) { plat::PrintLine(line); }

// True when a real folder (not a link to one) is at the path.
bool IsRealFolder(const std::string& path) {
  return ZOV::iFile::WhatIsAt(path.c_str()) == ZOV::iFile::PathKind::kFolder;
}

// True when something other than a real folder is at the path: a link (to
// a folder or not), a file, a pipe. Such a player folder is never used.
bool IsForeign(const std::string& path) {
  const ZOV::iFile::PathKind at = ZOV::iFile::WhatIsAt(path.c_str());
  return at != ZOV::iFile::PathKind::kNothing && at != ZOV::iFile::PathKind::kFolder;
}

// Engine objects made by the tests carry no company or product name; keep
// the player folders out of the documents folder itself then, and keep any
// name short enough for a folder, by the rule start-up follows.
void MakeFolderNamesSafe(ZOV::ST_GAME* game) {
  const std::string company = ZOV::FolderNameFrom(game->companyName, ZOV::kDefaultCompanyFolder);
  if (company != game->companyName) {
    Log("Company name \"" + PrintableName(game->companyName) + "\" is not a usable folder name; \"" + company +
        "\" used");
    game->companyName = company;
  }
  const std::string product = ZOV::FolderNameFrom(game->productName, ZOV::kDefaultProductFolder);
  if (product != game->productName) {
    Log("Product name \"" + PrintableName(game->productName) + "\" is not a usable folder name; \"" + product +
        "\" used");
    game->productName = product;
  }
}

}  // namespace

PROFILE::PROFILE(ZOV::JFONT* font, ZOV::ST_GAME* game)
    : game_(game ? game : ZOV::GetGame()),
      name_(DefaultPlayerName()),
      settings_(new PUZZLE_PLAYER_PROFILE),
      font_(font) {
  settings_->SetDefaults(EngineScreenCode(), game_->fullScreen);
  Log("Profile start");
  ZOV::ifile.Log("PROFILE::PROFILE", false);
  MakeFolderNamesSafe(game_);
  GetGameProfileDir();
  if (!ZOV::ifile.CheckFileExist(root_.c_str())) {
    Log("FirstTimeStart" + root_);
    CreateDefault();
    AddProfile();
    return;
  }
  if (!GetLastCharacter()) {
    Log("Character invalid");
    SetLastCharacter();
    CreateProfileDir();
    // A lost "LC.pzl" must not cost the default player a record that is
    // already there; without one the in-memory defaults stand unsaved.
    if (ZOV::ifile.CheckFileExist(SettingsPath().c_str())) LoadSettings();
    return;
  }
  // The folder first, so that a default record can be written into it.
  if (!IsRealFolder(Join(name_))) {
    Log("Character folder not exist");
    CreateProfileDir();
  } else {
    ZOV::ifile.Log("PROFILE::PROFILE end", false);
  }
  LoadSettings();
  Log("PROFILE::PROFILE end " + std::to_string(settings_->Pieces));
}

PUZZLE_PLAYER_PROFILE* PROFILE::GetSettings() {
  ZOV::ifile.Log("PUZZLE_PLAYER_PROFILE*  GetSettings()", false);
  return settings_;
}

std::string PROFILE::Join(const std::string& name) const {
  if (!root_.empty() && root_.back() == '/') return root_ + name;
  return root_ + "/" + name;
}

const char* PROFILE::GetPlayerDir() {
  playerDir_ = Join(name_) + "/";
  return playerDir_.c_str();
}

std::string PROFILE::SettingsPath() const { return Join(name_) + "/" + kSettingsFile; }
std::string PROFILE::LastCharacterPath() const { return Join(kLastCharacterFile); }

const char* PROFILE::GetProfileDir() { return game_->GetProfileDirg(); }

const char* PROFILE::GetGameProfileDir() {
  root_ = game_->GetGameProfileDirg();
  return root_.c_str();
}

bool PROFILE::Acceptable(const char* name) {
  return name != nullptr && (IsValidPlayerName(name) || name == DefaultPlayerName());
}

int PROFILE::EngineScreenCode() const {
  const long long px = static_cast<long long>(game_->resX) * game_->resY;
  const long long desktop = static_cast<long long>(game_->desktop.x) * game_->desktop.y;
  return px == desktop ? 0 : static_cast<int>(px);
}

void PROFILE::ApplyEngineMode() {
  settings_->screen = EngineScreenCode();
  settings_->Full = game_->fullScreen;
}

void PROFILE::CreateDefault() {
  const std::string profileDir = GetProfileDir();
  if (ZOV::ifile.CreateDir(profileDir.c_str()) == 2) Log("Folder not created: " + profileDir);
  if (ZOV::ifile.CreateDir(root_.c_str()) == 2) Log("Folder not created: " + root_);
  CreateProfileDir();
  SetLastCharacter();
  firstStart_ = 1;
}

void PROFILE::CreateProfileDir() {
  const std::string dir = GetPlayerDir();
  ZOV::ifile.Log(dir.c_str(), false);
  if (ZOV::ifile.CreateDir(dir.c_str()) == 2) Log("Character folder not created: " + dir);
}

void PROFILE::SetLastCharacter() {
  const std::string path = LastCharacterPath();
  if (ZOV::ifile.SaveData(path.c_str(), name_.data(), static_cast<int>(name_.size())) != 0)
    Log("Last character not saved: " + path);
  if (!IsRealFolder(Join(name_))) CreateProfileDir();
}

int PROFILE::GetLastCharacter() {
  const std::string path = LastCharacterPath();
  // FileRead would create a missing file; a missing one only means no name.
  if (!ZOV::ifile.CheckFileExist(path.c_str())) return 0;
  char* text = ZOV::ifile.FileRead(path.c_str());
  if (text == nullptr) {
    Log("Last character not readable: " + path);
    return 0;
  }
  const std::string name(text);
  delete[] text;
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || static_cast<off_t>(name.size()) != st.st_size) {
    // A zero byte inside: the file holds more than one name can.
    Log("Last character name refused: \"" + PrintableName(name) + "\" and more");
    return 0;
  }
  Log("Readed last character is " + PrintableName(name));
  if (!Acceptable(name.c_str())) {
    Log("Last character name refused: \"" + PrintableName(name) + "\"");
    return 0;
  }
  if (IsForeign(Join(name))) {
    Log("Last character refused: " + PrintableName(Join(name)) + " is a link or no folder");
    return 0;
  }
  name_ = name;
  return 1;
}

void PROFILE::LoadSettings() {
  const std::string path = SettingsPath();
  Log("old name profile" + PrintableName(settings_->NameText()));
  *settings_ = PUZZLE_PLAYER_PROFILE();
  keepRecordFile_ = false;
  if (IsForeign(Join(name_))) {
    // Reached only for the default player (no other name is chosen then):
    // what the link leads to is neither read nor written.
    Log("Player folder is a link or no folder, not used: " + Join(name_) + "; default settings, not saved");
    keepRecordFile_ = true;
    settings_->SetDefaults(EngineScreenCode(), game_->fullScreen);
    ApplyEngineMode();
    return;
  }
  long size = -1;
  std::string repaired;
  switch (ReadRecordFile(path, settings_, &size, &repaired)) {
    case RecordRead::kLoaded:
      if (!repaired.empty()) Log("Settings " + path + ": unusable values replaced: " + repaired);
      break;
    case RecordRead::kMissing:
      Log("File not exist" + path);
      if (!IsRealFolder(Join(name_))) CreateProfileDir();
      LoadDefaultSettings();
      break;
    case RecordRead::kWrongSize:
    case RecordRead::kUnreadable: {
      // Set the damaged file aside before anything may write a new one;
      // one set aside earlier is never replaced.
      const std::string damaged =
          "Settings damaged (" + (size >= 0 ? std::to_string(size) + " bytes" : std::string("unreadable")) + "): " + path;
      const std::string kept = ZOV::ifile.SetAside(path.c_str());
      if (!kept.empty()) {
        Log(damaged + "; kept as " + kept + ", default settings used");
        LoadDefaultSettings();
      } else {
        Log(damaged + "; it could not be set aside and is not overwritten, default settings used");
        keepRecordFile_ = true;
        settings_->SetDefaults(EngineScreenCode(), game_->fullScreen);
      }
      break;
    }
  }
  ApplyEngineMode();
  Log("name load profile" + PrintableName(settings_->NameText()));
}

void PROFILE::LoadDefaultSettings() {
  settings_->SetDefaults(EngineScreenCode(), game_->fullScreen);
  const std::string path = SettingsPath();
  Log("Loading default settings" + path);
  if (keepRecordFile_)
    Log("Default settings not saved: " + path);
  else if (!WriteRecordFile(path, *settings_))
    Log("Default settings not saved: " + path);
  game_->CreateConfig(game_->resX, game_->resY, settings_->Full, false);
}

bool PROFILE::SaveSettings() {
  const std::string path = SettingsPath();
  Log("Saving " + path);
  settings_->Debug();
  bool saved = false;
  if (keepRecordFile_ || IsForeign(Join(name_))) {
    Log("Not saved, the file there is left as it is: " + path);
  } else {
    if (!IsRealFolder(Join(name_))) CreateProfileDir();
    saved = WriteRecordFile(path, *settings_);
  }
  int w = game_->resX, h = game_->resY;
  switch (settings_->screen) {
    case 786432: w = 1024, h = 768; break;
    case 1296000: w = 1440, h = 900; break;
    case 2073600: w = 1920, h = 1080; break;
    case 0:
      w = game_->desktop.x, h = game_->desktop.y;
      settings_->Full = true;
      break;
    default: settings_->Full = game_->fullScreen; break;
  }
  game_->CreateConfig(w, h, settings_->Full, false);
  Log((saved ? "Saved " : "Not saved ") + path);
  return saved;
}

int PROFILE::ChoosePlayer(const char* name) {
  if (name == nullptr) {
    Log("No player chosen");
    return -1;
  }
  if (!Acceptable(name)) {
    Log("Player name refused: \"" + PrintableName(name) + "\"");
    return -1;
  }
  if (IsForeign(Join(name))) {
    Log("Player refused: " + PrintableName(Join(name)) + " is a link or no folder");
    return -1;
  }
  Log("manager send new name");
  name_ = name;
  Log("name lengh " + std::to_string(name_.size()));
  SetLastCharacter();
  LoadSettings();
  return 0;
}

int PROFILE::DeletePlayer(const char* name) {
  if (!Acceptable(name)) {
    Log("Player name refused for deletion: \"" + PrintableName(name ? name : "") + "\"");
    return -1;
  }
  // A usable name holds no separator and is neither "." nor "..": the path
  // is a direct child of the root, never the root itself.
  const std::string path = Join(name);
  Log("DELETING " + path);
  const ZOV::iFile::PathKind at = ZOV::iFile::WhatIsAt(path.c_str());
  if (at == ZOV::iFile::PathKind::kNothing) return 0;
  if (at != ZOV::iFile::PathKind::kFolder) {
    Log("Not a player folder, not deleted: " + path);
    return -1;
  }
  if (!ZOV::ifile.DirDel(path.c_str())) {
    Log("Player folder not deleted: " + path);
    return -2;
  }
  return 0;
}

std::vector<std::string> PROFILE::PlayerList() {
  std::vector<std::string> names;
  ZOV::JINVECPTR<char*>* found = ZOV::ifile.FindDir(root_.c_str(), "*.*", 1);
  for (ZOV::JINVECPTR<char*>* n = found; n != nullptr; n = n->next) {
    if (n->value == nullptr || !Acceptable(n->value)) continue;
    if (!IsRealFolder(Join(n->value))) continue;
    names.emplace_back(n->value);
  }
  ZOV::FreeNameList(found);
  if (std::find(names.begin(), names.end(), name_) == names.end()) names.push_back(name_);
  std::sort(names.begin(), names.end());
  return names;
}

ZOV::JINVECPTR<char*>* PROFILE::GetNames() {
  ClearNames();
  const std::vector<std::string> list = PlayerList();
  ZOV::JINVECPTR<char*>** tail = &names_;
  int index = 0;
  for (const std::string& name : list) {
    auto* node = new ZOV::JINVECPTR<char*>;
    node->index = index++;
    node->value = new char[name.size() + 1];
    std::memcpy(node->value, name.c_str(), name.size() + 1);
    *tail = node;
    tail = &node->next;
  }
  return names_;
}

bool PROFILE::LoadProfileList() {
  ClearNames();
  names_ = ZOV::ifile.FindDir(root_.c_str(), "*.*", 0);
  return names_ != nullptr;
}

void PROFILE::ClearNames() {
  ZOV::FreeNameList(names_);
  names_ = nullptr;
}

void PROFILE::ShowPlayers() {
  Log("adrdata " + root_);
  for (const std::string& name : PlayerList()) Log("name " + name);
}

bool PROFILE::CheckName(const char* name) {
  if (name == nullptr) return false;
  return ZOV::ifile.CheckFileExist(Join(name).c_str());
}

int PROFILE::GetScore4Player(const char* name) {
  if (name == nullptr) return -1;
  Log("4 name " + PrintableName(name));
  if (name_ == name) return settings_->Score;
  if (!Acceptable(name) || IsForeign(Join(name))) return -1;
  const std::string path = Join(name) + "/" + kSettingsFile;
  Log("Checking... " + path);
  PUZZLE_PLAYER_PROFILE record;
  switch (ReadRecordFile(path, &record)) {
    case RecordRead::kLoaded:
      Log("file exist");
      Log("NAME " + std::string(name) + " ADR " + path + " SCORE " + std::to_string(record.Score));
      return record.Score;
    case RecordRead::kMissing: return -1;
    case RecordRead::kWrongSize:
    case RecordRead::kUnreadable: Log("Settings damaged, no score: " + path); return -1;
  }
  return -1;
}

std::string PROFILE::HeaderLine() const {
  const char* format = chTEXT_MAIN_HEADER ? chTEXT_MAIN_HEADER : "%s";
  const int n = std::snprintf(nullptr, 0, format, name_.c_str());
  if (n <= 0) return {};
  std::string text(size_t(n) + 1, '\0');
  std::snprintf(text.data(), text.size(), format, name_.c_str());
  text.resize(size_t(n));
  return text;
}

}  // namespace GAME
