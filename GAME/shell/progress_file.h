// GAME::PROGRESS_FILE: a player's list of finished puzzles, one XML file in
// the player's folder, and the scene manager's steps around it: recording a
// finished board (SaveComplitePuzzle), switching the menu's scores button by
// the file's presence (CheckScoreBoard) and filling the score board from it
// (FillScoreBoard).
//
// Path: the player folder (ending in a separator) followed by the configured
// name C_NAME_PROGRESS_FILE; an empty or missing name means "Progress.xml".
//
// Format: a root element "root" holding one "element" per finished puzzle,
// appended in the order of completion and never changed or removed (a
// picture finished twice has two). Attributes, in this order:
//   face    text    the board's thumbnail name (ImgSmAdr), an entry of the
//                   preview pack; it identifies the picture
//   score   int     the board's score at the end
//   count   int     the number of pieces, columns x rows
//   rotata  bool    whether pieces could be turned ("true" / "false")
//   time    double  seconds played (the board's float, widened)
// Written indented by one tab per level, with an XML declaration and no
// byte-order mark. A new file with one puzzle reads:
//   <?xml version="1.0"?>
//   <root>
//   	<element face="pic1_sm.png" score="345" count="9" rotata="false" time="125.90000152587891" />
//   </root>
//
// Writing: the whole document is written anew through ZOV::ifile.SaveData
// (a temporary file in the same folder, then renamed), so a failed write
// leaves the old file whole and a link at the path is replaced, never
// written through. Before appending, whatever stands at the path and is
// not a usable progress file (not a regular file: a folder, a link, a
// device; unreadable; larger than kMaxBytes; not XML; no "root" element) is
// set aside with ZOV::ifile.SetAside ("Progress.xml.bad", then ".bad.1"
// and so on, none replacing another) and a new document is started; when
// it cannot be set aside nothing is written, so a player's results are
// never lost. Each step that fails writes a log line.
//
// Reading (the score board, the lookup, the scores button) never changes
// the file: a damaged one reads as empty until the next finished puzzle
// sets it aside. Only a regular file at the path counts as present.
//
// Threads: main thread only. Nothing here is kept between calls but the
// path.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class JBUTTONMAP4;

namespace GAME {

class PUZZLE_PIECES_SYSTEM;
class SCORE_BOARD;
struct REG;

// One finished puzzle as the file keeps it.
struct PROGRESS_ENTRY {
  std::string face;
  int score = 0;
  int count = 0;
  bool rotata = false;
  double time = 0.0;
};

class PROGRESS_FILE {
 public:
  // A file larger than this is not a progress file the game wrote (some
  // hundred thousand puzzles): it is not read, and is set aside on write.
  static constexpr std::size_t kMaxBytes = std::size_t(16) << 20;
  // The lookup's answers.
  static constexpr int kCollected = 1;
  static constexpr int kNotCollected = -1;

  // `playerDir` ends in a separator; `name` is C_NAME_PROGRESS_FILE.
  PROGRESS_FILE(const char* playerDir, const char* name);

  const std::string& Path() const { return path_; }
  // Whether a regular file stands at the path (a folder or a link of that
  // name does not count).
  bool Exists() const;
  // Appends one element (see above). True when the new file was written;
  // false, with a log line, when it was not (the old file is then whole).
  bool Append(const PROGRESS_ENTRY& entry) const;
  // The elements under "root", in file order; nothing for a missing or
  // damaged file. Values that are not numbers read as 0.
  std::vector<PROGRESS_ENTRY> Read() const;
  // kCollected when an element under the document's first element has a
  // "face" equal to `face` byte for byte, else kNotCollected, logging
  // `face` followed by " not detected ".
  int IsThisPuzzleWasCollected(const char* face) const;

 private:
  std::string path_;
};

// The score board's record of one entry: score, pieces, and the time
// truncated to whole seconds split into minutes and seconds (hours stay 0,
// so 4505 s reads 75 minutes 5 seconds). A time that is negative or not a
// number counts as 0; one beyond the int range as the largest int.
REG ScoreRecord(const PROGRESS_ENTRY& entry);

// Board result 54: appends the finished board to the file once. When the
// board's completionRecorded flag is already set it does nothing and
// returns false; otherwise it sets the flag, logs "Saving score...", looks
// the picture up when the file exists (logging "100%    !!!" when it was
// not finished before), appends, and returns true: the caller then
// deactivates the play panel and stores the player's settings.
bool SaveComplitePuzzle(PUZZLE_PIECES_SYSTEM& board, const PROGRESS_FILE& file);

// The scores button: active in its normal frame (state 0) when the file
// exists, inactive in its greyed frame (state 3) when not. Returns true.
bool CheckScoreBoard(JBUTTONMAP4& button, const PROGRESS_FILE& file);

// Adds one score-board row per entry of the file, in file order.
void FillScoreBoard(SCORE_BOARD& board, const PROGRESS_FILE& file);

}  // namespace GAME
