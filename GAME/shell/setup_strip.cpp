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
// The rotation text stands 0.9 of the caption's width plus 35 pixels left
// of the caption's right edge.
constexpr float kTextLeftOfCaption = 0.9f, kTextGap = 35.0f;

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
  // Everything is placed inside the strip's own rectangle, a margin in
  // from its edges, so nothing reaches past the strip or the screen.
  const int left = sw / 2 - w / 2, top = sh - h;
  const int margin = std::max(kMinMargin, h / 10);

  strip_->SetPos(sw / 2, sh - h / 2);

  // OK and Cancel along the foot at the right, Cancel in the corner.
  const int buttonsY = top + h - margin - std::max(ok_->frame.y, cancel_->frame.y) / 2;
  const int cancelX = left + w - margin - cancel_->frame.x / 2;
  const int okX = cancelX - cancel_->frame.x / 2 - kCancelGap - ok_->frame.x / 2;
  ok_->SetPos(okX, buttonsY);
  cancel_->SetPos(cancelX, buttonsY);

  // The sliders on the left, the count slider along the foot, the
  // distortion slider above it with room for the count's label between.
  // A slider reaches half a cap (or its minus button) left of its x and
  // half a cap (or its plus button) right of its end.
  const float capHalf = count_->texW / 8.0f;
  const float sliderR = count_->texH / 2.0f;
  const float minusReach = count_->minus ? float(count_->minus->frame.x / 8 + count_->minus->frame.x / 2) : 0.0f;
  const float plusReach = count_->plus ? float(count_->plus->frame.x / 4 + count_->plus->frame.x / 2) : 0.0f;
  const float sliderX = float(left + margin) + std::max(capHalf, minusReach);
  // The rotation text starts left of its caption (see Render).
  const float textLeft = float(cancelX) - kTextLeftOfCaption * float(caption_->hotSpot.x) - kTextGap;
  const float rightLimit = std::min(float(okX - ok_->frame.x / 2), textLeft) - float(margin);
  const float room = rightLimit - std::max(capHalf, plusReach) - sliderX;
  const float length = std::max(0.0f, std::min(float(0.45 * w), room));
  const float countY = float(top + h - margin) - sliderR;
  const float distortY = countY - 3.5f * sliderR;
  // The track length first, so the knob is placed along the new length.
  count_->SetTotalSize(length);
  count_->SetPos(sliderX, countY);
  distortion_->SetTotalSize(length);
  distortion_->SetPos(sliderX, distortY);

  // The rotation box above Cancel, its caption's arrow pointing down to it
  // from the upper left.
  const int boxHalf = rotation_->GetMyTexHeight(ZOV::JENUM::IMAGE_SIZE) / 2;
  const int boxY = buttonsY - std::max(ok_->frame.y, cancel_->frame.y) / 2 - margin / 2 - boxHalf;
  rotation_->SetPos(cancelX, boxY);
  caption_->SetPos(cancelX, boxY - kCaptionAbove);
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
    GAME::cfg::RenderText(font_, int(caption_->position.x - kTextLeftOfCaption * float(caption_->hotSpot.x) - kTextGap),
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
