#include "GAME/board/win_dialog.h"

#include <string>

#include "GAME/board/trophy_icon.h"
#include "GAME/config/globals.h"
#include "GAME/config/text_format.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/ui/pack_selection.h"
#include "ST/button.h"
#include "ST/button_layout.h"
#include "ST/file.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/sound.h"
#include "platform/sys.h"
#include "platform/window.h"

namespace GAME {
namespace {

// One trophy kind of the record: the picture's name stem and the hint.
struct Kind {
  char* const* path;
  char* const* header;
};

// The six trophies with levels, in the record's order.
const Kind kLevelled[] = {
    {&chTEXT_TROFEI_COLLECTOR_PATH, &chTEXT_TROFEI_COLLECTOR_HEADER},
    {&chTEXT_TROFEI_JIGSAW_MASTER_PATH, &chTEXT_TROFEI_JIGSAW_MASTER_HEADER},
    {&chTEXT_TROFEI_ENDURANCE_PATH, &chTEXT_TROFEI_ENDURANCE_HEADER},
    {&chTEXT_TROFEI_MEDITATION_PATH, &chTEXT_TROFEI_MEDITATION_HEADER},
    {&chTEXT_TROFEI_BICH_PATH, &chTEXT_TROFEI_BICH_HEADER},
    {&chTEXT_TROFEI_SAGE_PATH, &chTEXT_TROFEI_SAGE_HEADER},
};
constexpr int kInconstancy = 4;

std::string Text(char* const* global) { return *global != nullptr ? *global : ""; }

// Sets the font up for the next text: the main colour and the alignment.
void Prepare(ZOV::JFONT* font, int alignment) {
  if (font == nullptr) return;
  font->SetColor(C_FONT_MAIN_COLOR);
  font->alignment = alignment;
}

}  // namespace

JDIALOGWIN::JDIALOGWIN(const char* background, const char*, ZOV::JFONT* font, REG* record, int a, int b, int c, int d,
                       const WindowKit& kit)
    : JSPRITE(background, 0), kit_(kit), font_(font), record_(record), unused_{a, b, c, d} {
  plat::PrintLine("JDIALOGWIN::JDIALOGWIN()");
  if (!record_) {
    ZOV::ifile.Log("JDIALOGWIN: no record of the puzzle, an empty one is shown", false);
    record_ = std::make_unique<REG>();
  }
  const ZOV::ST_GAME& game = kit_.Game();
  const int cx = game.middle.x, cy = game.middle.y;
  const float B = float(GetMyTexHeight(ZOV::JENUM::IMAGE_SIZE));

  picture_ = std::make_unique<JSPRITE>(chWINPIC, 0);
  SetPos(cx, cy);
  picture_->SetPos(cx, int(float(cy) - B / 4.0f));
  picture_->CalculateHotSpot(ZOV::JENUM::HOT_TOP_CENTER);

  ok_ = std::make_unique<BUTTONACT>(chBUTTON_OK, static_cast<void (*)()>(nullptr));
  ZOV::PlaceOnEdge(*ok_, float(cx), float(cy) + B / 2.0f);

  if (record_->AnyTrophy()) {
    picture_->SetPos(cx, int(float(cy) - B / 3.0f));
    picture_->CalculateHotSpot(ZOV::JENUM::HOT_TOP_CENTER);
  }

  PackSelection trophies(C_NAME_PACK_TROFEI, C_PAS_TROFEI);
  const auto levels = record_->Trophies();
  auto add = [&](const std::string& name, char* const* header) {
    auto icon = std::make_unique<TROFEI>(name.c_str(), TROFEI::kHintBelowIcon, &kit_.Game());
    icon->hint = Text(header);
    icon->font = kit_.comix;
    icons_.push_back(std::move(icon));
  };
  for (int k = 0; k < 6; ++k) {
    if (levels[k] == 0) continue;
    const std::string name = Text(kLevelled[k].path) + std::to_string(levels[k]) + Text(&chTEXT_TROFEI_EXTENSION);
    if (k == kInconstancy) plat::PrintLine("BICH!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!");
    plat::PrintLine(name);
    add(name, kLevelled[k].header);
  }
  if (record_->lord != 0) add(Text(&chTEXT_TROFEI_OVERLORD_PATH), &chTEXT_TROFEI_OVERLORD_HEADER);

  const std::vector<JST::iPOINT> places = IconPlaces(int(icons_.size()), cx, cy);
  const int halfW = GetMyTexWidth(ZOV::JENUM::IMAGE_SIZE) / 2;
  for (size_t i = 0; i < icons_.size(); ++i) {
    icons_[i]->SetPos(places[i].x, places[i].y);
    icons_[i]->KeepHintWithin(cx - halfW + kFrame, cx + halfW - kFrame);
  }

  plat::PrintLine("JDIALOGWIN::JDIALOGWIN()   OK");
}

JDIALOGWIN::~JDIALOGWIN() {
  plat::PrintLine("JDIALOGWIN::~JDIALOGWIN()");
  ok_.reset();
  picture_.reset();
  record_.reset();
  icons_.clear();
  plat::PrintLine("JDIALOGWIN::~JDIALOGWIN()  OK");
}

std::vector<JST::iPOINT> JDIALOGWIN::IconPlaces(int n, int cx, int cy) {
  const int r1 = cy + kRow1, r2 = cy + kRow2;
  std::vector<JST::iPOINT> out;
  switch (n) {
    case 1:
      out = {{cx, r1}};
      break;
    case 2:
      out = {{cx + 95, r1}, {cx - 95, r1}};
      break;
    case 3:
      out = {{cx, r1}, {cx + 190, r1}, {cx - 190, r1}};
      break;
    default:
      if (n < 4) break;
      out = {{cx + 95, r1}, {cx - 95, r1}, {cx + 285, r1}, {cx - 285, r1}};
      if (n == 5) out.push_back({cx, r2});
      if (n >= 6) {
        out.push_back({cx + 190, r2});
        out.push_back({cx - 190, r2});
      }
      if (n >= 7) out.push_back({cx, r2});
      break;
  }
  // The record holds seven trophies at most; any further icon stays at the
  // centre of the second row rather than off the table.
  while (int(out.size()) < n) out.push_back({cx, r2});
  return out;
}

int JDIALOGWIN::Update(int, float) {
  const ZOV::ST_INPUT& input = *kit_.Game().GetInput();
  if (ok_->Update(0, 0.0f) == 1 || KeyWentDown(input, plat::VK_RETURN)) {
    ZOV::SoundRender(kit_.click);
    return kConfirmed;
  }
  for (auto& icon : icons_) icon->Update();
  return kNothing;
}

int JDIALOGWIN::Render(int) {
  if (kit_.dim != nullptr) kit_.dim->Render(0);
  JSPRITE::Render(0);
  picture_->Render(0);
  const float px = picture_->position.x, py = picture_->position.y;
  ZOV::JFONT* comix = kit_.comix;
  ZOV::JFONT* big = kit_.big;

  Prepare(comix, ZOV::JENUM::HOT_CENTER);
  cfg::RenderText(comix, int(px - 130.0f), int(py + 20.0f), chTEXT_DIALOG_WIN_AMOUNT);
  Prepare(comix, ZOV::JENUM::HOT_CENTER);
  cfg::RenderText(comix, int(px + 130.0f), int(py + 20.0f), chTEXT_DIALOG_WIN_SCORE);
  // The count ends at P.x - 110 by its measured length; a font drawing its
  // letters closer than their width (negative spacing) reaches that much
  // further right with its last glyph, so the icon starts past that glyph.
  int iconX = int(px - 110.0f);
  if (big != nullptr) {
    Prepare(big, ZOV::JENUM::HOT_RIGHT_CENTER);
    big->Render(int(px - 110.0f), int(py + 85.0f), "%ix", record_->pieces);
    if (big->spacing < 0) iconX -= big->spacing;
  }

  JSPRITE* rotation = record_->rotation != 0 ? sprRotPzl : sprNotRotPzl;
  if (rotation != nullptr) {
    const JSPRITE& size = sprRotPzl != nullptr ? *sprRotPzl : *rotation;
    rotation->SetSizePix(size.GetMyTexWidth(ZOV::JENUM::IMAGE_SIZE), size.GetMyTexHeight(ZOV::JENUM::IMAGE_SIZE));
    rotation->SetPos(iconX, int(py + 90.0f));
    rotation->CalculateHotSpot(ZOV::JENUM::HOT_LEFT_CENTER);
    rotation->Render(0);
  }

  if (big != nullptr) {
    Prepare(big, ZOV::JENUM::HOT_CENTER);
    big->Render(int(px + 130.0f), int(py + 85.0f), "%i", record_->score);
  }
  Prepare(comix, ZOV::JENUM::HOT_CENTER);
  cfg::RenderText(comix, int(px), int(py + 230.0f), chTEXT_DIALOG_WIN_TIME);
  if (big != nullptr) {
    Prepare(big, ZOV::JENUM::HOT_CENTER);
    if (record_->hours != 0)
      big->Render(int(px), int(py + 175.0f), "%0*i:%0*i:%0*i", 2, record_->hours, 2, record_->minutes, 2,
                  record_->seconds);
    else
      big->Render(int(px), int(py + 175.0f), "%0*i:%0*i", 2, record_->minutes, 2, record_->seconds);
  }
  ok_->Render(0);
  Prepare(big, ZOV::JENUM::HOT_CENTER);
  cfg::RenderText(big, int(position.x), int(py - 35.0f), chTEXT_DIALOG_WIN_HEADER_1);

  for (auto& icon : icons_) icon->Render();
  for (auto& icon : icons_) icon->RenderHint();
  return 0;
}

}  // namespace GAME
