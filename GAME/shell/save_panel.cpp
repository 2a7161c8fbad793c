#include "GAME/shell/save_panel.h"

#include <cstdio>
#include <string>

#include "GAME/config/globals.h"
#include "GAME/shell/save_list.h"
#include "GAME/ui/pack_selection.h"
#include "ST/file.h"
#include "platform/sys.h"

PUZZLE_SAVEPANEL::PUZZLE_SAVEPANEL() {
  GAME::PackSelection menu(C_NAME_PACK_MENU, C_PAS_MENY);
  next = std::make_unique<JBUTTONMAP4>(chGUI_BUTTON_SAVE_RIGHT);
  prev = std::make_unique<JBUTTONMAP4>(chGUI_BUTTON_SAVE_LEFT);
  trash = std::make_unique<BUTTONACT>(chGUI_BUTTON_TRASH, static_cast<void (*)()>(nullptr));
  CheckButtons();
  plat::PrintLine("SavePanel created");
}

PUZZLE_SAVEPANEL::~PUZZLE_SAVEPANEL() {
  for (FRAME* f : frames) delete f;
}

FRAME* PUZZLE_SAVEPANEL::SelectedFrame() const {
  if (selected < 0 || selected >= int(frames.size())) return nullptr;
  return frames[size_t(selected)];
}

int PUZZLE_SAVEPANEL::Fill(char* folder) {
  const int added = GAME::AppendSaves(folder, &frames);
  GAME::ClampSelection(int(frames.size()), &selected, &page);
  CheckButtons();
  return added;
}

void PUZZLE_SAVEPANEL::Clear() { GAME::ClearFrames(&frames); }

void PUZZLE_SAVEPANEL::SetPos(int w, int h) {
  screenW_ = w;
  screenH_ = h;
  if (frames.empty()) return;
  const GAME::PageBox b = GAME::BookPageBox(w, h);
  Reset(b.x1, b.y1, b.x2, b.y2);
}

void PUZZLE_SAVEPANEL::Reset(int x1, int y1, int x2, int y2) {
  GAME::LayoutFrames(frames, GAME::PageBox{x1, y1, x2, y2});
  next->SetPos(int(x2 * 0.65), int(y2 * 0.98));
  prev->SetPos(int(x2 * 0.51), int(y2 * 0.98));
  trash->SetPos(int(x2 * 0.95), int(y2 * 0.9));
  plat::PrintLine("Saves reset...");
}

int PUZZLE_SAVEPANEL::Update() {
  if (frames.empty()) return kEmpty;
  const size_t first = size_t(page) * GAME::kFramesPerPage;
  for (size_t i = first; i < frames.size() && i < first + GAME::kFramesPerPage; ++i)
    if (frames[i]->Update(0, 0.0f) != 0) selected = int(i);
  GAME::TurnPages(int(frames.size()), &selected, &page, next.get(), prev.get());
  if (trash->Update(0, 0.0f) == 1 && DeleteSave(-1) == kEmpty) return kEmpty;
  return kNothing;
}

void PUZZLE_SAVEPANEL::Render() {
  if (frames.empty()) return;
  GAME::RenderFramePage(frames, page, selected);
  next->Render(0);
  prev->Render(0);
  trash->Render(0);
}

void PUZZLE_SAVEPANEL::CheckButtons() { GAME::CheckPaging(int(frames.size()), page, next.get(), prev.get()); }

int PUZZLE_SAVEPANEL::DeleteSave(int index) {
  if (index == -1) index = selected;
  if (index < 0 || index >= int(frames.size())) return frames.empty() ? kEmpty : kNothing;
  FRAME* f = frames[size_t(index)];
  char address[32];
  std::snprintf(address, sizeof address, "%p", static_cast<void*>(f));
  plat::PrintLine(std::string("Deleting...") + address);
  if (ZOV::ifile.FileDel(f->savePath.c_str()) != 0)
    plat::PrintLine("Save " + f->savePath.substr(0, 200) + " was already gone");
  delete f;
  plat::PrintLine("Erasing...");
  frames.erase(frames.begin() + index);
  // The selection moves back one, as the list closes up behind it.
  if (index <= selected) --selected;
  if (selected < 0) {
    selected = 0;
    if (frames.empty()) {
      page = 0;
      CheckButtons();
      return kEmpty;
    }
  }
  if (selected < page * GAME::kFramesPerPage) --page;
  GAME::ClampSelection(int(frames.size()), &selected, &page);
  if (screenW_ > 0) SetPos(screenW_, screenH_);
  CheckButtons();
  return kNothing;
}

int PUZZLE_SAVEPANEL::HaveSaves(char* folder) {
  plat::PrintLine(std::string("Adr in fill") + (folder ? std::string(folder).substr(0, 200) : std::string()));
  return GAME::ListSaveNames(folder).empty() ? kNoSaves : kHasSaves;
}
