#include "GAME/shell/authors_window.h"

#include <string>

#include "GAME/config/globals.h"
#include "ST/button.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/sound.h"
#include "platform/window.h"

namespace GAME {

int startText = 255;
int startTextQuillmere = 200;
int startTextVantolux = 80;

namespace {

// Each line of the text centred on x on its own, the first vertically
// centred on y, the next ones a line height apart.
void DrawCentredLines(ZOV::JFONT& font, int x, int y, const char* text) {
  const int pitch = int(float(font.lineHeight) * font.GetSize());
  std::string line;
  for (const char* c = text;; ++c) {
    if (*c == '\n' || *c == '\0') {
      font.alignment = ZOV::JENUM::HOT_CENTER;
      font.Rende(x, y, line.c_str());
      if (*c == '\0') return;
      line.clear();
      y += pitch;
    } else {
      line += *c;
    }
  }
}

}  // namespace

PUZZLE_AUTHORS::PUZZLE_AUTHORS(const WindowKit& kit)
    : JSPRITE(chSTBACK, 0),
      kit_(kit),
      picture_(std::make_unique<JSPRITE>(chAUTOR_PIC, 0)),
      ok_(std::make_unique<JBUTTONMAP4>(chBUTTON_OK)) {
  Reset();
}

PUZZLE_AUTHORS::~PUZZLE_AUTHORS() = default;

void PUZZLE_AUTHORS::Reset() {
  CentreOnScreen(*this, kit_.Game());
  const float x = position.x, y = position.y;
  const float w = float(ImageWidth(*this)), h = float(ImageHeight(*this));
  picture_->SetPos(int(x - w / 4.0f), int(y));
  ok_->SetPos(int(x), int(OkCancelRow(y, h, BUTTONSOKANDCANCELINDENTY)));
}

int PUZZLE_AUTHORS::Update(int, float) {
  if (ok_->Update(0, 0.0f) == 1 || KeyWentDown(*kit_.Game().GetInput(), plat::VK_RETURN)) {
    ZOV::SoundRender(kit_.click);
    return kClosed;
  }
  return kNothing;
}

int PUZZLE_AUTHORS::Render(int) {
  JSPRITE::Render(0);
  picture_->Render(0);
  const int x = int(position.x), y = int(position.y);
  const int column = int(position.x + float(ImageWidth(*this)) / 5.0f);
  struct Line {
    ZOV::JFONT* font;
    int x, y;
    const char* text;
  };
  const Line lines[] = {
      {kit_.big, x, y - startText, chTEXT_AUTHORS_HEADER},
      {kit_.big, column, y - startTextQuillmere, chTEXT_AUTHORS_COMPANY_1},
      {kit_.comix, column, y - startTextQuillmere + 40, chTEXT_AUTHORS_ARTIST},
      {kit_.comix, column, y - startTextQuillmere + 65, chTEXT_AUTHORS_ARTIST_NAME},
      {kit_.big, column, y - startTextVantolux, chTEXT_AUTHORS_COMPANY_2},
      {kit_.comix, column, y - startTextVantolux + 40, chTEXT_AUTHORS_PROGRAMMER},
      {kit_.comix, column, y - startTextVantolux + 65, chTEXT_AUTHORS_PROGRAMMER_NAME},
      {kit_.comix, column, y - startTextVantolux + 160, chTEXT_AUTHORS_MANAGER},
      {kit_.comix, column, y - startTextVantolux + 185, chTEXT_AUTHORS_MANAGER_NAME},
      {kit_.comix, x + COPYRIGHT_POS_X, y + COPYRIGHT_POS_Y, chTEXT_COPYRIGHT1},
  };
  for (const Line& l : lines)
    if (l.font != nullptr && l.text != nullptr) DrawCentredLines(*l.font, l.x, l.y, l.text);
  ok_->Render(0);
  return 0;
}

}  // namespace GAME
