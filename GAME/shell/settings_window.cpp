#include "GAME/shell/settings_window.h"

#include "GAME/config/globals.h"
#include "GAME/config/player_record.h"
#include "GAME/shell/authors_window.h"
#include "GAME/shell/resolution_window.h"
#include "GAME/ui/pack_selection.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/slider.h"
#include "ST/sound.h"
#include "platform/sys.h"
#include "platform/window.h"

namespace GAME {

static_assert(PUZZLE_SETTINGS::kMusic == VolumeRows::kMusic && PUZZLE_SETTINGS::kSound == VolumeRows::kSound &&
              PUZZLE_SETTINGS::kCursor == VolumeRows::kCursor);

PUZZLE_SETTINGS::PUZZLE_SETTINGS(const char*, const char*, const char*, const char* checkBox, const char*, const char*,
                                 ZOV::JFONT* font, PUZZLE_PLAYER_PROFILE* profile, const OptionsKit& kit)
    : JSPRITE(chSTBACK, 0), kit_(kit), profile_(profile), font_(font) {
  plat::PrintLine("PUZZLE_SETTINGS::PUZZLE_SETTINGS ");
  PUZZLE_PLAYER_PROFILE blank;
  if (profile_ == nullptr) {
    ZOV::ifile.Log("Uncorrect profile", true);
    // Nothing to edit: the first Update closes the window. The controls
    // show a new player's values meanwhile.
    blank.SetDefaults(ZOV::JENUM::SCREEN_DESKTOP, true);
  }
  const PUZZLE_PLAYER_PROFILE& from = profile_ != nullptr ? *profile_ : blank;
  fast_ = from.FastCollector;
  rows_ = std::make_unique<VolumeRows>(from, checkBox);
  fastBox_ = std::make_unique<JBUTTONCHK>(checkBox);
  fastBox_->checked = fast_ ? 1 : 0;
  resolutionButton_ = std::make_unique<JBUTTONMAP4>(chBUTTONFLAT);
  authorsButton_ = std::make_unique<JBUTTONMAP4>(chBUTTONFLAT);
  ok_ = std::make_unique<JBUTTONMAP4>(chBUTTON_OK);
  cancel_ = std::make_unique<JBUTTONMAP4>(chBUTTON_CANCEL);
  gear_ = std::make_unique<JSPRITE>(chGEAR, 0);
  plat::PrintLine("PUZZLE SETTINGS OK");
  Reset();
}

PUZZLE_SETTINGS::~PUZZLE_SETTINGS() { ZOV::ifile.Log("~PUZZLE_SETTINGS()", true); }

bool PUZZLE_SETTINGS::ModePending() const { return resolution_ != nullptr && resolution_->Confirming(); }

void PUZZLE_SETTINGS::Reset() {
  CentreOnScreen(*this, kit_.window.Game());
  const float x = position.x, y = position.y;
  const float w = float(ImageWidth(*this)), h = float(ImageHeight(*this));
  rows_->Place(x, y, w, h);
  fastBox_->SetPos(int(x + w / 2.0f - 115.0f), int(y + 46.0f));
  // Each pair meets on the centre line: an eighth of a four-frame image is
  // half a frame.
  const float middleX = float(kit_.window.Game().middle.x);
  ZOV::PlaceOkCancel(*resolutionButton_, *authorsButton_, middleX, y + 0.25f * h);
  ZOV::PlaceOkCancel(*ok_, *cancel_, middleX, OkCancelRow(y, h, BUTTONSOKANDCANCELINDENTY));
  int headerW = 0;
  if (kit_.window.big != nullptr && chTEXT_SETTINGS_GAME_HEADER != nullptr)
    headerW = kit_.window.big->GetStringLenght(chTEXT_SETTINGS_GAME_HEADER);
  gear_->SetPos(int(x + float(headerW) * 0.5f + float(ImageWidth(*gear_)) / 2.0f + 40.0f), int(y - 0.37f * h));
  if (resolution_) resolution_->Reset();
  plat::PrintLine("PUZZLE SETTINGS RESET OK");
}

int PUZZLE_SETTINGS::Update(int a, float) {
  // Without a record there is nothing to edit: the window closes at once.
  if (profile_ == nullptr) return kCancel;
  if (a == kRelayout) Reset();

  if (authors_) {
    if (authors_->Update(0, 0.0f) == PUZZLE_AUTHORS::kClosed) authors_.reset();
    return kNothing;
  }
  if (resolution_) {
    const int r = resolution_->Update(0, 0.0f);
    if (r == PUZZLE_RESOLUTION::kOk || r == PUZZLE_RESOLUTION::kCancel) {
      resolution_.reset();
      return kNothing;
    }
    if (r == PUZZLE_RESOLUTION::kFullScreen || r == PUZZLE_RESOLUTION::kApplyMode) return r;
    return kNothing;
  }
  return UpdatePanel();
}

int PUZZLE_SETTINGS::UpdatePanel() {
  // The rows answer with this window's kMusic, kSound and kCursor.
  if (const int row = rows_->Update(kit_); row != VolumeRows::kNothing) return row;
  if (fastBox_->Update(0, 0.0f) != 0) {
    fast_ = fastBox_->checked != 0;
    return kFast;
  }
  if (resolutionButton_->Update(0, 0.0f) == 1) {
    ZOV::SoundRender(kit_.openSound);
    PackSelection gui(C_NAME_PACK_GUI, C_PAS_GUI);
    resolution_ = std::make_unique<PUZZLE_RESOLUTION>(font_, profile_, kit_);
  }
  if (authorsButton_->Update(0, 0.0f) == 1) {
    ZOV::SoundRender(kit_.openSound);
    PackSelection gui(C_NAME_PACK_GUI, C_PAS_GUI);
    authors_ = std::make_unique<PUZZLE_AUTHORS>(kit_.window);
  }
  const ZOV::ST_INPUT& input = *kit_.window.Game().GetInput();
  if (ok_->Update(0, 0.0f) == 1 || KeyWentDown(input, plat::VK_RETURN)) {
    rows_->WriteTo(*profile_);
    profile_->FastCollector = fast_;
    return kOk;
  }
  if (cancel_->Update(0, 0.0f) == 1 || KeyWentDown(input, plat::VK_ESCAPE)) return kCancel;
  return kNothing;
}

int PUZZLE_SETTINGS::Render(int) {
  if (kit_.window.dim != nullptr) kit_.window.dim->Render(0);
  if (authors_) {
    authors_->Render(0);
    return 0;
  }
  if (resolution_) {
    resolution_->Render(0);
    return 0;
  }
  JSPRITE::Render(0);
  gear_->Render(0);
  rows_->RenderPictures();
  const float x = position.x, y = position.y;
  const float w = float(ImageWidth(*this)), h = float(ImageHeight(*this));
  const int middleX = kit_.window.Game().middle.x;
  ZOV::JFONT* big = kit_.window.big;
  if (big != nullptr && chTEXT_SETTINGS_MENU_HEADER != nullptr) {
    big->alignment = ZOV::JENUM::HOT_CENTER;
    big->SetColor(C_FONT_MAIN_COLOR);
    big->Rende(middleX, int(y - 0.37f * h), chTEXT_SETTINGS_MENU_HEADER);
  }
  const int captionX = int(x - 0.45f * w);
  auto caption = [&](ZOV::JFONT* f, int align, int cx, int cy, const char* text) {
    if (f == nullptr || text == nullptr) return;
    f->SetColor(C_FONT_MAIN_COLOR);
    f->alignment = align;
    f->Rende(cx, cy, text);
  };
  rows_->RenderRows(font_, captionX);
  // The configuration leaves this caption empty unless an edition names it;
  // a box without a caption would mean nothing to the player.
  const char* fast = chTEXT_SETTINGS_GAME_FAST_COLLECTOR;
  if (fast == nullptr || *fast == '\0') fast = kFastCollectorCaption;
  caption(kit_.window.comix, ZOV::JENUM::HOT_RIGHT_CENTER, int(fastBox_->position.x - 50.0f),
          int(fastBox_->position.y - 10.0f), fast);
  fastBox_->Render(0);
  resolutionButton_->Render(0);
  caption(font_, ZOV::JENUM::HOT_CENTER, int(resolutionButton_->position.x), int(resolutionButton_->position.y),
          chTEXT_SETTINGS_MENU_RESOLUTION);
  authorsButton_->Render(0);
  caption(font_, ZOV::JENUM::HOT_CENTER, int(authorsButton_->position.x), int(authorsButton_->position.y),
          chTEXT_SETTINGS_MENU_AUTOR);
  ok_->Render(0);
  cancel_->Render(0);
  return 0;
}

}  // namespace GAME
