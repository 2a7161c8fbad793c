// What the scene manager's in-process tests share: the shell's engine on the
// recording backend with the built packs (shell_env.h), the real loader
// making the real GAME::PUZZLE, a player prepared beforehand (so no
// first-start dialog opens), a catalogue written for the test, and a
// scripted player (scripted_player.h) whose every frame is the scene's
// update and both drawing passes, fed through the window procedure.
//
// Catalogue pictures name entries of the built packs: "p1_01.png" /
// "p1_01.jpg" are 4:3 pictures, so an amount of 12 gives 3 pieces along the
// shorter side (3 x 4 pieces).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "GAME/board/board.h"
#include "GAME/config/globals.h"
#include "GAME/config/profile.h"
#include "GAME/shell/puzzle.h"
#include "platform/gfx.h"
#include "platform/window.h"
#include "tests/support/scripted_player.h"
#include "tests/support/shell_env.h"
#include "tests/support/test_env.h"

namespace scenetest {

namespace fs = std::filesystem;

// One picture of the built packs, rotation off, 12 pieces.
inline std::string Picture(const std::string& n = "01", int amount = 12, bool rot = false) {
  return "<p adrSm=\"p1_" + n + ".png\" amount=\"" + std::to_string(amount) + "\" rot=\"" +
         (rot ? "true" : "false") + "\" adrFm=\"p1_" + n + ".jpg\"/>";
}

class PuzzleEnv : public shelltest::ShellEnv {
 protected:
  void SetUp() override {
    ShellEnv::SetUp();
    GAME::SetLoaderParts({nullptr, &GAME::MakePuzzle});
    game_->timer.SetDelta(0.016f);
    game_->running = 1;
    // No key or button left down by an earlier test.
    for (int vk : {13, 27, 17, 81}) game_->input.EventKeyUp(vk);
    game_->input.EventMouseLkm(false);
    game_->input.EventMouseRkm(false);
    game_->input.Update(0);
    game_->input.Update(0);
    game_->SetCloseFunc(&CloseWindow);
    plat::gfx::BeginScene();
    player = std::make_unique<scripted::ScriptedPlayer>(*game_, [] {
      if (puzzle) {
        puzzle->Update(0, 0.0f);
        puzzle->Render(0);
        puzzle->PostRender();
      }
      return puzzle ? static_cast<GAME::PUZZLE*>(puzzle)->state : -1;
    });
    PreparePlayer(false);
    fs::remove("pzls.xml");
  }

  void TearDown() override {
    player.reset();
    game_->SetCloseFunc(nullptr);
    game_->running = 0;
    ShellEnv::TearDown();
  }

  // A fresh default player with the help flag as given and the 1024 x 768
  // window; `playerDir` is its folder.
  void PreparePlayer(bool help) {
    {
      GAME::PROFILE probe(nullptr, game_);
      fs::remove_all(probe.GetRoot());
    }
    GAME::PROFILE fresh(nullptr, game_);
    GAME::PUZZLE_PLAYER_PROFILE* r = fresh.GetSettings();
    r->Help = help;
    r->screen = ZOV::JENUM::SCREEN_1024X768;
    r->Full = false;
    fresh.SaveSettings();
    playerDir = fresh.GetPlayerDir();
  }

  // "pzls.xml" holding one chapter per entry, each the pictures given.
  static void WriteCatalogue(const std::vector<std::vector<std::string>>& chapters) {
    std::string xml = "<pzls>";
    for (const auto& c : chapters) {
      xml += "<chapter>";
      for (const std::string& p : c) xml += p;
      xml += "</chapter>";
    }
    testenv::WriteFile("pzls.xml", xml + "</pzls>");
  }

  // The loader builds the scene; then its first frame (the placeholder
  // settings window) runs.
  void Load() {
    game_->running = 1;
    StartLoader();
    ASSERT_TRUE(DriveLoading());
    ASSERT_NE(puzzle, nullptr);
    scene = static_cast<GAME::PUZZLE*>(puzzle);
    player->Frame();
  }
  // Deletes the scene, as a new run of the program would find it gone.
  void Unload() {
    delete puzzle;
    puzzle = nullptr;
    scene = nullptr;
    shelltest::FreeSharedAssets();
    GAME::ResetLoaderForTests();
  }

  // A key pressed in one frame and released in the next.
  void Key(int vk) {
    player->Post(plat::WM_KEYDOWN, uintptr_t(vk));
    player->Frame();
    player->Post(plat::WM_KEYUP, uintptr_t(vk));
    player->Frame();
  }
  // Ctrl+Q: Ctrl held, Q down, in one frame.
  void CtrlQ() {
    player->Post(plat::WM_KEYDOWN, GAME::PUZZLE::kKeyCtrl);
    player->Post(plat::WM_KEYDOWN, GAME::PUZZLE::kKeyQ);
    player->Frame();
    player->Post(plat::WM_KEYUP, GAME::PUZZLE::kKeyQ);
    player->Post(plat::WM_KEYUP, GAME::PUZZLE::kKeyCtrl);
    player->Frame();
  }
  // A left click on a widget's centre: press in one frame, release in the
  // next.
  void ClickAt(int x, int y) {
    player->MoveMouse(x, y);
    player->Frame();
    player->Post(plat::WM_LBUTTONDOWN);
    player->Frame();
    player->Post(plat::WM_LBUTTONUP);
    player->Frame();
  }
  template <class W>
  void Click(const W* widget) {
    ClickAt(int(widget->position.x), int(widget->position.y));
  }
  // Plays frames until `done` holds; false after `frames`.
  template <class F>
  bool FramesUntil(F done, int frames = 600) {
    for (int i = 0; i < frames; ++i) {
      if (done()) return true;
      player->Frame();
    }
    return done();
  }
  // The board in play with its pieces cut and laid out.
  bool WaitForPlay() {
    return FramesUntil([&] {
      return scene->board && scene->board->state == GAME::PUZZLE_PIECES_SYSTEM::kStatePlay &&
             !scene->board->gridOrder.empty();
    });
  }
  // The pieces fly in first: waits until they rest.
  bool WaitForRest() {
    return FramesUntil([&] {
      for (const GAME::PUZZLE_PIECES* p : scene->board->zOrder)
        if (p->velocity.x != 0 || p->velocity.y != 0) return false;
      return true;
    });
  }
  // Joins grid piece 1 to grid piece 0 by dragging piece 0 to the upper
  // left and piece 1 beside it.
  bool JoinFirstTwo() {
    GAME::PUZZLE_PIECES_SYSTEM& b = *scene->board;
    WaitForRest();
    const GAME::PUZZLE_PIECES* a = b.gridOrder[0];
    const GAME::PUZZLE_PIECES* p = b.gridOrder[1];
    const int before = b.regCg;
    if (!player->DragPieceTo(b, a, 250, 250)) return false;
    player->Frames(2);
    if (!player->DragPieceTo(b, p, int(std::lround(a->pos.x)) + a->cellW, int(std::lround(a->pos.y)))) return false;
    player->Frames(2);
    return b.regCg == before + 1;
  }
  // The saved games in the player's folder.
  std::vector<std::string> Saves() const {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(playerDir, ec))
      if (e.path().extension() == ".pzl") out.push_back(e.path().filename().string());
    return out;
  }

  std::unique_ptr<scripted::ScriptedPlayer> player;
  GAME::PUZZLE* scene = nullptr;
  std::string playerDir;
};

// A stand-in for a window of a later part: answers `code` to every Update,
// counts its updates and draws.
class FakeWindow : public JST::ST {
 public:
  explicit FakeWindow(int code, int* updates = nullptr) : code_(code), updates_(updates) {}
  int Update(int, float) override {
    if (updates_) ++*updates_;
    return code_;
  }
  int Render(int) override { return 1; }

 private:
  int code_;
  int* updates_;
};

}  // namespace scenetest
