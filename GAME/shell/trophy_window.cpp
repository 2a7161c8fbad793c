#include "GAME/shell/trophy_window.h"

#include <string>

#include "GAME/board/trophy_icon.h"
#include "GAME/config/globals.h"
#include "GAME/config/player_record.h"
#include "GAME/config/text_format.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/sound.h"
#include "platform/sys.h"
#include "platform/window.h"

namespace ZOV {
namespace {

using Profile = GAME::PUZZLE_PLAYER_PROFILE;

// One row of the window: where the picture's name comes from, the hint, the
// record's level, and the icon's place from the screen centre and the
// icon's own width.
struct Row {
  char* const* path;
  char* const* hint;
  int level;  // index into the record's trophy levels
  int (*x)(int cx, int w);
  int dy;
};

const Row kRows[] = {
    {&chTEXT_TROFEI_COLLECTOR_PATH, &chTEXT_TROFEI_COLLECTOR, Profile::COLLECTOR,
     [](int cx, int w) { return cx - w / 2 - 10; }, -100},
    {&chTEXT_TROFEI_JIGSAW_MASTER_PATH, &chTEXT_TROFEI_JIGSAW_MASTER, Profile::JIGSAW_MASTER,
     [](int cx, int w) { return cx + w / 2 + 10; }, -100},
    {&chTEXT_TROFEI_ENDURANCE_PATH, &chTEXT_TROFEI_ENDURANCE, Profile::ENDURANCE,
     [](int cx, int w) { return cx + 3 * (w / 2) + 30; }, -100},
    {&chTEXT_TROFEI_MEDITATION_PATH, &chTEXT_TROFEI_MEDITATION, Profile::MEDITATION,
     [](int cx, int w) { return cx - 3 * (w / 2) - 30; }, -100},
    {&chTEXT_TROFEI_BICH_PATH, &chTEXT_TROFEI_BICH, Profile::INCONSTANCY, [](int cx, int) { return cx; }, 100},
    {&chTEXT_TROFEI_SAGE_PATH, &chTEXT_TROFEI_SAGE, Profile::SAGE, [](int cx, int w) { return cx + w + 10; }, 100},
    {&chTEXT_TROFEI_OVERLORD_PATH, &chTEXT_TROFEI_OVERLORD, Profile::LORD, [](int cx, int w) { return cx - w - 10; },
     100},
};

std::string Text(char* const* global) { return *global != nullptr ? *global : ""; }

}  // namespace

TROFEI_PANEL::TROFEI_PANEL(JFONT* font, GAME::PUZZLE_PLAYER_PROFILE* profile, const GAME::WindowKit& kit)
    : JSPRITE(chSTBACK, 0), kit_(kit), profile_(profile), font_(font) {
  if (profile_ == nullptr) ifile.Log("TROFEI_PANEL: no player record, no trophy is shown reached", false);
  GAME::CentreOnScreen(*this, kit_.Game());
  const int cx = kit_.Game().middle.x, cy = kit_.Game().middle.y;
  const float x = position.x, y = position.y;
  const float H = float(GAME::ImageHeight(*this));

  picture_ = std::make_unique<JSPRITE>(chTROFEIPIC, 0);
  picture_->SetPos(int(x), int(y - 230.0f));
  ok_ = std::make_unique<JBUTTONMAP4>(chBUTTON_OK);
  ZOV::PlaceOnEdge(*ok_, float(cx), float(cy) + H / 2.0f);
  corner_ = std::make_unique<JSPRITE>(chMagnifer, 0);
  corner_->SetPos(int(x - 80.0f), int(y + H / 2.0f - 60.0f));

  ifile.ZipSetCurrentPack(C_NAME_PACK_TROFEI);
  ifile.ZipSetCurrentPass(C_PAS_TROFEI);
  const Profile none;
  const Profile& record = profile_ != nullptr ? *profile_ : none;
  for (const Row& row : kRows) {
    const int level = record.trofei[row.level];
    const bool lord = row.level == Profile::LORD;
    std::string name = Text(row.path);
    if (!lord) name += std::to_string(level != 0 ? level : 1) + Text(&chTEXT_TROFEI_EXTENSION);
    auto icon = std::make_unique<TROFEI>(name.c_str(), TROFEI::kHintBelowCentre, &kit_.Game());
    if (level == 0)
      icon->SetColor(kFaded);
    else if (!lord)
      plat::PrintLine(name);
    icon->hint = Text(row.hint);
    icon->font = kit_.comix;
    const int w = GAME::ImageWidth(*icon);
    icon->SetPos(row.x(cx, w), cy + row.dy);
    trophies_.push_back(std::move(icon));
  }
}

TROFEI_PANEL::~TROFEI_PANEL() {
  ifile.Log("trofei destroy", false);
  ok_.reset();
  picture_.reset();
  corner_.reset();
  trophies_.clear();
  ifile.Log("trofei destroy ok", false);
}

int TROFEI_PANEL::Update(int, float) {
  for (auto& t : trophies_) t->Update();
  if (ok_->Update(0, 0.0f) == 1 || GAME::KeyWentDown(*kit_.Game().GetInput(), plat::VK_RETURN)) {
    SoundRender(kit_.click);
    return kClosed;
  }
  return kNothing;
}

int TROFEI_PANEL::Render(int) {
  if (kit_.dim != nullptr) kit_.dim->Render(0);
  JSPRITE::Render(0);
  picture_->Render(0);
  corner_->Render(0);
  ok_->Render(0);
  if (kit_.big != nullptr) {
    kit_.big->alignment = JENUM::HOT_CENTER;
    kit_.big->SetColor(C_FONT_MAIN_COLOR);
    GAME::cfg::RenderText(kit_.big, int(position.x), int(position.y - 255.0f), chTEXT_TROFEI_BOARD_HEADER);
  }
  for (auto& t : trophies_) t->Render();
  for (auto& t : trophies_) t->RenderHint();
  if (font_ != nullptr) font_->SetSize(1.0f);
  return 0;
}

}  // namespace ZOV
