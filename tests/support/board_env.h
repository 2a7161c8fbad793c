// What the board's tests share: a board in play cut from a square
// picture of 100-pixel cells on the recording backend, pieces placed by grid
// place, the join sounds as real sounds whose plays are counted one by one,
// and a scene manager stand-in that counts the board's calls into it.
//
// The logical screen is the recording window's, 1024 x 768, centre
// (512, 384).
#pragma once

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "GAME/board/board.h"
#include "GAME/shell/scene.h"
#include "GAME/ui/shared_assets.h"
#include "ST/sound.h"
#include "ST/sprite.h"
#include "tests/support/dialog_env.h"

namespace boardtest {

using Board = GAME::PUZZLE_PIECES_SYSTEM;
using Piece = GAME::PUZZLE_PIECES;

// Counts what the board asks of the scene manager.
class CountingScene : public GAME::SCENE {
 public:
  int Update(int, float) override { return 0; }
  int Render(int) override { return 0; }
  void PostRender() override {}
  void Reset(int) override {}
  void ActivateButton(int) override {}
  void StartNow() override {}
  void SetPzlOpt() override {}
  void OnPuzzleExit() override {}
  void DropPlayPanelButton(int index) override { ++dropped[index]; }
  std::map<int, int> dropped;
};

class BoardEnv : public dialogtest::DialogEnv {
 protected:
  static constexpr int kCell = 100;

  void SetUp() override {
    DialogEnv::SetUp();
    C_NAME_PACK_GUI = C_NAME_PACK_LEVEL = C_NAME_PACK_EFFECTS = C_NAME_PACK_POCKET = nullptr;
    // The pocket: a 64 x 64 button frame at (32, 32), a 40 x 40 corner piece.
    Image(&chBTNPOCKET, "pocket_button.bmp", 256, 64);
    Image(&chPOCKETFIX, "pocket_corner.bmp", 40, 40);
    Image(&chPOCKETTILEW, "pocket_bottom.bmp", 16, 8);
    Image(&chPOCKETTILEH, "pocket_right.bmp", 8, 16);
    Image(&chPOCKETTILEWH, "pocket_fill.bmp", 16, 16);
    Image(&chFrontColor, "front.bmp", 64, 32);
    Image(&chUP_SCORE_PANEL, "panel.bmp", 300, 60);
    Image(&chBONUS, "bonus.bmp", 40, 40);
    Image(&chPARTIC_SNOW_CURSOR, "snow.bmp", 16, 16);
    Image(&chPARTIC_ICE_PIECE, "ice.bmp", 12, 12);
    drawtest::WriteImage("white.bmp", 16, 16);
    eBack1 = eBack2 = eToolOn = eToolOff = nullptr;
    for (ZOV::ST_A** s : kPlaySounds) *s = nullptr;
    if (!plate_) plate_ = new JSPRITE("white.bmp", 0);
    whiteSplain = plate_;
    game().middle = JST::iPOINT(512, 384);
    scene_ = std::make_unique<CountingScene>();
    puzzle = scene_.get();
  }
  void TearDown() override {
    board.reset();
    puzzle = nullptr;
    scene_.reset();
    whiteSplain = nullptr;
    Mix_HaltChannel(-1);
    for (ZOV::ST_A** s : kPlaySounds) *s = nullptr;
    DialogEnv::TearDown();
  }

  // The preview frame's size and close buttons: 32 x 32 frames.
  void PreviewFrameImages() {
    Image(&chX1, "x1.bmp", 128, 32);
    Image(&chX2, "x2.bmp", 128, 32);
    Image(&chX3, "x3.bmp", 128, 32);
    Image(&chX, "x.bmp", 128, 32);
  }

  // A board just cut and in play: an n x n picture of `cell`-pixel cells
  // cut n x n, the pieces where the cut sends them.
  Board& Cut(int n, bool rotation, int cell = kCell) {
    const std::string pic = "pic" + std::to_string(n) + "_" + std::to_string(cell) + ".bmp";
    drawtest::WriteImage(pic, n * cell, n * cell, 0xFF336699u);
    board = std::make_unique<Board>(&game());
    Board& b = *board;
    b.Init(pic.c_str(), n, 0, nullptr, rotation, 0.0f, 0);
    b.state = Board::kStateCutPending;
    EXPECT_EQ(b.Update(0, 0.0f), 0);
    EXPECT_EQ(b.state, Board::kStatePlay);
    EXPECT_EQ(b.cols, n);
    EXPECT_EQ(b.rows, n);
    return b;
  }
  // A board in play of 100-pixel cells, every piece upright and at rest far
  // from its neighbours (a row of 150-pixel steps, wrapped).
  Board& Playing(int n = 3, bool rotation = false) {
    Board& b = Cut(n, rotation);
    for (size_t i = 0; i < b.gridOrder.size(); ++i) {
      Piece* p = b.gridOrder[i];
      p->SetPos(80 + 150 * int(i % 6), 500 + 150 * int(i / 6));
      p->rotation = 0;
      p->alpha = 1.0f;
    }
    return b;
  }
  Piece* At(int row, int col) { return board->gridOrder[size_t(row * board->cols + col)]; }
  int Z(int row, int col) { return board->ZOf(At(row, col)); }
  void Place(int row, int col, float x, float y, int rotation = 0) {
    Piece* p = At(row, col);
    p->SetPos(0, 0);
    p->Move(x, y);
    p->rotation = rotation;
  }

  // Makes the join and win sounds real, each its own sound.
  void RealPlaySounds() {
    ASSERT_TRUE(game().sound.ok) << "the dummy audio driver opens";
    if (!sounds_[0]) {
      dialogtest::WriteSilence("play_sound.wav");
      for (auto& s : sounds_) {
        s = game().GetSound("play_sound.wav");
        ASSERT_NE(s, nullptr);
        ZOV::SoundSetMultistriam(s, true);
      }
    }
    Mix_HaltChannel(-1);
    for (size_t i = 0; i < std::size(kPlaySounds); ++i) *kPlaySounds[i] = sounds_[i];
  }
  // How many copies of the sound are playing.
  static int Plays(const ZOV::ST_A* s) {
    if (!s || !s->chunk) return 0;
    int n = 0;
    for (int ch = 0; ch < ZOV::ST_SS::kMixChannels; ++ch)
      if (Mix_Playing(ch) && Mix_GetChunk(ch) == s->chunk) ++n;
    return n;
  }
  int BorderToolReleases() const { return scene_->dropped[3]; }

  std::unique_ptr<Board> board;
  static inline JSPRITE* plate_ = nullptr;
  static inline ZOV::ST_A** const kPlaySounds[] = {&eConHi,   &eConMi,      &eConLo,     &eLevelWin,
                                                   &eElPickUp, &eElPut,     &eElRotation, &eElRotationWrong};
  static inline ZOV::ST_A* sounds_[std::size(kPlaySounds)] = {};

 private:
  std::unique_ptr<CountingScene> scene_;
};

}  // namespace boardtest
