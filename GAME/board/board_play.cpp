// Mouse play on the board: picking a piece, a group or a rubber-band
// selection, dragging it, quarter turns, dropping it (joins, the fast
// collector, the pocket), and the z-order, shadow and glow operations these
// use.
//
// The held piece is kept 1-based in `held` (0 = none) and turned into a
// z-index only by HeldZ; every other call here takes 0-based z-indices.
// Moving a group in the z-order is one stable partition of the deque, so a
// pick or a drop stays linear in the number of pieces.
#include <algorithm>
#include <cmath>

#include "GAME/board/board.h"
#include "GAME/config/player_record.h"
#include "GAME/ui/shared_assets.h"
#include "ST/game.h"
#include "ST/input.h"
#include "ST/pixel_tools.h"
#include "ST/sound.h"
#include "ST/sprite.h"

namespace GAME {

// ---- lookups

int PUZZLE_PIECES_SYSTEM::ZOf(const PUZZLE_PIECES* p) const {
  for (size_t z = 0; z < zOrder.size(); ++z)
    if (zOrder[z] == p) return int(z);
  return -1;
}

int PUZZLE_PIECES_SYSTEM::HeldZ() const {
  if (held <= 0 || size_t(held) > zOrder.size()) return -1;
  return held - 1;
}

bool PUZZLE_PIECES_SYSTEM::IsFrameGroup(int group) const {
  return group != 0 && regBr < 2 && !gridOrder.empty() && gridOrder[0] && gridOrder[0]->group == group;
}

bool PUZZLE_PIECES_SYSTEM::IsLockedPart(const PUZZLE_PIECES* p) const {
  if (!p) return false;
  if (p->locked || p->group == 0) return p->locked;
  for (const PUZZLE_PIECES* q : zOrder)
    if (q->group == p->group && q->locked) return true;
  return false;
}

int PUZZLE_PIECES_SYSTEM::WhoIn(int x, int y) const {
  const bool pocketOpen = PocketOpen();
  for (size_t z = 0; z < zOrder.size(); ++z) {
    const PUZZLE_PIECES* p = zOrder[z];
    if (edgesOnly && p->group == 0 && !p->edge) continue;
    if (p->inPocket && !pocketOpen) continue;
    if (GAMETOOLS::InsideObj(p->outline, int(p->pos.x), int(p->pos.y), x, y)) return int(z) + 1;
  }
  return 0;
}

// ---- the band

void PUZZLE_PIECES_SYSTEM::ClearBand() {
  if (selection_) selection_->SetSizePix(0, 0);
  bandStart = bandEnd = JST::iPOINT(0, 0);
}

void PUZZLE_PIECES_SYSTEM::SelectionStart() {
  ClearBand();
  ResetAllocation();
  held = 0;
  bandActive = true;
  int x = 0, y = 0;
  if (input) input->GetMousePos(&x, &y);
  bandStart = bandEnd = JST::iPOINT(x, y);
}

void PUZZLE_PIECES_SYSTEM::CheckCountAllocation() {
  // Two parts are two loose pieces, a loose piece and a group, or two
  // groups: a loose piece is a part of its own, a group counts once.
  int firstGroup = -1;  // the first selected group met
  int parts = 0;
  for (const PUZZLE_PIECES* p : gridOrder) {
    if (!p || !p->selected) continue;
    if (p->group == 0) {
      ++parts;
    } else if (firstGroup < 0) {
      firstGroup = p->group;
      ++parts;
    } else if (p->group != firstGroup) {
      ++parts;
    }
    if (parts >= 2) return;
  }
  ResetAllocation();
}

void PUZZLE_PIECES_SYSTEM::CheckTheSelection() {
  // A band drawn over the pocket takes pocketed pieces, one drawn on the
  // board the others; the finished frame, locked pieces and the closed
  // pocket's pieces are never taken. A group is taken whole when any of its
  // pieces is taken, wherever its members lie in the z-order (a group just
  // joined need not be one run of it), so a selection never splits a group.
  const bool pocketOpen = PocketOpen();
  selectedGroups_.clear();
  for (PUZZLE_PIECES* p : zOrder) {
    const bool inside = p->PieceInFrame(bandStart.x, bandStart.y, bandEnd.x, bandEnd.y);
    const bool takeable = inside && !IsFrameGroup(p->group) && !p->locked && !(p->inPocket && !pocketOpen) &&
                          (p->inPocket != 0) == pointerInPocket;
    if (p->group == 0)
      p->selected = takeable;
    else if (takeable)
      selectedGroups_.push_back(p->group);
  }
  std::sort(selectedGroups_.begin(), selectedGroups_.end());
  for (PUZZLE_PIECES* p : zOrder)
    if (p->group != 0) p->selected = std::binary_search(selectedGroups_.begin(), selectedGroups_.end(), p->group);
}

// ---- moving and turning

void PUZZLE_PIECES_SYSTEM::PieceMove(int z, float dx, float dy) {
  if (z < 0 || size_t(z) >= zOrder.size()) return;
  PUZZLE_PIECES* p = zOrder[size_t(z)];
  if (p->selected)
    MoveVstr(dx, dy);
  else if (p->group != 0)
    MoveStr(p->group, dx, dy);
  else
    p->Move(dx, dy);
}

void PUZZLE_PIECES_SYSTEM::MoveStr(int group, float dx, float dy) {
  if (group == 0 || IsFrameGroup(group)) return;
  for (PUZZLE_PIECES* p : zOrder)
    if (p->group == group) p->Move(dx, dy);
}

void PUZZLE_PIECES_SYSTEM::MoveVstr(float dx, float dy) {
  for (PUZZLE_PIECES* p : zOrder)
    if (p->selected) p->Move(dx, dy);
}

void PUZZLE_PIECES_SYSTEM::PieceMoveRot(int gridIndex, float dx, float dy) {
  if (gridIndex < 0 || size_t(gridIndex) >= gridOrder.size() || !gridOrder[size_t(gridIndex)]) return;
  gridOrder[size_t(gridIndex)]->Move(dx, dy);
}

void PUZZLE_PIECES_SYSTEM::RotStr(int group, int x, int y) {
  if (group == 0) return;
  for (PUZZLE_PIECES* p : zOrder)
    if (p->group == group && !(p->turnProgress > 0.0f)) p->ChangeRot(float(x), float(y));
}

// ---- z-order

void PUZZLE_PIECES_SYSTEM::SwapStrDown(int group, int, bool lift) {
  if (group == 0) return;
  std::stable_partition(zOrder.begin(), zOrder.end(), [group](const PUZZLE_PIECES* p) { return p->group == group; });
  for (PUZZLE_PIECES* p : zOrder) {
    if (p->group != group) break;
    if (lift)
      p->shadowDir = PUZZLE_PIECES::kShadowRising;
    else
      p->shadowLevel = 0.0f;
  }
}

void PUZZLE_PIECES_SYSTEM::SwapStrUp(int group, bool lift) {
  if (group == 0) return;
  std::stable_partition(zOrder.begin(), zOrder.end(), [group](const PUZZLE_PIECES* p) { return p->group != group; });
  for (auto it = zOrder.rbegin(); it != zOrder.rend() && (*it)->group == group; ++it) {
    if (lift)
      (*it)->shadowDir = PUZZLE_PIECES::kShadowRising;
    else
      (*it)->shadowLevel = 0.0f;
  }
}

void PUZZLE_PIECES_SYSTEM::SwapDown(int z) {
  if (z < 0 || size_t(z) >= zOrder.size()) return;
  PUZZLE_PIECES* p = zOrder[size_t(z)];
  zOrder.erase(zOrder.begin() + z);
  zOrder.push_back(p);
}

void PUZZLE_PIECES_SYSTEM::SwapVstr() {
  std::stable_partition(zOrder.begin(), zOrder.end(), [](const PUZZLE_PIECES* p) { return p->selected; });
}

int PUZZLE_PIECES_SYSTEM::VidelStr(int z) {
  if (z < 0 || size_t(z) >= zOrder.size()) return z;
  const int group = zOrder[size_t(z)]->group;
  for (PUZZLE_PIECES* p : zOrder)
    if (p->group == group) p->selected = true;
  size_t k = size_t(z);
  while (k < zOrder.size() && zOrder[k]->group == group) ++k;
  return int(k);
}

// ---- flags

void PUZZLE_PIECES_SYSTEM::GlowNstr(int group) {
  if (group == 0) return;
  for (PUZZLE_PIECES* p : zOrder)
    if (p->group == group) p->highlight = true;
}

void PUZZLE_PIECES_SYSTEM::VK(bool in) {
  const bool scatter = in && !PocketOpen();
  for (PUZZLE_PIECES* p : zOrder) {
    if (!p->selected || p->group != 0) continue;
    p->inPocket = in ? 1 : 0;
    if (scatter) PlaceInPocket(p);
  }
}

void PUZZLE_PIECES_SYSTEM::VKoffNSTR(int group) {
  if (group == 0) return;
  for (PUZZLE_PIECES* p : zOrder)
    if (p->group == group) p->inPocket = 0;
}

void PUZZLE_PIECES_SYSTEM::ChangeShadow(int dir, int group, bool set) {
  const bool up = dir >= 0;
  for (PUZZLE_PIECES* p : zOrder) {
    if (p->group != group) continue;
    p->shadowDir = up ? PUZZLE_PIECES::kShadowRising : PUZZLE_PIECES::kShadowFalling;
    if (set) p->shadowLevel = up ? 1.0f : 0.0f;
  }
}

void PUZZLE_PIECES_SYSTEM::ChangeShadowVstr(int dir) {
  for (PUZZLE_PIECES* p : zOrder)
    if (p->selected) p->shadowDir = dir;
}

// ---- the fast collector

JST::iPOINT PUZZLE_PIECES_SYSTEM::HomePoint(const PUZZLE_PIECES* p) const {
  if (!p || gridOrder.empty() || !gridOrder[0]) return JST::iPOINT(0, 0);
  const int cw = gridOrder[0]->cellW, ch = gridOrder[0]->cellH;
  // The picture's own size: the pieces are cut from it at scale 1, whatever
  // scale the set-up view left on the sprite.
  const JST::iPOINT pic = picture_ ? picture_->imageSize : JST::iPOINT(cw * cols, ch * rows);
  const JST::iPOINT centre = game_->middle;
  return JST::iPOINT(cw * p->column + int(float(cw / 2) - float(pic.x) / 2.0f + float(centre.x)),
                     ch * p->row + int(float(ch / 2) - float(pic.y) / 2.0f + float(centre.y)));
}

bool PUZZLE_PIECES_SYSTEM::AtHome(const PUZZLE_PIECES* p) const {
  if (!p || p->rotation != 0 || p->turnProgress > 0.0f) return false;
  // A snap moves by a float offset, which may land a rounding step off.
  const JST::iPOINT h = HomePoint(p);
  return std::fabs(p->pos.x - float(h.x)) < 0.5f && std::fabs(p->pos.y - float(h.y)) < 0.5f;
}

void PUZZLE_PIECES_SYSTEM::ReleaseLocks() {
  bool anyLocked = false;
  for (const PUZZLE_PIECES* p : zOrder) anyLocked = anyLocked || p->locked;
  if (!anyLocked) return;
  // The groups with a piece off home.
  offHomeGroups_.clear();
  for (const PUZZLE_PIECES* p : zOrder)
    if (p->group != 0 && !AtHome(p)) offHomeGroups_.push_back(p->group);
  std::sort(offHomeGroups_.begin(), offHomeGroups_.end());
  for (PUZZLE_PIECES* p : zOrder) {
    if (!p->locked) continue;
    if (p->group == 0 || std::binary_search(offHomeGroups_.begin(), offHomeGroups_.end(), p->group))
      p->locked = false;
  }
}

int PUZZLE_PIECES_SYSTEM::TestFastCollector(int z) {
  if (z < 0 || size_t(z) >= zOrder.size() || gridOrder.empty() || !gridOrder[0]) return 0;
  PUZZLE_PIECES* p = zOrder[size_t(z)];
  if (p->rotation != 0 || p->turnProgress > 0.0f) return 0;
  const JST::iPOINT home = HomePoint(p);
  const float dx = float(home.x) - p->pos.x, dy = float(home.y) - p->pos.y;
  const int d = int(std::sqrt(dx * dx + dy * dy));
  if (d < p->cellW / 3 || d < p->cellH / 3) {
    PieceMove(z, dx, dy);
    DisablePieces(z);
    return 1;
  }
  return 0;
}

void PUZZLE_PIECES_SYSTEM::DisablePieces(int z) {
  if (z < 0 || size_t(z) >= zOrder.size()) return;
  PUZZLE_PIECES* p = zOrder[size_t(z)];
  if (p->group == 0) {
    p->locked = true;
    return;
  }
  for (PUZZLE_PIECES* q : zOrder)
    if (q->group == p->group) q->locked = true;
}

// ---- the frame's mouse

int PUZZLE_PIECES_SYSTEM::PlayerActivity() {
  if (!input) return kResultNothing;
  int mx = 0, my = 0;
  input->GetMousePos(&mx, &my);
  const bool overPocket = PointerOverPocket();
  // 1. The preview frame.
  if (!overPocket && showLitleFrame && held == 0 && !bandActive && previewFrame) {
    const int answer = UpdatePreviewFrame();
    switch (answer) {
      case 0:
        break;
      case 1:
      case 2:
      case 3:
        ResizePreviewFrame(answer);
        return kResultNothing;
      case 4: {
        int dx = 0, dy = 0;
        input->GetMouseOffset(&dx, &dy);
        MovePreviewFrame(dx, dy);
        return kResultNothing;
      }
      case 5:
        bShowLitleFrame();
        return kResultPreviewClosed;
      case -3:
        frameHover = true;
        return kResultNothing;
      default:
        return kResultNothing;
    }
  }
  // 2. - 6. The mouse: a right press, then the left button's press, hold and
  // release, else the hover.
  if (input->Rkm() == 1 && !bandActive) return PlayRightPress(mx, my, overPocket);
  const int left = input->Lkm();
  if (left == 1) return PlayLeftPress(mx, my, overPocket);
  if (left > 1) return PlayLeftHeld(mx, my);
  if (left == -1) {
    // A drop is where a locked part can leave its place (a snapped piece
    // joined to a part lying off home moves onto it). A part still locked
    // lies wholly at home: every member joins what lies beside it there,
    // not only the dropped piece, so no two locked parts lie side by side
    // unjoined.
    const int z = HeldZ();
    PUZZLE_PIECES* dropped = z >= 0 ? zOrder[size_t(z)] : nullptr;
    const int result = PlayLeftRelease(overPocket);
    ReleaseLocks();
    if (dropped && dropped->group != 0 && IsLockedPart(dropped) && !IsFrameGroup(dropped->group)) {
      GlueNstr(ZOf(dropped));
      ReleaseLocks();
    }
    return result;
  }
  if (left == 0 && helpAtDrop) {
    // The frame after the drop (whose own result still went out).
    helpAtDrop = false;
    return kResultAskHelp;
  }
  return PlayHover(mx, my, overPocket);
}

namespace {

bool IsHintPiece(const PUZZLE_PIECES* p, bool hintShown, JST::iPOINT a, JST::iPOINT b) {
  if (!hintShown) return false;
  return (p->row == a.x && p->column == a.y) || (p->row == b.x && p->column == b.y);
}

}  // namespace

int PUZZLE_PIECES_SYSTEM::PlayRightPress(int mx, int my, bool) {
  if (magnifierOn) {
    SetMagnifer();
    held = 0;
    return kResultMagnifierOff;
  }
  if (!rotation) {
    ZOV::SoundRender(eElRotationWrong);
    return kResultNothing;
  }
  // A piece looked up for this click only is not held afterwards.
  const bool lookedUp = held == 0;
  if (lookedUp) held = WhoIn(mx, my);
  auto done = [&](int result) {
    if (lookedUp) held = 0;
    return result;
  };
  const int z = HeldZ();
  if (z < 0) {
    if (hintShown) {
      HelpOff();
      return done(kResultHintOff);
    }
    return done(kResultNothing);
  }
  PUZZLE_PIECES* p = zOrder[size_t(z)];
  if (p->inPocket && !PocketOpen()) {
    ZOV::SoundRender(eElRotationWrong);
    return done(kResultNothing);
  }
  if (p->selected) {
    ZOV::SoundRender(eElRotation);
    for (PUZZLE_PIECES* q : zOrder)
      if (q->selected && !(q->turnProgress > 0.0f)) q->ChangeRot(float(mx), float(my));
  } else if (p->group == 0) {
    if (!p->inPocket && pointerInPocket) {
      ZOV::SoundRender(eElRotationWrong);
      return done(kResultNothing);
    }
    if (!(p->turnProgress > 0.0f)) {
      ZOV::SoundRender(eElRotation);
      p->ChangeRot(float(mx), float(my));
    }
  } else {
    // A locked group is locked whole: turning only its free members would
    // leave it with mixed rotations.
    if (IsFrameGroup(p->group) || IsLockedPart(p)) {
      ZOV::SoundRender(eElRotationWrong);
      return done(kResultNothing);
    }
    ZOV::SoundRender(eElRotation);
    RotStr(p->group, mx, my);
  }
  if (IsHintPiece(p, hintShown, hintFirst, hintSecond)) return done(kResultNothing);
  HelpOff();
  return done(kResultHintOff);
}

int PUZZLE_PIECES_SYSTEM::PlayLeftPress(int mx, int my, bool overPocket) {
  bandActive = false;
  if (magnifierOn) {
    SetMagnifer();
    return kResultMagnifierOff;
  }
  pointerInPocket = overPocket;
  lastMouse = JST::iPOINT(mx, my);
  held = WhoIn(mx, my);
  const int z = HeldZ();
  const bool pocketOpen = PocketOpen();
  if (z < 0) {
    if (overPocket && !pocketOpen) return kResultNothing;
    SelectionStart();
    return kResultNothing;
  }
  // The pocket's help waits for the drop: the player's first grab is made.
  if (profile && profile->Help && helpArmed) helpAtDrop = true;
  PUZZLE_PIECES* p = zOrder[size_t(z)];
  if ((p->inPocket && !pocketOpen) || IsLockedPart(p) || (!p->inPocket && overPocket) || IsFrameGroup(p->group)) {
    held = 0;
    SelectionStart();
    return kResultNothing;
  }
  if (p->selected) {
    SwapVstr();
    ZOV::SoundRender(eElPickUp);
    if (pocketOpen) VK(true);
  } else if (p->group == 0) {
    zOrder.erase(zOrder.begin() + z);
    zOrder.push_front(p);
    // The held index names the front from here on, also on the early
    // return below.
    held = 1;
    p->shadowDir = PUZZLE_PIECES::kShadowRising;
    p->highlight = true;
    if (pocketOpen) p->inPocket = 1;
    ZOV::SoundRender(eElPickUp);
    if (hintShown && !IsHintPiece(p, hintShown, hintFirst, hintSecond)) {
      HelpOff();
      return kResultHintOff;
    }
    ResetAllocation();
  } else {
    GlowNstr(p->group);
    SwapStrDown(p->group, z, true);
    ZOV::SoundRender(eElPickUp);
  }
  // The z-order has changed: the held index follows the picked piece.
  held = ZOf(p) + 1;
  return kResultNothing;
}

int PUZZLE_PIECES_SYSTEM::PlayLeftHeld(int mx, int my) {
  if (held != 0) {
    const int z = HeldZ();
    if (z < 0) {
      held = 0;
      return kResultNothing;
    }
    PUZZLE_PIECES* p = zOrder[size_t(z)];
    const float dx = float(mx - lastMouse.x), dy = float(my - lastMouse.y);
    if (p->group == 0)
      p->highlight = true;
    else
      GlowNstr(p->group);
    PieceMove(z, dx, dy);
    lastMouse = JST::iPOINT(mx, my);
    return kResultNothing;
  }
  if (!bandActive) return kResultNothing;
  bandEnd = JST::iPOINT(mx, my);
  if (bandEnd.x == bandStart.x || bandEnd.y == bandStart.y) return kResultNothing;
  if (selection_) {
    selection_->SetPos(std::min(bandStart.x, bandEnd.x), std::min(bandStart.y, bandEnd.y));
    selection_->SetSizePix(std::abs(bandEnd.x - bandStart.x), std::abs(bandEnd.y - bandStart.y));
  }
  return kResultNothing;
}

int PUZZLE_PIECES_SYSTEM::PlayLeftRelease(bool overPocket) {
  if (bandActive) {
    ClearBand();
    bandActive = false;
    CheckCountAllocation();
    return kResultNothing;
  }
  if (held == 0) return kResultNothing;
  ZOV::SoundRender(eElPut);
  ClearBand();
  const int z = HeldZ();
  if (z < 0) {
    held = 0;
    return kResultNothing;
  }
  PUZZLE_PIECES* p = zOrder[size_t(z)];
  bool snapped = false;
  if (profile && profile->FastCollector && !overPocket) snapped = TestFastCollector(z) == 1;
  if (p->selected) {
    // A selection never joins: a snapped member's part is not held there.
    if (snapped)
      for (PUZZLE_PIECES* q : zOrder)
        if (q == p || (p->group != 0 && q->group == p->group)) q->locked = false;
    ChangeShadowVstr(PUZZLE_PIECES::kShadowFalling);
    held = 0;
    if (overPocket) {
      VK(true);
      HelpOff();
      ResetAllocation();
      return kResultHintOff;
    }
    VK(false);
    return kResultNothing;
  }
  if (p->group == 0) {
    const bool wasInPocket = p->inPocket != 0;
    p->inPocket = 0;
    p->shadowDir = PUZZLE_PIECES::kShadowFalling;
    p->highlight = true;
    bool joined = false;
    // The piece is followed by identity: each join reorders the z-order.
    while (Banzai(ZOf(p))) {
      joined = true;
      if (wasInPocket) VKoffNSTR(p->group);
    }
    held = 0;
    if (joined) {
      HelpOff();
      return kResultHintOff;
    }
    if (overPocket) {
      HelpOff();
      p->inPocket = 1;
      if (!PocketOpen()) PlaceInPocket(p);
      return kResultHintOff;
    }
    // Snapped home but joined to nothing: the piece stays on top and free,
    // so no part can come to lie over a piece that cannot be picked.
    if (snapped) p->locked = false;
    return kResultNothing;
  }
  const int group = p->group;
  if (IsFrameGroup(group)) {
    held = 0;
    return kResultNothing;
  }
  glowGroup = group;
  SwapStrDown(group, z, true);
  ChangeShadow(PUZZLE_PIECES::kShadowFalling, group, false);
  GlueNstr(ZOf(p));
  if (!zOrder.empty()) GlowNstr(zOrder.front()->group);
  // A snapped group goes to the bottom whole, so its pieces stay together
  // in the z-order for drawing.
  if (snapped) SwapStrUp(p->group, false);
  held = 0;
  return kResultNothing;
}

int PUZZLE_PIECES_SYSTEM::PlayHover(int mx, int my, bool overPocket) {
  if (magnifierOn) return kResultNothing;
  pointerInPocket = overPocket;
  const int z = WhoIn(mx, my) - 1;
  held = 0;
  if (z < 0) return kResultNothing;
  PUZZLE_PIECES* p = zOrder[size_t(z)];
  if (p->inPocket && !PocketOpen()) return kResultNothing;
  if (p->group == 0) {
    if (!overPocket || (p->inPocket && PocketMotion() == 0)) p->highlight = true;
  } else if (!IsFrameGroup(p->group) && p->group != lastJoinedGroup) {
    if (!overPocket || p->inPocket) GlowNstr(p->group);
  }
  return kResultNothing;
}

}  // namespace GAME
