// GAME::PUZZLE_PIECES: one jigsaw piece on the board, and PIECE_OPT, the
// block the cut sets a fresh piece up from.
//
// A piece knows its place in the picture's grid, its position (its centre,
// screen pixels) and angle, its 24-point outline for hit tests (relative to
// its centre, kept turned with the piece), and runs its own small
// animations: the fly-in and glides to a destination, the quarter turn
// about a pivot, the lift shadow, and the fade of loose inner pieces while
// the board shows edges only. The model (position, glide, turn, outline,
// flags) holds no drawing: the sprite, when there is one, is placed from it
// only when the piece is drawn, so the whole model runs without a renderer.
//
// Ownership: the piece owns its outline and its sprite (which frees the
// piece texture). The board owns the pieces (its z-order); grid-order and
// frame lists only point at them. Main thread only.
//
// Angles are radians clockwise on screen; rotation counts quarter turns
// clockwise, 0 to 3. Every float-to-int conversion truncates toward zero.
#pragma once

#include <cstdint>

#include "ST/object.h"
#include "ST/pixel_tools.h"

class JSPRITE;

namespace ZOV {
class ST_RANDOM;
}

namespace GAME {

// How a fresh piece is set up (handed by value to InitPiece).
struct PIECE_OPT {
  unsigned long texture = 0;  // the cut-out piece texture, 0 for none
  JST::iPOINT cell;           // (column, row)
  JST::iPOINT scatter;        // where the fly-in ends
  JST::iPOINT cellSize;       // (width, height) of a grid cell
  JST::iPOINT start;          // where the fly-in begins
  int rotation = 0;           // 0..3
  bool edge = false;          // on the picture's border
};

class PUZZLE_PIECES {
 public:
  // Shadow directions.
  static constexpr int kShadowRising = 1;
  static constexpr int kShadowFalling = -1;
  static constexpr int kShadowStill = 0;
  // A glide stops when the destination is this close (pixels, per axis).
  static constexpr int kGlideStop = 6;

  PUZZLE_PIECES() = default;
  ~PUZZLE_PIECES();
  PUZZLE_PIECES(const PUZZLE_PIECES&) = delete;
  PUZZLE_PIECES& operator=(const PUZZLE_PIECES&) = delete;

  // Sets the piece up: a sprite on the texture (none for texture 0) at the
  // start point; destination the scatter point; the fly-in speed factor k
  // drawn from the generator in [0.5, 0.8], velocity = (destination -
  // position) * k; grid place, cell size and edge flag from the block,
  // every animation at rest, alpha 1; the rotation from the block, the
  // angle rotation * pi / 2 and the outline turned by that angle.
  void InitPiece(PIECE_OPT opt, ZOV::ST_RANDOM& rng);
  // Takes the outline over (owned; the previous one is freed).
  void SetPoints(ZOV::JINCUTVECTOR* outline);

  // One frame of the piece's own animations; fading is true while the board
  // shows edges only; dt is the frame time in seconds.
  void Update(bool fading, float dt);
  // Shifts position, destination (truncated after adding), pivot and turn
  // start, so a glide or turn in progress goes on with the piece.
  void Move(float dx, float dy);
  // Starts a quarter turn about (px, py), unless the piece is locked; the
  // outline takes the final quarter turn at once.
  void ChangeRot(float px, float py);
  // Advances a running quarter turn; called by Update.
  void Rotation();
  // Turns a freshly cut outline by the piece's rotation, a quarter turn at
  // a time, logging each turn.
  void RotationPoint();
  // Glides to p in one second.
  void SetDestPoint(JST::iPOINT p);
  // Places the piece at (x, y), at rest there.
  void SetPos(int x, int y);
  void GetPos(float* x, float* y) const;
  int GetPosX() const { return int(pos.x); }
  int GetPosY() const { return int(pos.y); }
  // Fully shown (alpha exactly 1) with its centre inside the rectangle of
  // the two corners (bounds included, corners in any order).
  bool PieceInFrame(int x1, int y1, int x2, int y2) const;

  // Drawing through the piece's sprite; nothing without one. clockMs is the
  // game clock in milliseconds, for the hint pulse.
  void Render(uint32_t clockMs);
  void Render(float x, float y, uint32_t clockMs);
  void RenderHelp(float k);
  void RenderShadow();
  void RenderShadow(float x, float y);

  // The sprite's colour for a draw: white with the piece's alpha, red and
  // green 0.55 while selected.
  uint32_t DrawColour() const;
  // The shadow's offset from the piece (pixels, both axes) and colour.
  float ShadowOffset() const { return 10.0f * shadowLevel + 2.0f; }
  uint32_t ShadowColour() const;

  // Fields, public as the board's play logic reads and writes them.
  int row = 0, column = 0;
  int cellW = 0, cellH = 0;
  int rotation = 0;
  int group = 0;  // 0 = loose
  bool selected = false;
  bool edge = false;
  bool highlight = false;
  int inPocket = 0;
  float shadowLevel = 0.0f;  // 0 resting .. 1 lifted
  int shadowDir = kShadowStill;
  float turnProgress = 0.0f;  // above 0 while a quarter turn runs
  ZOV::JINCUTVECTOR* outline = nullptr;
  bool hint = false;
  float alpha = 1.0f;
  JST::fPOINT pivot;
  JST::fPOINT turnStart;
  JST::iPOINT velocity;  // pixels per second per axis
  bool locked = false;
  JST::iPOINT destination;
  JST::fPOINT pos;     // the piece's centre
  float angle = 0.0f;  // the sprite's angle
  JSPRITE* sprite = nullptr;

 private:
  // The sprite placed and coloured from the model.
  void DrawAt(float x, float y, uint32_t colour);
  // The piece with its hint pulse or glow; the glow skips a locked piece
  // only when lockedHasNoGlow.
  void Draw(float x, float y, uint32_t clockMs, bool lockedHasNoGlow);
  void Glide(float& p, int dest, int& v, float dt);
};

}  // namespace GAME
