// What the gallery-page and saved-games-panel tests share: the dialog test
// engine (recording backend, input frames), thumbnails and buttons written
// as images of known sizes in the current folder (no pack selected), the
// shared plates, icons and font made from them, and reading the log lines a
// piece of code writes.
//
// Sizes: landscape thumbnail "land.png" 400 x 300, portrait "port.png"
// 300 x 400, square "square.png" 100 x 100, wide "wide.png" 300 x 200; the
// page buttons 256 x 64 (frames 64 x 64); the plates and icons 64 x 64; the
// font 10 x 20 glyphs with 5 pixels of spacing (24-pixel lines).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GAME/config/globals.h"
#include "GAME/ui/shared_assets.h"
#include "ST/font.h"
#include "ST/sprite.h"
#include "tests/support/dialog_env.h"

namespace booktest {

class BookPageEnv : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    C_NAME_PACK_MENU = nullptr;
    C_NAME_PACK_IMAGE_PREV = nullptr;
    Image(&chGUI_BUTTON_SAVE_RIGHT, "right.png", 256, 64);
    Image(&chGUI_BUTTON_SAVE_LEFT, "left.png", 256, 64);
    Image(&chGUI_BUTTON_TRASH, "trash.png", 256, 64);
    drawtest::WriteImage("land.png", 400, 300);
    drawtest::WriteImage("port.png", 300, 400);
    drawtest::WriteImage("square.png", 100, 100);
    drawtest::WriteImage("wide.png", 300, 200);
    drawtest::WriteImage("plate.png", 64, 64);
    dialogtest::WriteFont("book.fnt", L"% /");
    font_ = std::make_unique<ZOV::JFONT>("book.fnt", 0);
    comix = font_.get();
    shadow_ = std::make_unique<JSPRITE>("plate.png", 0);
    white_ = std::make_unique<JSPRITE>("plate.png", 0);
    infoBack_ = std::make_unique<JSPRITE>("plate.png", 0);
    rotYes_ = std::make_unique<JSPRITE>("plate.png", 0);
    rotNo_ = std::make_unique<JSPRITE>("plate.png", 0);
    shadowSplain = shadow_.get();
    whiteSplain = white_.get();
    sprInfoBack = infoBack_.get();
    sprRotPzl = rotYes_.get();
    sprNotRotPzl = rotNo_.get();
    ePuzzleSelection = nullptr;
    game().random.Seed(12345.0f);
  }

  void TearDown() override {
    shadowSplain = whiteSplain = sprInfoBack = sprRotPzl = sprNotRotPzl = nullptr;
    ePuzzleSelection = nullptr;
    DialogEnv::TearDown();
  }

  // Makes ePuzzleSelection a real sound whose plays ClicksPlayed() counts.
  void SelectionSound() {
    ClickSound();
    ePuzzleSelection = eButton;
    eButton = nullptr;
  }

  // Runs `f` and returns what it wrote on standard output.
  template <class F>
  static std::string Output(F f) {
    ::testing::internal::CaptureStdout();
    f();
    return ::testing::internal::GetCapturedStdout();
  }
  static int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }

  std::unique_ptr<ZOV::JFONT> font_;
  std::unique_ptr<JSPRITE> shadow_, white_, infoBack_, rotYes_, rotNo_;
};

}  // namespace booktest
