#include "ST/cursor.h"

#include "ST/game.h"
#include "ST/pixel_tools.h"
#include "ST/renderer.h"

JMOUSEB::JMOUSEB(const char* file) : JSPRITE(file, 0) {
  input = ZOV::GetGame()->GetInput();
  unsigned long tex = 0;
  {
    // The texture sprite reads the size the creation has just recorded.
    CsHold hold;
    tex = gfx->TextureCreate(2, 2);
    if (tex) bar = new JSPRITE(tex);
  }
  if (tex) GAMETOOLS::PillAll(0xFF000000u, tex);
}

JMOUSEB::~JMOUSEB() {
  delete bar;
  bar = nullptr;
}

int JMOUSEB::Update(int, float) {
  position.x = float(input->GetMouseX());
  position.y = float(input->GetMouseY());
  return 0;
}

void JMOUSEB::Bar(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  bar->SetSizePix(w, h);
  bar->SetPos(x, y);
  bar->CalculateHotSpot(ZOV::JENUM::HOT_TOP_LEFT);
  bar->Render(0);
}

int JMOUSEB::Render(int) {
  if (bar) {
    gfx->SetDefaultView();
    const int bw = gfx->present.backW, bh = gfx->present.backH;
    const int ox = gfx->adaptOffsetX, oy = gfx->adaptOffsetY;
    const int right = ox + gfx->scaledW, bottom = oy + gfx->scaledH;
    Bar(0, 0, ox, bh);
    // The right and bottom bars reach the back buffer's edges: with an odd
    // remainder they are one pixel wider than the offset.
    Bar(right, 0, bw - right, bh);
    Bar(0, 0, bw, oy);
    Bar(0, bottom, bw, bh - bottom);
    gfx->SetAdaptScreen(gfx->logicalW, gfx->logicalH);
  }
  JSPRITE::Render(0);
  return 1;
}
