// The whole game played by the real program from outside, as a person at
// the mouse and keyboard would: first start, a picture cut on the set-up
// strip, every tool of the play panel, the puzzle solved with the mouse, the
// win, the files it writes, the three information windows, a puzzle saved,
// the program quit and started again, the save resumed and finished. Moves
// are decided from the scene's test-only state file (scene_dump.h); the
// files are read with the game's own readers. Runs alone: it drives the X
// server's pointer.
//
// With JIGSAW_RUN_SHOT set to a path stem, frames of the board with each
// tool on, the win dialog and the score board are saved as
// "<stem>_<name>.png" for a person to look at.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <vector>

#include "GAME/board/piece.h"
#include "GAME/config/player_record.h"
#include "tests/support/game_run.h"
#include "tests/support/test_env.h"
#include "tests/support/xdo_player.h"
#include "tests/support/xwd_shot.h"
#include "tests/support/outside_tool.h"

namespace fs = std::filesystem;

namespace {

using xdo::SceneState;

struct Pt {
  int x = -1000, y = -1000;
  bool Valid() const { return x != -1000 && y != -1000; }
};

// The two numbers after `key` on the line `line`.
Pt PointOf(const SceneState& s, const std::string& line, const std::string& key) {
  auto it = s.words.find(line);
  if (it == s.words.end()) return {};
  const std::vector<std::string>& w = it->second;
  for (size_t i = 0; i + 2 < w.size(); ++i)
    if (w[i] == key) return {std::atoi(w[i + 1].c_str()), std::atoi(w[i + 2].c_str())};
  return {};
}

int Occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// The player's folder: the one holding "set.bin".
fs::path PlayerDir(const std::string& home) {
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(home + "/Documents", ec); it != fs::recursive_directory_iterator();
       it.increment(ec))
    if (it->path().filename() == "set.bin") return it->path().parent_path();
  return {};
}

std::vector<std::string> SavesIn(const fs::path& dir) {
  std::vector<std::string> out;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec))
    if (e.path().extension() == ".pzl") out.push_back(e.path().filename().string());
  return out;
}

// One finished puzzle of "Progress.xml", as written.
struct Entry {
  std::string face, rotata;
  int score = 0, count = 0;
  double time = 0;
};

std::vector<Entry> ReadProgress(const fs::path& file) {
  std::vector<Entry> out;
  pugi::xml_document doc;
  if (!doc.load_file(file.c_str())) return out;
  for (pugi::xml_node e : doc.child("root").children("element"))
    out.push_back({e.attribute("face").value(), e.attribute("rotata").value(), e.attribute("score").as_int(),
                   e.attribute("count").as_int(), e.attribute("time").as_double()});
  return out;
}

// The bytes of the file's first "element".
std::string FirstElement(const std::string& text) {
  const size_t from = text.find("<element");
  const size_t to = text.find("/>", from);
  return from == std::string::npos || to == std::string::npos ? std::string() : text.substr(from, to + 2 - from);
}

// The game played: the program, the scripted player, and the frames saved.
class BlackBox {
 public:
  BlackBox(gamerun::GameRun& run, const std::string& display)
      : run_(run), display_(display), state_(run.Dir() + "/scene.txt"), player_(display, state_) {
    const char* stem = std::getenv("JIGSAW_RUN_SHOT");
    shotStem_ = stem ? stem : "";
  }
  // Starts the program (again) and finds its window.
  ::testing::AssertionResult Start() {
    setenv("JIGSAW_STATE_DUMP", state_.c_str(), 1);
    std::error_code ec;
    fs::remove(state_, ec);
    run_.Start(display_);
    unsetenv("JIGSAW_STATE_DUMP");
    if (!run_.WaitFor("Settings off ok", 60)) return ::testing::AssertionFailure() << run_.Out();
    player_ = xdo::Player(display_, state_);
    if (!player_.FindWindow(run_.Pid()))
      return ::testing::AssertionFailure() << "no window\n" << run_.Out() << run_.Err();
    if (!player_.WaitFor([](const SceneState& s) { return s.Get("state", "") == 0; }))
      return ::testing::AssertionFailure() << "no menu";
    return ::testing::AssertionSuccess();
  }
  const xdo::Player& P() const { return player_; }
  SceneState S() const { return player_.State(); }
  const std::string& StatePath() const { return state_; }

  // The window's frame now; saved as "<stem>_<name>.png" when asked for.
  plat::Image Shot(const std::string& name) {
    plat::Image img;
    xwdshot::Capture(display_, player_.Window(), img);
    if (!shotStem_.empty()) xwdshot::SavePng(img, shotStem_ + "_" + name + ".png");
    return img;
  }
  bool Shooting() const { return !shotStem_.empty(); }

  // Closes the help window when one is open (a new player gets one for
  // the mouse and one for the pocket).
  void CloseHelp() {
    if (S().Get("slots", "help") != 1) return;
    player_.WaitFor([](const SceneState& s) { return s.Get("slots", "helpShown") == 1; }, 10);
    player_.Key("Return");
    player_.WaitFor([](const SceneState& s) { return s.Get("slots", "help") == 0; }, 10);
  }
  // Drags a piece so that its centre lands at (x, y); a help window that
  // the first touch opens is closed and the drag made again.
  bool DragPiece(int piece, int x, int y) {
    if (!player_.DragPieceTo(piece, x, y)) return false;
    player_.Frames(3);
    if (S().Get("slots", "help") == 1) {
      CloseHelp();
      if (!player_.DragPieceTo(piece, x, y)) return false;
      player_.Frames(3);
    }
    return true;
  }
  // Turns a piece (and its part) upright with right clicks.
  bool Upright(int piece) {
    for (int turn = 0; turn < 4; ++turn) {
      const std::vector<int> v = S().pieces.at(piece);
      if (v[3] == 0) return true;
      if (v[4] < 0) return false;
      player_.Click(v[4], v[5], 3);
      const int next = (v[3] + 1) % 4;
      if (!player_.WaitFor([&](const SceneState& s) { return s.pieces.count(piece) && s.pieces.at(piece)[3] == next; },
                           10))
        return false;
    }
    return S().pieces.at(piece)[3] == 0;
  }
  // Grid piece 0's home place: the picture lies centred on the screen.
  Pt Home() const {
    const SceneState s = S();
    auto it = s.words.find("grid");
    auto jt = s.words.find("cell");
    if (it == s.words.end() || jt == s.words.end() || it->second.size() < 2 || jt->second.size() < 2) return {};
    const int cols = std::atoi(it->second[0].c_str()), rows = std::atoi(it->second[1].c_str());
    const int cw = std::atoi(jt->second[0].c_str()), ch = std::atoi(jt->second[1].c_str());
    return {512 - cols * cw / 2 + cw / 2, 384 - rows * ch / 2 + ch / 2};
  }
  // Solves the puzzle on screen: grid piece 0 upright onto its home place,
  // then, again and again, a piece with a grid neighbour in piece 0's part
  // turned upright and dropped beside that neighbour. A piece lying under
  // another loose piece is uncovered by moving the one on top aside.
  ::testing::AssertionResult Solve(bool turns) {
    SceneState s = S();
    const int cols = s.Get("grid", ""), rows = s.words["grid"].size() > 1 ? std::atoi(s.words["grid"][1].c_str()) : 0;
    const int cw = s.Get("cell", ""), ch = s.words["cell"].size() > 1 ? std::atoi(s.words["cell"][1].c_str()) : 0;
    if (cols <= 0 || rows <= 0 || cw <= 0 || ch <= 0) return ::testing::AssertionFailure() << "no grid";
    const int n = cols * rows;
    const Pt home = Home();
    const int homeX = home.x, homeY = home.y;
    int moves = 0;
    bool waited = false;
    int lifts = 0;
    const xdo::Player& p = player_;
    for (int step = 0; step < 8 * n; ++step) {
      s = S();
      if (s.Get("tools", "parts") <= 1 && s.Get("state", "regCg") > 0) return ::testing::AssertionSuccess();
      auto in0 = [&](int i) {
        const int g = s.pieces.at(0)[2];
        return i == 0 || (g != 0 && s.pieces.at(i)[2] == g);
      };
      // The next piece to place, and its placed neighbour.
      int piece = -1, next = -1;
      std::vector<int> covered;
      if (!(s.pieces.at(0)[2] != 0 || (std::abs(s.pieces.at(0)[0] - homeX) <= 1 &&
                                        std::abs(s.pieces.at(0)[1] - homeY) <= 1 && s.pieces.at(0)[3] == 0))) {
        if (s.pieces.at(0)[4] >= 0) {
          piece = 0;
        } else {
          covered.push_back(0);
        }
      } else {
        for (int i = 1; i < n && piece < 0; ++i) {
          if (in0(i)) continue;
          const int r = i / cols, c = i % cols;
          const int around[4][2] = {{r, c - 1}, {r - 1, c}, {r, c + 1}, {r + 1, c}};
          for (const auto& a : around) {
            if (a[0] < 0 || a[0] >= rows || a[1] < 0 || a[1] >= cols || !in0(a[0] * cols + a[1])) continue;
            if (s.pieces.at(i)[4] >= 0) {
              piece = i;
              next = a[0] * cols + a[1];
            } else {
              covered.push_back(i);
            }
            break;
          }
        }
      }
      if (piece < 0) {
        if (covered.empty()) return ::testing::AssertionFailure() << "nothing to place at step " << step;
        // A part just joined stays on top until its shadow is down, then
        // goes under the loose pieces: wait for that first.
        if (!waited) {
          p.Frames(20);
          waited = true;
          continue;
        }
        waited = false;
        // Move aside the loose piece nearest to the first covered one (the
        // one lying over it, or over the piece that does), to the free spot
        // of the play area farthest from every other piece.
        const std::vector<int>& c = s.pieces.at(covered[0]);
        int top = -1;
        long best = 0;
        for (int i = 0; i < n; ++i) {
          if (in0(i) || i == covered[0] || s.pieces.at(i)[4] < 0) continue;
          const long dx = s.pieces.at(i)[0] - c[0], dy = s.pieces.at(i)[1] - c[1];
          if (top < 0 || dx * dx + dy * dy < best) {
            top = i;
            best = dx * dx + dy * dy;
          }
        }
        if (top < 0) {
          // Only the assembled part lies over it: picked up and put down
          // where it is, the part settles under the loose pieces.
          int lift = -1;
          for (int i = 0; i < n && lift < 0; ++i)
            if (in0(i) && s.pieces.at(i)[4] >= 0) lift = i;
          if (lift < 0 || ++lifts > 3)
            return ::testing::AssertionFailure() << "no piece to move\n" << testenv::ReadFile(state_);
          const std::vector<int>& v = s.pieces.at(lift);
          p.Drag(v[4], v[5], v[4], v[5]);
          p.Frames(20);
          continue;
        }
        Pt park;
        long far = -1;
        for (int y = 50 + ch / 2 + 10; y <= 718 - ch / 2 - 10; y += 30)
          for (int x = 50 + cw / 2 + 10; x <= 974 - cw / 2 - 10; x += 30) {
            long nearest = -1;
            for (int i = 0; i < n; ++i) {
              if (i == top || in0(i)) continue;
              const long dx = s.pieces.at(i)[0] - x, dy = s.pieces.at(i)[1] - y;
              if (nearest < 0 || dx * dx + dy * dy < nearest) nearest = dx * dx + dy * dy;
            }
            if (nearest > far) {
              far = nearest;
              park = {x, y};
            }
          }
        if (!DragPiece(top, park.x, park.y)) return ::testing::AssertionFailure() << "move " << top;
        ++moves;
        continue;
      }
      if (turns && !Upright(piece)) continue;
      s = S();
      const std::vector<int>& v = s.pieces.at(piece);
      if (v[4] < 0) continue;
      int tx = homeX, ty = homeY;
      if (next >= 0) {
        const std::vector<int>& a = s.pieces.at(next);
        tx = a[0] + (piece % cols - next % cols) * cw;
        ty = a[1] + (piece / cols - next / cols) * ch;
      }
      if (!DragPiece(piece, tx, ty)) return ::testing::AssertionFailure() << "drag " << piece;
      ++moves;
    }
    return ::testing::AssertionFailure() << "not solved after " << moves << " moves\n"
                                         << testenv::ReadFile(state_);
  }

 private:
  gamerun::GameRun& run_;
  std::string display_, state_, shotStem_;
  xdo::Player player_;
};

// The frame is a 1024 x 768 picture with something in it.
void ExpectDrawn(const plat::Image& img, const std::string& what) {
  EXPECT_EQ(img.w, 1024) << what;
  EXPECT_EQ(img.h, 768) << what;
  EXPECT_GE(xwdshot::Colours(img), 32) << what << ": a blank or uniform frame";
}

bool Pushed(const SceneState& s, const std::string& tool) {
  auto it = s.named.find("tool " + tool);
  return it != s.named.end() && it->second.size() > 2 && it->second[2] == 1;
}

TEST(BlackBoxGame, EveryToolTheWinTheFilesAndASavedPuzzleFinishedAfterARestart) {
  ASSERT_TRUE(testenv::ToolInstalled("xdotool", "xdotool"));
  ASSERT_TRUE(testenv::ToolInstalled("xwd", "x11-apps"));
  gamerun::XServer x(1024, 768);
  ASSERT_FALSE(x.Display().empty());
  gamerun::GameRun run;
  BlackBox g(run, x.Display());
  const xdo::Player& p = g.P();
  ASSERT_TRUE(g.Start());

  // First start: the player dialog, when it opens, takes the offered name.
  if (g.S().Get("slots", "dialog") == 1) {
    p.Key("Return");
    ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "dialog") == 0; })) << run.Out();
  }
  EXPECT_EQ(g.S().named.at("button scores")[2], 0) << "no finished puzzle yet";

  // The second chapter, its first picture (4:3), the set-up strip.
  ASSERT_TRUE(p.ClickTab(2));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("category", "") == 2; }));
  ASSERT_TRUE(p.ClickPicture(0));
  ASSERT_TRUE(p.ClickButton("cut"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "strip") == 1 && s.Get("state", "") == 1; }));
  // The count's arrows move it and the preview is cut again; back to 3
  // along the short side, rotation ticked.
  ASSERT_TRUE(p.ClickAt("stripctl", "plus"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("strip", "count") == 4 && s.Get("grid", "min") == 4; }));
  ASSERT_TRUE(p.ClickAt("stripctl", "minus"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("strip", "count") == 3 && s.Get("grid", "min") == 3; }));
  ASSERT_TRUE(p.ClickAt("stripctl", "box"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("strip", "rotation") == 1 && s.Get("grid", "rotation") == 1; }));
  ASSERT_TRUE(p.ClickAt("stripctl", "ok"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) {
    return s.Get("state", "") == 6 && s.Get("state", "board") == 4 && !s.pieces.empty();
  })) << run.Out();
  const int cols = g.S().Get("grid", ""), rows = std::atoi(g.S().words["grid"][1].c_str());
  EXPECT_EQ(std::min(cols, rows), 3);
  EXPECT_EQ(cols * rows, 12) << "3 along the shorter side of a 4:3 picture";
  const int pieces = cols * rows;

  // The mouse help, then the pocket help at the first piece touched.
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "help") == 1; }));
  g.CloseHelp();
  p.Frames(120);
  ASSERT_TRUE(g.DragPiece(0, 700, 300));

  // The hint: two grid neighbours of different parts.
  ASSERT_TRUE(p.ClickTool("help"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "hint") == 1; }));
  {
    const SceneState s = g.S();
    const int a = s.Get("tools", "hintA"), b = s.Get("tools", "hintB");
    EXPECT_EQ(std::abs(a / cols - b / cols) + std::abs(a % cols - b % cols), 1) << a << " " << b;
    EXPECT_EQ(s.Get("tools", "hints"), 1);
    EXPECT_TRUE(Pushed(s, "help"));
    if (g.Shooting()) g.Shot("hint");
  }

  // The sort: the loose pieces glide into the four quarters around the
  // screen centre, the corner pieces into the play area's corners.
  ASSERT_TRUE(p.ClickTool("sort"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "sorted") == 1; }));
  EXPECT_EQ(g.S().Get("tools", "hint"), 0) << "another tool ends the hint";
  EXPECT_FALSE(Pushed(g.S(), "help")) << "and releases the hint tool";
  p.Frames(90);
  {
    const SceneState s = g.S();
    // Every quarter gets pieces (with 12 pieces the lower right one only
    // its corner piece: a quarter's share is 12 / 4 + 1).
    int quarter[4] = {0, 0, 0, 0};
    for (const auto& [i, v] : s.pieces) quarter[(v[0] > 512 ? 1 : 0) + (v[1] > 384 ? 2 : 0)]++;
    for (int q = 0; q < 4; ++q) EXPECT_GE(quarter[q], 1) << "quarter " << q;
    const int cw = s.Get("cell", "");
    // A glide ends within PUZZLE_PIECES::kGlideStop pixels of its goal.
    const int stop = GAME::PUZZLE_PIECES::kGlideStop;
    EXPECT_NEAR(s.pieces.at(0)[0], 50 + cw, stop) << "the top-left corner piece in the top-left corner";
    EXPECT_NEAR(s.pieces.at(0)[1], 50 + cw, stop);
    EXPECT_NEAR(s.pieces.at(pieces - 1)[0], 974 - cw, stop) << "the bottom-right corner piece";
    EXPECT_NEAR(s.pieces.at(pieces - 1)[1], 718 - cw, stop);
    if (g.Shooting()) g.Shot("sorted");
  }

  // Edges only: the inner pieces fade, the edge pieces stay; off again.
  ASSERT_TRUE(p.ClickTool("border"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) {
    return s.Get("tools", "edges") == 1 && s.Get("tools", "innerAlpha") < 50;
  }));
  EXPECT_EQ(g.S().Get("tools", "edgeAlpha"), 100);
  EXPECT_TRUE(Pushed(g.S(), "border"));
  if (g.Shooting()) g.Shot("edges");
  ASSERT_TRUE(p.ClickTool("border"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) {
    return s.Get("tools", "edges") == 0 && s.Get("tools", "innerAlpha") == 100;
  }));
  EXPECT_FALSE(Pushed(g.S(), "border"));

  // The faded picture under the pieces, on and off.
  ASSERT_TRUE(p.ClickTool("frame"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "faded") == 1; }));
  EXPECT_TRUE(Pushed(g.S(), "frame"));
  if (g.Shooting()) g.Shot("faded");
  ASSERT_TRUE(p.ClickTool("frame"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "faded") == 0; }));

  // The preview frame: dragged out from under the pocket's corner (which
  // covers its size buttons at its first place), its three sizes, closed
  // by its close button at size 2 and by its tool at size 3.
  ASSERT_TRUE(p.ClickTool("fly"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "preview") == 1; }));
  EXPECT_TRUE(Pushed(g.S(), "fly"));
  {
    const SceneState s = g.S();
    const int x = s.Get("preview", "x"), y = s.Get("preview", "y");
    const int w = s.Get("preview", "w"), h = s.Get("preview", "h");
    p.Drag(x + w / 2, y + h / 2, x + w / 2 + 200, y + h / 2 + 120);
    ASSERT_TRUE(p.WaitFor([&](const SceneState& t) { return t.Get("preview", "x") >= x + 150; }))
        << testenv::ReadFile(g.StatePath());
  }
  int widths[4] = {0, 0, 0, 0};
  for (int size : {1, 2}) {
    ASSERT_TRUE(p.ClickAt("preview", "size" + std::to_string(size))) << size;
    ASSERT_TRUE(p.WaitFor([&](const SceneState& s) { return s.Get("preview", "factor") == 30 * size; }))
        << size << "\n" << testenv::ReadFile(g.StatePath());
    widths[size] = g.S().Get("preview", "w");
  }
  if (g.Shooting()) g.Shot("preview");
  ASSERT_TRUE(p.ClickAt("preview", "close"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "preview") == 0; }));
  EXPECT_FALSE(Pushed(g.S(), "fly")) << "closing the frame releases its tool";
  ASSERT_TRUE(p.ClickTool("fly"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "preview") == 1; }));
  ASSERT_TRUE(p.ClickAt("preview", "size3"));
  ASSERT_TRUE(p.WaitFor([&](const SceneState& s) { return s.Get("preview", "factor") == 90; }));
  widths[3] = g.S().Get("preview", "w");
  if (g.Shooting()) g.Shot("preview_large");
  ASSERT_TRUE(p.ClickTool("fly"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "preview") == 0; }));
  EXPECT_LT(widths[1], widths[2]);
  EXPECT_LT(widths[2], widths[3]);
  EXPECT_NEAR(widths[3], 3 * widths[1], 3);

  // The magnifier: on from its tool, off at the next click.
  ASSERT_TRUE(p.ClickTool("magnifier"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "magnifier") == 1; }));
  EXPECT_TRUE(Pushed(g.S(), "magnifier"));
  p.Move(520, 300);
  p.Frames(3);
  if (g.Shooting()) g.Shot("magnifier");
  p.Click(520, 300);
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("tools", "magnifier") == 0; }));
  EXPECT_FALSE(Pushed(g.S(), "magnifier"));

  // The pocket: opened, a piece from outside it dropped in, taken out
  // again, closed.
  ASSERT_TRUE(p.ClickAt("pocket", "button"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("pocket", "open") == 1 && s.Get("pocket", "motion") == 0; }));
  {
    const SceneState s = g.S();
    const Pt outer = PointOf(s, "pocket", "outer");
    int out = -1;
    for (const auto& [i, v] : s.pieces)
      if (out < 0 && v[4] >= 0 && (v[4] > outer.x + 10 || v[5] > outer.y + 10) && v[5] < 620) out = i;
    ASSERT_GE(out, 0) << testenv::ReadFile(g.StatePath());
    ASSERT_TRUE(g.DragPiece(out, outer.x / 3, outer.y / 3));
    ASSERT_TRUE(p.WaitFor([&](const SceneState& t) { return t.Get("pocketed", "") == out; }))
        << testenv::ReadFile(g.StatePath());
    EXPECT_EQ(g.S().Get("pocket", "pieces"), 1);
    if (g.Shooting()) g.Shot("pocket");
    ASSERT_TRUE(g.DragPiece(out, 820, 560));
    ASSERT_TRUE(p.WaitFor([](const SceneState& t) { return t.Get("pocket", "pieces") == 0; }));
  }
  ASSERT_TRUE(p.ClickAt("pocket", "button"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("pocket", "open") == 0 && s.Get("pocket", "motion") == 0; }));

  // The puzzle solved with the mouse alone.
  ASSERT_TRUE(g.Solve(true));

  // The win: the sparkles, then the dialog with the puzzle's record, the
  // result appended once.
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("win", "open") == 1; }, 30)) << run.Out();
  ASSERT_TRUE(run.WaitFor("Saving score...", 10)) << run.Out();
  const SceneState won = g.S();
  const int score = won.Get("win", "score");
  EXPECT_GT(score, 0);
  EXPECT_EQ(won.Get("win", "pieces"), pieces);
  EXPECT_EQ(won.Get("win", "rotation"), 1);
  EXPECT_GT(won.Get("win", "minutes") * 60 + won.Get("win", "seconds"), 0);
  EXPECT_EQ(won.Get("win", "hints"), 1);
  EXPECT_EQ(won.Get("panel", "active"), 0) << "the play panel is off once solved";
  const Pt icon = PointOf(won, "win", "icon0");
  if (icon.Valid()) p.Move(icon.x, icon.y);  // its hint shows
  p.Frames(20);
  ExpectDrawn(g.Shot("win"), "the win dialog");
  p.Frames(10);
  EXPECT_EQ(Occurrences(run.Out(), "Saving score..."), 1);
  EXPECT_EQ(Occurrences(run.Out(), "Level win OK"), 1);

  // The files: the player's record with the counters and trophies moved,
  // one progress entry, no save left.
  const fs::path dir = PlayerDir(run.Home());
  ASSERT_FALSE(dir.empty());
  GAME::PUZZLE_PLAYER_PROFILE rec;
  ASSERT_EQ(GAME::ReadRecordFile((dir / "set.bin").string(), &rec), GAME::RecordRead::kLoaded);
  EXPECT_EQ(rec.Puzzles, 1);
  EXPECT_EQ(rec.Pieces, pieces);
  EXPECT_EQ(rec.Score, score);
  EXPECT_GE(rec.PlayTime, won.Get("win", "minutes") * 60 + won.Get("win", "seconds"));
  const char* kinds[] = {"collector", "master", "endurance", "meditation", "inconstancy", "sage", "lord"};
  int trophies = 0;
  for (int k = 0; k < GAME::PUZZLE_PLAYER_PROFILE::kTrophies; ++k) {
    const int level = won.Get("win", kinds[k]);
    if (level != 0) {
      ++trophies;
      EXPECT_EQ(rec.trofei[k], level) << kinds[k];
    }
  }
  EXPECT_EQ(won.Get("win", "icons"), trophies);
  EXPECT_GE(trophies, 1) << "the first puzzle solved moves the inconstancy counter";
  const fs::path progress = dir / "Progress.xml";
  const std::vector<Entry> first = ReadProgress(progress);
  ASSERT_EQ(first.size(), 1u) << testenv::ReadFile(progress);
  EXPECT_EQ(first[0].face, "p2_01.png");
  EXPECT_EQ(first[0].score, score);
  EXPECT_EQ(first[0].count, pieces);
  EXPECT_EQ(first[0].rotata, "true");
  EXPECT_GT(first[0].time, 0.0);
  EXPECT_TRUE(SavesIn(dir).empty());
  const std::string firstBytes = FirstElement(testenv::ReadFile(progress));
  ASSERT_FALSE(firstBytes.empty());

  // Enter closes the dialog: back to the menu, whose scores button is on.
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("state", "") == 0; })) << run.Out();
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.named.at("button scores")[2] == 1; }));

  // The score board lists the puzzle; OK closes it.
  ASSERT_TRUE(p.ClickButton("scores"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("scoreboard", "rows") >= 0; }));
  EXPECT_EQ(g.S().Get("scoreboard", "rows"), 1);
  p.Frames(5);
  ExpectDrawn(g.Shot("scores"), "the score board");
  ASSERT_TRUE(p.ClickAt("scoreboard", "ok"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "scores") == 0; }));

  // The trophy window, closed by OK; the leader board, closed by Enter.
  ASSERT_TRUE(p.ClickButton("trophies"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "trophies") == 1; }));
  if (g.Shooting()) {
    p.Frames(5);
    g.Shot("trophies");
  }
  ASSERT_TRUE(p.ClickAt("trophywindow", "ok"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "trophies") == 0; }));
  ASSERT_TRUE(p.ClickButton("leaders"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "leaders") == 1; }));
  if (g.Shooting()) {
    p.Frames(5);
    g.Shot("leaders");
  }
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "leaders") == 0; }));

  // A second puzzle, the chapter's third picture at 3 along the short side
  // without rotation: one join, left with a save.
  ASSERT_TRUE(p.ClickTab(2));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("category", "") == 2; }));
  ASSERT_TRUE(p.ClickPicture(2));
  ASSERT_TRUE(p.ClickButton("cut"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "strip") == 1; }));
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) {
    return s.Get("state", "") == 6 && s.Get("state", "board") == 4 && !s.pieces.empty();
  })) << run.Out();
  EXPECT_EQ(g.S().Get("grid", "rotation"), 0);
  g.CloseHelp();
  p.Frames(90);
  {
    // Piece 0 on its home place, so that the picture built on it later
    // lies inside the play area.
    const Pt home = g.Home();
    ASSERT_TRUE(g.DragPiece(0, home.x, home.y));
    const SceneState s = g.S();
    const int cw = s.Get("cell", "");
    ASSERT_TRUE(g.DragPiece(1, s.pieces.at(0)[0] + cw, s.pieces.at(0)[1]));
  }
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("state", "regCg") == 1; }, 10));
  p.Key("Escape");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "quit") == 1; }));
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "save") == 1; }));
  p.Key("Return");
  ASSERT_TRUE(run.WaitFor("Puzzle quit +1", 10));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("state", "") == 0 && s.Get("category", "hasSaves") == 1; }));
  ASSERT_EQ(SavesIn(dir).size(), 1u);

  // Ctrl+Q ends the program cleanly.
  p.Chord("ctrl", "q");
  EXPECT_EQ(run.Finish(0, 30), 0) << run.Err();
  ASSERT_EQ(SavesIn(dir).size(), 1u) << "the save stays for later";

  // Started again: the save resumed from the saves tab and finished.
  ASSERT_TRUE(g.Start());
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("category", "hasSaves") == 1; }));
  ASSERT_TRUE(p.ClickTab(10));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("category", "") == 10; }));
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) {
    return s.Get("state", "") == 6 && s.Get("state", "board") == 4 && s.Get("state", "regCg") == 1;
  })) << run.Out();
  g.CloseHelp();
  ASSERT_TRUE(g.Solve(false));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("win", "open") == 1; }, 30)) << run.Out();
  ASSERT_TRUE(run.WaitFor("Saving score...", 10)) << run.Out();
  const int score2 = g.S().Get("win", "score");
  EXPECT_TRUE(SavesIn(dir).empty()) << "the save is deleted at the win";
  const std::vector<Entry> both = ReadProgress(progress);
  ASSERT_EQ(both.size(), 2u) << testenv::ReadFile(progress);
  EXPECT_EQ(both[1].face, "p2_03.png");
  EXPECT_EQ(both[1].score, score2);
  EXPECT_EQ(both[1].count, pieces);
  EXPECT_EQ(both[1].rotata, "false");
  EXPECT_GT(both[1].time, 0.0);
  EXPECT_EQ(FirstElement(testenv::ReadFile(progress)), firstBytes) << "the first entry is left as it was";
  ASSERT_EQ(GAME::ReadRecordFile((dir / "set.bin").string(), &rec), GAME::RecordRead::kLoaded);
  EXPECT_EQ(rec.Puzzles, 2);

  // Back to the menu, and out by its exit button.
  p.Key("Return");
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("state", "") == 0; })) << run.Out();
  ASSERT_TRUE(p.ClickButton("exit"));
  ASSERT_TRUE(p.WaitFor([](const SceneState& s) { return s.Get("slots", "quit") == 1; }));
  p.Key("Return");
  EXPECT_EQ(run.Finish(0, 30), 0) << run.Err();
}

}  // namespace
