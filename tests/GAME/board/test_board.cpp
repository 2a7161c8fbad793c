// The puzzle board on the recording graphics backend: what construction
// makes and destruction releases, the phases and Update's result codes,
// the cut made once, the layout of the picture, the draw order of the set-up
// view and of play, the magnifier's view and frame, the tool switches and
// their sounds, and the rigid-group pass.
//
// The logical screen is the recording window's, 1024 x 768, centre
// (512, 384); every frame lasts the fixture's frame time.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GAME/board/board.h"
#include "GAME/board/pocket.h"
#include "GAME/ui/shared_assets.h"
#include "ST/button.h"
#include "ST/particles.h"
#include "ST/sprite.h"
#include "tests/support/board_env.h"

using GAME::PUZZLE_PIECES_SYSTEM;
using Board = GAME::PUZZLE_PIECES_SYSTEM;
using drawtest::DrawnQuads;
using drawtest::QuadsOf;

namespace {

constexpr int kW = 1024, kH = 768;

class BoardTest : public boardtest::BoardEnv {
 protected:
  void SetUp() override {
    BoardEnv::SetUp();
    drawtest::WriteImage("pic.bmp", 300, 300, 0xFF336699u);
    drawtest::WriteImage("tall.bmp", 600, 900, 0xFF336699u);
    ASSERT_EQ(game().GetScreenWidth(), kW);
    ASSERT_EQ(game().GetScreenHeight(), kH);
  }
  void TearDown() override {
    eToolOn = eToolOff = nullptr;
    BoardEnv::TearDown();
  }

  Board& Make() {
    board = std::make_unique<Board>(&game());
    return *board;
  }
  // A board in play: the 300 x 300 picture cut 3 x 3.
  Board& Playing(bool rotation = false) {
    Board& b = Make();
    b.Init("pic.bmp", 3, 0, nullptr, rotation, 0.0f, 0);
    b.state = Board::kStateCutPending;
    EXPECT_EQ(b.Update(0, 0.0f), 0);
    EXPECT_EQ(b.state, Board::kStatePlay);
    return b;
  }
  // Every piece at rest at its own place: a row of 110-pixel steps.
  void LayOut(Board& b) {
    for (size_t i = 0; i < b.gridOrder.size(); ++i) b.gridOrder[i]->SetPos(150 + 110 * int(i), 300);
  }
  // The textures of the quads drawn since the last clear, in order.
  static std::vector<uint32_t> Textures() {
    std::vector<uint32_t> out;
    for (const auto& q : DrawnQuads()) out.push_back(q.texture);
    return out;
  }
  static std::vector<plat::gfx::Vertex> Lines() {
    std::vector<plat::gfx::Vertex> out;
    for (const auto& r : plat::gfx::Recorded())
      if (r.kind == plat::gfx::Record::Draw && r.prim == plat::gfx::Prim::Lines)
        out.insert(out.end(), r.vertices.begin(), r.vertices.end());
    return out;
  }
  // Makes the two tool sounds one real sound; ToolSoundsPlayed counts plays.
  void ToolSounds() {
    ClickSound();
    eToolOn = eToolOff = eButton;
    eButton = nullptr;
  }
};

// ---- construction and destruction

TEST_F(BoardTest, ConstructionMakesAnEmptyBoardWithItsSpritesAndSwitchedOffEmitters) {
  Board& b = Make();
  EXPECT_EQ(b.state, Board::kStateEmpty);
  EXPECT_EQ(b.clipTopLeft.x, 50);
  EXPECT_EQ(b.clipTopLeft.y, 50);
  EXPECT_EQ(b.clipBottomRight.x, 974);
  EXPECT_EQ(b.clipBottomRight.y, 718);
  for (int index : {b.glowGroup, b.lastJoinedGroup, b.frameLight, b.winSparkle}) EXPECT_EQ(index, -1);
  EXPECT_EQ(b.input, game().GetInput());
  EXPECT_EQ(b.Picture(), nullptr);
  EXPECT_EQ(b.Grid(), nullptr);
  EXPECT_FALSE(b.completionRecorded);

  // The upper score panel hangs from the top centre.
  ASSERT_NE(b.UpperPanel(), nullptr);
  EXPECT_FLOAT_EQ(b.UpperPanel()->position.x, 512.0f);
  EXPECT_FLOAT_EQ(b.UpperPanel()->position.y, 0.0f);
  EXPECT_EQ(b.UpperPanel()->hotSpot.x, 150);
  EXPECT_EQ(b.UpperPanel()->hotSpot.y, 0);
  // The magnifier shows the screen texture at 200 x 150 without blending.
  ASSERT_NE(b.Magnifier(), nullptr);
  EXPECT_TRUE(b.Magnifier()->ShowsScreen());
  EXPECT_EQ(b.Magnifier()->GetTexture(), game().gfx.GetScreen());
  EXPECT_FLOAT_EQ(b.Magnifier()->quad.v[2].x, 200.0f);
  EXPECT_FLOAT_EQ(b.Magnifier()->quad.v[2].y, 150.0f);
  EXPECT_EQ(b.Magnifier()->quad.blend, ZOV::JENUM::BLEND_OPAQUE);
  // The band's plate: 10 x 10 of 0x661E90FF at (100, 100), hot spot (0, 0).
  ASSERT_NE(b.Selection(), nullptr);
  EXPECT_EQ(b.Selection()->imageSize.x, 10);
  EXPECT_FLOAT_EQ(b.Selection()->position.x, 100.0f);
  EXPECT_EQ(b.Selection()->hotSpot.x, 0);
  EXPECT_EQ(b.Selection()->hotSpot.y, 0);
  uint32_t* px = game().gfx.TextureLock(b.Selection()->GetTexture());
  ASSERT_NE(px, nullptr);
  EXPECT_EQ(px[0], 0x661E90FFu);
  EXPECT_EQ(px[99], 0x661E90FFu);
  game().gfx.TextureUnlock(b.Selection()->GetTexture());
  // Snow cursor and bonus icon.
  EXPECT_EQ(b.SnowCursor()->GetColor(), 0x88FFFFFFu);
  EXPECT_FLOAT_EQ(b.SnowCursor()->scale.x, 0.4f);
  EXPECT_EQ(b.SnowCursor()->quad.blend, ZOV::JENUM::BLEND_ADD);
  EXPECT_FLOAT_EQ(b.Bonus()->scale.x, 0.5f);

  // The emitters, published for the engine's update hook, emit nothing.
  ASSERT_NE(partHelp, nullptr);
  ASSERT_NE(partGlue, nullptr);
  ASSERT_NE(ePartBullet, nullptr);
  ASSERT_NE(dfont, nullptr);
  struct Want {
    ZOV::PARTIC* e;
    float size, life;
    uint32_t start, middle, end, templ;
    int blend;
  };
  for (const Want& w : {Want{partHelp, 0.3f, 2.0f, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xAAFDE910u, 0xFFFFFFFFu, 4},
                        Want{partGlue, 0.2f, 1.0f, 0x00FF0000u, 0xFFFF4D00u, 0x00FFCC00u, 0x00FF0000u, 5},
                        Want{ePartBullet, 0.1f, 2.0f, 0x00FFFFFFu, 0x77FFFFFFu, 0x00FFFFFFu, 0x00FFFFFFu, 5}}) {
    EXPECT_FLOAT_EQ(w.e->sys.sizeFactor, w.size);
    EXPECT_FLOAT_EQ(w.e->templ.life, w.life);
    EXPECT_EQ(w.e->sys.startColor, w.start);
    EXPECT_EQ(w.e->sys.middleColor, w.middle);
    EXPECT_EQ(w.e->sys.endColor, w.end);
    EXPECT_EQ(w.e->templ.color, w.templ);
    EXPECT_EQ(w.e->sys.blend, w.blend);
    EXPECT_FALSE(w.e->emitting);
    w.e->Update(0, 0.0f);
    EXPECT_EQ(w.e->sys.liveCount, 0) << "emission is off";
  }
  EXPECT_FLOAT_EQ(partHelp->templ.vx, 8.0f);
  EXPECT_FLOAT_EQ(partGlue->templ.ay, 30.0f);
  EXPECT_FLOAT_EQ(ePartBullet->templ.vy, 30.0f);
  EXPECT_FLOAT_EQ(ePartBullet->sys.spread, 6.2831855f);
}

TEST_F(BoardTest, DestructionClearsTheGlobalsAndLeavesTheScreenTextureAlive) {
  const unsigned long screen = game().gfx.GetScreen();
  Board& b = Playing();
  b.SetMagnifer();
  board.reset();
  EXPECT_EQ(partHelp, nullptr);
  EXPECT_EQ(partGlue, nullptr);
  EXPECT_EQ(ePartBullet, nullptr);
  EXPECT_EQ(dfont, nullptr);
  EXPECT_EQ(game().gfx.GetScreen(), screen);
  EXPECT_GT(game().gfx.GetTextureW(screen), 0) << "the magnifier must not free the screen texture";
}

TEST_F(BoardTest, AnOlderBoardGoingAwayLeavesTheNewerBoardsEmitters) {
  auto first = std::make_unique<Board>(&game());
  Board& second = Make();
  ZOV::PARTIC* help = partHelp;
  ZOV::JFONT* font = dfont;
  first.reset();
  EXPECT_EQ(partHelp, help);
  EXPECT_EQ(dfont, font);
  ASSERT_NE(partHelp, nullptr);
  partHelp->Update(0, 0.0f);  // still alive
  (void)second;
}

TEST_F(BoardTest, ThePlayMusicReplacesTheMenuMusicForTheBoardsLifetime) {
  ASSERT_TRUE(game().sound.ok) << "the dummy audio driver opens";
  dialogtest::WriteSilence("menu.wav");
  dialogtest::WriteSilence("play.wav");
  std::unique_ptr<ZOV::ST_A> menu(game().GetSound("menu.wav")), play(game().GetSound("play.wav"));
  ASSERT_TRUE(menu && play);
  Mix_HaltChannel(-1);
  eBack1 = menu.get();
  eBack2 = play.get();
  auto playing = [](const ZOV::ST_A* s) {
    return s->channel >= 0 && Mix_Playing(s->channel) != 0 && Mix_GetChunk(s->channel) == s->chunk;
  };
  ZOV::SoundRender(eBack1);
  ASSERT_TRUE(playing(menu.get()));
  Make();
  EXPECT_FALSE(playing(menu.get()));
  EXPECT_TRUE(playing(play.get()));
  board.reset();
  EXPECT_TRUE(playing(menu.get()));
  EXPECT_FALSE(playing(play.get()));
  Mix_HaltChannel(-1);
  eBack1 = eBack2 = nullptr;
}

// ---- phases and results

TEST_F(BoardTest, UpdateStepsThroughTheSetUpPhasesAndCutsOnce) {
  Board& b = Make();
  EXPECT_EQ(b.Update(0, 0.0f), 0);
  EXPECT_EQ(b.state, Board::kStateEmpty) << "state 0 stays";
  b.Init("pic.bmp", 3, 0, nullptr, false, 0.0f, 0);
  b.Picture()->SetPos(10, 20);  // Reset(0) after the cut puts it back in the centre
  b.state = Board::kStatePicture;
  const std::vector<int> want = {Board::kStateSetup, Board::kStateCutPending, Board::kStatePlay};
  for (int s : want) {
    EXPECT_EQ(b.Update(0, 0.0f), 0);
    EXPECT_EQ(b.state, s);
    if (s != Board::kStatePlay) {
      EXPECT_TRUE(b.zOrder.empty()) << "no cut before state 3 is served";
    }
  }
  ASSERT_EQ(b.zOrder.size(), 9u);
  ASSERT_EQ(b.gridOrder.size(), 9u);
  EXPECT_EQ(b.cols, 3);
  EXPECT_EQ(b.rows, 3);
  EXPECT_EQ(b.outlines.size(), 9u * 24u);
  const std::vector<GAME::PUZZLE_PIECES*> cut = b.gridOrder;
  for (int i = 0; i < 3; ++i) b.Update(0, 0.0f);
  EXPECT_EQ(b.gridOrder, cut) << "play does not cut again";

  // The frame pieces clockwise from the top-left corner; counters for 9.
  const std::vector<int> ring = {0, 1, 2, 5, 8, 7, 6, 3};
  ASSERT_EQ(b.border.size(), ring.size());
  for (size_t i = 0; i < ring.size(); ++i) EXPECT_EQ(b.border[i], b.gridOrder[size_t(ring[i])]) << i;
  EXPECT_EQ(b.regF, 9);
  EXPECT_EQ(b.regBr, 8);
  EXPECT_FLOAT_EQ(b.frameLightPeriod, 0.2f);
  EXPECT_EQ(b.sparkleCount, 12);

  // Reset(0) after the cut: the picture in the centre, the background over
  // the play area, centred, its image repeated.
  EXPECT_FLOAT_EQ(b.Picture()->position.x, 512.0f);
  EXPECT_FLOAT_EQ(b.Picture()->position.y, 384.0f);
  const JSPRITE* bg = b.Background();
  EXPECT_FLOAT_EQ(bg->quad.v[2].x, 924.0f);
  EXPECT_FLOAT_EQ(bg->quad.v[2].y, 668.0f);
  EXPECT_FLOAT_EQ(bg->position.x, 512.0f);
  EXPECT_FLOAT_EQ(bg->position.y, 384.0f);
  EXPECT_EQ(bg->hotSpot.x, 462);
  EXPECT_EQ(bg->hotSpot.y, 334);
  EXPECT_FLOAT_EQ(bg->quad.v[2].u, 924.0f / 64.0f);
  EXPECT_FLOAT_EQ(bg->quad.v[2].v, 668.0f / 32.0f);
}

TEST_F(BoardTest, PlayResultCodes) {
  struct Case {
    const char* name;
    int regF;
    int winSparkle;
    int want;
  };
  for (const Case& c : {Case{"parts left", 5, -1, 0}, Case{"solved, sparkles running", 1, 3, 1},
                        Case{"solved, sparkles idle", 1, -1, 1}, Case{"sparkles done", 1, -2, 54}}) {
    SCOPED_TRACE(c.name);
    Board& b = Playing();
    LayOut(b);
    b.regF = c.regF;
    b.winSparkle = c.winSparkle;
    b.sparkleTimer = 0.0f;
    EXPECT_EQ(b.Update(0, 0.0f), c.want);
  }
}

TEST_F(BoardTest, OnceSolvedUpdateSaysSoEveryFrameUntilTheSparklesHaveRunThenTheLevelEnds) {
  Board& b = Playing();
  LayOut(b);
  game().timer.SetDelta(0.25f);
  b.regF = 1;
  b.winSparkle = 0;  // started by the last join
  b.sparkleTimer = 0.0f;
  b.sparkleCount = 2;
  std::vector<int> got;
  for (int i = 0; i < 7; ++i) got.push_back(b.Update(0, 0.0f));
  EXPECT_EQ(got, (std::vector<int>{1, 1, 1, 1, 1, 1, 54}));
  EXPECT_EQ(b.winSparkle, -2);
  EXPECT_EQ(b.sparkleCount, 0);
}

TEST_F(BoardTest, PlayTimeGrowsByTheFrameTime) {
  Board& b = Playing();
  game().timer.SetDelta(0.125f);
  b.regT = 1.0f;
  b.regTa = 10.0f;
  b.Update(0, 0.0f);
  b.Update(0, 0.0f);
  EXPECT_FLOAT_EQ(b.regT, 1.25f);
  EXPECT_FLOAT_EQ(b.regTa, 10.25f);
}

TEST_F(BoardTest, ThePiecesFlyInDuringPlay) {
  Board& b = Playing();
  GAME::PUZZLE_PIECES* p = b.gridOrder[4];
  const JST::fPOINT start = p->pos;
  b.Update(0, 0.0f);
  EXPECT_TRUE(p->pos.x != start.x || p->pos.y != start.y);
}

TEST_F(BoardTest, ASecondInitAndASecondCutReplaceTheFirst) {
  // (Under the sanitizer build, whatever the first ones made and the board
  // lost would be reported as leaked.)
  Board& b = Playing();
  b.Init("tall.bmp", 3, 0, nullptr, false, 0.0f, 0);
  EXPECT_EQ(b.Picture()->imageSize.x, 600);
  EXPECT_EQ(b.Grid()->imageSize.y, 900);
  b.Narezator();
  EXPECT_EQ(b.cols, 3);
  EXPECT_EQ(b.rows, 5);
  EXPECT_EQ(b.zOrder.size(), 15u);
  EXPECT_EQ(b.gridOrder.size(), 15u);
  EXPECT_EQ(b.border.size(), 12u);
}

TEST_F(BoardTest, ABoardWithoutAPictureCutsTheSmallWhiteStandIn) {
  Board& b = Make();
  b.Min = 3;
  b.state = Board::kStateCutPending;
  EXPECT_EQ(b.Update(0, 0.0f), 0);
  EXPECT_EQ(b.state, Board::kStatePlay);
  EXPECT_EQ(b.cols, 3);
  EXPECT_EQ(b.rows, 3);
  EXPECT_EQ(b.zOrder.size(), 9u);
  plat::gfx::ClearRecorded();
  b.Render(0);
  b.PostRender();
  EXPECT_FALSE(DrawnQuads().empty());
}

// ---- layout

TEST_F(BoardTest, InitFitsATallPictureBetweenTheMarginsAndCentresIt) {
  struct Case {
    const char* file;
    int height;
    float scale;
    float y;
  };
  // m = 38 on a 768-pixel screen: room for 692 (or 924 - 76 = 848 for height 924).
  for (const Case& c : {Case{"tall.bmp", 0, 692.0f / 900.0f, 384.0f}, Case{"pic.bmp", 0, 1.0f, 384.0f},
                        Case{"tall.bmp", 924, 848.0f / 900.0f, 462.0f}}) {
    SCOPED_TRACE(c.file);
    Board& b = Make();
    b.Init(c.file, 4, c.height, nullptr, true, 0.5f, 1);
    EXPECT_NEAR(b.Picture()->scale.x, c.scale, 1e-6);
    EXPECT_NEAR(b.Grid()->scale.y, c.scale, 1e-6);
    EXPECT_FLOAT_EQ(b.Picture()->position.x, 512.0f);
    EXPECT_FLOAT_EQ(b.Picture()->position.y, c.y);
    EXPECT_FLOAT_EQ(b.Grid()->position.y, c.y);
    EXPECT_EQ(b.Grid()->imageSize.x, b.Picture()->imageSize.x);
    EXPECT_EQ(b.Min, 4);
    EXPECT_TRUE(b.rotation);
    EXPECT_FLOAT_EQ(b.distortion, 0.5f);
    EXPECT_EQ(b.typeborder, 1);
    EXPECT_EQ(b.ImgAdr, c.file);
  }
}

TEST_F(BoardTest, ResetBelowPlayLaysThePictureOutAgainExceptInStateZero) {
  Board& b = Make();
  b.Init("tall.bmp", 3, 924, nullptr, false, 0.0f, 0);
  b.state = Board::kStateEmpty;
  b.Reset(0);
  EXPECT_FLOAT_EQ(b.Picture()->position.y, 462.0f) << "state 0 stops after the log";
  b.state = Board::kStateSetup;
  b.Reset(0);
  EXPECT_FLOAT_EQ(b.Picture()->position.y, 384.0f);
  EXPECT_NEAR(b.Picture()->scale.x, 692.0f / 900.0f, 1e-6);
}

// ---- drawing

TEST_F(BoardTest, TheSetUpViewDrawsThePlateThePictureAndTheGrid) {
  Board& b = Make();
  b.Init("tall.bmp", 3, 0, nullptr, false, 0.0f, 0);
  b.state = Board::kStateSetup;
  plat::gfx::ClearRecorded();
  b.Render(0);
  const std::vector<uint32_t> want = {uint32_t(whiteSplain->GetTexture()), uint32_t(b.Picture()->GetTexture()),
                                      uint32_t(b.Grid()->GetTexture())};
  EXPECT_EQ(Textures(), want);
  // The plate: the picture's pixels + 65 each way, at the picture's scale,
  // centred on it.
  const auto plate = DrawnQuads().at(0);
  const float k = 692.0f / 900.0f;
  EXPECT_NEAR(plate.x1 - plate.x0, 665.0f * k, 0.01);
  EXPECT_NEAR(plate.y1 - plate.y0, 965.0f * k, 0.01);
  // (the centred hot spot is a whole pixel: 332, 482)
  EXPECT_NEAR(plate.x0, 512.0f - 332.0f * k, 0.01);
  EXPECT_NEAR(plate.y0, 384.0f - 482.0f * k, 0.01);
}

TEST_F(BoardTest, PictureOnlyStateDrawsThePicture) {
  Board& b = Make();
  b.Init("pic.bmp", 3, 0, nullptr, false, 0.0f, 0);
  b.state = Board::kStatePicture;
  plat::gfx::ClearRecorded();
  b.Render(0);
  EXPECT_EQ(Textures(), std::vector<uint32_t>{uint32_t(b.Picture()->GetTexture())});
  b.state = Board::kStateCutPending;
  plat::gfx::ClearRecorded();
  b.Render(0);
  EXPECT_TRUE(Textures().empty());
}

TEST_F(BoardTest, PlayDrawsBackgroundRestingPiecesBottomUpThenThePanelThenLiftedAndPocketedPieces) {
  Board& b = Playing();
  LayOut(b);
  b.Update(0, 0.0f);
  GAME::PUZZLE_PIECES* lifted = b.zOrder[8];  // the bottom piece
  lifted->shadowLevel = 0.5f;
  GAME::PUZZLE_PIECES* pocketed = b.zOrder[0];  // the top piece
  pocketed->inPocket = 1;
  plat::gfx::ClearRecorded();
  b.Render(0);

  std::vector<uint32_t> want = {uint32_t(b.Background()->GetTexture())};
  auto piece = [&](const GAME::PUZZLE_PIECES* p) {
    want.push_back(uint32_t(p->sprite->GetTexture()));  // shadow
    want.push_back(uint32_t(p->sprite->GetTexture()));  // piece
  };
  for (int z = 7; z >= 1; --z) piece(b.zOrder[size_t(z)]);
  want.push_back(uint32_t(b.UpperPanel()->GetTexture()));
  // The pocket panel (no shared shadow sprite here): bottom edge, right
  // edge, fill, corner; its button after the lifted and pocketed pieces.
  const size_t panelAt = want.size();
  want.insert(want.end(), 4, 0u);
  piece(lifted);
  piece(pocketed);
  want.push_back(uint32_t(b.pocket->Button()->GetTexture()));
  std::vector<uint32_t> got = Textures();
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = panelAt; i < panelAt + 4; ++i) want[i] = got[i];
  EXPECT_EQ(got[panelAt + 3], uint32_t(b.pocket->Corner()->GetTexture()));
  EXPECT_EQ(got, want);

  // A resting piece: the shadow 2 pixels down and right in black at 0.8,
  // then the piece in white; the pocketed piece is drawn shifted by the
  // closed pocket's offset from its open place: (20, 20) - (574, 420).
  const auto quads = DrawnQuads();
  const GAME::PUZZLE_PIECES* bottom = b.zOrder[7];
  EXPECT_EQ(quads[1].color, 0xCC000000u);
  EXPECT_EQ(quads[2].color, 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(quads[1].x0 - quads[2].x0, 2.0f);
  EXPECT_FLOAT_EQ(quads[2].x0, float(bottom->GetPosX() - bottom->sprite->hotSpot.x));
  const auto& last = quads[quads.size() - 2];
  EXPECT_FLOAT_EQ(last.x0, pocketed->pos.x - 554.0f - float(pocketed->sprite->hotSpot.x));
  EXPECT_FLOAT_EQ(last.y0, pocketed->pos.y - 400.0f - float(pocketed->sprite->hotSpot.y));
}

TEST_F(BoardTest, AGroupIsDrawnShadowsFirstThenItsPiecesWithTheJoinGlow) {
  Board& b = Playing();
  LayOut(b);
  b.Update(0, 0.0f);
  for (size_t z : {2u, 3u, 4u}) b.zOrder[z]->group = 5;
  b.lastJoinedGroup = 5;
  b.joinPhase = 1.0f;
  plat::gfx::ClearRecorded();
  b.RenderPieces();
  auto tex = [&](size_t z) { return uint32_t(b.zOrder[z]->sprite->GetTexture()); };
  std::vector<uint32_t> want;
  for (size_t z : {8u, 7u, 6u, 5u}) want.insert(want.end(), {tex(z), tex(z)});
  for (size_t z : {4u, 3u, 2u}) want.push_back(tex(z));                      // shadows
  for (size_t z : {4u, 3u, 2u}) want.insert(want.end(), {tex(z), tex(z)});  // piece, glow
  for (size_t z : {1u, 0u}) want.insert(want.end(), {tex(z), tex(z)});
  EXPECT_EQ(Textures(), want);
  const auto quads = DrawnQuads();
  EXPECT_EQ(quads[8].color, 0xCC000000u) << "a shadow";
  EXPECT_EQ(quads[11].color, 0xFFFFFFFFu) << "a piece";
  EXPECT_EQ(quads[12].color, 0x56FFFFFFu) << "its glow: white at 0.4 x sin(1)";
  EXPECT_EQ(b.DrawPieceShadowNstr(4), 1) << "the walk goes on above the group";
  EXPECT_EQ(b.DrawPieceShadowNstr(8), 7) << "a loose piece is a group of one";
}

TEST_F(BoardTest, TheFadedPictureLiesUnderThePiecesInItsOwnColour) {
  Board& b = Playing();
  LayOut(b);
  b.bShowFrame();
  plat::gfx::ClearRecorded();
  b.Render(0);
  const auto quads = DrawnQuads();
  ASSERT_GE(quads.size(), 3u);
  EXPECT_EQ(quads[0].texture, b.Background()->GetTexture());
  EXPECT_EQ(quads[1].texture, b.Picture()->GetTexture());
  EXPECT_EQ(quads[1].color, 0xAAFFFFFFu);
  EXPECT_EQ(b.Picture()->GetColor(), 0xFFFFFFFFu) << "back to white after the draw";
  EXPECT_EQ(quads[2].texture, b.zOrder.back()->sprite->GetTexture());
}

TEST_F(BoardTest, TheRubberBandIsItsPlateAndAnOutline) {
  Board& b = Playing();
  LayOut(b);
  b.bandActive = true;
  b.Selection()->SetPos(100, 120);
  b.Selection()->SetSizePix(40, 30);
  plat::gfx::ClearRecorded();
  b.Render(0);
  const auto band = QuadsOf(b.Selection()->GetTexture());
  ASSERT_EQ(band.size(), 1u);
  EXPECT_FLOAT_EQ(band[0].x0, 100.0f);
  EXPECT_FLOAT_EQ(band[0].y1, 150.0f);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 8u);
  for (const auto& v : lines) {
    EXPECT_EQ(v.argb, 0xFF1E90FFu);
    EXPECT_TRUE(v.x == 100.0f || v.x == 140.0f) << v.x;
    EXPECT_TRUE(v.y == 120.0f || v.y == 150.0f) << v.y;
  }
}

// ---- the magnifier

TEST(MagnifierView, TheFrameStaysOnTheScreen) {
  struct Case {
    float mx, my;
    int x, y, left, top, right, bottom;
  };
  for (const Case& c : {Case{512, 384, 512, 384, 412, 309, 612, 459},
                        Case{10, 20, 10, 20, 1, 1, 110, 95},
                        Case{100, 75, 100, 75, 0, 0, 200, 150},
                        Case{1020, 760, 1020, 760, 920, 685, 1023, 767},
                        Case{-50.5f, 2000, 0, 768, 1, 693, 100, 767},
                        Case{700.9f, 300.9f, 700, 300, 600, 225, 800, 375}}) {
    const GAME::MAGNIFIER_VIEW v = GAME::MagnifierView(c.mx, c.my, kW, kH, nullptr);
    EXPECT_EQ(v.x, c.x);
    EXPECT_EQ(v.y, c.y);
    EXPECT_EQ(v.frameLeft, c.left) << c.mx;
    EXPECT_EQ(v.frameTop, c.top) << c.my;
    EXPECT_EQ(v.frameRight, c.right) << c.mx;
    EXPECT_EQ(v.frameBottom, c.bottom) << c.my;
  }
}

TEST(MagnifierView, TheEnlargedAreaIs140By105AroundTheClampedMouse) {
  const GAME::MAGNIFIER_VIEW v = GAME::MagnifierView(2000.0f, 100.0f, kW, kH, nullptr);
  EXPECT_FLOAT_EQ(v.areaLeft, 954.0f);
  EXPECT_FLOAT_EQ(v.areaRight, 1094.0f);
  EXPECT_FLOAT_EQ(v.areaTop, 47.5f);
  EXPECT_FLOAT_EQ(v.areaBottom, 152.5f);
  EXPECT_FLOAT_EQ(v.uLeft, 954.0f / 1024.0f);
  EXPECT_FLOAT_EQ(v.vBottom, 152.5f / 768.0f);
}

TEST_F(BoardTest, TheMagnifierShowsTheScreenAroundTheMouseInItsFrame) {
  Board& b = Playing();
  LayOut(b);
  Mouse(10, 300);
  plat::gfx::ClearRecorded();
  b.PostRender();
  EXPECT_TRUE(DrawnQuads().empty()) << "nothing while the magnifier is off";
  EXPECT_TRUE(b.SetMagnifer());
  plat::gfx::ClearRecorded();
  b.PostRender();
  const auto quads = QuadsOf(game().gfx.GetScreen());
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_FLOAT_EQ(quads[0].x0, -90.0f);
  EXPECT_FLOAT_EQ(quads[0].x1, 110.0f);
  EXPECT_FLOAT_EQ(quads[0].y0, 225.0f);
  EXPECT_FLOAT_EQ(quads[0].y1, 375.0f);
  const JST::fPOINT tl = game().gfx.ScreenTexel(-60.0f, 247.5f);
  const JST::fPOINT br = game().gfx.ScreenTexel(80.0f, 352.5f);
  EXPECT_FLOAT_EQ(quads[0].u0, tl.x);
  EXPECT_FLOAT_EQ(quads[0].v0, tl.y);
  EXPECT_FLOAT_EQ(quads[0].u1, br.x);
  EXPECT_FLOAT_EQ(quads[0].v1, br.y);
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 8u);
  float minX = 1e9f, maxX = -1e9f;
  for (const auto& v : lines) {
    EXPECT_EQ(v.argb, 0xFF1A4780u);
    minX = std::min(minX, v.x);
    maxX = std::max(maxX, v.x);
  }
  EXPECT_FLOAT_EQ(minX, 1.0f);
  EXPECT_FLOAT_EQ(maxX, 110.0f);
  // Outside play the magnifier draws nothing.
  b.state = Board::kStateSetup;
  plat::gfx::ClearRecorded();
  b.PostRender();
  EXPECT_TRUE(DrawnQuads().empty());
}

// ---- tool switches

TEST_F(BoardTest, EachToolSwitchFlipsItsFlagAndPlaysOneSound) {
  using Switch = bool (Board::*)();
  struct Case {
    const char* name;
    Switch flip;
    bool Board::*flag;
  };
  for (const Case& c : {Case{"magnifier", &Board::SetMagnifer, &Board::magnifierOn},
                        Case{"faded picture", &Board::bShowFrame, &Board::showFrame},
                        Case{"preview frame", &Board::bShowLitleFrame, &Board::showLitleFrame},
                        Case{"edges only", &Board::SetBorder, &Board::edgesOnly}}) {
    SCOPED_TRACE(c.name);
    Board& b = Playing();
    ToolSounds();
    EXPECT_TRUE((b.*c.flip)());
    EXPECT_TRUE(b.*c.flag);
    EXPECT_EQ(ClicksPlayed(), 1);
    EXPECT_FALSE((b.*c.flip)());
    EXPECT_FALSE(b.*c.flag);
    EXPECT_EQ(ClicksPlayed(), 2);
  }
}

TEST_F(BoardTest, EdgesOnlyCannotChangeOnceTheFrameIsFinished) {
  for (bool on : {false, true}) {
    Board& b = Playing();
    b.edgesOnly = on;
    b.frameLight = Board::kIndexDone;
    ToolSounds();
    EXPECT_EQ(b.SetBorder(), on);
    EXPECT_EQ(b.edgesOnly, on);
    EXPECT_EQ(ClicksPlayed(), 0) << "no sound";
  }
}

TEST_F(BoardTest, TheFadedPictureShowsAtFullSizeInTheScreenCentre) {
  Board& b = Make();
  b.Init("tall.bmp", 3, 924, nullptr, false, 0.0f, 0);
  b.bShowFrame();
  EXPECT_FLOAT_EQ(b.Picture()->scale.x, 1.0f);
  EXPECT_EQ(b.Picture()->GetColor(), 0xAAFFFFFFu);
  EXPECT_FLOAT_EQ(b.Picture()->position.y, 384.0f);
}

// ---- rules

TEST_F(BoardTest, AGroupIsSnappedRigidAtTheEndOfEachUpdate) {
  Board& b = Playing();
  LayOut(b);
  GAME::PUZZLE_PIECES* a = b.gridOrder[0];
  GAME::PUZZLE_PIECES* right = b.gridOrder[1];
  GAME::PUZZLE_PIECES* below = b.gridOrder[3];
  for (GAME::PUZZLE_PIECES* p : {a, right, below}) p->group = 7;
  a->SetPos(200, 200);
  right->SetPos(305, 197);  // 5 too far right, 3 too high
  below->SetPos(196, 310);  // 4 too far left, 10 too low
  b.Update(0, 0.0f);
  EXPECT_EQ(right->GetPosX(), 300);
  EXPECT_EQ(right->GetPosY(), 200);
  EXPECT_EQ(below->GetPosX(), 200);
  EXPECT_EQ(below->GetPosY(), 300);
  EXPECT_EQ(a->GetPosX(), 200);
  EXPECT_EQ(a->GetPosY(), 200);
  EXPECT_EQ(b.gridOrder[2]->GetPosX(), 150 + 220) << "loose pieces are left alone";
}

TEST_F(BoardTest, TheFrameLightWalksTheFrameOnceThenIsDone) {
  Board& b = Playing();
  LayOut(b);
  game().timer.SetDelta(0.25f);  // above the 0.2 s period: one step a frame after the first
  b.frameLight = 0;
  std::vector<int> got;
  for (int i = 0; i < 10; ++i) {
    b.Update(0, 0.0f);
    got.push_back(b.frameLight);
  }
  EXPECT_EQ(got, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, -2, -2}));
}

TEST_F(BoardTest, CountersStartFromTheGrid) {
  Board& b = Playing();
  b.regCg = 4;
  b.regSc = 100;
  b.regGVN = b.regGVN2 = true;
  b.state = Board::kStateCutPending;
  b.ResetRegistr();
  EXPECT_EQ(b.regF, 9);
  EXPECT_EQ(b.regBr, 8);
  EXPECT_EQ(b.regCg, 0);
  EXPECT_EQ(b.regSc, 0);
  EXPECT_FALSE(b.regGVN);
  EXPECT_FALSE(b.regGVN2);
}

}  // namespace
