#include "GAME/shell/leader_board.h"

#include <utility>

#include "GAME/config/globals.h"
#include "GAME/config/profile.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/slider.h"
#include "ST/sound.h"
#include "platform/sys.h"
#include "platform/window.h"

namespace GAME {

LIDER_BOARD::LIDER_BOARD(ZOV::JFONT* font, const WindowKit& kit)
    : JSPRITE(chSTBACK, 0), kit_(kit), font_(font) {
  plat::PrintLine("LIDER_BARD::LIDER_BARD() ");
  CentreOnScreen(*this, kit_.Game());
  const float x = position.x, y = position.y;
  const float h = float(ImageHeight(*this));
  picture_ = std::make_unique<JSPRITE>(chLIDERPIC, 0);
  picture_->SetPos(int(x + 55.0f), int(y - 0.35f * h));
  const float picY = picture_->position.y;
  plate_ = std::make_unique<JSPRITE>(chLIDERTABLE, 0);
  plate_->SetPos(int(x), int(picY + 100.0f));
  scroll_ = std::make_unique<JVSLIDER_E>(chPTNS_GM_SLIDER, chBUTTONMINUS, chBUTTONPLUS);
  scroll_->SetTotalSize(float(kRowsShown * ImageHeight(*plate_)));
  scroll_->SetPos(x + float(ImageWidth(*plate_)) / 1.8f, picY + 80.0f);
  scroll_->SetMaxMin(0, 0);
  highlight_ = std::make_unique<JSPRITE>(chLIDERUNDER, 0);
  ok_ = std::make_unique<JBUTTONMAP4>(chBUTTON_OK);
  const JST::iPOINT centre = kit_.Game().middle;
  ZOV::PlaceOnEdge(*ok_, float(centre.x), float(centre.y) + h / 2.0f);
  plat::PrintLine("LIDER_BARD::LIDER_BARD() OK");
}

LIDER_BOARD::~LIDER_BOARD() = default;

void LIDER_BOARD::AddLider(const LIDER_OPT& entry) {
  entries_.push_back(entry);
  scroll_->SetMax(int(entries_.size()) - kRowsShown);
  SortVect();
}

void LIDER_BOARD::SortVect() {
  const size_t n = entries_.size();
  for (size_t i = 0; i < n; ++i)
    for (size_t j = i + 1; j < n; ++j)
      if (entries_[i].score < entries_[j].score) std::swap(entries_[i], entries_[j]);
}

int LIDER_BOARD::Update(int, float) {
  if (ok_->Update(0, 0.0f) == 1 || KeyWentDown(*kit_.Game().GetInput(), plat::VK_RETURN)) {
    ZOV::SoundRender(kit_.click);
    return kClosed;
  }
  if (int(entries_.size()) > kRowsShown && scroll_->Update(0, 0.0f) != 0) firstRow_ = scroll_->GetValue();
  return kNothing;
}

int LIDER_BOARD::Render(int) {
  if (kit_.dim != nullptr) kit_.dim->Render(0);
  JSPRITE::Render(0);
  picture_->Render(0);
  const float x = position.x;
  if (kit_.big != nullptr && chTEXT_LIDER_BOARD_HEADER != nullptr) {
    kit_.big->alignment = ZOV::JENUM::HOT_CENTER;
    kit_.big->SetColor(C_FONT_MAIN_COLOR);
    // A caption without numbers: drawn as written, a '%' being a letter.
    kit_.big->Rende(int(x), int(picture_->position.y - 10.0f), chTEXT_LIDER_BOARD_HEADER);
  }
  ok_->Render(0);
  scroll_->Render(0);
  const float px = plate_->position.x, py = plate_->position.y;
  const float ph = float(ImageHeight(*plate_)) * plate_->scale.y;
  auto slotY = [&](int i) { return py + float(i) * (ph + float(kRowGap)); };
  for (int i = 0; i < kRowsShown; ++i) {
    if (firstRow_ + i + 1 <= kHighlighted) highlight_->Render(x, slotY(i));
    plate_->Render(x, slotY(i));
  }
  if (font_ != nullptr) {
    const int count = int(entries_.size());
    const int end = count > kRowsShown ? firstRow_ + kRowsShown : count;
    for (int k = firstRow_, i = 0; k < end && k < count; ++k, ++i) {
      const int y = int(slotY(i));
      font_->alignment = ZOV::JENUM::HOT_CENTER;
      font_->Render(int(px - 260.0f), y, "%i", k + 1);
      font_->alignment = ZOV::JENUM::HOT_CENTER;
      // A player's name is a folder name: drawn as written, never a format.
      font_->Rende(int(px - 78.0f), y, entries_[size_t(k)].name.c_str());
      font_->alignment = ZOV::JENUM::HOT_CENTER;
      font_->Render(int(px + 190.0f), y, "%i", entries_[size_t(k)].score);
    }
  }
  return 1;
}

void FillLeaderBoard(LIDER_BOARD& board, PROFILE& profile) {
  for (const std::string& name : profile.PlayerList()) {
    const int score = profile.GetScore4Player(name.c_str());
    if (score != -1) board.AddLider(LIDER_OPT{name, score});
  }
}

}  // namespace GAME
