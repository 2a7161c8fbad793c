// JLISTBOX: a scrollable list of text rows on a background image, with a
// selection stroke and a vertical scroll bar with step buttons. Rows are
// shown newest first, each with its 1-based number in front of its text; a
// left click on a row selects it, and exactly one row is selected while the
// list holds any. The player-selection window shows the players with it.
//
// The images (chPLAYERSBACK, chPLAYERSSTROKE, and chPTNS_GM_SLIDER with
// chBUTTONMINUS and chBUTTONPLUS for the scroll bar) and the text colour
// C_FONT_MAIN_COLOR come from the configuration globals; the images are read
// from whatever pack the caller has selected in ZOV::ifile.
//
// Geometry: the position is the background's top-left corner and the scale
// pair its width and height. Screen row i sits `pitch` (the stroke image's
// height) below row i - 1; its number is drawn at (x + 45, y + 40 + pitch x
// i), its text at x + 100 on the same line, and the stroke of the selected
// row is centred on (x + 210, y + 35 + pitch x i).
//
// Rows keep their own copies of the texts. Fonts are lent: the list never
// deletes them. A null font draws nothing.
#pragma once

#include <string>
#include <vector>

#include "ST/object.h"

class JSPRITE;
class JVSLIDER_E;

namespace ZOV {
class JFONT;
class ST_INPUT;
}  // namespace ZOV

class JLISTBOX : public JST::STO {
 public:
  // One row: the font it is drawn with, its text, whether it is selected.
  struct ELEMENT {
    ELEMENT(ZOV::JFONT* f, const char* t) : font(f), text(t ? t : "") {}
    // Draws the text as plain text (a '%' is a letter), left-centred at
    // (x, y), in the font's current colour, which it leaves unchanged.
    void Render(int x, int y);

    ZOV::JFONT* font;
    std::string text;
    bool selected = false;
  };

  // Both names are unused: the images come from the configuration.
  JLISTBOX(const char* unused1, const char* unused2);
  ~JLISTBOX() override;
  JLISTBOX(const JLISTBOX&) = delete;
  JLISTBOX& operator=(const JLISTBOX&) = delete;

  // The scroll bar (when the rows overflow) and click selection; 0.
  int Update(int, float) override;
  // Background, scroll bar and the visible rows; 0.
  int Render(int) override;
  int Message(int) override { return 1; }

  // Appends a row and selects it; 0. A null text is stored as "".
  int AddElement(ZOV::JFONT* font, const char* text);
  // Removes the selected row and selects the next older one (or the row
  // that moved into index 0); 1 when the list was empty, else 0.
  int DelElement();
  // Kept for the interface; changes nothing.
  int EditElement(int, const char*) { return 0; }
  // Removes every row.
  void Clear();
  // The selected row's text (owned by the row, valid until it is removed),
  // null when the list is empty.
  const char* GetSelectedString() const;
  // Whether some row's text equals `text` byte for byte (case-sensitive).
  bool SearchMatches(const char* text) const;

  int SetPos(float x, float y);
  using JST::STO::SetSize;
  int SetSize(int w, int h);
  int SetWidth(int w);
  int SetHeigth(int h);
  // Stored only; the rows are drawn at their font's own size. Returns 1.
  int SetSizeFont(float s) {
    fontSize = s;
    return 1;
  }

  int RowCount() const { return int(rows.size()); }
  // Row index (0 = oldest) of screen row i for the current scroll offset,
  // -1 when no row is shown there.
  int RowAtScreen(int i) const;

  int visibleRows = 0;
  int rowCount = 0;
  int textHeight = 0;
  int selected = 0;
  int firstRow = 0;
  int textX = 100;
  int numberX = 45;
  int rowY = 40;
  int strokeY = 35;
  int pitch = 0;
  int strokeX = 210;
  float fontSize = 0.0f;
  JSPRITE* background = nullptr;
  JSPRITE* stroke = nullptr;
  JVSLIDER_E* scrollBar = nullptr;
  ZOV::ST_INPUT* input = nullptr;
  std::vector<ELEMENT*> rows;  // insertion order: index 0 is the oldest

 private:
  // The scroll bar's image width and height.
  float BarW() const;
  float BarH() const;
  int BackgroundQuadHeight() const;
  int StrokeQuadHeight() const;
};
