// GAME::PROFILE: the players of one installation.
//
// Every player is a folder of the per-user game folder (the root path),
// named by the player's name and holding the player's settings record
// "set.bin", saved games and progress file. "LC.pzl" in the root names the
// last player, who becomes the current player at the next start. The keeper
// holds the current player's name and record, loads and saves the record,
// keeps the engine's video configuration ("game.xml") in step with it, lists
// the players and reads their scores, and applies what the player-selection
// window decides: a player chosen (an existing one or a new name) or a
// player deleted.
//
// Folders and files:
//   <root>/LC.pzl             the current player's name, bytes only
//   <root>/<name>/            one folder per player
//   <root>/<name>/set.bin     the 76-byte record (GAME/config/player_record.h)
//   <root>/<name>/set.bin.bad a damaged record set aside, never overwritten
//                             by a save nor by a later one set aside (that
//                             one becomes set.bin.bad.1, then .2, ...)
//
// Every name that becomes a path is checked (GAME/config/player_name.h);
// deletion only ever removes a real folder directly inside the root. A
// player "folder" that is a link (or a file) is no player: it is not listed,
// chosen, read, written or deleted. Files are written atomically through the
// file service, which reads and writes regular files only and never follows
// a link below the documents folder; every failure is logged as one.
//
// One instance, built by the scene manager and kept for the whole run; the
// constructor may run on the loader thread, everything else on the main
// thread. No lock of its own.
#pragma once

#include <string>
#include <vector>

#include "GAME/config/player_record.h"
#include "ST/file.h"

namespace ZOV {
class ST_GAME;
class JFONT;
}  // namespace ZOV

namespace GAME {

class PAZZLE_PROFILE_MANAGER;

class PROFILE {
 public:
  // Results of Update().
  static constexpr int kDialogOpen = -6;
  static constexpr int kPlayerChanged = -5;

  // `font` is lent (RenderName and the selection window draw with it);
  // `game` is the engine object whose folders and video mode are used, the
  // one of ZOV::GetGame() when null.
  explicit PROFILE(ZOV::JFONT* font, ZOV::ST_GAME* game = nullptr);
  ~PROFILE();
  PROFILE(const PROFILE&) = delete;
  PROFILE& operator=(const PROFILE&) = delete;

  // The current record, edited in place by its users; SaveSettings stores it.
  PUZZLE_PLAYER_PROFILE* GetSettings();
  // Writes the record to the player's "set.bin" and rewrites "game.xml" for
  // the size the record names. True when "set.bin" was written.
  bool SaveSettings();

  // The current player's folder, ending in "/"; valid until the next call.
  const char* GetPlayerDir();
  // The engine's profile folder (documents/company/); the root path is not
  // changed by it.
  const char* GetProfileDir();
  // Asks the engine for the game folder, makes it the root path, returns it.
  const char* GetGameProfileDir();

  // First start: creates the profile and game folders, the current player's
  // folder and "LC.pzl"; marks the first start.
  void CreateDefault();
  // Creates the current player's folder when it does not exist.
  void CreateProfileDir();
  // Writes "LC.pzl" to hold exactly the current name, then creates the
  // player's folder when it does not exist.
  void SetLastCharacter();
  // 1 when "LC.pzl" names a usable player, who becomes the current player;
  // 0 otherwise (missing, unreadable or refused name, or a name whose folder
  // is a link or no folder: nothing changes).
  int GetLastCharacter();
  // Loads the current player's record. A missing file gives the default
  // record, written at once; a damaged one (not exactly 76 bytes, not a
  // regular file, or not readable) is set aside first ("set.bin.bad", or the
  // next free "set.bin.bad.N"), then the same. When it cannot be set aside,
  // or the player's folder is a link or no folder, the defaults stand in
  // memory and nothing is written there. The record's screen code and
  // full-screen flag are then taken from the engine.
  void LoadSettings();
  // Gives the record its defaults, writes it and rewrites "game.xml".
  void LoadDefaultSettings();

  // --- The player-selection window ---------------------------------------
  // Opens the window with the players listed.
  void AddProfile();
  // Drives the open window once a frame: kDialogOpen while it stays open,
  // kPlayerChanged when a player was chosen or deleted, 0 when it closed or
  // none is open.
  int Update();
  void Render();
  // A new screen size for the open window.
  void Reset(int w, int h);
  // Draws the header line naming the current player.
  void RenderName(int x, int y);
  bool IsDialogOpen() const { return dialog_ != nullptr; }
  // The open window, null when none is open.
  PAZZLE_PROFILE_MANAGER* Dialog() const { return dialog_; }

  // --- What the window's answers do --------------------------------------
  // Makes `name` the current player: writes "LC.pzl", creates the folder
  // of a new player and loads (or, for a new player, creates) the record.
  // 0 done; -1 when the name is null or not a usable player name, or the
  // player's folder is a link or no folder, and then nothing changes.
  int ChoosePlayer(const char* name);
  // Deletes the folder of player `name` with everything in it. The current
  // player is not changed (the caller chooses the next one). 0 deleted, or
  // nothing was there; -1 refused (not a usable name, or not a real folder
  // of the root, such as a link); -2 the deletion failed (the folder, or
  // what could not be removed of it, remains).
  int DeletePlayer(const char* name);
  // The players: the root's folders with usable names (links and files
  // left out) and always the current player, sorted by name (byte order).
  std::vector<std::string> PlayerList();

  // --- Lists and lookups --------------------------------------------------
  // A new list of PlayerList(), in that order (index 0 first). The keeper
  // owns it; it stays valid until the next GetNames, LoadProfileList or
  // ClearNames.
  ZOV::JINVECPTR<char*>* GetNames();
  // A player's score total: the in-memory total for the current player,
  // the total in another player's "set.bin", -1 when there is no such
  // player, the name is not usable or the file is damaged.
  int GetScore4Player(const char* name);
  const char* GetPlayerName() const { return name_.c_str(); }
  const char* GetCurProfileName() const { return name_.c_str(); }
  // Whether something exists at root + name.
  bool CheckName(const char* name);
  // Replaces the list of names by every entry of the root, files included;
  // true when it is not empty.
  bool LoadProfileList();
  // Logs the root and every player's name.
  void ShowPlayers();
  // Releases the list of names.
  void ClearNames();

  // 1 once the first-start path has run.
  int IsFirstStart() const { return firstStart_; }
  const std::string& GetRoot() const { return root_; }
  // The text RenderName draws: chTEXT_MAIN_HEADER with the player's name.
  std::string HeaderLine() const;

 private:
  // A name that may become a player's folder: usable, or the default name.
  static bool Acceptable(const char* name);
  std::string Join(const std::string& name) const;
  std::string SettingsPath() const;
  std::string LastCharacterPath() const;
  // The engine's current mode as a screen code: its pixel count, or 0 when
  // that is the desktop's.
  int EngineScreenCode() const;
  // Takes the record's screen code and full-screen flag from the engine.
  void ApplyEngineMode();
  void CloseDialog();

  ZOV::ST_GAME* game_;
  std::string root_;
  std::string name_;
  PUZZLE_PLAYER_PROFILE* settings_;
  ZOV::JFONT* font_;
  int firstStart_ = 0;
  ZOV::JINVECPTR<char*>* names_ = nullptr;
  PAZZLE_PROFILE_MANAGER* dialog_ = nullptr;
  std::string playerDir_;
  // Set while the player's damaged "set.bin" could not be set aside, or the
  // player's folder is no real folder: the record is then never written.
  bool keepRecordFile_ = false;
};

}  // namespace GAME
