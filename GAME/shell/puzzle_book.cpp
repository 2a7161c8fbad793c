#include "GAME/shell/puzzle_book.h"

#include <algorithm>
#include <string>

#include "GAME/config/config.h"
#include "GAME/config/globals.h"
#include "GAME/shell/menu_actions.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/shell/tile_map_9.h"
#include "GAME/ui/pack_selection.h"
#include "ST/button.h"
#include "ST/draw_types.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/sound.h"
#include "platform/sys.h"

namespace GAME {

int PUZZLE_PACK_COUNT = 0;

namespace {

// The tabs' distance from the book box's top and bottom edges.
constexpr int kTabInset = 100;
// A tab's middle lies this far right of the page edge plus offsetfrompage.
constexpr int kTabShift = 47;
// The captions sit this far above the tab's middle.
constexpr int kCaptionRise = 5;
// The least room left between a caption and its tab's ends.
constexpr int kCaptionMargin = 10;

PUZZLE_BOOK::Setup SharedSetup() {
  PUZZLE_BOOK::Setup s;
  s.chapters = PUZZLE_PACK_COUNT;
  ZOV::ST_GAME* game = ZOV::GetGame();
  s.width = game->GetScreenWidth();
  s.height = game->GetScreenHeight();
  s.font = comix;
  s.hoverSound = eButtonOver;
  s.clickSound = eButton;
  return s;
}

}  // namespace

PUZZLE_BOOK::PUZZLE_BOOK() : PUZZLE_BOOK(SharedSetup()) {}

PUZZLE_BOOK::PUZZLE_BOOK(const Setup& setup) : font_(setup.font), clickSound_(setup.clickSound) {
  int chapters = std::max(setup.chapters, 0);
  if (chapters > kMaxChapters) {
    plat::PrintLine("PUZZLE_BOOK: " + std::to_string(chapters) + " chapters, the book shows the first " +
                    std::to_string(kMaxChapters));
    chapters = kMaxChapters;
  }

  {
    PackSelection book(C_NAME_PACK_BOOK, C_PAS_BOOK);
    left_ = std::make_unique<JTILE_MAP_9>(chBOOK_1_1, chBOOK_2_1, chBOOK_3_1, chBOOK_1_2, chBOOK_2_2, chBOOK_3_2,
                                          chBOOK_1_3, chBOOK_2_3, chBOOK_3_3);
    right_ = std::make_unique<JTILE_MAP_9>(chBOOK_3_1, chBOOK_4_1, chBOOK_5_1, chBOOK_3_2, chBOOK_4_2, chBOOK_5_2,
                                           chBOOK_3_3, chBOOK_4_3, chBOOK_5_3);
  }
  // Only the right page draws the spine.
  left_->DisableSprite(13);
  left_->DisableSprite(23);
  left_->DisableSprite(33);

  {
    PackSelection menu(C_NAME_PACK_MENU, C_PAS_MENY);
    for (int i = 0; i < chapters; ++i) tabs_.push_back(new BUTTONACT(chGALLERY_BUTTON, &ButtonPackClick, i + 1));
    tabs_.push_back(new BUTTONACT(chGALLERY_BUTTON, &ButtonPackClick, kSavesTab));
    for (BUTTONACT* tab : tabs_) tab->SetOver(setup.hoverSound);
  }

  Reset(setup.width, setup.height);
  savesShown_ = false;
  plat::PrintLine("PUZZLE_BOOK::PUZZLE_BOOK() OK");
}

PUZZLE_BOOK::~PUZZLE_BOOK() {
  for (BUTTONACT* tab : tabs_) delete tab;
}

void PUZZLE_BOOK::Reset(int width, int height) {
  plat::PrintLine("PUZZLE_BOOK::Reset()");
  x1_ = int(BOOKOPTSIZEULX * float(width));
  x2_ = int(BOOKOPTSIZEDRX * float(width));
  y1_ = int(BOOKOPTSIZEULY * float(height));
  y2_ = int(BOOKOPTSIZEDRY * float(height));
  // The left page's top tile of column 3: the spine image, still sized
  // after its texture was released.
  spine_ = left_->Tile(13)->imageSize.x;

  const int cx = width / 2, cy = height / 2;
  const int pageW = width / 2 - x1_ + spine_ / 2, pageH = y2_ - y1_;
  left_->SetSizePix(pageW, pageH);
  right_->SetSizePix(pageW, pageH);
  left_->SetPos(width / 2 - (x2_ - x1_) / 4 + spine_ / 4, cy);
  right_->SetPos(cx + (x2_ - x1_) / 4 - spine_ / 4 - 1, cy);

  const int count = int(tabs_.size());
  const float frameH = float(tabs_.front()->frame.y);
  pitch_ = float((y2_ - y1_) / count);
  if (frameH * 1.2f < pitch_) pitch_ = frameH * 1.2f;
  // The last chapter tab ends above the saves tab: with many chapters the
  // pitch shrinks so that its middle is at least a frame height above the
  // saves tab's, which stands at the foot of the column.
  const int firstY = y1_ + kTabInset, savesY = y2_ - kTabInset;
  const int chapters = count - 1;
  if (chapters >= 2) {
    const float room = float(savesY - firstY) - frameH;
    const float most = std::max(room, 0.0f) / float(chapters - 1);
    if (pitch_ > most) pitch_ = most;
  }

  for (int i = 0; i < count; ++i) {
    BUTTONACT* tab = tabs_[size_t(i)];
    tab->position.x = float(x1_) - float(tab->imageSize.x) / 8.0f + float(offsetfrompage + kTabShift);
    tab->position.y = float(int(float(i) * pitch_ + float(firstY)));
  }
  SavesTab()->position.y = float(savesY);
  plat::PrintLine("PUZZLE_BOOK::Reset()  OK");
}

int PUZZLE_BOOK::Update() {
  for (int i = 0; i < Chapters(); ++i)
    if (tabs_[size_t(i)]->Update(0, 0.0f) == 1) break;
  if (savesShown_) SavesTab()->Update(0, 0.0f);
  return 1;
}

void PUZZLE_BOOK::Render() {
  left_->Render(0);
  right_->Render(0);
  // Neighbouring tabs may overlap where many chapters share the column: the
  // upper one, which takes a click in the overlap first, is drawn on top.
  for (int i = Chapters() - 1; i >= 0; --i) tabs_[size_t(i)]->Render(0);
  if (savesShown_) SavesTab()->Render(0);
}

void PUZZLE_BOOK::RenderActiveButtons() {
  if (!font_) return;
  const float size = font_->GetSize();
  auto caption = [&](const BUTTONACT* tab, const char* text) {
    if (!text || !*text) return;
    // A caption wider than its tab (a long configured name) is drawn
    // smaller so that it stays on the tab.
    const int len = font_->GetStringLenght(text);
    const float room = float(tab->frame.x - 2 * kCaptionMargin);
    const bool shrink = len > 0 && room > 0.0f && float(len) * size > room;
    if (shrink) font_->SetSize(room / float(len));
    font_->alignment = ZOV::JENUM::HOT_CENTER;
    font_->Rende(int(tab->position.x), int(tab->position.y - float(kCaptionRise)), text);
    if (shrink) font_->SetSize(size);
  };
  for (int i = 0; i < Chapters(); ++i) caption(tabs_[size_t(i)], CategoryCaption(size_t(i)));
  if (savesShown_) caption(SavesTab(), chTEXT_BOOK_SAVE);
  font_->SetColor(C_FONT_MAIN_COLOR);
}

void PUZZLE_BOOK::DropButton(int id) {
  for (BUTTONACT* tab : tabs_) tab->Activate(true);
  if (id >= 1 && id <= int(tabs_.size())) tabs_[size_t(id - 1)]->Activate(false);
  if (id == kSavesTab) SavesTab()->Activate(false);
}

void PUZZLE_BOOK::Saves(bool shown) { savesShown_ = shown; }

void PUZZLE_BOOK::SelectTab(int id) {
  ZOV::SoundRender(clickSound_);
  DropButton(id);
}

PUZZLE_BOOK::Choice PUZZLE_BOOK::ChooseTab(int id, int category, bool hasSaves) const {
  if (id == kSavesTab) return hasSaves ? Choice{kSavesTab, false} : Choice{category, true};
  if (id >= 1 && id <= Chapters()) return Choice{id, true};
  return Choice{category, category != kSavesTab};
}

BOOK_PAGE* PUZZLE_BOOK::Page(int category) const {
  if (category == kSavesTab) return savesShown_ ? savesPage_.get() : nullptr;
  if (category >= 1 && category <= Chapters() && size_t(category) <= chapterPages_.size())
    return chapterPages_[size_t(category - 1)].get();
  return nullptr;
}

int PUZZLE_BOOK::UpdatePage(int category) {
  BOOK_PAGE* page = Page(category);
  return page ? page->Update() : kNoPage;
}

void PUZZLE_BOOK::RenderPage(int category) {
  if (BOOK_PAGE* page = Page(category)) page->Render();
}

}  // namespace GAME
