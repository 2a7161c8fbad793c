// GAME::PUZZLE_BOOK: the open book that fills the main menu. Two page
// panels (nine-patches of the fifteen book tiles) and a column of tabs down
// its left edge: one per chapter of the picture catalogue, then one for the
// saved games. A tab click reaches the scene manager through the tab's
// action GAME::ButtonPackClick, which calls SCENE::ActivateButton with the
// tab's id; the scene manager then shows the tab as current (SelectTab or
// DropButton) and draws the chapter's gallery page or the saved-games page
// on top of the book.
//
// Main thread. The scene manager makes the book once, after the catalogue
// has been read, and keeps it for the whole run: the tab list is fixed at
// construction. The book owns its pages and tabs; it borrows its font and
// sounds, and the pages it hosts (below).
//
// Tab ids: chapter k (from 1) has the id k, the saves tab kSavesTab.
// The ids share one numbering, so the book shows at most kMaxChapters
// chapters; a catalogue with more is cut there with a log line.
//
// Layout for a screen of W x H (Reset), with the default settings and the
// sizes of an image of 480 x 48 for the tab (four frames of 120 x 48) and a
// 40-pixel spine column, at 1024 x 768:
//  - book box x1 = trunc(BOOKOPTSIZEULX W) = 102, x2 = trunc(BOOKOPTSIZEDRX W)
//    = 921, y1 = trunc(BOOKOPTSIZEULY H) = 115, y2 = trunc(BOOKOPTSIZEDRY H)
//    = 652; s = the width of the spine image (chBOOK_3_1);
//  - each page (W/2 - x1 + s/2) x (y2 - y1) = 430 x 537; left page centred
//    at (W/2 - (x2 - x1)/4 + s/4, H/2) = (318, 384), right page at
//    (W/2 + (x2 - x1)/4 - s/4 - 1, H/2) = (705, 384): they overlap by about
//    the spine, which only the right page draws (the left page's column 3
//    is switched off);
//  - tab i (from 0) at x = x1 - (image width)/8 + offsetfrompage + 47 = 154,
//    y = trunc(i p + y1 + 100), the saves tab at y = y2 - 100 = 552; the
//    pitch p = (y2 - y1) / (chapters + 1), at most 1.2 tab frame heights
//    (57.6), and small enough that the last chapter tab ends above the
//    saves tab (its centre at most one frame height above the saves tab's):
//    two chapters at 215 and 272, nine at pitch 36.125 (215, 251, ... 504).
//  - captions in the caption font centred on (tab x, tab y - 5), as plain
//    text (a '%' in a name is a letter); one wider than its tab's frame
//    less 10 pixels each side is drawn smaller to fit.
#pragma once

#include <memory>
#include <vector>

class BUTTONACT;

namespace ZOV {
class JFONT;
class ST_A;
}  // namespace ZOV

namespace GAME {

class JTILE_MAP_9;

// The number of chapters read from "pzls.xml": book tab ids 1 to this count
// are picture chapters.
extern int PUZZLE_PACK_COUNT;

// A page the book shows under one of its tabs: a chapter's gallery page or
// the saved-games page. Update's codes are the page's own.
class BOOK_PAGE {
 public:
  virtual ~BOOK_PAGE() = default;
  virtual int Update() = 0;
  virtual void Render() = 0;
};

// Any page type with int Update() and void Render() (the gallery pages and
// the saved-games panel), borrowed.
template <class T>
class BOOK_PAGE_OF final : public BOOK_PAGE {
 public:
  explicit BOOK_PAGE_OF(T* page) : page_(page) {}
  int Update() override { return page_->Update(); }
  void Render() override { page_->Render(); }

 private:
  T* page_;
};

class PUZZLE_BOOK {
 public:
  static constexpr int kSavesTab = 10;
  static constexpr int kMaxChapters = kSavesTab - 1;
  // UpdatePage's answer when no page is hosted under the tab.
  static constexpr int kNoPage = -1000;

  // What the book is made with.
  struct Setup {
    int chapters = 0;            // cut to 0..kMaxChapters
    int width = 1024, height = 768;  // the screen laid out for
    ZOV::JFONT* font = nullptr;      // captions; none drawn without it
    ZOV::ST_A* hoverSound = nullptr;  // a tab starts being hovered
    ZOV::ST_A* clickSound = nullptr;  // SelectTab
  };

  // What choosing a tab means for the menu (the scene manager's
  // ActivateButton): the category shown next and whether the cut button is
  // active (a saved game cannot be cut again).
  struct Choice {
    int category;
    bool cutActive;
  };

  // GAME::PUZZLE_PACK_COUNT chapters, the shared font comix and sounds
  // eButtonOver/eButton, laid out for the game's screen.
  PUZZLE_BOOK();
  explicit PUZZLE_BOOK(const Setup& setup);
  ~PUZZLE_BOOK();
  PUZZLE_BOOK(const PUZZLE_BOOK&) = delete;
  PUZZLE_BOOK& operator=(const PUZZLE_BOOK&) = delete;

  // The chapter tabs in order, stopping at the first that reports a click,
  // then the saves tab while it is shown. A click acts through the tab's
  // action (GAME::ButtonPackClick). Returns 1.
  int Update();
  // The two pages, the chapter tabs, then the saves tab while it is shown.
  // The chapter tabs are drawn from the last up, so that where crowded tabs
  // overlap the upper one, which takes a click there first, lies on top.
  void Render();
  // The tabs' captions, drawn after the page on top of the book; the font's
  // colour is then C_FONT_MAIN_COLOR.
  void RenderActiveButtons();
  // Lays the book out for a screen of width x height.
  void Reset(int width, int height);
  // Every tab active, then the tab of that id shown as the current one (its
  // fourth frame; it still answers clicks). Other ids leave every tab
  // active.
  void DropButton(int id);
  // Shows or hides the saves tab; a hidden tab is neither drawn nor updated.
  void Saves(bool shown);
  bool SavesShown() const { return savesShown_; }

  // The tab click: the click sound, then DropButton(id).
  void SelectTab(int id);
  // What choosing tab `id` gives when `category` is the current one: a
  // chapter id gives that chapter; the saves id gives the saved games when
  // there are some (`hasSaves`), else the category stays; any other id
  // changes nothing. The cut button is active except on the saved games.
  Choice ChooseTab(int id, int category, bool hasSaves) const;

  // Hosting the pages: chapter k shows pages[k - 1] (pages beyond the
  // chapters are not shown), the saves tab the saves page. Both borrowed;
  // hosting again replaces the earlier pages.
  template <class T>
  void HostChapters(const std::vector<T*>& pages) {
    chapterPages_.clear();
    for (T* p : pages) chapterPages_.push_back(p ? std::make_unique<BOOK_PAGE_OF<T>>(p) : nullptr);
  }
  template <class T>
  void HostSaves(T* page) {
    savesPage_ = page ? std::make_unique<BOOK_PAGE_OF<T>>(page) : nullptr;
  }
  // The page under the tab of that category: a chapter's page, the saves
  // page while the saves tab is shown, else null.
  BOOK_PAGE* Page(int category) const;
  // That page's Update, or kNoPage.
  int UpdatePage(int category);
  // Draws that page, if there is one.
  void RenderPage(int category);

  // For the owner and the tests.
  int Chapters() const { return int(tabs_.size()) - 1; }
  // Chapter tab k - 1, then the saves tab last.
  const std::vector<BUTTONACT*>& Tabs() const { return tabs_; }
  BUTTONACT* SavesTab() const { return tabs_.back(); }
  JTILE_MAP_9* LeftPage() const { return left_.get(); }
  JTILE_MAP_9* RightPage() const { return right_.get(); }
  int X1() const { return x1_; }
  int Y1() const { return y1_; }
  int X2() const { return x2_; }
  int Y2() const { return y2_; }

 private:
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  int spine_ = 0;
  float pitch_ = 0.0f;
  bool savesShown_ = false;
  std::vector<BUTTONACT*> tabs_;  // owned
  std::unique_ptr<JTILE_MAP_9> left_, right_;
  ZOV::JFONT* font_ = nullptr;
  ZOV::ST_A* clickSound_ = nullptr;
  std::vector<std::unique_ptr<BOOK_PAGE>> chapterPages_;
  std::unique_ptr<BOOK_PAGE> savesPage_;
};

}  // namespace GAME
