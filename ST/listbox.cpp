#include "ST/listbox.h"

#include <cstring>
#include <string>

#include "GAME/config/globals.h"
#include "ST/font.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/slider.h"
#include "ST/sprite.h"
#include "platform/sys.h"

namespace {

int QuadHeight(const JSPRITE* s) { return s ? int(s->quad.v[1].y - s->quad.v[0].y) : 0; }

constexpr int kAlignLeftCentre = 7;

}  // namespace

void JLISTBOX::ELEMENT::Render(int x, int y) {
  if (!font) return;
  const int color = font->GetColor();
  font->alignment = kAlignLeftCentre;
  font->Rende(x, y, text.c_str());
  font->SetColor(color);
}

JLISTBOX::JLISTBOX(const char*, const char*) {
  position = JST::fPOINT(100.0f, 100.0f);
  scale = JST::fPOINT(100.0f, 100.0f);
  input = ZOV::GetGame()->GetInput();

  background = new JSPRITE(chPLAYERSBACK, 0);
  background->SetHotSpot(0, 0);
  background->SetPos(int(position.x), int(position.y));
  background->SetSizePix(int(scale.x), int(scale.y));

  stroke = new JSPRITE(chPLAYERSSTROKE, 0);

  scrollBar = new JVSLIDER_E(chPTNS_GM_SLIDER, chBUTTONMINUS, chBUTTONPLUS);
  scrollBar->SetPos(position.x + scale.x + BarW() / 2.0f, position.y + BarH() / 8.0f);
  scrollBar->SetTotalSize(scale.x);
  scrollBar->SetMaxMin(0, 0);

  pitch = stroke->GetMyTexHeight(1);
  visibleRows = 0;
}

JLISTBOX::~JLISTBOX() {
  Clear();
  delete background;
  delete stroke;
  delete scrollBar;
}

float JLISTBOX::BarW() const { return scrollBar ? scrollBar->texW : 0.0f; }
float JLISTBOX::BarH() const { return scrollBar ? scrollBar->texH : 0.0f; }
int JLISTBOX::BackgroundQuadHeight() const { return QuadHeight(background); }
int JLISTBOX::StrokeQuadHeight() const { return QuadHeight(stroke); }

int JLISTBOX::SetPos(float x, float y) {
  position = JST::fPOINT(x, y);
  background->SetPos(int(x), int(y));
  scrollBar->SetPos(x + scale.x + BarH() / 2.0f, y + BarW() / 8.0f);
  return 0;
}

int JLISTBOX::SetSize(int w, int h) {
  scale = JST::fPOINT(float(w), float(h));
  background->SetSizePix(w, h);
  scrollBar->SetPos(position.x + scale.x + BarH() / 2.0f, position.y + BarW() / 6.0f);
  scrollBar->SetTotalSize(float(background->GetMyTexHeight(1)) * 0.6f);
  return 0;
}

int JLISTBOX::SetWidth(int w) {
  scale.x = float(w);
  background->SetSizePix(int(scale.x), int(scale.y));
  scrollBar->SetPos(position.x + scale.x + BarH() / 2.0f, position.y + BarW() / 8.0f);
  return 0;
}

int JLISTBOX::SetHeigth(int h) {
  scale.y = float(h);
  background->SetSizePix(int(scale.x), int(scale.y));
  scrollBar->SetTotalSize(scale.y);
  return 0;
}

int JLISTBOX::RowAtScreen(int i) const {
  const int n = int(rows.size());
  if (i < 0 || i >= visibleRows) return -1;
  const int k = n - (firstRow + i) - 1;
  return k >= 0 && k < n ? k : -1;
}

int JLISTBOX::Update(int, float) {
  rowCount = int(rows.size());
  const int strokeH = StrokeQuadHeight();
  visibleRows = strokeH > 0 ? BackgroundQuadHeight() / strokeH : 0;
  if (visibleRows < 0) visibleRows = 0;

  if (visibleRows < rowCount) {
    if (rowCount > 0) scrollBar->Update(0, 0.0f);
    scrollBar->SetMax(rowCount - visibleRows);
    firstRow = scrollBar->GetValue();
  } else {
    firstRow = 0;
  }
  // The offset never runs past the rows, whatever the bar holds (its range
  // may just have shrunk, or its minimum differ from 0).
  if (firstRow > rowCount - visibleRows) firstRow = rowCount - visibleRows;
  if (firstRow < 0) firstRow = 0;

  if (!input || input->Lkm() == 0) return 0;
  const int shown = rowCount < visibleRows ? rowCount : visibleRows;
  const int w = stroke->GetMyTexWidth(1);
  for (int i = 0; i < shown; ++i) {
    if (!input->IsMouseInFrame(int(position.x), int(position.y + float(pitch * i)), w, pitch)) continue;
    const int k = RowAtScreen(i);
    if (k < 0) continue;
    for (ELEMENT* row : rows) row->selected = false;
    rows[size_t(k)]->selected = true;
    selected = k;
  }
  return 0;
}

int JLISTBOX::Render(int) {
  rowCount = int(rows.size());
  background->Render(0);
  scrollBar->Render(0);
  if (rows.empty()) return 0;

  const int shown = rowCount < visibleRows ? rowCount : visibleRows;
  for (int i = 0; i < shown; ++i) {
    const int k = RowAtScreen(i);
    if (k < 0) break;
    ELEMENT* row = rows[size_t(k)];
    const float lineY = position.y + float(rowY + pitch * i);
    if (row->selected) stroke->Render(position.x + float(strokeX), position.y + float(strokeY + pitch * i));
    if (!row->font) continue;
    row->font->SetColor(C_FONT_MAIN_COLOR);
    row->font->alignment = kAlignLeftCentre;
    row->font->Render(int(position.x + float(numberX)), int(lineY), "%i", rowCount - k);
    row->Render(int(position.x + float(textX)), int(lineY));
  }
  if (rows[0]->font) rows[0]->font->SetColor(int(0xFFFFFFFFu));
  return 0;
}

int JLISTBOX::AddElement(ZOV::JFONT* font, const char* text) {
  textHeight = font ? int(font->GetSize() * float(font->lineHeight)) : 0;
  auto* row = new ELEMENT(font, text);
  for (ELEMENT* r : rows) r->selected = false;
  row->selected = true;
  rows.push_back(row);
  selected = int(rows.size()) - 1;
  plat::PrintLine("Element added " + std::to_string(selected));
  return 0;
}

int JLISTBOX::DelElement() {
  if (rows.empty()) return 1;
  if (selected < 0 || selected >= int(rows.size())) selected = int(rows.size()) - 1;
  delete rows[size_t(selected)];
  rows.erase(rows.begin() + selected);
  if (selected > 0) --selected;
  if (scrollBar->GetValue() != int(scrollBar->minimum)) scrollBar->SetValue(scrollBar->GetValue() - 1);
  for (ELEMENT* r : rows) r->selected = false;
  if (!rows.empty()) rows[size_t(selected)]->selected = true;
  rowCount = int(rows.size());
  return 0;
}

void JLISTBOX::Clear() {
  for (ELEMENT* r : rows) delete r;
  rows.clear();
  selected = 0;
  firstRow = 0;
  rowCount = 0;
}

const char* JLISTBOX::GetSelectedString() const {
  if (rows.empty() || selected < 0 || selected >= int(rows.size())) return nullptr;
  return rows[size_t(selected)]->text.c_str();
}

bool JLISTBOX::SearchMatches(const char* text) const {
  if (!text) return false;
  for (const ELEMENT* r : rows)
    if (std::strcmp(r->text.c_str(), text) == 0) return true;
  return false;
}
