#include "GAME/shell/score_board.h"

#include "GAME/config/globals.h"
#include "GAME/config/text_format.h"
#include "GAME/ui/shared_assets.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/renderer.h"
#include "ST/slider.h"
#include "ST/sound.h"
#include "platform/window.h"

namespace GAME {

// ---- ITEM_SCORE

ITEM_SCORE::ITEM_SCORE(unsigned long texture, std::unique_ptr<REG> record, ZOV::JFONT* font, ZOV::JFONT* big,
                       JSPRITE* plate, ZOV::JINGFX* gfx)
    : thumbnail_(std::make_unique<JSPRITE>(texture)),
      record_(record ? std::move(record) : std::make_unique<REG>()),
      font_(font),
      big_(big),
      plate_(plate),
      gfx_(gfx) {
  // The texture's own size, whatever was loaded before it.
  const float w = float(thumbnail_->GetMyTexWidth(1)), h = float(thumbnail_->GetMyTexHeight(1));
  if (w > 0.0f && h > 0.0f) {
    if (w <= h) {
      thumbW_ = int(w / h * float(kThumbSide));
      thumbH_ = kThumbSide;
    } else {
      thumbW_ = kThumbSide;
      thumbH_ = int(h / w * float(kThumbSide));
    }
    thumbnail_->SetSizePix(thumbW_, thumbH_);
  }
  thumbnail_->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
}

ITEM_SCORE::~ITEM_SCORE() = default;

int ITEM_SCORE::Render(int ry) {
  const float rx = position.x;
  if (big_ != nullptr) {
    big_->alignment = ZOV::JENUM::HOT_CENTER;
    big_->SetColor(C_FONT_MAIN_COLOR);
    big_->Render(int(rx - 250.0f), ry, "%i.", number);
  }
  const int thumbX = int(rx - 125.0f);
  if (gfx_ != nullptr) gfx_->SetAnisotropic(true);
  if (plate_ != nullptr) {
    plate_->scale = JST::fPOINT(1.0f, 1.0f);
    plate_->angle = 0.0f;
    plate_->SetSizePix(thumbW_ + kFrameMargin, thumbH_ + kFrameMargin);
    plate_->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
    plate_->Render(float(thumbX), float(ry));
  }
  thumbnail_->Render(float(thumbX), float(ry));
  if (gfx_ != nullptr) gfx_->SetAnisotropic(false);
  if (font_ != nullptr) {
    const int tx = int(rx + 10.0f);
    font_->alignment = ZOV::JENUM::HOT_LEFT_CENTER;
    cfg::RenderText(font_, tx, ry - 30, chTEXT_SCORE_BOARD_ITEM_SCORE, record_->score);
    font_->alignment = ZOV::JENUM::HOT_LEFT_CENTER;
    cfg::RenderText(font_, tx, ry, chTEXT_SCORE_BOARD_ITEM_PIECE, record_->pieces);
    font_->alignment = ZOV::JENUM::HOT_LEFT_CENTER;
    if (record_->hours == 0) {
      cfg::RenderText(font_, tx, ry + 30, chTEXT_SCORE_BOARD_ITEM_TIME, 2, record_->minutes, 2, record_->seconds);
    } else {
      cfg::RenderText(font_, tx, ry + 30, chTEXT_SCORE_BOARD_ITEM_TIME_H, 2, record_->hours, 2, record_->minutes, 2,
                      record_->seconds);
    }
  }
  return 1;
}

// ---- SCORE_BOARD

SCORE_BOARD::SCORE_BOARD(ZOV::JFONT* font, const WindowKit& kit, JSPRITE* plate)
    : JSPRITE(chSTBACK, 0),
      kit_(kit),
      font_(font),
      whitePlate_(plate != nullptr ? plate : whiteSplain),
      scroll_(std::make_unique<JVSLIDER_E>(chPTNS_GM_SLIDER, chBUTTONMINUS, chBUTTONPLUS)),
      ok_(std::make_unique<JBUTTONMAP4>(chBUTTON_OK)),
      plate_(std::make_unique<JSPRITE>(chSCOREFON, 0)) {
  CentreOnScreen(*this, kit_.Game());
  const float x = position.x, y = position.y;
  const float h = float(ImageHeight(*this));
  plate_->SetPos(int(x + 264.0f), int(y - 0.3f * h));
  scroll_->SetTotalSize(float(kScrollLength));
  scroll_->SetPos(x + kScrollRightOfCentre, plate_->position.y + kScrollBelowPlate);
  scroll_->SetMaxMin(0, 0);
  const JST::iPOINT centre = kit_.Game().middle;
  ZOV::PlaceOnEdge(*ok_, float(centre.x), float(centre.y) + h / 2.0f);
}

SCORE_BOARD::~SCORE_BOARD() = default;

unsigned long SCORE_BOARD::LoadTexture(const char* face) {
  ZOV::JINGFX& gfx = *kit_.Game().GetGfx();
  const char* name = face ? face : "";
  if (C_NAME_PACK_IMAGE_PREV == nullptr) return gfx.TextureLoad(name);
  // The pack is named in the call: the shared selection is not touched.
  return gfx.TextureLoadZip(C_NAME_PACK_IMAGE_PREV, name, C_PAS_IMAGE);
}

void SCORE_BOARD::AddScoreItem(std::unique_ptr<REG> record, const char* face) {
  const unsigned long texture = LoadTexture(face);
  rows_.push_back(std::make_unique<ITEM_SCORE>(texture, std::move(record), font_, kit_.big, whitePlate_,
                                               kit_.Game().GetGfx()));
  rows_.back()->number = int(rows_.size());
  rows_.back()->position.x = position.x;
  scroll_->SetMax(int(rows_.size()) - kRowsShown);
}

int SCORE_BOARD::Update(int, float) {
  if (ok_->Update(0, 0.0f) == 1 || KeyWentDown(*kit_.Game().GetInput(), plat::VK_RETURN)) {
    ZOV::SoundRender(kit_.click);
    return kClosed;
  }
  if (int(rows_.size()) > kRowsShown && scroll_->Update(0, 0.0f) != 0) firstRow_ = scroll_->GetValue();
  return kNothing;
}

int SCORE_BOARD::Render(int) {
  if (kit_.dim != nullptr) kit_.dim->Render(0);
  JSPRITE::Render(0);
  plate_->Render(0);
  const float py = plate_->position.y;
  if (kit_.big != nullptr && chTEXT_SCORE_BOARD_HEADER != nullptr) {
    kit_.big->alignment = ZOV::JENUM::HOT_CENTER;
    kit_.big->SetColor(C_FONT_MAIN_COLOR);
    // A caption without numbers: drawn as written, a '%' being a letter. It
    // stands in the window's title band, clear of the rule under the band,
    // at the height of the trophy window's title.
    const float top = position.y - float(ImageHeight(*this)) / 2.0f;
    kit_.big->Rende(int(position.x), int(top + kTitleBelowTop), chTEXT_SCORE_BOARD_HEADER);
  }
  ok_->Render(0);
  scroll_->Render(0);
  const int count = int(rows_.size());
  const int end = count > kRowsShown ? firstRow_ + kRowsShown : count;
  for (int k = firstRow_, i = 0; k < end && k < count; ++k, ++i)
    rows_[size_t(k)]->Render(int(py + 80.0f + float(kRowPitch * i)));
  return 1;
}

}  // namespace GAME
