#include "GAME/config/player_record.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <sstream>

#include "ST/file.h"
#include "platform/sys.h"

namespace GAME {
namespace {

using P = PUZZLE_PLAYER_PROFILE;

// The fields follow each other without overlap and fill the 76 bytes.
static_assert(P::kFull == P::kScreen + 4 && P::kFastCollector == P::kFull + 1);
static_assert(P::kColor == 8 && P::kTrofei == P::kColor + 4);
static_assert(P::kMusicVolum == P::kTrofei + P::kTrophies + 1 && P::kSound == P::kMusicVolum + 4);
static_assert(P::kName == P::kSound + 4 && P::kCursor == P::kName + P::kNameSize);
static_assert(P::kHelp == P::kCursor + 1 && P::kPlayTime == P::kHelp + 3);
static_assert(P::kPuzzles == P::kPlayTime + 4 && P::kScore == P::kPuzzles + 4);
static_assert(P::kPieces == P::kScore + 4 && P::kFifth == P::kPieces + 4);
static_assert(P::kReserved == P::kFifth + 4 && P::kReserved + 4 == P::kSize);
static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559);

void PutU32(P::Bytes& b, int off, uint32_t v) {
  b[off] = uint8_t(v);
  b[off + 1] = uint8_t(v >> 8);
  b[off + 2] = uint8_t(v >> 16);
  b[off + 3] = uint8_t(v >> 24);
}

uint32_t GetU32(const P::Bytes& b, int off) {
  return uint32_t(b[off]) | uint32_t(b[off + 1]) << 8 | uint32_t(b[off + 2]) << 16 | uint32_t(b[off + 3]) << 24;
}

void PutI32(P::Bytes& b, int off, int32_t v) { PutU32(b, off, static_cast<uint32_t>(v)); }
int32_t GetI32(const P::Bytes& b, int off) { return static_cast<int32_t>(GetU32(b, off)); }
void PutF32(P::Bytes& b, int off, float v) { PutU32(b, off, std::bit_cast<uint32_t>(v)); }
float GetF32(const P::Bytes& b, int off) { return std::bit_cast<float>(GetU32(b, off)); }

// A volume the sound system can take: a number in [0, 1], else the default.
float SafeVolume(float v, const char* field, std::string* repaired) {
  if (std::isfinite(v) && v >= 0.0f && v <= 1.0f) return v;
  if (repaired) *repaired += std::string(repaired->empty() ? "" : " ") + field;
  return P::kDefaultVolume;
}

}  // namespace

void PUZZLE_PLAYER_PROFILE::SetDefaults(int screenCode, bool full) {
  screen = screenCode;
  Full = full;
  Cursor = true;
  Help = true;
  MusicVolum = kDefaultVolume;
  Sound = kDefaultVolume;
  Color = -1;
}

PUZZLE_PLAYER_PROFILE::Bytes PUZZLE_PLAYER_PROFILE::Encode() const {
  Bytes b{};
  PutI32(b, kScreen, screen);
  b[kFull] = Full ? 1 : 0;
  b[kFastCollector] = FastCollector ? 1 : 0;
  PutI32(b, kColor, Color);
  for (int i = 0; i < kTrophies; ++i) b[kTrofei + i] = trofei[i];
  PutF32(b, kMusicVolum, MusicVolum);
  PutF32(b, kSound, Sound);
  std::memcpy(&b[kName], Name, kNameSize);
  b[kCursor] = Cursor ? 1 : 0;
  b[kHelp] = Help ? 1 : 0;
  PutI32(b, kPlayTime, PlayTime);
  PutI32(b, kPuzzles, Puzzles);
  PutI32(b, kScore, Score);
  PutI32(b, kPieces, Pieces);
  PutI32(b, kFifth, Fifth);
  b[kReserved] = Reserved;
  return b;
}

PUZZLE_PLAYER_PROFILE PUZZLE_PLAYER_PROFILE::Decode(const Bytes& b, std::string* repaired) {
  if (repaired) repaired->clear();
  P r;
  r.screen = GetI32(b, kScreen);
  r.Full = b[kFull] != 0;
  r.FastCollector = b[kFastCollector] != 0;
  r.Color = GetI32(b, kColor);
  for (int i = 0; i < kTrophies; ++i) {
    r.trofei[i] = b[kTrofei + i];
    if (r.trofei[i] > kTrophyMax[i]) {
      r.trofei[i] = kTrophyMax[i];
      if (repaired) *repaired += std::string(repaired->empty() ? "" : " ") + "trofei[" + std::to_string(i) + "]";
    }
  }
  r.MusicVolum = SafeVolume(GetF32(b, kMusicVolum), "MusicVolum", repaired);
  r.Sound = SafeVolume(GetF32(b, kSound), "Sound", repaired);
  std::memcpy(r.Name, &b[kName], kNameSize);
  r.Cursor = b[kCursor] != 0;
  r.Help = b[kHelp] != 0;
  r.PlayTime = GetI32(b, kPlayTime);
  r.Puzzles = GetI32(b, kPuzzles);
  r.Score = GetI32(b, kScore);
  r.Pieces = GetI32(b, kPieces);
  r.Fifth = GetI32(b, kFifth);
  r.Reserved = b[kReserved];
  return r;
}

std::string PUZZLE_PLAYER_PROFILE::NameText() const {
  const void* end = std::memchr(Name, 0, kNameSize);
  const size_t n = end ? size_t(static_cast<const char*>(end) - Name) : size_t(kNameSize);
  return std::string(Name, n);
}

void PUZZLE_PLAYER_PROFILE::Debug() const {
  std::ostringstream out;
  out << "screen " << screen << "\nFull? " << int(Full) << "\nFastCollector" << int(FastCollector)
      << "\nMusicVolum " << MusicVolum << "\nSound " << Sound << "\nCursor " << int(Cursor) << "\nColor "
      << Color << "\ntrofei:";
  for (uint8_t level : trofei) out << "\n" << int(level);
  plat::PrintLine(out.str());
}

RecordRead ReadRecordFile(const std::string& path, PUZZLE_PLAYER_PROFILE* out, long* size,
                          std::string* repaired) {
  if (size) *size = -1;
  if (repaired) repaired->clear();
  std::string bytes;
  switch (ZOV::ifile.ReadRegularFile(path.c_str(), &bytes)) {
    case ZOV::iFile::ReadResult::kOk: break;
    case ZOV::iFile::ReadResult::kMissing: return RecordRead::kMissing;
    case ZOV::iFile::ReadResult::kNotAFile:
    case ZOV::iFile::ReadResult::kFailed: return RecordRead::kUnreadable;
  }
  if (size) *size = long(bytes.size());
  if (bytes.size() != size_t(P::kSize)) return RecordRead::kWrongSize;
  P::Bytes record{};
  std::memcpy(record.data(), bytes.data(), record.size());
  if (out) *out = P::Decode(record, repaired);
  return RecordRead::kLoaded;
}

bool WriteRecordFile(const std::string& path, const PUZZLE_PLAYER_PROFILE& record) {
  const P::Bytes bytes = record.Encode();
  return ZOV::ifile.SaveData(path.c_str(), bytes.data(), int(bytes.size())) == 0;
}

}  // namespace GAME
