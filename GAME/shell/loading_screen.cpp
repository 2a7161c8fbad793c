#include "GAME/shell/loading_screen.h"

#include <string>

#include "GAME/config/edition.h"
#include "GAME/config/globals.h"
#include "GAME/shell/entry.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/ui/pack_selection.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/sprite.h"
#include "ST/timer.h"
#include "platform/sys.h"

namespace GAME {

namespace {

// Sized to the whole screen, anchored at its middle, at the screen centre.
void CoverScreen(JSPRITE& s, const JST::iPOINT& centre) {
  s.SetSizePix(2 * centre.x, 2 * centre.y);
  s.CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
  s.SetPos(centre.x, centre.y);
}

}  // namespace

LOADING_SCREEN::LOADING_SCREEN(ZOV::ST_GAME& game, ZOV::JFONT* font) : game_(game), font_(font) {
  plat::PrintLine("LOADING_SCREEN::LOADING_SCREEN() start");
  const std::string first = gEdition.splash1.empty() ? "logo1.png" : gEdition.splash1;
  const std::string second = gEdition.splash2.empty() ? "logo2.png" : gEdition.splash2;
  countdown = 0.0f;
  {
    // The logos are files of the current folder, never pack entries.
    PackSelection plainFiles(nullptr, nullptr);
    secondLogo_ = MakeLogo(second.c_str());
    firstLogo_ = MakeLogo(first.c_str());
  }
  progress = 0;

  const JST::iPOINT centre = game_.middle;
  {
    PackSelection loadingPack(C_NAME_PACK_LOADING, C_PAS_LOADING);
    ZOV::JINGFX& gfx = *game_.GetGfx();
    const unsigned long dot = gfx.TextureCreate(1, 1);
    if (uint32_t* pixel = gfx.TextureLock(dot)) {
      *pixel = uint32_t(C_COLOR_SPLASH);
      gfx.TextureUnlock(dot);
    }
    plane_ = std::make_unique<JSPRITE>(dot);
    CoverScreen(*plane_, centre);
    background_ = std::make_unique<JSPRITE>(chLOADBACK, 0);
  }
  {
    PackSelection menu(C_NAME_PACK_MENU, C_PAS_MENY);
    floor_ = std::make_unique<JSPRITE>(chMAIN_MENU_LENOLIUM, 0);
    CoverScreen(*floor_, centre);
    floor_->StreckenTexelz();
  }
  plat::PrintLine("2");
  timer_ = std::make_unique<ZOV::ST_TIMER>(0.0f);
}

LOADING_SCREEN::~LOADING_SCREEN() {
  plat::PrintLine("PUZZLE_LOADING DELETE");
  background_.reset();
  secondLogo_.reset();
  firstLogo_.reset();
  timer_.reset();
  floor_.reset();
  plane_.reset();
}

std::unique_ptr<JSPRITE> LOADING_SCREEN::MakeLogo(const char* name) {
  if (!ZOV::ifile.CheckFileExist(name)) return nullptr;
  auto logo = std::make_unique<JSPRITE>(name, 0);
  logo->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
  logo->SetPos(game_.middle.x, game_.middle.y);
  countdown += kLogoSeconds;
  return logo;
}

LOADING_SCREEN::Phase LOADING_SCREEN::CurrentPhase() const {
  if (countdown > kLogoSeconds) return Phase::kFirstLogo;
  if (countdown > 0.0f) return Phase::kSecondLogo;
  return Phase::kProgress;
}

int LOADING_SCREEN::Update(int, float) {
  timer_->Update();
  countdown -= timer_->GetDelta();
  if (countdown > 0.0f) {
    ZOV::ST_INPUT& input = *game_.GetInput();
    if (input.Lkm() == 1) countdown -= kClickSeconds;
    // Nothing else advances the input state while loading: without this a
    // press would count again in every frame.
    input.Update(0);
  }
  return 0;
}

int LOADING_SCREEN::Render(int) {
  const JST::iPOINT centre = game_.middle;
  switch (CurrentPhase()) {
    case Phase::kFirstLogo:
      plane_->Render(0);
      if (firstLogo_) firstLogo_->Render(0);
      break;
    case Phase::kSecondLogo: {
      plane_->Render(0);
      JSPRITE* logo = secondLogo_ ? secondLogo_.get() : firstLogo_.get();
      if (logo) logo->Render(0);
      break;
    }
    case Phase::kProgress:
      floor_->Render(0);
      background_->Render(float(centre.x), float(centre.y));
      if (font_ != nullptr) {
        font_->alignment = ZOV::JENUM::HOT_CENTER;
        font_->Render(centre.x + kProgressDx, centre.y + kProgressDy, "%i%%", progress);
        if (chTEXT_COPYRIGHT2 != nullptr) {
          font_->alignment = ZOV::JENUM::HOT_CENTER;
          // The title as written: a '%' in it is a letter.
          font_->Rende(centre.x + COPYRIGHT_TITLE_POS_X, 2 * centre.y + COPYRIGHT_TITLE_POS_Y, chTEXT_COPYRIGHT2);
        }
      }
      break;
  }
  return 1;
}

LOADING_SCREEN_BASE* MakeLoadingScreen() { return new LOADING_SCREEN(*Game, loadingFont); }

}  // namespace GAME
