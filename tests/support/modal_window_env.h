// What the tests of the modal windows share: the dialog environment (game
// object on the recording backend, screen centre (512, 384) as at
// 1024 x 768, input frames) with interface images of the sizes the layout
// notes use, two test fonts told apart by their pages, a dim layer, the
// click sound, and a GAME::WindowKit lending them to the window under
// test. Helpers read back what a frame drew: the centre of a sprite's quad,
// the first glyph of a font, and the order in which the window's parts
// were drawn.
//
// Images: chWINDOWMINI 560 x 240, chSTBACK 760 x 600, chBUTTON_OK and
// chBUTTON_CANCEL 480 x 48 (frames 120 x 48), chEXITQ and chSAVELOGO
// 160 x 160, chFAQ_MOUSE, chFAQ_MOUSE_2 and chFAQ_POCKET 140 x 100.
// Fonts: 10 x 20 glyphs (ASCII letters, digits, '%'), line height 24,
// letter spacing 5, so a text of n letters is 15 n pixels long.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "GAME/ui/window_layout.h"
#include "ST/button.h"
#include "ST/font.h"
#include "ST/sprite.h"
#include "platform/window.h"
#include "tests/support/dialog_env.h"

namespace windowtest {

struct Point {
  int x, y;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};
inline std::ostream& operator<<(std::ostream& os, const Point& p) { return os << "(" << p.x << ", " << p.y << ")"; }

class ModalWindowEnv : public dialogtest::DialogEnv {
 protected:
  void SetUp() override {
    DialogEnv::SetUp();
    Image(&chWINDOWMINI, "mini560.png", 560, 240);
    Image(&chSTBACK, "window760.png", 760, 600);
    Image(&chBUTTON_OK, "ok480.png", 480, 48);
    Image(&chBUTTON_CANCEL, "cancel480.png", 480, 48);
    Image(&chEXITQ, "exit_logo.png", 160, 160);
    Image(&chSAVELOGO, "save_logo.png", 160, 160);
    Image(&chFAQ_MOUSE, "faq_mouse.png", 140, 100);
    Image(&chFAQ_MOUSE_2, "faq_mouse2.png", 140, 100);
    Image(&chFAQ_POCKET, "faq_pocket.png", 140, 100);
    dialogtest::WriteFont("big_test.fnt", L"%");
    dialogtest::WriteFont("comix_test.fnt", L"%");
    bigFont = std::make_unique<ZOV::JFONT>("big_test.fnt", 0);
    comixFont = std::make_unique<ZOV::JFONT>("comix_test.fnt", 0);
    bigFont->spacing = comixFont->spacing = 5;
    drawtest::WriteImage("dim.png", 4, 4, 0x99000000u);
    dim = std::make_unique<JSPRITE>("dim.png", 0);
    kit = GAME::WindowKit{&game(), bigFont.get(), comixFont.get(), nullptr, dim.get()};
  }

  // The kit plays a real click sound, counted by ClicksPlayed().
  void WithClickSound() {
    ClickSound();
    kit.click = eButton;
  }

  // The centre of the first quad drawn with the sprite's texture, rounded
  // down (an odd-sized quad stands half a pixel right of and below its
  // position).
  static Point DrawnCentre(const JSPRITE& s) {
    const auto quads = drawtest::QuadsOf(s.GetTexture());
    if (quads.empty()) return {-1, -1};
    const auto& q = quads.front();
    return {int(std::floor((q.x0 + q.x1) / 2.0f)), int(std::floor((q.y0 + q.y1) / 2.0f))};
  }
  // The top-left corner of the first glyph drawn with the font.
  static Point FirstGlyph(const ZOV::JFONT& f) {
    const auto quads = drawtest::QuadsOf(f.page->GetTexture());
    if (quads.empty()) return {-1, -1};
    return {int(std::lround(quads.front().x0)), int(std::lround(quads.front().y0))};
  }
  // How many glyphs the font drew.
  static size_t Glyphs(const ZOV::JFONT& f) { return drawtest::QuadsOf(f.page->GetTexture()).size(); }

  // The parts drawn, named by `names` (texture -> name), in drawing order,
  // runs of one part (the glyphs of a text) counted once; textures not
  // named are left out.
  static std::vector<std::string> DrawOrder(const std::map<unsigned long, std::string>& names) {
    std::vector<std::string> out;
    for (const auto& q : drawtest::DrawnQuads()) {
      const auto it = names.find(q.texture);
      if (it == names.end()) continue;
      if (out.empty() || out.back() != it->second) out.push_back(it->second);
    }
    return out;
  }

  // One frame of `update` with the key going down before it and up after.
  template <class F>
  int KeyFrame(int vk, F update) {
    KeyDown(vk);
    const int r = update();
    EndFrame();
    KeyUp(vk);
    EndFrame();
    return r;
  }

  // One way of answering a window: a press and release at `at`, or, when
  // `key` is set, that key over one frame; with the answer the window's
  // Update should give and the clicks it should play.
  struct Answer {
    const char* what;
    Point at;
    int key;
    int answer, clicks;
  };
  // Gives every answer to a fresh window from `make` (returning an owning
  // pointer), the click sound on.
  template <class Make>
  void ExpectAnswers(Make make, std::initializer_list<Answer> answers) {
    for (const Answer& a : answers) {
      SCOPED_TRACE(a.what);
      WithClickSound();
      auto w = make();
      auto update = [&] { return w->Update(0, 0.0f); };
      EXPECT_EQ(a.key != 0 ? KeyFrame(a.key, update) : Click(a.at.x, a.at.y, update), a.answer);
      EXPECT_EQ(ClicksPlayed(), a.clicks);
    }
  }

  std::unique_ptr<ZOV::JFONT> bigFont, comixFont;
  std::unique_ptr<JSPRITE> dim;
  GAME::WindowKit kit;
};

}  // namespace windowtest
