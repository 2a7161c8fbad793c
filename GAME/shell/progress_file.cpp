#include "GAME/shell/progress_file.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <system_error>

#include <pugixml.hpp>

#include "GAME/board/board.h"
#include "GAME/board/reg.h"
#include "GAME/shell/score_board.h"
#include "ST/button.h"
#include "ST/file.h"
#include "ST/text_cut.h"
#include "ST/xml_file.h"
#include "platform/sys.h"

namespace GAME {

namespace fs = std::filesystem;

namespace {

constexpr char kDefaultName[] = "Progress.xml";
constexpr char kRoot[] = "root";
constexpr char kElement[] = "element";

enum class Loaded {
  kMissing,  // nothing at the path
  kOk,       // a document with a "root" element
  kNoRoot,   // XML, but without a "root" element
  kDamaged,  // something there that is no usable progress file; `why` says what
};

// Loads the file into `doc`; a file too large is not read.
Loaded Load(const std::string& path, pugi::xml_document* doc, std::string* why) {
  doc->reset();
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(path, ec);
  if (!ec && fs::is_regular_file(st)) {
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > PROGRESS_FILE::kMaxBytes) {
      *why = "larger than " + std::to_string(PROGRESS_FILE::kMaxBytes) + " bytes";
      return Loaded::kDamaged;
    }
  }
  ZOV::iFile::ReadResult read = ZOV::iFile::ReadResult::kOk;
  const pugi::xml_parse_result parsed = ZOV::LoadXmlFile(doc, path.c_str(), &read);
  switch (read) {
    case ZOV::iFile::ReadResult::kMissing: return Loaded::kMissing;
    case ZOV::iFile::ReadResult::kNotAFile: *why = "not a regular file"; return Loaded::kDamaged;
    case ZOV::iFile::ReadResult::kFailed: *why = "unreadable"; return Loaded::kDamaged;
    case ZOV::iFile::ReadResult::kOk: break;
  }
  if (!parsed) {
    *why = std::string("not XML (") + parsed.description() + ")";
    return Loaded::kDamaged;
  }
  if (!doc->child(kRoot)) {
    *why = "no \"root\" element";
    return Loaded::kNoRoot;
  }
  return Loaded::kOk;
}

// The whole document as the file holds it: tab indents, a declaration.
std::string Serialise(const pugi::xml_document& doc) {
  std::ostringstream out;
  doc.save(out, "\t", pugi::format_indent, pugi::encoding_auto);
  return out.str();
}

}  // namespace

PROGRESS_FILE::PROGRESS_FILE(const char* playerDir, const char* name)
    : path_(std::string(playerDir ? playerDir : "") + (name && *name ? name : kDefaultName)) {}

bool PROGRESS_FILE::Exists() const {
  std::error_code ec;
  return fs::is_regular_file(fs::symlink_status(path_, ec));
}

bool PROGRESS_FILE::Append(const PROGRESS_ENTRY& entry) const {
  pugi::xml_document doc;
  std::string why;
  const Loaded loaded = Load(path_, &doc, &why);
  if (loaded == Loaded::kDamaged || loaded == Loaded::kNoRoot) {
    const std::string kept = ZOV::ifile.SetAside(path_.c_str());
    if (kept.empty()) {
      plat::PrintLine("Progress file " + path_ + " " + why +
                      ": it could not be set aside and is not overwritten; the result is not recorded");
      return false;
    }
    plat::PrintLine("Progress file " + path_ + " " + why + ": kept as " + kept + ", a new one is started");
    doc.reset();
  }
  pugi::xml_node root = doc.child(kRoot);
  if (!root) root = doc.append_child(kRoot);
  pugi::xml_node e = root.append_child(kElement);
  e.append_attribute("face").set_value(entry.face.c_str());
  e.append_attribute("score").set_value(entry.score);
  e.append_attribute("count").set_value(entry.count);
  e.append_attribute("rotata").set_value(entry.rotata);
  e.append_attribute("time").set_value(entry.time);
  const std::string text = Serialise(doc);
  if (text.size() > kMaxBytes || ZOV::ifile.SaveData(path_.c_str(), text.data(), int(text.size())) != 0) {
    plat::PrintLine("Progress file " + path_ + " could not be written; the result is not recorded");
    return false;
  }
  return true;
}

std::vector<PROGRESS_ENTRY> PROGRESS_FILE::Read() const {
  std::vector<PROGRESS_ENTRY> out;
  pugi::xml_document doc;
  std::string why;
  if (Load(path_, &doc, &why) != Loaded::kOk) return out;
  for (pugi::xml_node e : doc.child(kRoot).children()) {
    if (e.type() != pugi::node_element) continue;
    PROGRESS_ENTRY entry;
    entry.face = e.attribute("face").as_string();
    entry.score = e.attribute("score").as_int();
    entry.count = e.attribute("count").as_int();
    entry.rotata = e.attribute("rotata").as_bool();
    entry.time = e.attribute("time").as_double();
    out.push_back(std::move(entry));
  }
  return out;
}

int PROGRESS_FILE::IsThisPuzzleWasCollected(const char* face) const {
  pugi::xml_document doc;
  std::string why;
  // A missing or broken file reads as an empty document.
  if (Load(path_, &doc, &why) == Loaded::kDamaged) doc.reset();
  const char* wanted = face ? face : "";
  // The first element, whatever its name.
  for (pugi::xml_node e : doc.first_child().children()) {
    const pugi::xml_attribute a = e.attribute("face");
    if (a && std::strcmp(a.value(), wanted) == 0) return kCollected;
  }
  plat::PrintLine(ZOV::LogQuote(wanted) + " not detected ");
  return kNotCollected;
}

REG ScoreRecord(const PROGRESS_ENTRY& entry) {
  REG r;
  r.score = entry.score;
  r.pieces = entry.count;
  // The time as the float the board kept, truncated to whole seconds.
  const float t = float(entry.time);
  int seconds = 0;
  if (std::isfinite(t) && t > 0.0f) seconds = t >= float(INT_MAX) ? INT_MAX : int(t);
  r.minutes = seconds / 60;
  r.seconds = seconds % 60;
  return r;
}

bool SaveComplitePuzzle(PUZZLE_PIECES_SYSTEM& board, const PROGRESS_FILE& file) {
  if (board.completionRecorded) return false;
  board.completionRecorded = true;
  plat::PrintLine("Saving score...");
  if (file.Exists() && file.IsThisPuzzleWasCollected(board.ImgSmAdr.c_str()) == PROGRESS_FILE::kNotCollected)
    plat::PrintLine("100%    !!!");
  PROGRESS_ENTRY entry;
  entry.face = board.ImgSmAdr;
  entry.score = board.regSc;
  entry.count = board.cols * board.rows;
  entry.rotata = board.rotation;
  entry.time = double(board.regTa);
  file.Append(entry);
  return true;
}

bool CheckScoreBoard(JBUTTONMAP4& button, const PROGRESS_FILE& file) {
  // Activate shows the normal frame (state 0) or the greyed one (state 3).
  button.Activate(file.Exists());
  return true;
}

void FillScoreBoard(SCORE_BOARD& board, const PROGRESS_FILE& file) {
  for (const PROGRESS_ENTRY& entry : file.Read())
    board.AddScoreItem(std::make_unique<REG>(ScoreRecord(entry)), entry.face.c_str());
}

}  // namespace GAME
