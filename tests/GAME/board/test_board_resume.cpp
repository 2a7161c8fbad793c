// Resuming a saved game: the exact round trip of a board in play, the
// frame-complete resume, the hostile files (each refused and kept, or
// mended), the pack password on resume, another screen size, and
// PlacementPuzzle's z-order.
#include "GAME/board/join_score.h"
#include "tests/support/save_env.h"

using namespace savetest;

namespace {

// ---- resuming

TEST_F(SaveTest, ARoundTripRestoresPositionsTurnsGroupsPocketAndCounters) {
  Board& a = RoundTripBoard(*this, Playing(3, false));
  ASSERT_EQ(a.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  Board& b = Make();
  ASSERT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  EXPECT_EQ(b.state, Board::kStatePlay);
  EXPECT_EQ(b.savePath, Path(1));
  ASSERT_EQ(b.gridOrder.size(), 9u);
  EXPECT_EQ(b.cols, 3);
  EXPECT_EQ(b.rows, 3);
  EXPECT_TRUE(b.rotation);
  const int rotations[9] = {0, 0, 1, 0, 0, 0, 0, 3, 0};
  const int groups[9] = {1, 1, 0, 0, 2, 2, 0, 0, 0};
  for (int k = 0; k < 9; ++k) {
    const GAME::PUZZLE_PIECES* p = a.gridOrder[size_t(k)];
    const GAME::PUZZLE_PIECES* q = b.gridOrder[size_t(k)];
    EXPECT_EQ(q->pos.x, p->pos.x) << k;  // exactly, through the text form
    EXPECT_EQ(q->pos.y, p->pos.y) << k;
    EXPECT_EQ(q->destination.x, int(p->pos.x)) << k;
    EXPECT_EQ(q->destination.y, int(p->pos.y)) << k;
    EXPECT_EQ(q->rotation, rotations[k]) << k;
    EXPECT_FLOAT_EQ(q->angle, float(rotations[k]) * 1.570796325f) << k;
    EXPECT_EQ(q->group, groups[k]) << k;
    EXPECT_EQ(q->inPocket, k == 6 ? 1 : 0) << k;
    EXPECT_EQ(q->row, k / 3);
    EXPECT_EQ(q->column, k % 3);
    // The outline is turned with the piece: point for point as the saved
    // board's.
    ASSERT_NE(q->outline, nullptr);
    const ZOV::JINCUTVECTOR* u = p->outline->next;
    const ZOV::JINCUTVECTOR* v = q->outline->next;
    for (; u && v; u = u->next, v = v->next) {
      EXPECT_NEAR(v->x, u->x, 1e-3) << k;
      EXPECT_NEAR(v->y, u->y, 1e-3) << k;
    }
    EXPECT_EQ(u == nullptr, v == nullptr);
  }
  EXPECT_EQ(b.regT, 1.5f);
  EXPECT_EQ(b.regTa, 42.25f);
  EXPECT_EQ(b.regH, 2);
  EXPECT_EQ(b.regCg, 2);
  EXPECT_EQ(b.regSc, 57);
  EXPECT_EQ(b.regPf, 4);
  EXPECT_EQ(b.regBr, 7);
  EXPECT_EQ(b.regF, 7);
  EXPECT_TRUE(b.regGVN);
  EXPECT_FALSE(b.regGVN2);
  EXPECT_EQ(b.regFastGlue, 1);
  EXPECT_EQ(b.regFinishP, 0);
  EXPECT_EQ(b.cstr, 2);  // the next join gives id 3
  EXPECT_EQ(b.regRes, 786432);
  EXPECT_EQ(b.frameLight, Board::kIndexIdle);
  EXPECT_EQ(b.resolutionMessage, nullptr) << "same screen size";
  ASSERT_NE(b.score, nullptr);
  EXPECT_EQ(b.score->Target(), 57);
  // Loose pieces on top, then each group together, shadows shrinking.
  std::vector<int> order;
  for (const GAME::PUZZLE_PIECES* p : b.zOrder) order.push_back(p->group);
  ASSERT_EQ(order.size(), 9u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(order[size_t(i)], 0) << i;
  EXPECT_EQ(order[5], order[6]);
  EXPECT_EQ(order[7], order[8]);
  EXPECT_NE(order[5], order[7]);
  for (const GAME::PUZZLE_PIECES* p : b.zOrder)
    EXPECT_EQ(p->shadowDir, p->group ? GAME::PUZZLE_PIECES::kShadowFalling : GAME::PUZZLE_PIECES::kShadowStill);

  // Saved again unchanged, the file is the same text.
  const std::string first = testenv::ReadFile(Path(1));
  ASSERT_EQ(b.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  EXPECT_EQ(testenv::ReadFile(Path(1)), first);

  // The next join gives the next id: loose piece 3 dropped left of piece 4
  // (group 2) makes group 3 of the three.
  GAME::PUZZLE_PIECES* left = b.gridOrder[3];
  left->SetPos(int(b.gridOrder[4]->pos.x) - 100, int(b.gridOrder[4]->pos.y));
  ASSERT_TRUE(b.Banzai(b.ZOf(left)));
  EXPECT_EQ(b.cstr, 3);
  for (int k : {3, 4, 5}) EXPECT_EQ(b.gridOrder[size_t(k)]->group, 3) << k;
  EXPECT_EQ(b.gridOrder[0]->group, 1);
  EXPECT_EQ(b.regCg, 3);
  EXPECT_EQ(b.regF, 6);
}

TEST_F(SaveTest, AFrameCompleteSaveResumesWithTheFrameAtTheBottomAndItsLightDone) {
  Board& a = Playing();
  Group(a, {0, 1, 2, 3, 5, 6, 7, 8}, 1);
  a.cstr = 1;
  a.regCg = 7;
  a.regF = 2;
  a.regBr = 1;
  a.regFinishP = 8;
  a.frameLight = Board::kIndexDone;
  ASSERT_EQ(a.SavePuzzleState(dir_.c_str(), 0), Board::kSaveWritten);
  Board& b = Make();
  ASSERT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  EXPECT_EQ(b.frameLight, Board::kIndexDone);
  EXPECT_EQ(b.regBr, 1);
  EXPECT_EQ(b.regF, 2);
  EXPECT_EQ(b.regFinishP, 8);
  ASSERT_EQ(b.zOrder.size(), 9u);
  EXPECT_EQ(b.zOrder.front(), b.gridOrder[4]) << "the loose centre on top";
  for (size_t i = 1; i < 9; ++i) EXPECT_EQ(b.zOrder[i]->group, 1) << i;
}

// A valid save of the 3 x 3 board with `root` attributes replaced and
// `pieces` as its elements (empty: nine, pieces 0 and 1 in group 1).
// `n` bytes of a fixed random sequence.
std::string RandomBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string out(n, '\0');
  for (char& c : out) c = char(rng() & 0xFF);
  return out;
}

std::string SaveText(const std::vector<std::pair<std::string, std::string>>& root, const std::string& pieces = "") {
  std::vector<std::pair<std::string, std::string>> attrs = {
      {"ImgAdr", "pic.bmp"}, {"ImgSmAdr", ""},   {"ImgPkAdr", ""},   {"ImgPss", "7315"},   {"Min", "3"},
      {"distort", "0"},     {"typeborder", "0"}, {"fly", "false"},  {"frame", "false"},   {"regT", "1.5"},
      {"regTa", "10"},      {"regH", "0"},       {"regCg", "1"},    {"regSc", "13"},      {"regPf", "0"},
      {"regBr", "7"},       {"regF", "8"},       {"rt", "true"},    {"regGVN", "0"},      {"regGVN2", "0"},
      {"regFastGlue", "0"}, {"regFinishP", "0"}, {"regRes", "786432"}, {"cstr", "1"}};
  for (const auto& [k, v] : root)
    for (auto& a : attrs)
      if (a.first == k) a.second = v;
  std::string out = "<?xml version=\"1.0\"?>\n<Save";
  for (const auto& [k, v] : attrs) out += " " + k + "=\"" + v + "\"";
  out += ">\n";
  if (!pieces.empty()) {
    out += pieces;
  } else {
    for (int k = 0; k < 9; ++k)
      out += "\t<Piece posx=\"" + std::to_string(200 + 100 * (k % 3)) + "\" posy=\"" + std::to_string(200 + 100 * (k / 3)) +
             "\" trt=\"0\" nstr=\"" + (k < 2 ? "1" : "0") + "\" BK=\"0\" />\n";
  }
  return out + "</Save>\n";
}

std::string Pieces(int count, const std::string& first = "") {
  std::string out;
  for (int k = 0; k < count; ++k)
    out += k == 0 && !first.empty() ? first + "\n"
                                    : "\t<Piece posx=\"" + std::to_string(200 + 100 * (k % 3)) + "\" posy=\"" +
                                          std::to_string(200 + 100 * (k / 3)) + "\" trt=\"0\" nstr=\"" + (k < 2 ? "1" : "0") +
                                          "\" BK=\"0\" />\n";
  return out;
}

TEST_F(SaveTest, TheTestFileOfTheseTestsIsItselfAValidSave) {
  testenv::WriteFile(Path(1), SaveText({}));
  Board& b = Make();
  ASSERT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  EXPECT_EQ(b.gridOrder[1]->pos.x, 300.0f);
  EXPECT_EQ(b.gridOrder[8]->pos.y, 400.0f);
}

TEST_F(SaveTest, AFileThatCannotBeResumedIsRefusedAndKept) {
  struct Case {
    const char* what;
    std::string text;  // "" = see `make`
    int expected;
  };
  const Case cases[] = {
      {"not XML", "this is not a save <", Board::kLoadUnreadable},
      {"empty", "", Board::kLoadUnreadable},
      {"another document", "<?xml version=\"1.0\"?>\n<Player name=\"x\" Min=\"3\"/>\n", Board::kLoadNotASave},
      {"Min 0", SaveText({{"Min", "0"}}), Board::kLoadBadOptions},
      {"Min 1", SaveText({{"Min", "1"}}), Board::kLoadBadOptions},
      {"Min 1000", SaveText({{"Min", "1000"}}), Board::kLoadBadOptions},
      {"Min missing", SaveText({{"Min", ""}}), Board::kLoadBadOptions},
      {"distort -5", SaveText({{"distort", "-5"}}), Board::kLoadBadOptions},
      {"distort 500", SaveText({{"distort", "500"}}), Board::kLoadBadOptions},
      {"no picture", SaveText({{"ImgAdr", "nothing_here.bmp"}}), Board::kLoadNoPicture},
      {"picture in a missing pack", SaveText({{"ImgPkAdr", "no_pack"}}), Board::kLoadNoPicture},
      {"cut short", SaveText({}).substr(0, 150), Board::kLoadUnreadable},
      {"random bytes", RandomBytes(4096, 11), Board::kLoadUnreadable},
      {"random bytes after the root's start", "<?xml version=\"1.0\"?>\n<Save Min=\"3\"" + RandomBytes(4096, 12),
       Board::kLoadUnreadable},
  };
  for (const Case& c : cases) {
    testenv::WriteFile(Path(1), c.text);
    Board& b = Make();
    testing::internal::CaptureStdout();
    EXPECT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), c.expected) << c.what;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("save refused"), std::string::npos) << c.what;
    EXPECT_NE(b.state, Board::kStatePlay) << c.what;
    EXPECT_EQ(b.savePath, "") << c.what;
    EXPECT_EQ(testenv::ReadFile(Path(1)), c.text) << c.what << ": kept as it was";
    EXPECT_EQ(b.Update(0, 0.016f), Board::kResultNothing);
    b.Render(0);
  }
}

// A save far larger than any board: many more pieces than the picture has
// cells. Only the board's own pieces are taken; the file is kept as it was.
TEST_F(SaveTest, ASaveWithFarMorePiecesThanTheBoardTakesOnlyItsOwn) {
  std::string pieces;
  for (int k = 0; k < 200000; ++k)
    pieces += "\t<Piece posx=\"" + std::to_string(100 + k % 700) + "\" posy=\"300\" trt=\"0\" nstr=\"0\" BK=\"0\" />\n";
  const std::string text = SaveText({}, pieces);
  ASSERT_GT(text.size(), size_t(10) << 20);
  testenv::WriteFile(Path(1), text);
  Board& b = Make();
  testing::internal::CaptureStdout();
  const int r = b.LoadPuzzleState(Path(1).data(), nullptr, 0);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(r, Board::kLoadOk);
  EXPECT_NE(log.find("save holds 200000 pieces for 9"), std::string::npos) << log.substr(0, 2000);
  EXPECT_EQ(b.gridOrder.size(), 9u);
  EXPECT_EQ(testenv::ReadFile(Path(1)), text);
}

TEST_F(SaveTest, AFinishedPuzzleIsNeverResumedWhateverItsCountersSay) {
  std::string all;
  for (int k = 0; k < 9; ++k)
    all += "\t<Piece posx=\"" + std::to_string(200 + 100 * (k % 3)) + "\" posy=\"" + std::to_string(200 + 100 * (k / 3)) +
           "\" trt=\"0\" nstr=\"4\" BK=\"0\" />\n";
  const std::string text = SaveText({{"regF", "5"}, {"regBr", "6"}, {"cstr", "4"}}, all);
  testenv::WriteFile(Path(1), text);
  Board& b = Make();
  EXPECT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadFinished);
  EXPECT_NE(b.state, Board::kStatePlay);
  EXPECT_EQ(b.savePath, "");
  EXPECT_EQ(testenv::ReadFile(Path(1)), text);
}

TEST_F(SaveTest, NothingButARegularFileIsRead) {
  Board& missing = Make();
  EXPECT_EQ(missing.LoadPuzzleState(Path(7).data(), nullptr, 0), Board::kLoadUnreadable);
  fs::create_directory(Path(1));
  EXPECT_EQ(Make().LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadUnreadable);
  ASSERT_EQ(mkfifo(Path(2).c_str(), 0600), 0);
  EXPECT_EQ(Make().LoadPuzzleState(Path(2).data(), nullptr, 0), Board::kLoadUnreadable) << "never waits on a pipe";
  // Below the documents folder, where player folders live, a link is not
  // followed.
  const std::string player = plat::DocumentsDir() + "/VURAVAZ/Jigsaw/someone/";
  fs::create_directories(player);
  testenv::WriteFile(dir_ + "real.pzl", SaveText({}));
  fs::remove(player + "1.pzl");
  fs::create_symlink(dir_ + "real.pzl", player + "1.pzl");
  std::string linked = player + "1.pzl";
  EXPECT_EQ(Make().LoadPuzzleState(linked.data(), nullptr, 0), Board::kLoadUnreadable);
  EXPECT_TRUE(fs::is_symlink(linked));
}

TEST_F(SaveTest, DamagedPiecesAndCountersAreMended) {
  struct Case {
    const char* what;
    std::string text;
    void (*check)(const Board&);
  };
  auto piece = [](const char* posx, const char* posy, const char* trt, const char* nstr) {
    return std::string("\t<Piece posx=\"") + posx + "\" posy=\"" + posy + "\" trt=\"" + trt + "\" nstr=\"" + nstr +
           "\" BK=\"0\" />";
  };
  const Case cases[] = {
      {"twelve elements for nine pieces", SaveText({}, Pieces(12)),
       [](const Board& b) {
         EXPECT_EQ(b.gridOrder.size(), 9u);
         EXPECT_EQ(b.gridOrder[8]->pos.x, 400.0f);
       }},
      {"five elements for nine pieces", SaveText({}, Pieces(5)),
       [](const Board& b) {
         EXPECT_EQ(b.gridOrder[4]->pos.x, 300.0f);
         // The rest stay at rest at their scatter points.
         for (int k = 5; k < 9; ++k) {
           const GAME::PUZZLE_PIECES* p = b.gridOrder[size_t(k)];
           EXPECT_EQ(p->pos.x, float(p->destination.x)) << k;
           EXPECT_EQ(p->pos.y, float(p->destination.y)) << k;
           EXPECT_EQ(p->velocity.x, 0);
           EXPECT_GE(p->pos.x, 50.0f);
           EXPECT_LE(p->pos.x, 974.0f);
         }
       }},
      {"trt 7", SaveText({}, Pieces(9, piece("200", "200", "7", "1"))),
       [](const Board& b) { EXPECT_EQ(b.gridOrder[0]->rotation, 3); }},
      {"trt -1", SaveText({}, Pieces(9, piece("200", "200", "-1", "1"))),
       [](const Board& b) {
         EXPECT_EQ(b.gridOrder[0]->rotation, 3);
         EXPECT_FLOAT_EQ(b.gridOrder[0]->angle, 4.712389f);
       }},
      {"trt 2147483647", SaveText({}, Pieces(9, piece("200", "200", "2147483647", "1"))),
       [](const Board& b) { EXPECT_EQ(b.gridOrder[0]->rotation, 3); }},
      {"nstr above cstr", SaveText({{"cstr", "1"}}, Pieces(9, piece("200", "200", "0", "9"))),
       [](const Board& b) {
         // Ids 9 and 1, in the order met, become 1 and 2.
         EXPECT_EQ(b.cstr, 2);
         EXPECT_EQ(b.gridOrder[0]->group, 1);
         EXPECT_EQ(b.gridOrder[1]->group, 2);
       }},
      {"negative nstr", SaveText({}, Pieces(9, piece("200", "200", "0", "-4"))),
       [](const Board& b) { EXPECT_EQ(b.gridOrder[0]->group, 0); }},
      {"posx nan", SaveText({}, Pieces(9, piece("nan", "200", "0", "1"))),
       [](const Board& b) {
         const GAME::PUZZLE_PIECES* p = b.gridOrder[0];
         EXPECT_EQ(p->pos.x, float(p->destination.x));
         EXPECT_EQ(p->pos.y, float(p->destination.y));
         EXPECT_GE(p->pos.x, 50.0f);
         EXPECT_LE(p->pos.x, 974.0f);
       }},
      {"posy inf, posx 1e30", SaveText({}, Pieces(9, piece("1e30", "inf", "0", "1"))),
       [](const Board& b) {
         EXPECT_GE(b.gridOrder[0]->pos.x, 50.0f);
         EXPECT_LE(b.gridOrder[0]->pos.y, 718.0f);
       }},
      {"regT 1e-30", SaveText({{"regT", "1e-30"}}),
       [](const Board& b) {
         EXPECT_GE(b.regT, 0.0);
         EXPECT_LT(b.regT, 1e-20);
       }},
      {"negative and non-finite times, negative counters",
       SaveText({{"regT", "-3"}, {"regTa", "nan"}, {"regSc", "-50"}, {"regH", "-1"}, {"regPf", "-7"}}),
       [](const Board& b) {
         EXPECT_EQ(b.regT, 0.0f);
         EXPECT_EQ(b.regTa, 0.0f);
         EXPECT_EQ(b.regSc, 0);
         EXPECT_EQ(b.regH, 0);
         EXPECT_EQ(b.regPf, 0);
       }},
      {"counters that disagree with the groups",
       SaveText({{"regF", "1"}, {"regBr", "-4"}, {"regCg", "0"}, {"regFinishP", "50"}}),
       [](const Board& b) {
         // Pieces 0 and 1 (both edge) joined: 8 parts, 7 with an edge.
         EXPECT_EQ(b.regF, 8);
         EXPECT_EQ(b.regBr, 7);
         EXPECT_EQ(b.regCg, 1);
         EXPECT_EQ(b.regFinishP, 0);
         EXPECT_EQ(b.frameLight, Board::kIndexIdle);
       }},
  };
  for (const Case& c : cases) {
    testenv::WriteFile(Path(1), c.text);
    Board& b = Make();
    ASSERT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk) << c.what;
    SCOPED_TRACE(c.what);
    EXPECT_EQ(b.state, Board::kStatePlay);
    c.check(b);
    EXPECT_EQ(testenv::ReadFile(Path(1)), c.text) << "the file is not rewritten on load";
    for (int i = 0; i < 3; ++i) b.Update(0, 0.016f);
    b.Render(0);
  }
}

// A file's group ids and counters, however large, never reach what would
// stall the game: the ids are renumbered 1, 2, ... in the order they first
// appear (pieces of one id together), the group counter is their count, and
// the counters a join raises are held below what a 3 x 3 game can reach.
TEST_F(SaveTest, HugeGroupIdsAndCountersFromAFileAreRenumberedAndBounded) {
  auto piece = [](int k, const char* nstr) {
    return "\t<Piece posx=\"" + std::to_string(200 + 150 * (k % 3)) + "\" posy=\"" + std::to_string(200 + 150 * (k / 3)) +
           "\" trt=\"0\" nstr=\"" + nstr + "\" BK=\"0\" />\n";
  };
  // Grid pieces 0, 1: id 2147483647; 3, 4: id 50000000; the rest loose.
  const char* ids[9] = {"2147483647", "2147483647", "0", "50000000", "50000000", "0", "0", "0", "0"};
  std::string pieces;
  for (int k = 0; k < 9; ++k) pieces += piece(k, ids[k]);
  testenv::WriteFile(Path(1), SaveText({{"cstr", "2147483647"},
                                        {"regH", "2147483647"},
                                        {"regSc", "2147483647"},
                                        {"regPf", "2147483647"},
                                        {"regFastGlue", "2147483647"},
                                        {"regCg", "2"}},
                                       pieces));
  Board& b = Make();
  ASSERT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  ASSERT_EQ(b.cstr, 2);
  const int want[9] = {1, 1, 0, 2, 2, 0, 0, 0, 0};
  for (int k = 0; k < 9; ++k) EXPECT_EQ(b.gridOrder[size_t(k)]->group, want[k]) << k;
  const GAME::CounterBounds most = GAME::CounterBoundsFor(9);
  EXPECT_EQ(most.joins, 8);
  EXPECT_EQ(b.regFastGlue, 8);
  EXPECT_EQ(b.regPf, 8 * 200);
  EXPECT_EQ(b.regSc, 8 * (9 * 200 + 12) + 9);
  EXPECT_EQ(b.regH, GAME::kMostHints);
  // Frames run (the push-back's table stays small), and the next join gets
  // id 3, the counters staying in range.
  for (int f = 0; f < 3; ++f) b.Update(0, 0.016f);
  b.gridOrder[2]->SetPos(302, 200);  // beside piece 1 (at 350, 200) ...
  b.gridOrder[1]->SetPos(202, 200);
  b.gridOrder[0]->SetPos(102, 200);
  ASSERT_TRUE(b.Banzai(b.ZOf(b.gridOrder[2])));
  EXPECT_EQ(b.gridOrder[2]->group, 3);
  EXPECT_EQ(b.cstr, 3);
  EXPECT_GT(b.regSc, 0);
  EXPECT_GT(b.regPf, 0);
}

TEST_F(SaveTest, AnAlmostZeroJoinTimeFromAFileGivesBoundedPoints) {
  testenv::WriteFile(Path(1), SaveText({{"regT", "1e-30"}, {"regSc", "13"}}));
  Board& b = Make();
  ASSERT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  // Piece 2 dropped beside group 1 (pieces 0, 1): 1 + 2 pieces at the
  // largest factor, 200: 3 x 200 + 12. (Piece 5, below it, moved away.)
  b.gridOrder[5]->SetPos(800, 600);
  ASSERT_TRUE(b.Banzai(b.ZOf(b.gridOrder[2])));
  EXPECT_EQ(b.regSc, 13 + 612);
  EXPECT_EQ(b.cstr, 2);
}

TEST_F(SaveTest, AResumeReadsThePictureWithItsOwnPacksPassword) {
  // The pictures' and the level pack's passwords differ here.
  char keepImage[sizeof C_PAS_IMAGE], keepLevel[sizeof C_PAS_LEVEL];
  std::memcpy(keepImage, C_PAS_IMAGE, sizeof keepImage);
  std::memcpy(keepLevel, C_PAS_LEVEL, sizeof keepLevel);
  std::strcpy(C_PAS_IMAGE, "pics1");
  std::strcpy(C_PAS_LEVEL, "levl2");
  static char packName[] = "pictures_pack";
  char* keepSmall = C_NAME_PACK_IMAGE_SMAL;
  C_NAME_PACK_IMAGE_SMAL = packName;
  {
    const std::string bmp = testenv::ReadFile("pic.bmp");
    int error = 0;
    zip_t* za = zip_open(packName, ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(za, nullptr);
    zip_source_t* src = zip_source_buffer(za, bmp.data(), bmp.size(), 0);
    const zip_int64_t i = zip_file_add(za, "in_pack.bmp", src, ZIP_FL_OVERWRITE);
    ASSERT_GE(i, 0);
    ASSERT_EQ(zip_file_set_encryption(za, zip_uint64_t(i), ZIP_EM_TRAD_PKWARE, "pics1"), 0);
    ASSERT_EQ(zip_close(za), 0);
  }
  testenv::WriteFile(Path(1), SaveText({{"ImgAdr", "in_pack.bmp"}, {"ImgPkAdr", "pictures_pack"}}));
  Board& b = Make();
  EXPECT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  EXPECT_EQ(b.ImgPkAdr, "pictures_pack");
  EXPECT_EQ(b.gridOrder.size(), 9u);
  EXPECT_EQ(ZOV::ifile.current_pack, nullptr) << "the selection is cleared again";
  C_NAME_PACK_IMAGE_SMAL = keepSmall;
  std::memcpy(C_PAS_IMAGE, keepImage, sizeof keepImage);
  std::memcpy(C_PAS_LEVEL, keepLevel, sizeof keepLevel);
}

TEST_F(SaveTest, ASaveFromAnotherScreenSizeAsksWhetherToGoOn) {
  struct Case {
    const char* what;
    bool cancel;
    int expected;
  };
  for (const Case& c : {Case{"Cancel leaves", true, Board::kResultLeave}, Case{"OK plays on", false, Board::kResultNothing}}) {
    SCOPED_TRACE(c.what);
    testenv::WriteFile(Path(1), SaveText({{"regRes", "480000"}, {"regTa", "10"}}));
    Board& b = Make();
    ASSERT_EQ(b.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
    EXPECT_EQ(b.regRes, 480000);
    ASSERT_NE(b.resolutionMessage, nullptr);
    // Nothing is rescaled: the pieces lie where they were saved.
    EXPECT_EQ(b.gridOrder[4]->pos.x, 300.0f);
    // While it is open only the message is served: time stands still.
    EXPECT_EQ(b.Update(0, 0.016f), Board::kResultNothing);
    EXPECT_EQ(b.regTa, 10.0f);
    BUTTONACT* button = c.cancel ? b.resolutionMessage->CancelButton() : b.resolutionMessage->OkButton();
    const int answer = Click(int(button->position.x), int(button->position.y), [&] { return b.Update(0, 0.016f); });
    EXPECT_EQ(answer, c.expected);
    EXPECT_EQ(b.resolutionMessage, nullptr);
    if (!c.cancel) {
      b.Update(0, 0.016f);
      EXPECT_GT(b.regTa, 10.0f) << "the game goes on";
    }
  }
  // The same size: no message.
  testenv::WriteFile(Path(1), SaveText({{"regRes", "786432"}}));
  Board& same = Make();
  ASSERT_EQ(same.LoadPuzzleState(Path(1).data(), nullptr, 0), Board::kLoadOk);
  EXPECT_EQ(same.resolutionMessage, nullptr);
}

// ---- PlacementPuzzle

TEST_F(SaveTest, PlacementPuzzleSendsEachGroupTogetherUnderTheLoosePieces) {
  Board& b = Playing();
  // z-order from the top: groups 2, 0, 1, 0, 2, 1, 0, 0, 0.
  const int groups[9] = {2, 0, 1, 0, 2, 1, 0, 0, 0};
  std::vector<GAME::PUZZLE_PIECES*> before(b.zOrder.begin(), b.zOrder.end());
  for (size_t i = 0; i < 9; ++i) before[i]->group = groups[i];
  b.PlacementPuzzle();
  const std::vector<GAME::PUZZLE_PIECES*> expected = {before[1], before[3], before[6], before[7], before[8],
                                                      before[0], before[4], before[2], before[5]};
  EXPECT_EQ(std::vector<GAME::PUZZLE_PIECES*>(b.zOrder.begin(), b.zOrder.end()), expected);
  for (size_t i = 5; i < 9; ++i) EXPECT_EQ(b.zOrder[i]->shadowDir, GAME::PUZZLE_PIECES::kShadowFalling);
}

}  // namespace
