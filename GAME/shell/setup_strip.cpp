#include "GAME/shell/setup_strip.h"

#include "GAME/config/globals.h"
#include "GAME/config/text_format.h"
#include "GAME/ui/pack_selection.h"
#include "ST/button.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/slider.h"
#include "ST/sound.h"
#include "ST/sprite.h"
#include "platform/window.h"

namespace {

// The strip shows the top third of the window image.
constexpr double kStripPart = 0.333;

int QuadWidth(const JSPRITE& s) { return int(s.quad.v[3].x - s.quad.v[0].x); }
int QuadHeight(const JSPRITE& s) { return int(s.quad.v[1].y - s.quad.v[0].y); }

}  // namespace

PUZZLE_IMG_HCANGE_SCREEN::PUZZLE_IMG_HCANGE_SCREEN(ZOV::ST_GAME* game, ZOV::JFONT* font, ZOV::ST_A* click)
    : game_(game), input_(game->GetInput()), font_(font), click_(click) {
  GAME::PackSelection gui(C_NAME_PACK_GUI, C_PAS_GUI);

  strip_ = std::make_unique<JSPRITE>(chSTBACK, 0);
  const int imageW = strip_->GetMyTexWidth(ZOV::JENUM::IMAGE_SIZE);
  const int imageH = strip_->GetMyTexHeight(ZOV::JENUM::IMAGE_SIZE);
  strip_->SetSizePix(imageW, int(imageH * kStripPart));
  strip_->SetTexelCoord(0.0f, 0.0f, 1.0f, float(kStripPart));
  strip_->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);

  count_ = std::make_unique<ZOV::JSLIDER_E>(chPTNS_GM_SLIDER, chBUTTONMINUS, chBUTTONPLUS);
  count_->SetMaxMin(kMinCount, kMaxCount);
  distortion_ = std::make_unique<ZOV::JSLIDER_E>(chPTNS_GM_SLIDER, chBUTTONMINUS, chBUTTONPLUS);
  distortion_->SetMaxMin(kMinDistort, kMaxDistort);

  rotation_ = std::make_unique<JBUTTONCHK>(chPTNS_GM_CHBOX_ROT);
  rotation_->checked = 0;
  rotation_->drawBox = false;

  ok_ = std::make_unique<JBUTTONMAP4>(chBUTTON_OK);
  cancel_ = std::make_unique<JBUTTONMAP4>(chBUTTON_CANCEL);
  caption_ = std::make_unique<JSPRITE>(chROTATION_TEXT, 0);
  caption_->CalculateHotSpot(ZOV::JENUM::HOT_BOTTOM_RIGHT);

  Reset();
}

PUZZLE_IMG_HCANGE_SCREEN::~PUZZLE_IMG_HCANGE_SCREEN() = default;

void PUZZLE_IMG_HCANGE_SCREEN::Reset() {
  const int sw = game_->GetScreenWidth(), sh = game_->GetScreenHeight();
  const int w = QuadWidth(*strip_), h = QuadHeight(*strip_);
  const double top = sh - 0.5 * h + 30.0;

  strip_->SetPos(sw / 2, sh - h / 2);

  const int buttonsY = int(top + 45.0);
  const int okX = sw / 2 + w / 4 + 50;
  ok_->SetPos(okX, buttonsY);
  // One frame plus a gap right of OK, so the two never overlap.
  cancel_->SetPos(okX + ok_->frame.x + kCancelGap, buttonsY);

  const double sliderH = count_->GetMyTexHeight(ZOV::JENUM::IMAGE_SIZE);
  const double left = sw / 2 - 0.4 * w;
  const double length = 0.45 * w;
  // The track length first, so the knob is placed along the new length.
  count_->SetTotalSize(float(length));
  count_->SetPos(float(left), float(sliderH * 0.7 + top + 15.0));
  distortion_->SetTotalSize(float(length));
  distortion_->SetPos(float(left), float(-0.7 * sliderH + top + 30.0));

  rotation_->SetPos(sw / 2 + w / 8 + 30, int(top - 13.0));
  caption_->SetPos(int(rotation_->position.x), int(rotation_->position.y - 23.0f));
}

int PUZZLE_IMG_HCANGE_SCREEN::Update() {
  if (ok_->Update(0, 0.0f) == 1 || input_->Key(plat::VK_RETURN) == 1) return kOk;
  if (cancel_->Update(0, 0.0f) == 1 || input_->Key(plat::VK_ESCAPE) == 1) {
    ZOV::SoundRender(click_);
    return kCancel;
  }
  // One change a frame: a control after the one that changed waits.
  if (count_->Update(0, 0.0f) == 1) return kChanged;
  if (distortion_->Update(0, 0.0f) == 1 || rotation_->Update(0, 0.0f) == 1) return kChanged;
  return kNothing;
}

void PUZZLE_IMG_HCANGE_SCREEN::Render(int distortion, int count) {
  strip_->Render(0);
  caption_->Render(0);
  if (font_) {
    font_->alignment = ZOV::JENUM::HOT_LEFT_CENTER;
    const char* answer = GetRotAccept() ? chTEXT_DIALOG_WIN_YES : chTEXT_DIALOG_WIN_NO;
    GAME::cfg::RenderText(font_, int(caption_->position.x - 0.9f * float(caption_->hotSpot.x) - 35.0f),
                          int(caption_->position.y - 0.86f * float(caption_->hotSpot.y)), "%s: %s",
                          chTEXT_DIALOG_WIN_ROTATION, answer);
  }
  ok_->Render(0);
  cancel_->Render(0);
  // Both labels stand half a slider image height plus a quarter above their
  // slider's line.
  const float r = count_->grabRadius;
  count_->Render(0);
  GAME::cfg::RenderText(font_, int(count_->x + 20.0f), int(count_->y - 1.5f * r), chTEXT_IMG_CHANGE_SCREEN_COUNT,
                        count);
  distortion_->Render(0);
  GAME::cfg::RenderText(font_, int(distortion_->x + 20.0f), int(distortion_->y - 1.5f * r),
                        chTEXT_IMG_CHANGE_SCREEN_DISTORT, distortion);
  rotation_->Render(0);
}

int PUZZLE_IMG_HCANGE_SCREEN::GetCount() const { return int(count_->GetValue()); }

int PUZZLE_IMG_HCANGE_SCREEN::GetDistort() const { return int(distortion_->GetValue()); }

bool PUZZLE_IMG_HCANGE_SCREEN::GetRotAccept() const { return rotation_->GetState() != 0; }

int PUZZLE_IMG_HCANGE_SCREEN::GetWidth() const { return QuadHeight(*strip_); }
