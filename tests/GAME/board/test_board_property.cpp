// Every board a player can reach can be finished: a randomized player on
// the recording backend, over many boards (every cut from 3 to 15 along the
// short side of a landscape or portrait picture, rotation on and off, the
// fast collector on and off), drags and drops pieces and parts near their
// neighbours and far from them, onto the pocket and out of it, into the
// margins, turns them, draws bands, and uses the hint, the sort, edges
// only, the preview frame, the magnifier and save-and-resume, in random
// order. After every step (once the board has come to rest) it checks:
//  - regF, regBr, regCg and regFinishP equal a recount from the groups;
//  - every loose piece outside the pocket can be taken at some point of its
//    shape inside the play area: the topmost piece there is it, or belongs
//    to a part that can be moved off it;
//  - a part that cannot be moved (the finished frame, a locked part) lies
//    at home, and no two of them lie side by side unjoined;
//  - every counter and group id stays within what the grid allows.
// Then it solves the board from where it stands, with the mouse, and must
// reach the win.
//
// JIGSAW_PROPERTY_BOARDS sets the number of boards (default 208: each cut,
// picture shape, rotation and fast-collector setting twice; 26 in a
// sanitized build, whose run is many times slower, so that it stays within
// the test's time limit). JIGSAW_PROPERTY_TRACE prints a stuck board's
// pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "GAME/board/join_score.h"
#include "GAME/board/pocket.h"
#include "GAME/config/player_record.h"
#include "ST/pixel_tools.h"
#include "tests/support/board_env.h"

namespace {

using boardtest::Board;
using boardtest::Piece;

// One board of the run.
struct BoardCase {
  int seed = 0;
  int cut = 3;          // pieces along the short side
  bool portrait = false;
  bool rotation = false;
  bool fast = false;
  std::string Name() const {
    std::ostringstream s;
    s << "seed " << seed << " cut " << cut << (portrait ? " portrait" : " landscape")
      << (rotation ? " rotation" : "") << (fast ? " fast-collector" : "");
    return s.str();
  }
};

class BoardProperty : public boardtest::BoardEnv {
 protected:
  void TearDown() override {
    input().EventMouseLkm(false);
    input().EventMouseRkm(false);
    EndFrame();
    BoardEnv::TearDown();
  }

  // ---- the board

  // A board just cut, in play, for a picture whose short side holds `cut`
  // pieces: 640 x 480 or 480 x 640, so cells are rarely square (small, so
  // that many boards are cut in a few seconds).
  Board& Start(const BoardCase& c) {
    const int w = c.portrait ? 480 : 640, h = c.portrait ? 640 : 480;
    picture_ = "prop_" + std::to_string(w) + "x" + std::to_string(h) + ".bmp";
    drawtest::WriteImage(picture_, w, h, 0xFF336699u);
    player_ = GAME::PUZZLE_PLAYER_PROFILE();
    player_.FastCollector = c.fast;
    board = std::make_unique<Board>(&game());
    Board& b = *board;
    b.Init(picture_.c_str(), c.cut, 0, &player_, c.rotation, 0.0f, 0);
    b.state = Board::kStateCutPending;
    b.Update(0, 0.0f);
    return b;
  }

  // One frame with the mouse at (x, y); `button`: 1 left down, -1 left up,
  // 2 a right click.
  int Step(int x, int y, int button = 0) {
    input().EventMouseMove(x, y);
    if (button == 1) input().EventMouseLkm(true);
    if (button == -1) input().EventMouseLkm(false);
    if (button == 2) input().EventMouseRkm(true);
    const int r = board->Update(0, 0.0f);
    EndFrame();
    // The right button comes up in the next frame's messages: a click the
    // frame saw go down, not a tap shorter than the frame.
    if (button == 2) input().EventMouseRkm(false);
    return r;
  }

  // Frames with no button until the board rests (no lift, glide, turn,
  // settling group or sliding pocket), at most `most`.
  void Settle(int most = 60) {
    game().timer.SetDelta(0.1f);
    for (int f = 0; f < most; ++f) {
      Step(restX_, restY_);
      if (Resting()) return;
    }
  }
  bool Resting() const {
    const Board& b = *board;
    if (b.glowGroup > 0 || (b.pocket && b.pocket->motion != PUZZLE_POCKET::kResting)) return false;
    for (const Piece* p : b.zOrder)
      if (p->shadowLevel != 0.0f || p->velocity.x != 0 || p->velocity.y != 0 || p->turnProgress > 0.0f ||
          (p->alpha != 0.0f && p->alpha != 1.0f))  // fading in or out (edges only) a piece does not join
        return false;
    return true;
  }

  // ---- what the player can see and take

  bool OverPocket(int x, int y) {
    if (!board->pocket) return false;
    input().EventMouseMove(x, y);
    return board->pocket->MouseInPocket();
  }
  bool InPlayArea(int x, int y) const {
    return x > board->clipTopLeft.x && x < board->clipBottomRight.x && y > board->clipTopLeft.y &&
           y < board->clipBottomRight.y;
  }
  bool Immovable(const Piece* p) const {
    return (p->group != 0 && board->IsFrameGroup(p->group)) || board->IsLockedPart(p);
  }
  // Points of p's shape (its cell, by its rotation), centre first.
  std::vector<JST::iPOINT> PointsOf(const Piece* p) const {
    const bool across = p->rotation == 1 || p->rotation == 3;
    const float w = float(across ? p->cellH : p->cellW), h = float(across ? p->cellW : p->cellH);
    std::vector<JST::iPOINT> out;
    out.emplace_back(int(p->pos.x), int(p->pos.y));
    for (float fy : {-0.3f, 0.3f})
      for (float fx : {-0.3f, 0.3f}) out.emplace_back(int(p->pos.x + fx * w), int(p->pos.y + fy * h));
    return out;
  }
  // A point where a pick takes p's part (p itself when loose): inside p's
  // outline, in the play area, over the pocket exactly when p lies in it,
  // and p's part topmost there. False when there is none.
  bool PickPoint(const Piece* p, JST::iPOINT* at) {
    const Board& b = *board;
    for (JST::iPOINT q : PointsOf(p)) {
      if (!InPlayArea(q.x, q.y) || OverPocket(q.x, q.y) != (p->inPocket != 0)) continue;
      if (!GAMETOOLS::InsideObj(p->outline, int(p->pos.x), int(p->pos.y), q.x, q.y)) continue;
      const int z = b.WhoIn(q.x, q.y) - 1;
      if (z < 0) continue;
      const Piece* top = b.zOrder[size_t(z)];
      if (top == p || (p->group != 0 && top->group == p->group)) {
        *at = q;
        return true;
      }
    }
    return false;
  }

  // ---- the rules that must hold in every state

  // Empty when every rule holds, else what broke.
  std::string Broken() {
    const Board& b = *board;
    std::ostringstream why;
    const int n = int(b.gridOrder.size());
    // Counters from the groups.
    std::map<int, std::pair<int, bool>> groups;  // id: size, has an edge piece
    int loose = 0, looseEdges = 0;
    for (const Piece* p : b.gridOrder) {
      if (p->group == 0) {
        ++loose;
        looseEdges += p->edge ? 1 : 0;
      } else {
        auto& g = groups[p->group];
        ++g.first;
        g.second = g.second || p->edge;
      }
    }
    int edgeGroups = 0;
    for (const auto& [id, g] : groups) edgeGroups += g.second ? 1 : 0;
    const int parts = loose + int(groups.size());
    const int borderParts = looseEdges + edgeGroups;
    const int frameSize = borderParts < 2 && b.gridOrder[0]->group ? groups[b.gridOrder[0]->group].first : 0;
    if (b.regF != parts) why << "regF " << b.regF << " for " << parts << " parts; ";
    if (b.regBr != borderParts) why << "regBr " << b.regBr << " for " << borderParts << " border parts; ";
    if (b.regCg != n - parts) why << "regCg " << b.regCg << " for " << n - parts << " joins; ";
    if (b.regFinishP != frameSize) why << "regFinishP " << b.regFinishP << " for " << frameSize << "; ";
    // Counters within the grid's bounds.
    const GAME::CounterBounds most = GAME::CounterBoundsFor(n);
    if (b.cstr < 0 || b.cstr > b.regCg) why << "cstr " << b.cstr << " beyond the joins made; ";
    if (!groups.empty() && groups.rbegin()->first > b.cstr) why << "group id above cstr; ";
    if (b.regFastGlue < 0 || b.regFastGlue > b.regCg) why << "regFastGlue " << b.regFastGlue << "; ";
    if (b.regPf < 0 || b.regPf > most.speedPoints) why << "regPf " << b.regPf << "; ";
    if (b.regSc < 0 || b.regSc > most.score) why << "regSc " << b.regSc << "; ";
    if (b.regH < 0 || b.regH > most.hints) why << "regH " << b.regH << "; ";
    // Immovable parts lie at home (a locked one exactly; the finished frame
    // by its corner piece, within the pixel its move home truncates), and
    // none lies beside another unjoined.
    const Piece* corner = b.gridOrder[0];
    if (b.IsFrameGroup(corner->group) && !(corner->turnProgress > 0.0f)) {
      const JST::iPOINT h = b.HomePoint(corner);
      if (corner->rotation != 0 || std::abs(corner->pos.x - float(h.x)) >= 1.0f ||
          std::abs(corner->pos.y - float(h.y)) >= 1.0f)
        why << "the finished frame off home; ";
    }
    for (const Piece* p : b.gridOrder) {
      if (!Immovable(p)) continue;
      if (!b.IsFrameGroup(p->group) && !(p->turnProgress > 0.0f) && !b.AtHome(p))
        why << "locked piece (" << p->row << "," << p->column << ") off home; ";
      for (const Piece* q : b.gridOrder) {
        if (q == p || !Immovable(q) || (q->group != 0 && q->group == p->group)) continue;
        if (std::abs(p->row - q->row) + std::abs(p->column - q->column) == 1)
          why << "immovable (" << p->row << "," << p->column << ") and (" << q->row << "," << q->column
              << ") apart" << (b.IsFrameGroup(p->group) ? " (frame)" : "") << " at " << p->pos.x << "," << p->pos.y
              << " and " << q->pos.x << "," << q->pos.y << " rot " << p->rotation << q->rotation << " alpha "
              << p->alpha << "," << q->alpha << "; ";
      }
    }
    // Every loose piece outside the pocket can be taken, or a movable part
    // lies over it. Edges only hides the inner ones by the player's choice.
    // A part that can be moved is likewise in reach at one of its pieces at
    // least (checked after the loose pieces).
    std::map<int, std::pair<bool, bool>> partReach;  // id: some point seen, some point reachable
    for (const Piece* p : b.gridOrder) {
      if (p->group == 0 || p->inPocket || Immovable(p)) continue;
      auto& r = partReach[p->group];
      for (JST::iPOINT q : PointsOf(p)) {
        if (r.second) break;
        if (!InPlayArea(q.x, q.y) || OverPocket(q.x, q.y)) continue;
        if (!GAMETOOLS::InsideObj(p->outline, int(p->pos.x), int(p->pos.y), q.x, q.y)) continue;
        r.first = true;
        const int z = b.WhoIn(q.x, q.y) - 1;
        if (z < 0) continue;
        const Piece* top = b.zOrder[size_t(z)];
        r.second = top->group == p->group || !Immovable(top);
      }
    }
    for (const auto& [id, r] : partReach)
      if (r.first && !r.second) why << "part " << id << " cannot be taken, under an immovable part; ";
    for (const Piece* p : b.gridOrder) {
      if (p->group != 0 || p->inPocket || (b.edgesOnly && !p->edge)) continue;
      bool reachable = false;
      bool anyPoint = false;
      for (JST::iPOINT q : PointsOf(p)) {
        if (!InPlayArea(q.x, q.y) || OverPocket(q.x, q.y)) continue;
        if (!GAMETOOLS::InsideObj(p->outline, int(p->pos.x), int(p->pos.y), q.x, q.y)) continue;
        anyPoint = true;
        const int z = b.WhoIn(q.x, q.y) - 1;
        if (z < 0) continue;
        const Piece* top = b.zOrder[size_t(z)];
        if (top == p || !Immovable(top)) {
          reachable = top == p ? !b.IsLockedPart(p) : true;
          if (reachable) break;
        }
      }
      if (anyPoint && !reachable) {
        const int z = b.WhoIn(int(p->pos.x), int(p->pos.y)) - 1;
        const Piece* top = z >= 0 ? b.zOrder[size_t(z)] : nullptr;
        why << "loose piece (" << p->row << "," << p->column << ")" << (b.IsLockedPart(p) ? " locked" : "")
            << " cannot be taken";
        if (top && top != p)
          why << ", under " << (b.IsFrameGroup(top->group) ? "the finished frame" : "a locked part");
        why << "; ";
      }
    }
    return why.str();
  }

  // ---- the randomized player

  int RandIn(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  Piece* AnyPiece() { return board->gridOrder[size_t(RandIn(0, int(board->gridOrder.size()) - 1))]; }

  // Drags from `from` to `to` in a few frames.
  void Drag(JST::iPOINT from, JST::iPOINT to, int frames = 3) {
    game().timer.SetDelta(0.02f);
    Step(from.x, from.y, 1);
    for (int f = 1; f <= frames; ++f)
      Step(from.x + (to.x - from.x) * f / frames, from.y + (to.y - from.y) * f / frames);
    Step(to.x, to.y, -1);
  }
  // The screen offset from grid piece b to grid piece a when a's part lies
  // at rotation r beside b.
  static JST::iPOINT Beside(const Piece* a, const Piece* b, int r) {
    int x = (a->column - b->column) * b->cellW, y = (a->row - b->row) * b->cellH;
    for (int k = 0; k < r; ++k) {
      const int t = x;
      x = -y;
      y = t;
    }
    return JST::iPOINT(x, y);
  }

  // One random action of a player; `resume`: save and resume may be one
  // (it replaces the board).
  void Act(bool resume = true) {
    Board& b = *board;
    const int what = RandIn(0, 19);
    Piece* p = AnyPiece();
    JST::iPOINT at;
    switch (what) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4: {  // a part dropped near a grid neighbour, a few pixels off
        if (!PickPoint(p, &at)) break;
        std::vector<Piece*> near;
        for (Piece* q : b.gridOrder)
          if (std::abs(q->row - p->row) + std::abs(q->column - p->column) == 1) near.push_back(q);
        const Piece* q = near[size_t(RandIn(0, int(near.size()) - 1))];
        const JST::iPOINT off = Beside(p, q, q->rotation);
        const int jitter = RandIn(0, 3) == 0 ? 14 : 7;
        const JST::iPOINT to(int(q->pos.x) + off.x + RandIn(-jitter, jitter) + (at.x - int(p->pos.x)),
                             int(q->pos.y) + off.y + RandIn(-jitter, jitter) + (at.y - int(p->pos.y)));
        Drag(at, to);
        break;
      }
      case 5:
      case 6: {  // far: anywhere on the screen, margins and panels included
        if (!PickPoint(p, &at)) break;
        Drag(at, JST::iPOINT(RandIn(5, 1019), RandIn(5, 763)));
        break;
      }
      case 7: {  // near its home
        if (!PickPoint(p, &at)) break;
        const JST::iPOINT h = b.HomePoint(p);
        Drag(at, JST::iPOINT(h.x + RandIn(-30, 30) + (at.x - int(p->pos.x)), h.y + RandIn(-30, 30) + (at.y - int(p->pos.y))));
        break;
      }
      case 8: {  // onto the pocket
        if (!PickPoint(p, &at)) break;
        Drag(at, JST::iPOINT(RandIn(10, 60), RandIn(10, 60)));
        break;
      }
      case 9: {  // the pocket's button; with it open, a pocketed piece out
        Step(32, 32, 1);
        Step(32, 32, -1);
        Settle();
        if (b.pocket && b.pocket->open)
          for (Piece* q : b.gridOrder)
            if (q->inPocket && RandIn(0, 1) && PickPoint(q, &at)) {
              Drag(at, JST::iPOINT(RandIn(650, 900), RandIn(500, 700)));
              break;
            }
        break;
      }
      case 10:
      case 11: {  // a quarter turn
        if (!PickPoint(p, &at)) break;
        Step(at.x, at.y, 2);
        break;
      }
      case 12: {  // a band from an empty spot, then maybe a drag of it
        const JST::iPOINT s(RandIn(60, 960), RandIn(60, 700));
        if (b.WhoIn(s.x, s.y) != 0) break;
        Drag(s, JST::iPOINT(RandIn(60, 960), RandIn(60, 700)), 2);
        for (Piece* q : b.gridOrder)
          if (q->selected && PickPoint(q, &at)) {
            Drag(at, JST::iPOINT(at.x + RandIn(-100, 100), at.y + RandIn(-100, 100)));
            break;
          }
        break;
      }
      case 13:
        b.Help();
        break;
      case 14:
        if (RandIn(0, 2) == 0) b.Sort();
        break;
      case 15:
        b.SetBorder();
        break;
      case 16:
        b.bShowLitleFrame();
        break;
      case 17:
        b.SetMagnifer();
        break;
      case 18:
      case 19:
        if (resume && RandIn(0, 2) == 0) SaveAndResume();
        break;
    }
    Settle();
  }

  void SaveAndResume() {
    if (board->SavePuzzleState("./", 0) != Board::kSaveWritten) return;
    std::string path = board->savePath;
    board = std::make_unique<Board>(&game());
    ASSERT_EQ(board->LoadPuzzleState(path.data(), &player_, 0), Board::kLoadOk);
  }

  // ---- the solver: every part brought home, upright, by the mouse

  bool NearHome(const Piece* p) const {
    const JST::iPOINT h = board->HomePoint(p);
    return p->rotation == 0 && std::abs(p->pos.x - float(h.x)) < 1.5f && std::abs(p->pos.y - float(h.y)) < 1.5f;
  }

  // Undoes what stands between the player and the pieces: the magnifier,
  // edges only, a selection, the pocket (emptied onto the board).
  void ClearTools() {
    Board& b = *board;
    if (b.magnifierOn) b.SetMagnifer();
    if (b.edgesOnly) b.SetBorder();
    if (b.showLitleFrame) b.bShowLitleFrame();
    b.ResetAllocation();
    bool pocketed = false;
    for (const Piece* p : b.gridOrder) pocketed = pocketed || p->inPocket;
    if (pocketed && !b.pocket->open) {
      Step(32, 32, 1);
      Step(32, 32, -1);
      Settle();
    }
    JST::iPOINT at;
    for (Piece* p : b.gridOrder) {
      if (!p->inPocket) continue;
      if (PickPoint(p, &at)) {
        Drag(at, JST::iPOINT(RandIn(700, 900), RandIn(520, 690)));
        Settle();
      } else if (std::getenv("JIGSAW_PROPERTY_TRACE")) {
        for (JST::iPOINT q : PointsOf(p))
          std::printf("pocketed (%d,%d) point %d,%d over %d inside %d who %d open %d\n", p->row, p->column, q.x, q.y,
                      int(OverPocket(q.x, q.y)), int(GAMETOOLS::InsideObj(p->outline, int(p->pos.x), int(p->pos.y), q.x, q.y)),
                      b.WhoIn(q.x, q.y), int(b.pocket->open));
      }
    }
    if (b.pocket->open) {
      Step(32, 32, 1);
      Step(32, 32, -1);
      Settle();
    }
  }

  // Turns p's part to rotation r with right clicks; false when it cannot.
  bool TurnTo(const Piece* p, int r) {
    for (int k = 0; k < 4 && p->rotation != r; ++k) {
      JST::iPOINT at;
      if (!PickPoint(p, &at)) return false;
      Step(at.x, at.y, 2);
      Settle();
    }
    return p->rotation == r;
  }

  // Brings the part of p so that p lies at `target`; false when no pick
  // takes it.
  bool Bring(const Piece* p, JST::iPOINT target) {
    // A selection moves whole and never joins: the player lets it go.
    if (p->selected) board->ResetAllocation();
    JST::iPOINT at;
    if (!PickPoint(p, &at)) return false;
    const JST::iPOINT to(at.x + target.x - int(p->pos.x), at.y + target.y - int(p->pos.y));
    if (to.x < 0 || to.y < 0 || to.x > 1023 || to.y > 767 || OverPocket(to.x, to.y)) return false;
    const JST::fPOINT before = p->pos;
    Drag(at, to, 2);
    Settle();
    if (std::getenv("JIGSAW_PROPERTY_TRACE"))
      std::printf("bring (%d,%d) from %.1f,%.1f via %d,%d to %d,%d: now %.1f,%.1f regF %d hint %d mag %d\n", p->row,
                  p->column, before.x, before.y, at.x, at.y, to.x, to.y, p->pos.x, p->pos.y, board->regF,
                  int(board->hintShown), int(board->magnifierOn));
    return true;
  }

  // Solves the board from where it stands; true at the win. Each part in
  // turn is turned upright and dropped with its pieces on their home
  // points, where it joins whatever lies home beside it (the finished frame
  // and locked parts lie there already); a part that cannot be taken now is
  // tried again once the others have moved off it.
  bool Solve(std::string* why) {
    Board& b = *board;
    ClearTools();
    // A round may bring nothing because of what the player did on the way
    // (the pocket opened over the picture); two idle rounds end it.
    int drops = 0;
    for (int round = 0, idle = 0; round < 12 && b.regF > 1 && idle < 2; ++round) {
      bool moved = false;
      for (const Piece* a : b.gridOrder) {
        if (Immovable(a) || NearHome(a)) continue;
        if (a->rotation != 0 && !(b.rotation && TurnTo(a, 0))) continue;
        if (Bring(a, b.HomePoint(a))) moved = true;
        if (b.regF <= 1) break;
        // Now and then the player does something else on the way, late in
        // the game as well; the rules hold after every step.
        const bool acted = RandIn(0, 5) == 0;
        if (acted) Act(false);
        // The rules are checked after each such step, and after every
        // eighth drop of the solver's own (each drop's check costs a scan
        // of the loose pieces).
        if (!acted && ++drops % 8 != 0) continue;
        if (const std::string broken = Broken(); !broken.empty()) {
          *why = broken;
          return false;
        }
        if (b.regF <= 1) break;
      }
      ClearTools();
      idle = moved ? 0 : idle + 1;
    }
    if (b.regF > 1) {
      if (std::getenv("JIGSAW_PROPERTY_TRACE")) {
        std::printf("preview %d magnifier %d hint %d band %d held %d pocket open %d\n", int(b.showLitleFrame),
                    int(b.magnifierOn), int(b.hintShown), int(b.bandActive), b.held, int(b.pocket->open));
        for (const Piece* p : b.gridOrder)
          std::printf("(%d,%d) selected %d locked %d\n", p->row, p->column, int(p->selected), int(p->locked));
        for (const Piece* p : b.gridOrder)
          for (const Piece* q : b.gridOrder)
            if (p->group == 0 && q != p && std::abs(p->row - q->row) + std::abs(p->column - q->column) == 1)
              std::printf("pair (%d,%d)-(%d,%d): two %d radius %d glue %d turn %.2f %.2f alpha %.9f %.9f edges %d\n",
                          p->row, p->column, q->row, q->column, b.TestTwo(b.ZOf(p), b.ZOf(q)),
                          b.RadiusTest(b.ZOf(p), b.ZOf(q)), b.GlueTest(b.ZOf(p), b.ZOf(q)), p->turnProgress,
                          q->turnProgress, p->alpha, q->alpha, int(b.edgesOnly));
        for (const Piece* p : b.gridOrder) {
          JST::iPOINT at;
          const bool pick = PickPoint(p, &at);
          std::printf("(%d,%d) g%d rot %d pos %.1f,%.1f home %d,%d cell %dx%d lock %d pocket %d alpha %.2f pick %d\n",
                      p->row, p->column, p->group, p->rotation, p->pos.x, p->pos.y, b.HomePoint(p).x,
                      b.HomePoint(p).y, p->cellW, p->cellH, int(p->locked), p->inPocket, p->alpha, int(pick));
        }
      }
      *why = "stuck at regF " + std::to_string(b.regF) + ": " + Broken();
      return false;
    }
    return b.winSparkle != Board::kIndexIdle;
  }

  // The whole run of one board: "" when it passed.
  std::string Run(const BoardCase& c, int actions) {
    rng_.seed(unsigned(c.seed));
    game().random.Seed(float(c.seed));
    Start(c);
    for (int k = 0; k < actions; ++k) {
      Act();
      if (board->regF <= 1) break;
      const std::string broken = Broken();
      if (!broken.empty()) return "after action " + std::to_string(k) + ": " + broken;
    }
    std::string why;
    if (board->regF > 1 && !Solve(&why)) return "solve: " + why;
    if (board->winSparkle == Board::kIndexIdle) return "solved without the win";
    std::remove("1.pzl");
    board->savePath.clear();
    return "";
  }

  std::mt19937 rng_;
  std::string picture_;
  GAME::PUZZLE_PLAYER_PROFILE player_;
  // Where the pointer rests between actions: a corner of the play area.
  int restX_ = 1000, restY_ = 740;
};

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int kDefaultBoards = 26;
#else
constexpr int kDefaultBoards = 208;
#endif

int Boards() {
  const char* v = std::getenv("JIGSAW_PROPERTY_BOARDS");
  const int n = v ? std::atoi(v) : 0;
  return n > 0 ? n : kDefaultBoards;
}

TEST_F(BoardProperty, EveryBoardAPlayerCanReachCanBeFinished) {
  const int boards = Boards();
  std::vector<std::string> failed;
  for (int k = 0; k < boards; ++k) {
    BoardCase c;
    c.seed = k + 1;
    // 13 cuts against 8 settings: every pairing once in 104 boards.
    c.cut = 3 + k % 13;
    c.portrait = k % 2 == 1;
    c.rotation = (k / 2) % 2 == 1;
    c.fast = (k / 4) % 2 == 1;
    const std::string result = Run(c, 16);
    if (!result.empty()) failed.push_back(c.Name() + ": " + result);
  }
  for (const std::string& f : failed) ADD_FAILURE() << f;
  EXPECT_TRUE(failed.empty()) << failed.size() << " of " << boards << " boards failed";
}

}  // namespace
