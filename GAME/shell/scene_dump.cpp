#include "GAME/shell/scene_dump.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <pugixml.hpp>
#include <sstream>

#include "GAME/board/board.h"
#include "GAME/config/profile.h"
#include "GAME/config/profile_manager.h"
#include "GAME/shell/faq_screen.h"
#include "GAME/shell/frame_group.h"
#include "GAME/shell/frame_page.h"
#include "GAME/shell/puzzle.h"
#include "GAME/shell/puzzle_book.h"
#include "GAME/shell/save_panel.h"
#include "GAME/shell/scene_dump_windows.h"
#include "GAME/shell/scene_dump_board.h"
#include "ST/button.h"
#include "ST/dialog_edit.h"
#include "ST/file.h"
#include "ST/textbox.h"

namespace GAME {

const std::string& SceneDumpPath() {
  static const std::string path = [] {
    const char* e = std::getenv("JIGSAW_STATE_DUMP");
    return std::string(e ? e : "");
  }();
  return path;
}

void DumpSceneState(const PUZZLE& s, long frame, const std::string& path) {
  std::ostringstream out;
  {
    const PUZZLE_PIECES_SYSTEM* b = s.board;
    out << "frame " << frame << "\n";
    out << "state " << s.state << " board " << (b ? b->state : -1) << " regCg " << (b ? b->regCg : 0) << " regF "
        << (b ? b->regF : 0) << "\n";
    out << "slots settings " << (s.settingsWindow != nullptr) << " quit " << (s.quitQuestion != nullptr) << " save "
        << (s.saveQuestion != nullptr) << " help " << (s.faqWindow != nullptr) << " helpShown "
        << (s.faqWindow && s.faqWindow->shown) << " dialog " << s.profile->IsDialogOpen() << " strip "
        << (s.setupStrip != nullptr) << " options " << (s.optionsWindow != nullptr) << " leaders "
        << (s.leaderBoard != nullptr) << " scores " << (s.scoreBoard != nullptr) << " trophies "
        << (s.trophyPanel != nullptr) << "\n";
    out << "category " << s.category << " hasSaves " << s.hasSaves << " saves "
        << (s.savePanel ? s.savePanel->frames.size() : 0) << "\n";
    const struct {
      const char* name;
      const BUTTONACT* b;
    } buttons[] = {{"options", s.buttonOptions}, {"scores", s.buttonScores}, {"play", s.buttonPlay},
                   {"cut", s.buttonCut},         {"exit", s.buttonExit},     {"trophies", s.buttonTrophies},
                   {"leaders", s.buttonLeaders}};
    for (const auto& e : buttons)
      out << "button " << e.name << " " << int(e.b->position.x) << " " << int(e.b->position.y) << " "
          << e.b->active << "\n";
    // The greeting at the top of the menu, which opens the player dialog.
    out << "button greeting " << int(s.upperPanel->position.x) << " " << int(s.upperPanel->position.y) << " 1\n";
    out << "player " << s.profile->GetPlayerName() << "\n";
    if (const PAZZLE_PROFILE_MANAGER* d = s.profile->Dialog()) {
      const struct {
        const char* name;
        const JBUTTONMAP4* b;
      } dialogButtons[] = {{"playerOk", d->ok}, {"playerCancel", d->cancel}, {"playerAdd", d->add}};
      for (const auto& e : dialogButtons)
        out << "button " << e.name << " " << int(e.b->position.x) << " " << int(e.b->position.y) << " "
            << e.b->active << "\n";
      const char* selected = d->GetCurString();
      out << "players nameEntry " << d->NameDialogShown() << " selected " << (selected ? selected : "") << "\n";
      if (d->NameDialogShown()) out << "nameBox " << pugi::as_utf8(d->nameDialog->box->Text()) << "\n";
    }
    const std::vector<BUTTONACT*>& tabs = s.book->Tabs();
    for (size_t i = 0; i + 1 < tabs.size(); ++i)
      out << "tab " << tabs[i]->id << " " << int(tabs[i]->position.x) << " " << int(tabs[i]->position.y) << "\n";
    if (s.book->SavesShown())
      out << "tab " << PUZZLE_BOOK::kSavesTab << " " << int(s.book->SavesTab()->position.x) << " "
          << int(s.book->SavesTab()->position.y) << "\n";
    if (s.category >= 1 && s.category <= int(s.groups.size())) {
      const FRAME_CHOISE_GROUP* g = s.groups[size_t(s.category - 1)];
      const size_t first = size_t(g->page) * kFramesPerPage;
      for (size_t i = first; i < g->frames.size() && i < first + kFramesPerPage; ++i)
        out << "picture " << i << " " << int(g->frames[i]->position.x) << " " << int(g->frames[i]->position.y)
            << "\n";
    }
    DumpWindowsState(s, out);
    if (b && !b->gridOrder.empty()) {
      out << "cell " << b->gridOrder[0]->cellW << " " << b->gridOrder[0]->cellH << "\n";
      for (size_t i = 0; i < b->gridOrder.size(); ++i) {
        const PUZZLE_PIECES* p = b->gridOrder[i];
        // A point where this piece is the topmost one: its centre, else a
        // point around it; (-1, -1) when it is covered there.
        int gx = -1, gy = -1;
        const int step = std::max(4, std::min(p->cellW, p->cellH) / 6);
        for (int ring = 0; ring <= 2 && gx < 0; ++ring)
          for (int dy = -ring; dy <= ring && gx < 0; ++dy)
            for (int dx = -ring; dx <= ring && gx < 0; ++dx) {
              if (std::max(std::abs(dx), std::abs(dy)) != ring) continue;
              const int px = int(p->pos.x) + dx * step, py = int(p->pos.y) + dy * step;
              const int z = b->WhoIn(px, py);
              if (z > 0 && b->zOrder[size_t(z - 1)] == p) {
                gx = px;
                gy = py;
              }
            }
        out << "piece " << i << " " << int(p->pos.x) << " " << int(p->pos.y) << " " << p->group << " "
            << p->rotation << " " << gx << " " << gy << "\n";
      }
    }
    DumpBoardState(s, out);
  }
  // Replaced whole, so a reader never sees half a frame; not flushed to
  // disk, which would cost milliseconds every frame for a file no power cut
  // can make matter.
  const std::string text = out.str();
  ZOV::ifile.SaveDataUnflushed(path.c_str(), text.data(), int(text.size()));
}

}  // namespace GAME
