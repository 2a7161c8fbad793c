// The saved game, "*.pzl": a puzzle in progress as a small XML file in the
// player's folder, its in-memory form (SAVED_GAME), its writer and reader,
// and the choice of a new file's name. Plain functions of their arguments;
// the board's SavePuzzleState / LoadPuzzleState (board_save.cpp) build on
// them. Main thread only (the file service has no lock).
//
// File name: the player folder (ending in "/") followed by n and ".pzl", n
// decimal without leading zeros, 1 <= n < C_MAX_SAVES, the first n at which
// nothing exists (a folder, a pipe or a dangling link takes its number as
// a file would). A board resumed from a file writes back to that file.
//
// Content, written with pugixml, a tab per level, default encoding, the
// declaration first:
//   <Save ImgAdr ImgSmAdr ImgPkAdr ImgPss Min distort typeborder fly frame
//         regT regTa regH regCg regSc regPf regBr regF rt regGVN regGVN2
//         regFastGlue regFinishP regRes cstr>
//     <Piece posx posy trt nstr BK />   one per piece, grid order (row by row)
//   </Save>
// The root's attributes are written in exactly that order (kSaveFields);
// "ImgPss" always holds "7315"; "distort" is the distortion in whole percent,
// rounded; "typeborder", "regGVN", "regGVN2" and "BK" are 0 or 1; "fly" and
// "frame" (the preview frame and the faded picture were shown) are written
// but not read back; doubles take pugixml's text form ("%.17g"), so a float
// position survives exactly; "regRes" is the back-buffer area (width x
// height) the game was saved at. "posx"/"posy" are the piece's centre,
// "trt" its quarter turns clockwise, "nstr" its group id (0 loose), "BK"
// whether it lies in the pocket. The "Piece" elements' order is their only
// link to the pieces: the k-th one belongs to grid piece k of the new cut.
//
// Writing goes through the file service's atomic replace (a temporary file
// beside the target, flushed, then renamed over it): a crash or kill during
// a save leaves the old file or the new one, never half of one, and a link
// at the path is replaced, never written through.
//
// A damaged or hostile file is never trusted and never changed on disk:
//  - refused (the file is kept as it is, a log line, a result the caller
//    shows): nothing readable at the path (missing, a folder or pipe, a link
//    below the documents folder, larger than the file service reads), not
//    XML, a first element other than "Save", "Min" outside 3..15,
//    "distort" outside 0..100 (checked here, before the board builds
//    anything); the picture does not load, or the restored groups leave the
//    puzzle finished (checked by the board);
//  - mended, with a log line: "Piece" elements beyond the grid are ignored,
//    pieces without one stay where the cut put them; "trt" is taken modulo
//    4; a position that is not a finite number, or lies beyond
//    kSavePositionLimit, becomes the piece's scatter point; a negative
//    "nstr" becomes 0; the group ids are renumbered 1, 2, ... in the order
//    they first appear in grid order (pieces of one id stay together) and
//    "cstr" becomes their count, whatever the file holds; negative or
//    non-finite times become 0; "regH", "regSc", "regPf" and "regFastGlue"
//    are held between 0 and what a game of the grid can reach
//    (CounterBoundsFor, join_score.h); "regF", "regBr", "regCg" and
//    "regFinishP" are recomputed from the restored groups.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace GAME {

// The fixed text of "ImgPss".
inline constexpr char kSaveImgPss[] = "7315";
// The root element's and a piece element's names.
inline constexpr char kSaveRoot[] = "Save";
inline constexpr char kSavePiece[] = "Piece";
// A save file's name ends in this.
inline constexpr char kSaveExtension[] = ".pzl";
// The accepted "Min" and "distort".
inline constexpr int kSaveMinLow = 3, kSaveMinHigh = 15;
inline constexpr int kSaveDistortLow = 0, kSaveDistortHigh = 100;
// A position farther from 0 than this (pixels) is taken as damaged.
inline constexpr double kSavePositionLimit = 1.0e6;

// One "Piece" element.
struct SAVED_PIECE {
  double posx = 0.0, posy = 0.0;
  int trt = 0;
  int nstr = 0;
  int BK = 0;
};

// The whole file, each field named as its attribute.
struct SAVED_GAME {
  std::string ImgAdr, ImgSmAdr, ImgPkAdr, ImgPss = kSaveImgPss;
  int Min = 0;
  int distort = 0;
  int typeborder = 0;
  bool fly = false, frame = false;
  double regT = 0.0, regTa = 0.0;
  int regH = 0, regCg = 0, regSc = 0, regPf = 0, regBr = 0, regF = 0;
  bool rt = false;
  int regGVN = 0, regGVN2 = 0;
  int regFastGlue = 0, regFinishP = 0, regRes = 0, cstr = 0;
  std::vector<SAVED_PIECE> pieces;
};

// One root attribute: its name and the field it is written from and read
// into. kFlag fields are ints written as they are and read as a bool (0 or
// 1); the fixed field is always written as kSaveImgPss; kWriteOnly fields
// are not read back.
struct SAVE_FIELD {
  enum Kind { kPlain, kFlag, kFixed, kWriteOnly };
  const char* name;
  std::variant<std::string SAVED_GAME::*, int SAVED_GAME::*, bool SAVED_GAME::*, double SAVED_GAME::*> field;
  Kind kind = kPlain;
};
// The root's attributes in their written order.
extern const std::vector<SAVE_FIELD> kSaveFields;

// What reading a save found.
enum class SaveRead {
  kOk,
  kUnreadable,  // nothing readable: missing, not a regular file, a refused link, too large
  kNotXml,      // does not parse
  kNotASave,    // the first element is not "Save"
  kBadOptions,  // "Min" or "distort" out of range
};
const char* SaveReadText(SaveRead r);

// The document's text.
std::string WriteSavedGame(const SAVED_GAME& game);
// Parses and checks the text (root, "Min", "distort"); on kOk `out` holds
// the root's values and the "Piece" elements as written, unmended.
SaveRead ParseSavedGame(std::string_view text, SAVED_GAME* out);
// Reads the regular file at `path` through the file service, then parses
// it.
SaveRead ReadSavedGame(const char* path, SAVED_GAME* out);

// The path a new save in `dir` takes: dir + n + ".pzl" for the first n in
// 1 .. maxSaves - 1 at which nothing exists; "" when every number is taken.
std::string NewSavePath(const std::string& dir, int maxSaves);

}  // namespace GAME
