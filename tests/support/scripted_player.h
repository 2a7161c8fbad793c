// A scripted player for in-process game tests: it plays through the real
// input path, the way a person at the mouse would. Each action is a series
// of window messages handed to the engine's window procedure (ZOV::JWndProc,
// which feeds the game object's input state and maps positions from
// back-buffer pixels into the logical screen), one step a frame: a press in
// one frame, the moves in the frames after it, the release in its own frame;
// a right click is a press and release of the right button.
//
// A frame is: the queued messages dispatched, the driven object's update
// (the board's Update here; later the whole scene), then the input state
// aged, as the game's own update pass does.
//
// The player looks at the board only as a person looks at the screen: where
// a piece lies (its position), whether it is the one under the pointer
// (WhoIn), whether it still turns. It never writes the board.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "GAME/board/board.h"
#include "ST/game.h"
#include "ST/window_proc.h"
#include "platform/window.h"

namespace scripted {

class ScriptedPlayer {
 public:
  using Board = GAME::PUZZLE_PIECES_SYSTEM;
  using Piece = GAME::PUZZLE_PIECES;

  // update: the per-frame call of what is being played (its result is
  // recorded); movesPerDrag: intermediate move frames of each drag.
  ScriptedPlayer(ZOV::ST_GAME& game, std::function<int()> update, int movesPerDrag = 6)
      : game_(game), update_(std::move(update)), moves_(movesPerDrag) {}

  // Plays one frame; returns its update result.
  int Frame() {
    for (const plat::Msg& m : queue_) ZOV::JWndProc(&game_.app.Window(), m.message, m.wParam, m.lParam);
    queue_.clear();
    const int r = update_();
    results_.push_back(r);
    game_.input.Update(0);
    return r;
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) Frame();
  }

  // ---- messages for the next frame
  void MoveMouse(int x, int y) { Post(plat::WM_MOUSEMOVE, 0, plat::MakeMouseLParam(ClientX(x), ClientY(y))); }
  void Post(unsigned message, uintptr_t w = 0, intptr_t l = 0) {
    plat::Msg m;
    m.message = message;
    m.wParam = w;
    m.lParam = l;
    queue_.push_back(m);
  }

  // ---- actions, each over several frames
  // A left press at (x, y), moves in even steps to (tx, ty), the release.
  void Drag(int x, int y, int tx, int ty) {
    MoveMouse(x, y);
    Frame();
    Post(plat::WM_LBUTTONDOWN);
    Frame();
    for (int s = 1; s <= moves_; ++s) {
      MoveMouse(x + (tx - x) * s / moves_, y + (ty - y) * s / moves_);
      Frame();
    }
    Post(plat::WM_LBUTTONUP);
    Frame();
  }
  // A left click at (x, y): the pointer comes to rest there in one frame
  // (so the press frame carries no motion), then a quick tap: press and
  // release in the next frame's messages, which that frame sees as the
  // press and the one after as the release. Returns the press frame's
  // result.
  int Click(int x, int y) {
    MoveMouse(x, y);
    Frame();
    Post(plat::WM_LBUTTONDOWN);
    Post(plat::WM_LBUTTONUP);
    const int r = Frame();
    Frame();
    return r;
  }
  // A right click at (x, y): press and release in one frame's messages, a
  // tap shorter than the frame, which that frame sees as a press.
  void RightClick(int x, int y) {
    MoveMouse(x, y);
    Post(plat::WM_RBUTTONDOWN);
    Post(plat::WM_RBUTTONUP);
    Frame();
    Frame();
  }

  // ---- looking at the board
  // A point on the piece where it is the topmost one (its centre first,
  // then points around it); false when none shows.
  static bool GrabPoint(const Board& b, const Piece* p, int* x, int* y) {
    const int step = std::max(4, std::min(p->cellW, p->cellH) / 6);
    for (int ring = 0; ring <= 2; ++ring)
      for (int dy = -ring; dy <= ring; ++dy)
        for (int dx = -ring; dx <= ring; ++dx) {
          if (std::max(std::abs(dx), std::abs(dy)) != ring) continue;
          const int px = int(p->pos.x) + dx * step, py = int(p->pos.y) + dy * step;
          const int z = b.WhoIn(px, py);
          if (z > 0 && b.zOrder[size_t(z - 1)] == p) {
            *x = px;
            *y = py;
            return true;
          }
        }
    return false;
  }
  // Turns the piece upright with right clicks on it, one quarter turn at a
  // time, each turn played out before the next click.
  bool TurnUpright(const Board& b, const Piece* p) {
    for (int turns = 0; turns < 4 && p->rotation != 0; ++turns) {
      int x = 0, y = 0;
      if (!GrabPoint(b, p, &x, &y)) return false;
      RightClick(x, y);
      for (int f = 0; f < 60 && p->turnProgress > 0.0f; ++f) Frame();
    }
    return p->rotation == 0;
  }
  // Drags the piece so that its centre ends at (tx, ty) (to the pixel).
  bool DragPieceTo(const Board& b, const Piece* p, int tx, int ty) {
    int x = 0, y = 0;
    if (!GrabPoint(b, p, &x, &y)) return false;
    const int ox = x - int(std::lround(p->pos.x)), oy = y - int(std::lround(p->pos.y));
    Drag(x, y, tx + ox, ty + oy);
    return true;
  }

  const std::vector<int>& Results() const { return results_; }
  void ClearResults() { results_.clear(); }

 private:
  // The back-buffer pixel that the window procedure maps onto logical x.
  int ClientX(int x) const { return Client(x, game_.gfx.adaptOffsetX, game_.gfx.scaledW, game_.gfx.logicalW); }
  int ClientY(int y) const { return Client(y, game_.gfx.adaptOffsetY, game_.gfx.scaledH, game_.gfx.logicalH); }
  static int Client(int logical, int offset, int scaled, int size) {
    if (scaled <= 0 || size <= 0) return logical + offset;
    const int guess = offset + int(double(logical) * double(scaled) / double(size));
    for (int c = guess - 2; c <= guess + 2; ++c)
      if (ZOV::LogicalFromClient(c, offset, scaled, size) == logical) return c;
    return guess;
  }

  ZOV::ST_GAME& game_;
  std::function<int()> update_;
  int moves_;
  std::vector<plat::Msg> queue_;
  std::vector<int> results_;
};

}  // namespace scripted
