// The board's construction and destruction, set-up calls, tool switches,
// the frame's state machine and the cut.
#include "GAME/board/board.h"

#include <cmath>
#include <string>
#include <utility>

#include "GAME/board/cut.h"
#include "GAME/config/globals.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/ui/pack_selection.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/particles.h"
#include "ST/pixel_tools.h"
#include "ST/renderer.h"
#include "ST/sound.h"
#include "ST/sprite.h"
#include "platform/sys.h"

ZOV::JFONT* dfont = nullptr;

namespace GAME {

namespace {

// Most particles an emitter of the board keeps alive.
constexpr int kEmitterCapacity = 1000;
constexpr float kTwoPi = 6.2831855f;

// The board's emitters: a preset, then the fields it tunes, emission off.
void TuneEmitter(ZOV::PARTIC* e, int preset, float size, float life, uint32_t start, uint32_t middle, uint32_t end,
                 int blend) {
  e->SetType(preset);
  e->sys.sizeFactor = size;
  e->templ.life = life;
  e->sys.startColor = start;
  e->sys.middleColor = middle;
  e->sys.endColor = end;
  e->templ.color = start;
  e->sys.blend = blend;
  e->SetEmission(0.0f);
}

}  // namespace

PUZZLE_PIECES_SYSTEM::PUZZLE_PIECES_SYSTEM(ZOV::ST_GAME* game) : game_(game), gfx_(game->GetGfx()) {
  // 1. Everything empty and off.
  plat::PrintLine("puzzle piece constructor");
  input = game_->GetInput();
  const int sw = game_->GetScreenWidth(), sh = game_->GetScreenHeight();
  // 2. The play area.
  SetClip(sw, sh);
  // 3. The background.
  {
    PackSelection pack(C_NAME_PACK_GUI, C_PAS_GUI);
    background_ = new JSPRITE(chFrontColor, 0);
  }
  zOrder.clear();
  // 4. The upper score panel.
  {
    PackSelection pack(C_NAME_PACK_LEVEL, C_PAS_LEVEL);
    upperPanel_ = new JSPRITE(chUP_SCORE_PANEL, 0);
    upperPanel_->SetPos(sw / 2, 0);
    upperPanel_->CalculateHotSpot(ZOV::JENUM::HOT_TOP_CENTER);
    upperPanel_->CompressTexture();
  }
  // 5. The debug font.
  ownFont_ = new ZOV::JFONT("Tahtah.fnt", 0);
  ownFont_->SetColor(int(0xFFFF0000u));
  dfont = ownFont_;
  // 6. Score counter and pocket.
  CreateParts();
  // 7. The magnifier shows the screen texture (and never frees it).
  magnifier_ = new JSPRITE(gfx_->GetScreen());
  magnifier_->SetSizePix(kMagnifierW, kMagnifierH);
  magnifier_->SetBlendMode(ZOV::JENUM::BLEND_OPAQUE);
  // 8. Bonus icon, snow cursor and the three emitters, all switched off.
  {
    PackSelection pack(C_NAME_PACK_EFFECTS, C_PAS_EFFECTS);
    bonus_ = new JSPRITE(chBONUS, 0);
    bonus_->SetSize(0.5f, 0.5f);
    snow_ = new JSPRITE(chPARTIC_SNOW_CURSOR, 0);
    snow_->SetColor(int(0x88FFFFFFu));
    snow_->SetSize(0.4f, 0.4f);
    snow_->SetBlendMode(ZOV::JENUM::BLEND_ADD);

    ownHelp_ = new PARTIC_CIRCLE(chPARTIC_ICE_PIECE, ZOV::JENUM::IMG_PLAIN, kEmitterCapacity);
    TuneEmitter(ownHelp_, ZOV::JP_BURST, 0.3f, 2.0f, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xAAFDE910u,
                ZOV::JENUM::BLEND_POINT_ALPHA);
    ownHelp_->templ.vx = 8.0f;

    ownGlue_ = new PARTIC_CIRCLE(chPARTIC_SNOW_CURSOR, ZOV::JENUM::IMG_PLAIN, kEmitterCapacity);
    TuneEmitter(ownGlue_, ZOV::JP_BURST, 0.2f, 1.0f, 0x00FF0000u, 0xFFFF4D00u, 0x00FFCC00u,
                ZOV::JENUM::BLEND_POINT_ADD);
    ownGlue_->templ.vy = 0.0f;
    ownGlue_->templ.ay = 30.0f;

    ownBullet_ = new ZOV::PARTIC(chPARTIC_SNOW_CURSOR, ZOV::JENUM::IMG_PLAIN, kEmitterCapacity);
    TuneEmitter(ownBullet_, ZOV::JP_TRAIL, 0.1f, 2.0f, 0x00FFFFFFu, 0x77FFFFFFu, 0x00FFFFFFu,
                ZOV::JENUM::BLEND_POINT_ADD);
    ownBullet_->sys.spread = kTwoPi;
    ownBullet_->templ.vy = 30.0f;
    ownBullet_->templ.ay = 30.0f;
  }
  partHelp = ownHelp_;
  partGlue = ownGlue_;
  ePartBullet = ownBullet_;
  // 9. The rubber band's plate.
  plat::PrintLine("texture create");
  const unsigned long band = gfx_->TextureCreate(10, 10);
  plat::PrintLine("pillALL");
  GAMETOOLS::PillAll(kSelectionFill, band);
  plat::PrintLine("create allocation");
  selection_ = new JSPRITE(band);
  selection_->SetPos(100, 100);
  selection_->SetHotSpot(0, 0);
  // 10. The level counters.
  regPf = 0;
  ResetRegistr();
  // 11. The play music replaces the menu music.
  plat::PrintLine("sound stop");
  ZOV::SoundStop(eBack1);
  plat::PrintLine("sound render");
  plat::PrintLine(std::to_string(ZOV::SoundRender(eBack2)));
  plat::PrintLine("Piece con 2007");
}

PUZZLE_PIECES_SYSTEM::~PUZZLE_PIECES_SYSTEM() {
  plat::PrintLine("~PUZZLE_PIECES_SYSTEM()");
  delete picture_;
  picture_ = nullptr;
  delete grid_;
  grid_ = nullptr;
  if (dfont == ownFont_) dfont = nullptr;
  delete ownFont_;
  ownFont_ = nullptr;
  delete bonus_;
  delete selection_;
  delete snow_;
  bonus_ = selection_ = snow_ = nullptr;
  if (partHelp == ownHelp_) partHelp = nullptr;
  if (partGlue == ownGlue_) partGlue = nullptr;
  if (ePartBullet == ownBullet_) ePartBullet = nullptr;
  delete ownHelp_;
  delete ownGlue_;
  delete ownBullet_;
  ownHelp_ = ownGlue_ = nullptr;
  ownBullet_ = nullptr;
  // Preview frame, score counter, pocket, win dialog, resolution message.
  DeleteParts();
  plat::PrintLine("Win panel ok");
  ZOV::SoundRender(eBack1);
  ZOV::SoundStop(eBack2);
  outlines.clear();
  outlines.shrink_to_fit();
  plat::PrintLine("Points ok");
  for (PUZZLE_PIECES* p : zOrder) delete p;
  plat::PrintLine("Pisec ok");
  zOrder.clear();
  gridOrder.clear();
  border.clear();
  for (JST::STE* e : effects) delete e;
  effects.clear();
  delete background_;
  delete magnifier_;  // shows the screen texture without owning it
  delete upperPanel_;
  background_ = magnifier_ = upperPanel_ = nullptr;
  plat::PrintLine("~PUZZLE_PIECES_SYSTEM() OK!");
}

void PUZZLE_PIECES_SYSTEM::Init(const char* path, int min, int height, PUZZLE_PLAYER_PROFILE* player, bool rot,
                                float distort, int border_) {
  // 1. Options, profile, paths; the pack is the one the caller selected.
  plat::PrintLine("PIECE SYSTEM    Init");
  ImgPkAdr = ZOV::ifile.current_pack ? ZOV::ifile.current_pack : "";
  completionRecorded = false;
  SetOptions(min, distort, rot, border_);
  profile = player;
  ImgAdr = path ? path : "";
  plat::PrintLine("===================== " + ImgAdr);
  // 2. The picture, and a grid texture of its size. A second Init replaces
  // both.
  delete picture_;
  delete grid_;
  picture_ = new JSPRITE(ImgAdr.c_str(), 0);
  const JST::iPOINT size = picture_->imageSize;
  const unsigned long gridTex = gfx_->TextureCreate(size.x > 0 ? size.x : 1, size.y > 0 ? size.y : 1);
  grid_ = new JSPRITE(gridTex);
  // 3, 4. Scaled to fit and centred.
  LayOutPicture(height);
  // 5. The preview frame.
  CreatePreviewFrame();
  // 6. The level counters start again.
  ResetRegistr();
  plat::PrintLine("PIECE SYSTEM    Init compleate");
}

void PUZZLE_PIECES_SYSTEM::LayOutPicture(int height) {
  if (!picture_) return;
  const int sw = game_->GetScreenWidth(), sh = game_->GetScreenHeight();
  if (height == 0) height = sh;
  const int m = int(float(sh) * 0.05f);
  const int available = height - 2 * m;
  const float picH = float(picture_->imageSize.y);
  if (float(available) < picH && picH > 0.0f) {
    const float k = ((float(available) * 100.0f) / picH) / 100.0f;
    picture_->SetSize(k, k);
    if (grid_) grid_->SetSize(k, k);
  }
  picture_->position = JST::fPOINT(float(sw / 2), float(height / 2));
  if (grid_) grid_->SetPos(int(picture_->position.x), int(picture_->position.y));
}

void PUZZLE_PIECES_SYSTEM::SetOptions(int min, float distort, bool rot, int border_) {
  Min = min;
  distortion = distort;
  rotation = rot;
  typeborder = border_;
}

void PUZZLE_PIECES_SYSTEM::SetSize(float sx, float sy) {
  if (picture_) picture_->SetSize(sx, sy);
  if (grid_) grid_->SetSize(sx, sy);
}

void PUZZLE_PIECES_SYSTEM::Reset(int height) {
  plat::PrintLine("Piece system reset ...");
  if (state < kStateCutPending) {
    plat::PrintLine(" state<3 ");
    if (state != kStateEmpty) LayOutPicture(height);
  } else if (state == kStatePlay) {
    plat::PrintLine(" state=4 ");
    SetFrame();
    if (magnifier_) magnifier_->SetTexture(gfx_->GetScreen());
    if (background_) {
      const int w = clipBottomRight.x - clipTopLeft.x, h = clipBottomRight.y - clipTopLeft.y;
      background_->SetSizePix(w, h);
      background_->SetPos(game_->middle.x, game_->middle.y);
      background_->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
      background_->StreckenTexelz();
    }
  }
  plat::PrintLine("Reset ok");
}

void PUZZLE_PIECES_SYSTEM::SetClip(int width, int height) {
  clipTopLeft = JST::iPOINT(kPlayAreaInset, kPlayAreaInset);
  clipBottomRight = JST::iPOINT(width - kPlayAreaInset, height - kPlayAreaInset);
}

void PUZZLE_PIECES_SYSTEM::SetFrame() {
  if (picture_) picture_->SetPos(game_->middle.x, game_->middle.y);
}

void PUZZLE_PIECES_SYSTEM::SetSmImg(const char* path) { ImgSmAdr = path ? path : ""; }

void PUZZLE_PIECES_SYSTEM::SetColored(ZOV::JENUM::COLORS colour) {
  if (background_) background_->SetColor(int(colour));
}

void PUZZLE_PIECES_SYSTEM::DrawGrid(unsigned long colour, int thick, unsigned long texture) {
  const bool own = texture == 0;
  if (own) texture = grid_ ? grid_->GetTexture() : 0;
  if (texture == 0) return;
  CUT_LAYOUT layout = GAME::DrawGrid(gfx_, texture, own, Min, distortion, uint32_t(colour), thick);
  cols = layout.grid.cols;
  rows = layout.grid.rows;
  outlines = std::move(layout.outline);
}

int PUZZLE_PIECES_SYSTEM::Narezator() {
  // The pieces of an earlier cut go first (a cut runs once per board; this
  // keeps a second one from leaking).
  for (PUZZLE_PIECES* p : zOrder) delete p;
  zOrder.clear();
  gridOrder.clear();
  border.clear();
  current = nullptr;
  held = 0;

  CUT_REQUEST request;
  request.min = Min;
  request.distortion = distortion;
  request.rotation = rotation;
  request.clipTopLeft = clipTopLeft;
  request.clipBottomRight = clipBottomRight;
  request.screenCentre = game_->middle;
  CUT_RESULT cut;
  GAME::Narezator(picture_ ? picture_->GetTexture() : 0, request, game_->random, gfx_,
                  grid_ ? grid_->GetTexture() : 0, &cut);
  typeborder = 0;
  cols = cut.layout.grid.cols;
  rows = cut.layout.grid.rows;
  outlines = std::move(cut.layout.outline);
  gridOrder.reserve(cut.pieces.size());
  for (auto& piece : cut.pieces) {
    PUZZLE_PIECES* p = piece.release();
    zOrder.push_back(p);
    gridOrder.push_back(p);
  }
  ResetRegistr();
  for (int i : cut.border)
    if (i >= 0 && size_t(i) < gridOrder.size()) border.push_back(gridOrder[size_t(i)]);
  frameLightPeriod = cut.frameLightPeriod;
  sparkleCount = cut.sparkleCount;
  return 0;
}

// ---- tool switches

bool PUZZLE_PIECES_SYSTEM::SetMagnifer() {
  magnifierOn = !magnifierOn;
  if (magnifierOn) {
    if (magnifier_) magnifier_->SetTexture(gfx_->GetScreen());
    ZOV::SoundRender(eToolOn);
  } else {
    ZOV::SoundRender(eToolOff);
  }
  return magnifierOn;
}

bool PUZZLE_PIECES_SYSTEM::bShowFrame() {
  showFrame = !showFrame;
  ZOV::SoundRender(showFrame ? eToolOn : eToolOff);
  if (picture_) {
    picture_->SetSize(1.0f, 1.0f);
    picture_->SetColor(int(kFadedPicture));
  }
  SetFrame();
  return showFrame;
}

bool PUZZLE_PIECES_SYSTEM::bShowLitleFrame() {
  showLitleFrame = !showLitleFrame;
  ZOV::SoundRender(showLitleFrame ? eToolOn : eToolOff);
  return showLitleFrame;
}

bool PUZZLE_PIECES_SYSTEM::SetBorder() {
  // A complete frame switched edges-only off for good, whether or not its
  // light has run yet.
  if (frameLight == kIndexDone || (state == kStatePlay && regBr < 2)) return edgesOnly;
  edgesOnly = !edgesOnly;
  ZOV::SoundRender(edgesOnly ? eToolOn : eToolOff);
  return edgesOnly;
}

// ---- the frame

int PUZZLE_PIECES_SYSTEM::Update(int, float) {
  switch (state) {
    case kStatePicture:
    case kStateSetup:
      ++state;
      return kResultNothing;
    case kStateCutPending:
      Narezator();
      state = kStatePlay;
      Reset(0);
      return kResultNothing;
    case kStatePlay: {
      const int result = UpdatePlay();
      // Groups are kept rigid after everything else of the frame has moved
      // the pieces, so each drawn frame shows them snapped.
      Debug();
      return result;
    }
    default:
      return kResultNothing;
  }
}

int PUZZLE_PIECES_SYSTEM::UpdatePlay() {
  // 1. An open resolution message is all that is served.
  if (resolutionMessage) {
    const int answer = UpdateResolutionMessage();
    if (answer == 0) return kResultNothing;
    if (answer == 1) {
      DeleteResolutionMessage();
      return kResultNothing;
    }
    if (answer == -1) {
      DeleteResolutionMessage();
      return kResultLeave;
    }
  }
  // 2. Time.
  const float dt = game_->GetDt();
  regTa += dt;
  regT += dt;
  // 3. Score display, frame rules, effects, the band's selection.
  UpdateScore();
  Routin();
  UpdateEffects();
  if (bandActive) CheckTheSelection();
  // 4. The sparkles have run: the level ends, then the dialog is served.
  if (winSparkle == kIndexDone) {
    if (!winDialog) {
      LevelWin();
      return kResultLevelWon;
    }
    const int answer = UpdateWinDialog();
    if (answer == 1) return kResultWinOk;
    if (answer == -1) return kResultLeave;
  } else {
    // 5. The pocket, then the mouse.
    const int pocketAnswer = UpdatePocket();
    if (pocketAnswer == 1) {
      regGVN = true;
      HelpOff();
      ResetAllocation();
      bandActive = false;
      return kResultNothing;
    }
    if (pocketAnswer == -2) return kResultNothing;
    const int activity = PlayerActivity();
    if (activity == kResultMagnifierOff || activity == kResultPreviewClosed || activity == kResultHintOff ||
        activity == kResultAskHelp)
      return activity;
  }
  // 6. One part left is a solved puzzle.
  return regF == 1 ? kResultSolved : kResultNothing;
}

uint32_t PUZZLE_PIECES_SYSTEM::ClockMs() const { return game_->timer.GetCurTime(); }

}  // namespace GAME
