#include "GAME/shell/frame_page.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "GAME/config/globals.h"
#include "GAME/shell/frame.h"
#include "GAME/ui/shared_assets.h"
#include "ST/button.h"
#include "ST/game.h"
#include "platform/sys.h"

namespace GAME {

PageBox BookPageBox(int w, int h) {
  PageBox b;
  b.x1 = offsetfrompage + int(float(w) * BOOKOPTSIZEULX);
  b.y1 = int(float(h) * BOOKOPTSIZEULY) + 40;
  b.x2 = int(float(w) * BOOKOPTSIZEDRX) - offsetfrompage;
  b.y2 = int(float(h) * BOOKOPTSIZEDRY) - 40;
  return b;
}

void LayoutFrames(const std::vector<FRAME*>& frames, const PageBox& box) {
  const int cw = (box.x2 - box.x1) / 4;
  const int ch = (box.y2 - box.y1) / 2;
  const float side = float(cw) * SIZEOFFRAMESINBOOKPSNT;
  for (size_t i = 0; i < frames.size(); ++i) {
    FRAME* f = frames[i];
    const int slot = int(i % kFramesPerPage) + 1;
    const bool upper = slot <= 4;
    const int c = upper ? slot : slot - 4;
    const float dx = 0.1f * float(cw);
    const float dy = 0.1f * float(ch);
    const float x = float(c * cw + box.x1 - cw / 2) + (slot % 2 == 1 ? dx : -dx);
    const float y = (upper ? float(box.y1 + ch - ch / 2) + dy : float(box.y1 + 2 * ch - ch / 2) - dy) +
                    float(C_COUNTPIXELFORFRAMESOFFSET);
    f->position = JST::fPOINT(x, y);
    const float w = float(f->GetMyTexWidth(1)), h = float(f->GetMyTexHeight(1));
    if (w <= 0.0f || h <= 0.0f) {
      f->SetSizePix(int(side), int(side));
    } else if (w <= h) {
      f->SetSizePix(int(w * side / h), int(side));
    } else {
      f->SetSizePix(int(side), int(h * side / w));
    }
    f->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
    f->hitW = int(float(f->hitW) * C_FRAMES_EXTRA_BOUNDBOX);
    f->hitH = int(float(f->hitH) * C_FRAMES_EXTRA_BOUNDBOX);
  }
}

void CheckPaging(int count, int page, JBUTTONMAP4* next, JBUTTONMAP4* prev) {
  if (!next || !prev) return;
  if (count < kFramesPerPage) {
    next->Activate(false);
    prev->Activate(false);
    return;
  }
  prev->Activate(page >= 1);
  next->Activate(page < (count - 1) / kFramesPerPage);
}

void TurnPages(int count, int* selected, int* page, JBUTTONMAP4* next, JBUTTONMAP4* prev) {
  if (next->Update(0, 0.0f) == 1 && next->active) {
    ++*page;
    *selected = *page * kFramesPerPage;
    CheckPaging(count, *page, next, prev);
  }
  if (prev->Update(0, 0.0f) == 1 && prev->active) {
    --*page;
    *selected = *page * kFramesPerPage;
    CheckPaging(count, *page, next, prev);
  }
  ClampSelection(count, selected, page);
}

void ClampSelection(int count, int* selected, int* page) {
  if (count <= 0) {
    *selected = 0;
    *page = 0;
    return;
  }
  *selected = std::clamp(*selected, 0, count - 1);
  *page = std::clamp(*page, 0, (count - 1) / kFramesPerPage);
  if (*selected / kFramesPerPage != *page) *page = *selected / kFramesPerPage;
}

namespace {

// Sizes a plate to the thumbnail plus n and draws it at (x, y) turned like it.
void DrawPlate(JSPRITE* plate, const FRAME* f, int x, int y) {
  if (!plate) return;
  const int n = COUNTPIXELFORFRAMEONBOOK;
  plate->SetSizePix(f->DrawnW() + n, f->DrawnH() + n);
  plate->CalculateHotSpot(ZOV::JENUM::HOT_CENTER);
  plate->SetPos(x, y);
  plate->angle = f->angle;
  plate->Render(0);
}

}  // namespace

void RenderFramePage(const std::vector<FRAME*>& frames, int page, int selected) {
  ZOV::JINGFX* gfx = ZOV::GetGame()->GetGfx();
  gfx->SetAnisotropic(true);
  const size_t first = size_t(std::max(page, 0)) * kFramesPerPage;
  for (size_t i = first; i < frames.size() && i < first + kFramesPerPage; ++i) {
    FRAME* f = frames[i];
    if (int(i) == selected) DrawPlate(shadowSplain, f, int(f->position.x + 10.0f), int(f->position.y + 10.0f));
    if (whiteSplain) whiteSplain->scale = JST::fPOINT(1.0f, 1.0f);
    DrawPlate(whiteSplain, f, int(f->position.x), int(f->position.y));
    f->Render(0);
    f->RenderHint(false);
  }
  gfx->SetAnisotropic(false);
  if (whiteSplain) whiteSplain->angle = 0.0f;
  if (shadowSplain) shadowSplain->angle = 0.0f;
}

void ClearFrames(std::vector<FRAME*>* frames) {
  plat::PrintLine("Clear start... ");
  if (!frames->empty()) {
    plat::PrintLine("Clearing..." + std::to_string(frames->size()));
    for (FRAME*& f : *frames) {
      char address[32];
      std::snprintf(address, sizeof address, "%p", static_cast<void*>(f));
      plat::PrintLine(std::string("Deleting...") + address);
      delete f;
      f = nullptr;
      plat::PrintLine("Erasing...");
    }
    frames->clear();
  }
  plat::PrintLine("Clear ok");
}

}  // namespace GAME
