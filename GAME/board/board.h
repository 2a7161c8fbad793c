// GAME::PUZZLE_PIECES_SYSTEM: the puzzle board. One object per puzzle
// started or resumed, created and deleted by the scene manager, which calls
// Init / SetOptions / Reset, the tool switches, and once a frame Update,
// Render (main pass) and PostRender (overlay pass), and acts on Update's
// result codes (kResult* below).
//
// The board holds the picture and its grid (the cut lines), the cut
// options, every piece in three orders (the z-order, which owns them; the
// grid order; the frame pieces clockwise), the play area, the level
// counters, the tool flags and its owned sprites and parts (score counter,
// pocket, preview frame, win dialog, resolution message, effects).
//
// Phases (`state`, also set directly by the scene manager):
//   0 built, no picture; 1 picture only; 2 set-up view (picture on a white
//   plate with the cut lines); 3 cut pending; 4 play.
// Update moves 1 -> 2 -> 3; in state 3 it cuts the picture once, enters
// state 4 and lays the board out again (Reset(0)).
//
// Files: board.cpp (construction, set-up, tool switches, the state
// machine, the cut), board_render.cpp (the drawing passes and the
// magnifier), board_rules.cpp (the per-frame rules, effects, hint and
// selection resets), board_play.cpp (mouse play: picking, dragging,
// turning, dropping, the band, z-order and flag operations), board_join.cpp
// (joins and the rigid-group pass), board_score.cpp (the level counters),
// board_tools.cpp (hint, sort, the finished frame moved home; their rules
// are plain functions in hint.h, sort.h, and the join's score in
// join_score.h),
// board_level_end.cpp (the end of the level; trophies.h holds its rules),
// board_play_parts.cpp (what play asks of the owned parts), board_parts.cpp (every
// call into the owned parts the board only drives: pocket, preview frame,
// score counter, win dialog, resolution message, and the effects it makes
// for its effect list). A part whose class is not
// built yet keeps its slot null; the board then neither updates nor draws
// it, and its answers count as 0.
//
// Ownership: the board owns its sprites (the magnifier shows the renderer's
// screen texture and never frees it), the pieces (through the z-order), the
// outline table, its parts and effects, and the three particle emitters and
// the debug font that it publishes through the globals partHelp, partGlue,
// ePartBullet and dfont for the engine's update hook; destroying the board
// deletes them and clears each global that still points at it.
//
// Threads: main thread only, inside the update and render hooks. The pack
// selection of ZOV::ifile is set and cleared around each load.
//
// Every float-to-int conversion truncates toward zero.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "GAME/board/piece.h"
#include "ST/draw_types.h"
#include "ST/object.h"

class JSPRITE;
class PARTIC_CIRCLE;
class PUZZLE_POCKET;
class PUZZLE_MESSAGE_RESOLUTION;

namespace ZOV {
class JFONT;
class JINGFX;
class PARTIC;
class ST_GAME;
class ST_INPUT;
}  // namespace ZOV

namespace GAME {
class FLUING_FRAME;
class JDIALOGWIN;
class PUZZLE_PLAYER_PROFILE;
class PUZZLE_SCORE;
}  // namespace GAME

// The debug font the board makes from "Tahtah.fnt" (red) and deletes; null
// while no board exists.
extern ZOV::JFONT* dfont;

namespace GAME {

// Where the magnifier draws: the screen area it enlarges (centred on the
// clamped mouse), its texture coordinates in the screen texture, the point
// the 200 x 150 sprite is drawn at, and its frame, whose edges are held
// inside the screen.
struct MAGNIFIER_VIEW {
  float areaLeft = 0, areaTop = 0, areaRight = 0, areaBottom = 0;  // screen pixels
  float uLeft = 0, vTop = 0, uRight = 0, vBottom = 0;              // screen-texture coordinates
  int x = 0, y = 0;                                                // sprite centre
  int frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;
};
// The view for the mouse at (mx, my) on a w x h logical screen; gfx gives
// the screen-texture mapping (null: u = x / w, v = y / h).
MAGNIFIER_VIEW MagnifierView(float mx, float my, int w, int h, const ZOV::JINGFX* gfx);

class PUZZLE_PIECES_SYSTEM : public JST::ST {
 public:
  // ---- phases
  static constexpr int kStateEmpty = 0;
  static constexpr int kStatePicture = 1;
  static constexpr int kStateSetup = 2;
  static constexpr int kStateCutPending = 3;
  static constexpr int kStatePlay = 4;

  // ---- Update's results
  static constexpr int kResultNothing = 0;
  static constexpr int kResultSolved = 1;          // one part left; every such frame
  static constexpr int kResultWinOk = 2;           // the win dialog answered OK
  static constexpr int kResultLevelWon = 54;       // the level has just ended (once)
  static constexpr int kResultLeave = -8;          // win dialog or resolution message: leave
  static constexpr int kResultHintOff = 1004;      // hint cancelled, or a pocket drop
  static constexpr int kResultPreviewClosed = 1005;
  static constexpr int kResultMagnifierOff = 1007;
  static constexpr int kResultAskHelp = 126;       // a piece clicked while help is armed

  // ---- the four indices
  static constexpr int kIndexIdle = -1;
  static constexpr int kIndexDone = -2;  // frame light or win sparkles have run

  // ---- fixed sizes and colours
  static constexpr int kPlayAreaInset = 50;
  static constexpr int kMagnifierW = 200, kMagnifierH = 150;
  static constexpr uint32_t kSelectionFill = 0x661E90FFu;
  static constexpr uint32_t kSelectionLine = 0xFF1E90FFu;
  static constexpr uint32_t kMagnifierLine = 0xFF1A4780u;
  static constexpr uint32_t kFadedPicture = 0xAAFFFFFFu;
  static constexpr int kSetupPlateExtra = 65;  // the white plate exceeds the picture by this (both sizes)

  // Builds an empty board (state 0) on the game object: play area, sprites,
  // emitters, debug font, parts; starts the play music. Logs "puzzle piece
  // constructor" ... "Piece con 2007".
  explicit PUZZLE_PIECES_SYSTEM(ZOV::ST_GAME* game);
  // Not virtual in use: the owner deletes the board through its own type.
  ~PUZZLE_PIECES_SYSTEM() override;
  PUZZLE_PIECES_SYSTEM(const PUZZLE_PIECES_SYSTEM&) = delete;
  PUZZLE_PIECES_SYSTEM& operator=(const PUZZLE_PIECES_SYSTEM&) = delete;

  int Update(int, float) override;
  int Render(int) override;
  virtual int Message(int) { return 0; }

  // ---- set-up
  // Loads the picture (from the pack the caller selected, whose name is
  // kept) and makes the grid texture of its size; lays both out for
  // `height` (0: the screen height); makes the preview frame; stores the
  // options and the profile.
  void Init(const char* path, int min, int height, PUZZLE_PLAYER_PROFILE* profile, bool rotation,
            float distortion, int border);
  // The cut options for the next cut.
  void SetOptions(int min, float distortion, bool rotation, int border);
  // The scale of the picture and the grid.
  void SetSize(float sx, float sy);
  // Lays the board out again after a start or a screen change.
  void Reset(int height);
  // The play area: (50, 50) to (width - 50, height - 50).
  void SetClip(int width, int height);
  // The picture at the screen centre (nothing without a picture).
  void SetFrame();
  void SetSmImg(const char* path);
  // The background's colour (ARGB).
  void SetColored(ZOV::JENUM::COLORS colour);
  // The set-up view's cut lines in `colour` into the grid texture
  // (texture 0; filled with 0x00FFFFFF first) or into `texture`; thick 1
  // adds a rim. Replaces cols, rows and the outline table.
  void DrawGrid(unsigned long colour, int thick, unsigned long texture);
  // The whole cut of the picture into pieces; returns 0.
  int Narezator();
  // Does nothing; the scene manager calls it before deleting the board.
  void Exit() {}

  // ---- tool switches: each returns the new flag
  bool SetMagnifer();
  bool bShowFrame();
  bool bShowLitleFrame();
  // Once the frame is complete (regBr < 2 in play, or its light has run):
  // the flag unchanged and no sound.
  bool SetBorder();

  // ---- drawing
  void PostRender();
  void RenderFrame();
  void RenderGrid();
  void RenderPieces();
  void Odnoklasniki();
  // Draws the group of the piece at z-index z (shadows first, then the
  // pieces, walking up the z-order from z); returns the first z-index above
  // the group.
  int DrawPieceShadowNstr(int z);
  void RenderLitleFrame();
  void RenderEffects();

  // ---- the effect list (effects.h): the list owns what is added
  // Appends an effect; the list deletes it once its Update reports it
  // finished, or with the board.
  void eAdd(JST::STE* effect);
  // New effects, not added: the points text (font `expenseFont`, 1 s), the
  // rising bonus icon (2 s), the spark from (x, y) to (screen centre x, 1).
  JST::STE* eCreateExpense(const char* text, int x, int y);
  JST::STE* eCreateBonus(int x, int y);
  JST::STE* eCreateBulletPartic(int x, int y);
  // The effect of one join at (x, y) with the points' text: 300 glue
  // particles, the points text and the spark.
  void eCreateGlue(int x, int y, const char* text);

  // ---- per-frame rules and play
  // Mouse handling in play (board_play.cpp): picking, dragging, turning,
  // dropping, the band. One call a frame in state 4; returns 0 or one of
  // kResultHintOff, kResultPreviewClosed, kResultMagnifierOff,
  // kResultAskHelp.
  int PlayerActivity();

  // ---- picking, dragging and turning (board_play.cpp). z-indices are
  // 0-based into zOrder (front = 0); `held` alone is 1-based and is turned
  // into a z-index only by HeldZ.
  // The topmost piece under (x, y) as a 1-based z-index; 0 for none.
  int WhoIn(int x, int y) const;
  void SelectionStart();
  // Keeps the band's selection only when it holds pieces of at least two
  // distinct parts (loose pieces and groups); otherwise clears it.
  void CheckCountAllocation();
  void PieceMove(int z, float dx, float dy);
  void MoveStr(int group, float dx, float dy);
  void MoveVstr(float dx, float dy);
  void PieceMoveRot(int gridIndex, float dx, float dy);
  void RotStr(int group, int x, int y);
  // Brings the group to the top, keeping its pieces' order; with `lift`
  // each gets shadow direction 1, otherwise shadow level 0.
  void SwapStrDown(int group, int z, bool lift);
  // Sends the group to the bottom, keeping its pieces' order.
  void SwapStrUp(int group, bool lift);
  // Sends the piece at z to the bottom.
  void SwapDown(int z);
  // Brings the selected pieces to the top, keeping their order.
  void SwapVstr();
  // Selects the group of the piece at z; returns the z-index after the
  // group's contiguous run from z.
  int VidelStr(int z);
  void GlowNstr(int group);
  // Sets the in-pocket flag of every selected loose piece; putting in while
  // the pocket is closed places each at a random point of the pocket.
  void VK(bool in);
  void VKoffNSTR(int group);
  void ChangeShadow(int dir, int group, bool set);
  void ChangeShadowVstr(int dir);
  // Snaps the piece at z (with its group or selection) onto its home point
  // when it lies within a third of a cell of it, and locks it: 1, else 0.
  // The lock holds only while it is earned (ReleaseLocks).
  int TestFastCollector(int z);
  // Locks the piece at z, or every piece of its group.
  void DisablePieces(int z);
  // Where a piece lies when the puzzle is assembled on the picture's place.
  JST::iPOINT HomePoint(const PUZZLE_PIECES* p) const;
  // Upright, at rest and exactly on its home point.
  bool AtHome(const PUZZLE_PIECES* p) const;
  // A lock holds only on a group lying wholly at home: every other locked
  // piece (a loose one, or one of a group moved off home by a join or a
  // push) is unlocked, so nothing locked lies anywhere but its place. Run
  // after every drop and every push of a locked part.
  void ReleaseLocks();
  // The frame is complete (regBr < 2) and `group` is the group of grid
  // piece 0.
  bool IsFrameGroup(int group) const;
  // The piece or any piece of its group is locked.
  bool IsLockedPart(const PUZZLE_PIECES* p) const;
  // The z-index of a piece, -1 when it is not on the board.
  int ZOf(const PUZZLE_PIECES* p) const;
  // The held piece's z-index (held - 1), -1 when nothing valid is held;
  // HoldZ holds the piece at z-index z (0 for none valid).
  int HeldZ() const;
  void HoldZ(int z);

  // ---- joining (board_join.cpp). i is the dropped side A, j the piece B.
  // Runs every join of the piece at z-index i; true when one happened.
  bool Banzai(int i);
  int RadiusTest(int i, int j) const;
  int TestTwo(int i, int j) const;
  int GlueTest(int i, int j) const;
  void GlueTwo(int i, int j, int unused = 0);
  void Campai(int i, int j);
  // Joins the dropped group of the piece at z-index i: every member is
  // tried until a whole pass joins nothing more.
  void GlueNstr(int i);
  // Places grid piece a exactly beside grid piece b, moving only a.
  void GlueTwoRot(int a, int b);
  void SetNewStrTo(int from, int to);

  // ---- the level counters of a join (board_score.cpp)
  // The points of the join of z-index i (dropped) with j, before the group
  // ids change; updates every counter, plays the join sound.
  int CalculateRegistr(int i, int j);
  void CheckRegistr(int groupA, int groupB, bool looseEdge);
  // The per-frame rules, in play: hold timer, piece animations, pieces kept
  // inside the play area and the pocket, the settled glow group, hint
  // particles, the finished frame moved home, join glow, frame light, win
  // sparkles (then done: -2), snow cursor.
  void Routin();
  // Runs the effects; deletes each that has finished.
  void UpdateEffects();
  // Marks the pieces inside the rubber band.
  void CheckTheSelection();
  // The end of the level (board_level_end.cpp), once the sparkles have
  // run: the pocket snapped closed; with TROFEI_ENABLE the player's
  // counters and trophies updated (trophies.h); the puzzle's record
  // (GAME::REG) built and handed to the win dialog, which opens in its
  // slot; the puzzle's save file deleted. Logs "Level win OK".
  void LevelWin();
  // Keeps every group rigid: re-snaps grouped neighbours.
  void Debug();
  // Clears the hint.
  void HelpOff();

  // ---- the tools (board_tools.cpp)
  // Shows a hint: two grid neighbours of different parts pulse and the hint
  // count grows. Random tries first, away from the previous pair's rows and
  // columns, then a fixed scan, so a hint is found whenever two parts can
  // join. False (and no sound) with fewer than two parts left.
  bool Help();
  // Loose pieces outside the pocket glide into the four quarters of the
  // play area around the screen centre, the corner pieces into its corners;
  // marks the sort as used.
  void Sort();
  // Called every frame once the frame is complete: the picture to the
  // centre, the frame group turned back upright about its corner piece and
  // moved so that the corner piece lies on its home point.
  void BorderToCenter();
  // Writes the z-order (index and group of each piece) to the log.
  void ShowElements() const;
  // Clears every piece's selected flag.
  void ResetAllocation();
  // The level counters' start values.
  void ResetRegistr();

  // ---- the saved game (board_save.cpp; the file format in board_save.h)
  // SavePuzzleState's results.
  static constexpr int kSaveWritten = 0;
  static constexpr int kSaveNothing = 1;     // not a puzzle in play with a join made, or it is ending
  static constexpr int kSaveFolderFull = 2;  // every number below C_MAX_SAVES is taken
  static constexpr int kSaveFailed = 3;      // the file could not be written (logged)
  // LoadPuzzleState's results; every refusal leaves the file as it was and
  // the board out of play.
  static constexpr int kLoadOk = 0;
  static constexpr int kLoadUnreadable = -1;  // missing, not a regular file, or not XML
  static constexpr int kLoadNotASave = -2;    // the first element is not "Save"
  static constexpr int kLoadBadOptions = -3;  // "Min" or "distort" out of range
  static constexpr int kLoadNoPicture = -4;   // the picture does not load
  static constexpr int kLoadFinished = -5;    // the restored groups leave the puzzle finished
  // Writes the puzzle in play to its own save path, or to the first free
  // numbered file in `dir` (the player folder, ending in "/"), atomically.
  // Only a board in play with regCg > 0, not finished and not ending is
  // written. The screen-size code written is the game object's back-buffer
  // area; `code` is not used.
  int SavePuzzleState(const char* dir, int code);
  // Resumes the puzzle saved at `path` on a newly built board (state 0):
  // checks the file, cuts the picture again, restores the pieces and
  // counters, enters play; the file becomes the board's save path. The
  // current screen-size code is the game object's back-buffer area; `code`
  // is not used. A save made at another size opens the resolution message.
  int LoadPuzzleState(char* path, PUZZLE_PLAYER_PROFILE* player, int code);
  // Every group to the bottom of the z-order (each kept together), loose
  // pieces on top; grouped pieces' shadows shrink.
  void PlacementPuzzle();
  // The screen-size code: the back buffer's width x height.
  int ScreenCode() const;
  int regRes = 0;  // the screen-size code of the save this board was resumed from

  // ---- read access for the scene manager and checks
  JSPRITE* Picture() const { return picture_; }
  JSPRITE* Grid() const { return grid_; }
  JSPRITE* Background() const { return background_; }
  JSPRITE* Magnifier() const { return magnifier_; }
  JSPRITE* Selection() const { return selection_; }
  JSPRITE* UpperPanel() const { return upperPanel_; }
  JSPRITE* Bonus() const { return bonus_; }
  JSPRITE* SnowCursor() const { return snow_; }
  // The pocket panel's offset from its fully open place, which pocketed
  // pieces are drawn shifted by.
  JST::fPOINT PocketOffset() const;
  bool MagnifierOn() const { return magnifierOn; }

  // ---- the model (public: the scene manager and the play rules use it)
  int Min = 3;
  float distortion = 0.0f;
  bool rotation = false;
  int typeborder = 0;
  PUZZLE_PIECES* current = nullptr;  // scratch: the piece a loop is looking at

  FLUING_FRAME* previewFrame = nullptr;
  PUZZLE_SCORE* score = nullptr;
  PUZZLE_POCKET* pocket = nullptr;
  PUZZLE_PLAYER_PROFILE* profile = nullptr;  // not owned
  JDIALOGWIN* winDialog = nullptr;
  std::deque<PUZZLE_PIECES*> zOrder;     // front = topmost, drawn last; owns the pieces
  std::vector<PUZZLE_PIECES*> gridOrder;  // row * cols + column
  std::vector<PUZZLE_PIECES*> border;     // frame pieces clockwise from the top-left corner
  std::vector<JST::STE*> effects;
  JST::iPOINT clipTopLeft, clipBottomRight;
  std::vector<JST::iPOINT> outlines;  // 24 points a piece in grid order
  JST::iPOINT hintFirst{-1, -1}, hintSecond{-1, -1};  // (row, column)
  JST::iPOINT bandStart, bandEnd;
  PUZZLE_MESSAGE_RESOLUTION* resolutionMessage = nullptr;
  int cols = 0, rows = 0;
  int glowGroup = kIndexIdle;
  int lastJoinedGroup = kIndexIdle;
  int frameLight = kIndexIdle;
  int winSparkle = kIndexIdle;
  bool bandActive = false;
  bool hintShown = false;
  bool pointerInPocket = false;
  float frameLightPeriod = 0.0f, frameLightTimer = 0.0f;
  float sparkleTimer = 0.0f;
  int sparkleCount = 12;
  float joinPhase = 0.0f;
  float hintTimer = 0.0f;
  float holdTimer = 0.0f;
  ZOV::ST_INPUT* input = nullptr;
  std::string ImgAdr, ImgSmAdr, savePath, ImgPkAdr;
  int state = kStateEmpty;
  int held = 0;  // 1-based z-index of the held piece, 0 none
  JST::iPOINT lastMouse;
  int cstr = 0;
  bool magnifierOn = false;
  bool edgesOnly = false;
  bool showFrame = false;       // the faded picture (saved as "frame")
  bool showLitleFrame = false;  // the preview frame (saved as "fly")
  bool completionRecorded = false;
  bool helpArmed = false;
  // A piece was picked while help was armed: the pocket's help is asked for
  // once it has been dropped.
  bool helpAtDrop = false;
  // Seconds since the last join and on this puzzle; double, so long play
  // never stops the clock.
  double regT = 0.0, regTa = 0.0;
  int sizeA = 0, sizeB = 0, joinSize = 0;
  int regBr = 0, regF = 0, regH = 0, regCg = 0, regSc = 0, regPf = 0;
  bool regGVN = false, regGVN2 = false;
  int regFinishP = 0, regFastGlue = 0;
  bool frameHover = false;

 private:
  // The state-4 frame without the rigid-group pass.
  int UpdatePlay();
  // Lays picture and grid out for `height` (0: the screen height): scaled
  // down when taller than the room between the margins, centred.
  void LayOutPicture(int height);
  void DrawLoose(PUZZLE_PIECES* p);
  uint32_t ClockMs() const;

  // ---- the saved game (board_save.cpp)
  // regF, regBr, regCg and regFinishP counted from the pieces' groups.
  void RecountFromGroups();
  // The score counter shows `value` (no counter: nothing).
  void SetShownScore(int value);
  // Opens the resolution message in its slot.
  void OpenResolutionMessage();

  // ---- play's side of the pocket, preview frame, score and effects
  // (board_play_parts.cpp); each answers as "absent" without its part.
  bool PointerOverPocket() const;
  bool PocketOpen() const;
  int PocketMotion() const;
  // Places a piece at a random point of the closed pocket.
  void PlaceInPocket(PUZZLE_PIECES* p);
  int UpdatePreviewFrame();
  void ResizePreviewFrame(int size);
  void MovePreviewFrame(int dx, int dy);
  void ShowScore(int value);
  void JoinEffect(int x, int y, int radius, int points);
  // Play's mouse cases.
  int PlayRightPress(int mx, int my, bool overPocket);
  int PlayLeftPress(int mx, int my, bool overPocket);
  int PlayLeftHeld(int mx, int my);
  int PlayLeftRelease(bool overPocket);
  int PlayHover(int mx, int my, bool overPocket);
  void ClearBand();
  // The frame group's id when it last tried to join what lies beside its
  // place (BorderToCenter); 0 before.
  int frameJoinTried_ = 0;
  // The groups with a piece off home, reused by ReleaseLocks.
  std::vector<int> offHomeGroups_;
  // The members of the group being joined, reused between drops.
  std::vector<PUZZLE_PIECES*> joinMembers_;
  // The groups the band takes, reused every frame of a band.
  std::vector<int> selectedGroups_;

  // ---- the hint's helpers (board_tools.cpp)
  float HintPeriod() const;
  // A loose piece to the top; a grouped piece that is no edge piece brings
  // its group to the top, unless the group cannot be moved (the finished
  // frame, a locked part).
  void HintToTop(PUZZLE_PIECES* p);
  // Shows p and q as the hint pair, raising their parts before their loose
  // pieces; true.
  bool ShowHint(PUZZLE_PIECES* p, PUZZLE_PIECES* q);
  // One hint particle on each resting hinted piece once a period.
  void EmitHintParticles();

  // ---- keeping resting pieces reachable (board_push.cpp), from Routin
  // Slides every resting part back into the play area (and pocketed pieces
  // into the pocket) by its largest overshoot, at most 1000 px/s.
  void PushBack(float dt);
  // Sends each group that glowed after a drop under the loose pieces once
  // its shadow is down.
  void SettleGlowGroup();
  // How far a part lies outside, each side (right/down positive).
  struct PushNeed {
    float right = 0.0f, left = 0.0f, down = 0.0f, up = 0.0f;
    bool any = false;
    void Add(float nx, float ny);
    JST::fPOINT Move(float step) const;
  };
  // The parts that need a push this frame, found by group id; sized by the
  // groups that lie out, not by the group counter. Reused every frame.
  struct PushPart {
    int group = 0;
    PushNeed need;
  };
  std::vector<PushPart> pushParts_;
  PushNeed* PushOf(int group, bool add);
  // The groups that glowed after a drop and have not yet gone down.
  std::vector<int> settling_;

  // ---- the owned parts (board_parts.cpp)
  void CreateParts();
  void CreatePreviewFrame();
  void DeleteParts();
  void UpdateScore();
  void RenderScore(int x, int y);
  // The pocket's answer this frame (PUZZLE_POCKET's kToggled, kBusy or
  // kNothing; kNothing without a pocket).
  int UpdatePocket();
  void RenderPocketPanel();
  void RenderPocketButton();
  // The open win dialog's and resolution message's answers.
  int UpdateWinDialog();
  int UpdateResolutionMessage();
  void DeleteResolutionMessage();
  void RenderWinDialog();
  void RenderResolutionMessage();

  ZOV::ST_GAME* game_ = nullptr;
  ZOV::JINGFX* gfx_ = nullptr;
  JSPRITE* picture_ = nullptr;
  JSPRITE* background_ = nullptr;
  JSPRITE* grid_ = nullptr;
  JSPRITE* selection_ = nullptr;
  JSPRITE* magnifier_ = nullptr;
  JSPRITE* bonus_ = nullptr;
  JSPRITE* snow_ = nullptr;
  JSPRITE* upperPanel_ = nullptr;
  // The emitters and the font this board made (the globals may have moved on
  // to another board's).
  PARTIC_CIRCLE* ownHelp_ = nullptr;
  PARTIC_CIRCLE* ownGlue_ = nullptr;
  ZOV::PARTIC* ownBullet_ = nullptr;
  ZOV::JFONT* ownFont_ = nullptr;
};

}  // namespace GAME
