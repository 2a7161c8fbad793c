// The saved game: the "*.pzl" writer and reader (format in board_save.h) and
// the board's SavePuzzleState, LoadPuzzleState and PlacementPuzzle.
#include "GAME/board/board_save.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <pugixml.hpp>
#include <sstream>
#include <string>
#include <unordered_map>

#include "GAME/board/board.h"
#include "GAME/board/join_score.h"
#include "GAME/board/resolution_message.h"
#include "GAME/board/score.h"
#include "GAME/config/globals.h"
#include "GAME/ui/pack_selection.h"
#include "ST/file.h"
#include "ST/game.h"
#include "ST/renderer.h"
#include "ST/sprite.h"
#include "ST/text_cut.h"
#include "platform/sys.h"

namespace GAME {

const std::vector<SAVE_FIELD> kSaveFields = {
    {"ImgAdr", &SAVED_GAME::ImgAdr},
    {"ImgSmAdr", &SAVED_GAME::ImgSmAdr},
    {"ImgPkAdr", &SAVED_GAME::ImgPkAdr},
    {"ImgPss", &SAVED_GAME::ImgPss, SAVE_FIELD::kFixed},
    {"Min", &SAVED_GAME::Min},
    {"distort", &SAVED_GAME::distort},
    {"typeborder", &SAVED_GAME::typeborder, SAVE_FIELD::kFlag},
    {"fly", &SAVED_GAME::fly, SAVE_FIELD::kWriteOnly},
    {"frame", &SAVED_GAME::frame, SAVE_FIELD::kWriteOnly},
    {"regT", &SAVED_GAME::regT},
    {"regTa", &SAVED_GAME::regTa},
    {"regH", &SAVED_GAME::regH},
    {"regCg", &SAVED_GAME::regCg},
    {"regSc", &SAVED_GAME::regSc},
    {"regPf", &SAVED_GAME::regPf},
    {"regBr", &SAVED_GAME::regBr},
    {"regF", &SAVED_GAME::regF},
    {"rt", &SAVED_GAME::rt},
    {"regGVN", &SAVED_GAME::regGVN, SAVE_FIELD::kFlag},
    {"regGVN2", &SAVED_GAME::regGVN2, SAVE_FIELD::kFlag},
    {"regFastGlue", &SAVED_GAME::regFastGlue},
    {"regFinishP", &SAVED_GAME::regFinishP},
    {"regRes", &SAVED_GAME::regRes},
    {"cstr", &SAVED_GAME::cstr},
};

namespace {

constexpr float kHalfPi = 1.570796325f;

void Log(const std::string& line) { plat::PrintLine(line); }

// pugixml's document text into a string.
struct StringWriter : pugi::xml_writer {
  std::string text;
  void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

// Whole quarter turns 0..3 for any int.
int QuarterTurns(int trt) {
  const int r = trt % 4;
  return r < 0 ? r + 4 : r;
}

// Whether anything (a file, folder, pipe, link, dangling or not) is at the
// path.
bool Taken(const std::string& path) {
  if (ZOV::ifile.CheckFileExist(path.c_str())) return true;
  return ZOV::iFile::WhatIsAt(path.c_str()) != ZOV::iFile::PathKind::kNothing;
}

}  // namespace

const char* SaveReadText(SaveRead r) {
  switch (r) {
    case SaveRead::kOk:
      return "ok";
    case SaveRead::kUnreadable:
      return "no readable file";
    case SaveRead::kNotXml:
      return "not an XML document";
    case SaveRead::kNotASave:
      return "not a saved game";
    case SaveRead::kBadOptions:
      return "options out of range";
  }
  return "?";
}

std::string WriteSavedGame(const SAVED_GAME& game) {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child(kSaveRoot);
  for (const SAVE_FIELD& f : kSaveFields) {
    pugi::xml_attribute a = root.append_attribute(f.name);
    if (f.kind == SAVE_FIELD::kFixed) {
      a.set_value(kSaveImgPss);
      continue;
    }
    std::visit(
        [&](auto member) {
          const auto& v = game.*member;
          if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>)
            a.set_value(v.c_str());
          else
            a.set_value(v);
        },
        f.field);
  }
  for (const SAVED_PIECE& p : game.pieces) {
    pugi::xml_node n = root.append_child(kSavePiece);
    n.append_attribute("posx").set_value(p.posx);
    n.append_attribute("posy").set_value(p.posy);
    n.append_attribute("trt").set_value(p.trt);
    n.append_attribute("nstr").set_value(p.nstr);
    n.append_attribute("BK").set_value(p.BK);
  }
  StringWriter out;
  doc.save(out, "\t", pugi::format_indent, pugi::encoding_auto);
  return out.text;
}

SaveRead ParseSavedGame(std::string_view text, SAVED_GAME* out) {
  if (!out) return SaveRead::kUnreadable;
  *out = SAVED_GAME();
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size());
  if (!parsed) return SaveRead::kNotXml;
  const pugi::xml_node root = doc.document_element();
  if (!root || std::strcmp(root.name(), kSaveRoot) != 0) return SaveRead::kNotASave;
  for (const SAVE_FIELD& f : kSaveFields) {
    if (f.kind == SAVE_FIELD::kWriteOnly) continue;
    const pugi::xml_attribute a = root.attribute(f.name);
    std::visit(
        [&](auto member) {
          auto& v = out->*member;
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, std::string>)
            v = a.as_string();
          else if constexpr (std::is_same_v<T, bool>)
            v = a.as_bool();
          else if constexpr (std::is_same_v<T, double>)
            v = a.as_double();
          else
            v = f.kind == SAVE_FIELD::kFlag ? (a.as_bool() ? 1 : 0) : a.as_int();
        },
        f.field);
  }
  if (out->Min < kSaveMinLow || out->Min > kSaveMinHigh || out->distort < kSaveDistortLow ||
      out->distort > kSaveDistortHigh)
    return SaveRead::kBadOptions;
  for (const pugi::xml_node n : root.children(kSavePiece)) {
    SAVED_PIECE p;
    p.posx = n.attribute("posx").as_double(std::numeric_limits<double>::quiet_NaN());
    p.posy = n.attribute("posy").as_double(std::numeric_limits<double>::quiet_NaN());
    p.trt = n.attribute("trt").as_int();
    p.nstr = n.attribute("nstr").as_int();
    p.BK = n.attribute("BK").as_int() != 0 ? 1 : 0;
    out->pieces.push_back(p);
  }
  return SaveRead::kOk;
}

SaveRead ReadSavedGame(const char* path, SAVED_GAME* out) {
  if (out) *out = SAVED_GAME();
  std::string text;
  if (!path || ZOV::ifile.ReadRegularFile(path, &text) != ZOV::iFile::ReadResult::kOk) return SaveRead::kUnreadable;
  return ParseSavedGame(text, out);
}

std::string NewSavePath(const std::string& dir, int maxSaves) {
  for (int n = 1; n < maxSaves; ++n) {
    std::string path = dir + std::to_string(n) + kSaveExtension;
    if (!Taken(path)) return path;
  }
  return "";
}

// ---- the board

int PUZZLE_PIECES_SYSTEM::ScreenCode() const { return game_->GetScreenWidth() * game_->GetScreenHeight(); }

int PUZZLE_PIECES_SYSTEM::SavePuzzleState(const char* dir, int /*code*/) {
  // 1. The player's folder, in the log.
  Log("Player dir");
  Log(ZOV::LogQuote(dir));
  // Only a puzzle in play with a join made, not finished and not ending.
  if (state != kStatePlay || regCg <= 0 || regF < 2 || winSparkle != kIndexIdle || winDialog ||
      gridOrder.empty()) {
    Log("nothing to save");
    return kSaveNothing;
  }
  // 2. Its own file, or the first free number; a full folder refuses.
  std::string path = savePath;
  if (path.empty()) {
    if (!dir || !*dir) {
      Log("save failed: no player folder");
      return kSaveFailed;
    }
    path = NewSavePath(dir, C_MAX_SAVES);
    if (path.empty()) {
      Log("save folder full");
      return kSaveFolderFull;
    }
  }
  Log("writing " + ZOV::LogQuote(path));
  // 3. - 4. The record: the picture and its pack, the cut's options, the
  // counters, the screen-size code and every piece in grid order.
  SAVED_GAME s;
  s.ImgAdr = ImgAdr;
  s.ImgSmAdr = ImgSmAdr;
  s.ImgPkAdr = ImgPkAdr;
  s.Min = Min;
  s.distort = int(std::lround(double(distortion) * 100.0));
  s.typeborder = typeborder;
  s.fly = showLitleFrame;
  s.frame = showFrame;
  s.regT = double(regT);
  s.regTa = double(regTa);
  s.regH = regH;
  s.regCg = regCg;
  s.regSc = regSc;
  s.regPf = regPf;
  s.regBr = regBr;
  s.regF = regF;
  s.rt = rotation;
  s.regGVN = regGVN ? 1 : 0;
  s.regGVN2 = regGVN2 ? 1 : 0;
  s.regFastGlue = regFastGlue;
  s.regFinishP = regFinishP;
  s.regRes = ScreenCode();
  s.cstr = cstr;
  s.pieces.reserve(gridOrder.size());
  for (const PUZZLE_PIECES* p : gridOrder) {
    if (!p) continue;
    s.pieces.push_back({double(p->pos.x), double(p->pos.y), p->rotation, p->group, p->inPocket ? 1 : 0});
  }
  // 5. Atomically: the old file stays whole until the new one is complete.
  const std::string text = WriteSavedGame(s);
  if (ZOV::ifile.SaveData(path.c_str(), text.data(), int(text.size())) != 0) {
    Log("save failed " + ZOV::LogQuote(path));
    return kSaveFailed;
  }
  savePath = path;
  return kSaveWritten;
}

namespace {

// The password of the pack named `pack`: the configured pack it is, else the
// built-in pack of that file name; an unknown pack is an image pack.
char* PackPassword(const std::string& pack) {
  struct Row {
    char* const* name;
    char* password;
  };
  const Row rows[] = {
      {&C_NAME_PACK_IMAGE_SMAL, C_PAS_IMAGE}, {&C_NAME_PACK_IMAGE_PREV, C_PAS_IMAGE},
      {&C_NAME_PACK_IMAGE_BIG, C_PAS_IMAGE},  {&C_NAME_PACK_IMAGE_MED, C_PAS_IMAGE},
      {&C_NAME_PACK_LEVEL, C_PAS_LEVEL},      {&C_NAME_PACK_GUI, C_PAS_GUI},
      {&C_NAME_PACK_BOOK, C_PAS_BOOK},        {&C_NAME_PACK_MENU, C_PAS_MENY},
  };
  for (const Row& r : rows)
    if (*r.name && pack == *r.name) return r.password;
  return C_PAS_IMAGE;
}

}  // namespace

int PUZZLE_PIECES_SYSTEM::LoadPuzzleState(char* path, PUZZLE_PLAYER_PROFILE* player, int /*code*/) {
  // 1, 2. Read and check everything the cut depends on before building.
  Log("Loading... " + ZOV::LogQuote(path));
  SAVED_GAME s;
  const SaveRead read = ReadSavedGame(path, &s);
  if (read != SaveRead::kOk) {
    Log(std::string("save refused: ") + SaveReadText(read) + " " + ZOV::LogQuote(path));
    switch (read) {
      case SaveRead::kNotXml:
      case SaveRead::kUnreadable:
        return kLoadUnreadable;
      case SaveRead::kNotASave:
        return kLoadNotASave;
      default:
        return kLoadBadOptions;
    }
  }
  Log("loaded");
  // 3-5. The picture from its pack, with that pack's own password.
  const float distort = float(double(s.distort) / 100.0);
  ImgSmAdr = s.ImgSmAdr;
  std::string pack = s.ImgPkAdr;
  Log("initialisation");
  {
    PackSelection scope(pack.empty() ? nullptr : pack.data(), pack.empty() ? nullptr : PackPassword(pack));
    // 6. The board set up for the picture with the saved cut options.
    Init(s.ImgAdr.c_str(), s.Min, 0, player, false, distort, s.typeborder);
  }
  const unsigned long tex = picture_ ? picture_->GetTexture() : 0;
  if (tex == 0 || tex == gfx_->defaultTexture) {
    Log("save refused: the picture does not load " + ZOV::LogQuote(s.ImgAdr));
    return kLoadNoPicture;
  }
  Narezator();
  rotation = s.rt;
  const size_t n = gridOrder.size();
  if (n == 0 || n != size_t(rows) * size_t(cols)) {
    Log("save refused: the picture gives no grid");
    return kLoadNoPicture;
  }
  // 7. The pieces, in grid order; the rest keep their cut places.
  if (s.pieces.size() != n)
    Log("save holds " + std::to_string(s.pieces.size()) + " pieces for " + std::to_string(n));
  std::vector<int> savedIds;  // the file's group ids, in the order met
  for (size_t k = 0; k < n; ++k) {
    PUZZLE_PIECES* p = gridOrder[k];
    if (k >= s.pieces.size()) {
      p->SetPos(p->destination.x, p->destination.y);
      continue;
    }
    const SAVED_PIECE& e = s.pieces[k];
    if (std::isfinite(e.posx) && std::isfinite(e.posy) && std::fabs(e.posx) <= kSavePositionLimit &&
        std::fabs(e.posy) <= kSavePositionLimit) {
      p->pos = JST::fPOINT(float(e.posx), float(e.posy));
      p->destination = JST::iPOINT(int(p->pos.x), int(p->pos.y));
      p->velocity = JST::iPOINT(0, 0);
    } else {
      Log("piece " + std::to_string(k) + ": damaged position, put at its scatter point");
      p->SetPos(p->destination.x, p->destination.y);
    }
    p->rotation = QuarterTurns(e.trt);
    if (p->rotation != e.trt) Log("piece " + std::to_string(k) + ": turn " + std::to_string(e.trt) + " taken modulo 4");
    p->RotationPoint();
    p->angle = float(p->rotation) * kHalfPi;
    // Group ids are renumbered densely, 1, 2, ... in the order they first
    // appear, the pieces of one id staying together: a file's ids, however
    // large, never reach the group counter.
    int group = 0;
    if (e.nstr > 0) {
      auto it = std::find(savedIds.begin(), savedIds.end(), e.nstr);
      if (it == savedIds.end()) it = savedIds.insert(savedIds.end(), e.nstr);
      group = int(it - savedIds.begin()) + 1;
    }
    p->group = group;
    if (e.nstr < 0) Log("piece " + std::to_string(k) + ": negative group taken as loose");
    p->inPocket = e.BK;
  }
  // 8. The groups under the loose pieces in the z-order.
  PlacementPuzzle();
  // 9. The counters; what the groups decide is counted from them.
  auto time = [](double t) { return std::isfinite(t) && t > 0.0 ? t : 0.0; };
  // Each counter is held between 0 and what a real game of this grid can
  // reach, so none can run over while play goes on.
  auto count = [this](const char* name, int v, int most) {
    const int held = std::clamp(v, 0, most);
    if (held != v) Log(std::string(name) + " " + std::to_string(v) + " taken as " + std::to_string(held));
    return held;
  };
  const CounterBounds most = CounterBoundsFor(int(n));
  regT = decltype(regT)(time(s.regT));
  regTa = decltype(regTa)(time(s.regTa));
  regH = count("regH", s.regH, most.hints);
  regSc = count("regSc", s.regSc, most.score);
  regPf = count("regPf", s.regPf, most.speedPoints);
  regGVN = s.regGVN != 0;
  regGVN2 = s.regGVN2 != 0;
  regFastGlue = count("regFastGlue", s.regFastGlue, most.joins);
  regRes = s.regRes;
  // The last id given out: the renumbered groups' count.
  cstr = int(savedIds.size());
  if (cstr != s.cstr) Log("group counter " + std::to_string(s.cstr) + " taken as " + std::to_string(cstr));
  RecountFromGroups();
  if (regF < 2) {
    Log("save refused: the puzzle is finished");
    return kLoadFinished;
  }
  // 10. A finished frame lies under everything and does not light up again.
  if (regBr < 2) {
    const int frameGroup = gridOrder[0]->group;
    std::stable_partition(zOrder.begin(), zOrder.end(), [&](const PUZZLE_PIECES* p) { return p->group != frameGroup; });
    frameLight = kIndexDone;
    edgesOnly = false;
  }
  // 11. Another screen size: the resolution message asks.
  const int now = ScreenCode();
  Log("tmp= " + std::to_string(regRes));
  Log("res= " + std::to_string(now));
  if (regRes != now) OpenResolutionMessage();
  // 12. Into play, the file as the board's save: the next save replaces it.
  savePath = path;
  state = kStatePlay;
  Reset(0);
  SetShownScore(regSc);
  return kLoadOk;
}

void PUZZLE_PIECES_SYSTEM::RecountFromGroups() {
  const int n = int(gridOrder.size());
  // Parts: every loose piece, and each group once; a part with an edge
  // piece is a border part.
  std::unordered_map<int, bool> groupHasEdge;
  int loose = 0, looseEdges = 0;
  for (const PUZZLE_PIECES* p : gridOrder) {
    if (p->group == 0) {
      ++loose;
      if (p->edge) ++looseEdges;
    } else {
      groupHasEdge[p->group] = groupHasEdge[p->group] || p->edge;
    }
  }
  int edgeGroups = 0;
  for (const auto& [g, hasEdge] : groupHasEdge) edgeGroups += hasEdge ? 1 : 0;
  regF = loose + int(groupHasEdge.size());
  regBr = looseEdges + edgeGroups;
  regCg = n - regF;
  regFinishP = 0;
  if (regBr < 2 && n > 0 && gridOrder[0]->group != 0) {
    const int frameGroup = gridOrder[0]->group;
    for (const PUZZLE_PIECES* p : gridOrder) regFinishP += p->group == frameGroup ? 1 : 0;
  }
}

void PUZZLE_PIECES_SYSTEM::PlacementPuzzle() {
  // Loose pieces on top, then the groups, each kept together in the order
  // its first piece had, the pieces' own order kept within it: one stable
  // sort on the group's rank.
  std::unordered_map<int, int> rank;
  for (const PUZZLE_PIECES* p : zOrder)
    if (p->group != 0) rank.emplace(p->group, int(rank.size()) + 1);
  std::stable_sort(zOrder.begin(), zOrder.end(), [&](const PUZZLE_PIECES* a, const PUZZLE_PIECES* b) {
    const int ra = a->group == 0 ? 0 : rank[a->group];
    const int rb = b->group == 0 ? 0 : rank[b->group];
    return ra < rb;
  });
  for (PUZZLE_PIECES* p : zOrder)
    if (p->group != 0) p->shadowDir = PUZZLE_PIECES::kShadowFalling;
}

void PUZZLE_PIECES_SYSTEM::SetShownScore(int value) {
  if (score) score->SetScore(value);
}

void PUZZLE_PIECES_SYSTEM::OpenResolutionMessage() {
  DeleteResolutionMessage();
  PackSelection pack(C_NAME_PACK_GUI, C_PAS_GUI);
  resolutionMessage = new PUZZLE_MESSAGE_RESOLUTION(game_);
}

}  // namespace GAME
