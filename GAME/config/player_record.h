// GAME::PUZZLE_PLAYER_PROFILE: one player's settings record (screen size
// code, full screen, game options, volumes, trophy levels and lifetime
// counters), and its file "set.bin" in the player's folder.
//
// On disk the record is exactly 76 bytes, little-endian, with no header:
//
//   off size field           off size field
//    0   4  screen (int32)    28  20  Name (char[20], never written by us)
//    4   1  Full              48   1  Cursor
//    5   1  FastCollector     49   1  Help
//    6   2  zero              50   2  zero
//    8   4  Color (ARGB)      52   4  PlayTime (seconds)
//   12   7  trofei[7]         56   4  Puzzles (solved)
//   19   1  zero              60   4  Score (total)
//   20   4  MusicVolum (f32)  64   4  Pieces (total)
//   24   4  Sound (f32)       68   4  Fifth (never changed)
//                             72   1  Reserved, 73..75 zero
//
// Encode/Decode translate field by field; the in-memory layout is the
// compiler's business and never reaches the file. Decoding makes every value
// safe to use: a bool is "byte not zero", a volume that is not a number in
// [0, 1] becomes 0.3, a trophy level above its maximum becomes the maximum.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace GAME {

class PUZZLE_PLAYER_PROFILE {
 public:
  static constexpr int kSize = 76;
  static constexpr int kTrophies = 7;
  static constexpr int kNameSize = 20;
  static constexpr float kDefaultVolume = 0.3f;

  // Byte offsets of the fields in "set.bin".
  enum Offset : int {
    kScreen = 0,
    kFull = 4,
    kFastCollector = 5,
    kColor = 8,
    kTrofei = 12,
    kMusicVolum = 20,
    kSound = 24,
    kName = 28,
    kCursor = 48,
    kHelp = 49,
    kPlayTime = 52,
    kPuzzles = 56,
    kScore = 60,
    kPieces = 64,
    kFifth = 68,
    kReserved = 72,
  };

  // Indexes into trofei[].
  enum Trophy : int {
    COLLECTOR = 0,
    JIGSAW_MASTER = 1,
    ENDURANCE = 2,
    MEDITATION = 3,
    INCONSTANCY = 4,
    SAGE = 5,
    LORD = 6,
  };
  // The highest level of each trophy, in trofei[] order.
  static constexpr std::array<uint8_t, kTrophies> kTrophyMax = {5, 3, 4, 4, 4, 6, 1};

  using Bytes = std::array<uint8_t, kSize>;

  // Every field zero (the defaults are the profile keeper's to set).
  PUZZLE_PLAYER_PROFILE() = default;

  // The defaults of a new player: the given screen code and full-screen
  // flag, cursor and help on, both volumes 0.3, background colour white.
  // Leaves every other field as it is.
  void SetDefaults(int screenCode, bool full);

  // The record as "set.bin" holds it.
  Bytes Encode() const;
  // The record from the bytes of "set.bin", with unsafe values replaced.
  // When `repaired` is given it receives the names of the replaced fields
  // ("" when there were none), separated by blanks.
  static PUZZLE_PLAYER_PROFILE Decode(const Bytes& bytes, std::string* repaired = nullptr);

  // The name field as text: up to its first zero byte, at most 20 bytes.
  std::string NameText() const;

  // Writes the record to standard output as labelled lines.
  void Debug() const;

  bool operator==(const PUZZLE_PLAYER_PROFILE&) const = default;

  int32_t screen = 0;  // pixel count of the chosen size; 0 = the desktop's
  bool Full = false;
  bool FastCollector = false;
  int32_t Color = 0;  // packed ARGB background colour of the board
  uint8_t trofei[kTrophies] = {};
  float MusicVolum = 0.0f;
  float Sound = 0.0f;
  char Name[kNameSize] = {};
  bool Cursor = false;
  bool Help = false;  // the help window is still to be shown once
  int32_t PlayTime = 0;
  int32_t Puzzles = 0;
  int32_t Score = 0;
  int32_t Pieces = 0;
  int32_t Fifth = 0;
  uint8_t Reserved = 0;
};

// What reading a "set.bin" found.
enum class RecordRead {
  kLoaded,      // exactly 76 bytes, decoded
  kMissing,     // nothing at the path
  kWrongSize,   // a file of another size: damaged
  kUnreadable,  // something there that is no regular file (a folder, pipe,
                // device, a link below the documents folder) or cannot be read
};

// Reads the record file at `path` into `out` (left untouched unless the
// result is kLoaded). `size` receives the file's size when known, else -1;
// `repaired` as for Decode. Reading never changes the file and never waits:
// it goes through the file service's reader of regular files.
RecordRead ReadRecordFile(const std::string& path, PUZZLE_PLAYER_PROFILE* out, long* size = nullptr,
                          std::string* repaired = nullptr);

// Writes the record's 76 bytes as the whole file, atomically: the old file
// stays whole until the new one is complete. True when written.
bool WriteRecordFile(const std::string& path, const PUZZLE_PLAYER_PROFILE& record);

}  // namespace GAME
