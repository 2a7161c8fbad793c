#include "GAME/shell/frame_group.h"

#include "GAME/config/globals.h"
#include "GAME/shell/save_list.h"
#include "GAME/ui/shared_assets.h"
#include "GAME/ui/pack_selection.h"
#include "ST/font.h"
#include "ST/sound.h"

FRAME_CHOISE_GROUP::FRAME_CHOISE_GROUP(pugi::xml_node chapter) {
  {
    GAME::PackSelection menu(C_NAME_PACK_MENU, C_PAS_MENY);
    next = std::make_unique<JBUTTONMAP4>(chGUI_BUTTON_SAVE_RIGHT);
    prev = std::make_unique<JBUTTONMAP4>(chGUI_BUTTON_SAVE_LEFT);
  }
  {
    GAME::PackSelection preview(C_NAME_PACK_IMAGE_PREV, C_PAS_IMAGE);
    for (pugi::xml_node p = chapter.first_child(); p; p = p.next_sibling()) {
      if (p.type() != pugi::node_element) continue;
      auto* f =
          new FRAME(p.attribute("adrSm").as_string(), p.attribute("amount").as_int(), p.attribute("rot").as_bool());
      f->imageName = p.attribute("adrFm").as_string();
      frames.push_back(f);
    }
  }
  selected = 1;
  GAME::ClampSelection(int(frames.size()), &selected, &page);
  CheckButtons();
  const int n = int(frames.size());
  pageCount = n / GAME::kFramesPerPage + (n % GAME::kFramesPerPage != 0 ? 1 : 0);
}

FRAME_CHOISE_GROUP::~FRAME_CHOISE_GROUP() {
  for (FRAME* f : frames) delete f;
}

FRAME* FRAME_CHOISE_GROUP::SelectedFrame() const {
  if (selected < 0 || selected >= int(frames.size())) return nullptr;
  return frames[size_t(selected)];
}

int FRAME_CHOISE_GROUP::Update() {
  if (frames.empty()) return kEmpty;
  const size_t first = size_t(page) * GAME::kFramesPerPage;
  for (size_t i = first; i < frames.size() && i < first + GAME::kFramesPerPage; ++i) {
    const int r = frames[i]->Update(0, 0.0f);
    if (r == 3) {
      selected = int(i);
      return kStart;
    }
    if (r == 1 || r == 2) {
      selected = int(i);
      ZOV::SoundRender(ePuzzleSelection);
      return kSelected;
    }
  }
  GAME::TurnPages(int(frames.size()), &selected, &page, next.get(), prev.get());
  return kNothing;
}

void FRAME_CHOISE_GROUP::Render() {
  if (frames.empty()) return;
  GAME::RenderFramePage(frames, page, selected);
  next->Render(0);
  prev->Render(0);
  if (pageCount > 1 && comix) {
    comix->alignment = ZOV::JENUM::HOT_TOP_LEFT;
    comix->Render(counter.x, counter.y, "%i/%i", page + 1, pageCount);
  }
}

void FRAME_CHOISE_GROUP::SetPos(int x, int y) { Reset(2 * x, 2 * y); }

void FRAME_CHOISE_GROUP::Reset(int w, int h) {
  if (frames.empty()) return;
  const GAME::PageBox b = GAME::BookPageBox(w, h);
  Reset(b.x1, b.y1, b.x2, b.y2);
}

void FRAME_CHOISE_GROUP::Reset(int x1, int y1, int x2, int y2) {
  GAME::LayoutFrames(frames, GAME::PageBox{x1, y1, x2, y2});
  next->SetPos(int(x2 * 0.78), int(y2 * 0.98));
  prev->SetPos(int(x2 * 0.38), int(y2 * 0.98));
  counter = JST::iPOINT(int(x2 * 0.565), y2 - 32);
}

void FRAME_CHOISE_GROUP::CheckButtons() { GAME::CheckPaging(int(frames.size()), page, next.get(), prev.get()); }

void FRAME_CHOISE_GROUP::Clear() { GAME::ClearFrames(&frames); }

int FRAME_CHOISE_GROUP::Fill(char* folder) {
  const int added = GAME::AppendSaves(folder, &frames);
  GAME::ClampSelection(int(frames.size()), &selected, &page);
  CheckButtons();
  return added;
}
