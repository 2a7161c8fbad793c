// GAME::VolumeRows: the rows the settings window and the in-game options
// window both open with: the music and the sound slider (0..100, the volume
// x 100) with the violin and the piano beside them, and the game cursor's
// check box, each with its caption. It keeps working copies of the
// record's MusicVolum, Sound and Cursor, which its owner writes back on OK.
//
// Layout, with (x, y) the window's centre and W x H its image; positions
// truncated:
//   music slider (track's left end) (x - 50, y - 0.2 H), track W / 2.5
//   sound slider                    (x - 50, y - 0.05 H)
//   cursor box                      (x - 50, y + 46)
//   violin  (x - 130, y - 0.2 H)       piano (x - 130, y - 0.05 H)
//   captions in C_FONT_MAIN_COLOR, left edge at the caption column,
//           vertically centred on the music slider, the sound slider and
//           the cursor box: chTEXT_SETTINGS_GAME_MUSIC, _SOUND and _CURSOR
//
// The owning window constructs it with the interface pack selected, lays
// it out, updates it once a frame and draws it. Main thread only.
#pragma once

#include <memory>

#include "GAME/ui/options_kit.h"

class JBUTTONCHK;
class JSPRITE;

namespace ZOV {
class JFONT;
class JSLIDER_E;
}  // namespace ZOV

namespace GAME {

class PUZZLE_PLAYER_PROFILE;

class VolumeRows {
 public:
  // Update's answers; the windows pass them on as their own.
  static constexpr int kNothing = 0;
  static constexpr int kMusic = 5;   // the music slider changed
  static constexpr int kSound = 6;   // the sound slider changed, the test sound played at most every kTestSoundGapMs
  static constexpr int kCursor = 7;  // the cursor box was toggled

  // The controls made from the current pack, showing `from`'s values;
  // `checkBox` is the cursor box's image. With `echo` the sliders' volumes
  // are also written to the console, as the in-game options window does.
  VolumeRows(const PUZZLE_PLAYER_PROFILE& from, const char* checkBox, bool echo = false);
  ~VolumeRows();
  VolumeRows(const VolumeRows&) = delete;
  VolumeRows& operator=(const VolumeRows&) = delete;

  // Lays the rows out for a window centred on (x, y) with a w x h image.
  void Place(float x, float y, float w, float h);
  // The first row that changed this frame, its working copy updated.
  int Update(const OptionsKit& kit);
  // The violin and the piano.
  void RenderPictures();
  // Each caption, in `font` from column `captionX`, then its control.
  void RenderRows(ZOV::JFONT* font, int captionX);
  // Writes the working copies into the record.
  void WriteTo(PUZZLE_PLAYER_PROFILE& record) const;

  float Music() const { return music_; }
  float Sound() const { return sound_; }
  bool Cursor() const { return cursor_; }
  const ZOV::JSLIDER_E& MusicSlider() const { return *musicSlider_; }
  const ZOV::JSLIDER_E& SoundSlider() const { return *soundSlider_; }
  const JBUTTONCHK& CursorBox() const { return *cursorBox_; }
  const JSPRITE& Piano() const { return *piano_; }
  const JSPRITE& Violin() const { return *violin_; }

 private:
  std::unique_ptr<ZOV::JSLIDER_E> musicSlider_;
  std::unique_ptr<ZOV::JSLIDER_E> soundSlider_;
  std::unique_ptr<JBUTTONCHK> cursorBox_;
  std::unique_ptr<JSPRITE> piano_;
  std::unique_ptr<JSPRITE> violin_;
  float music_ = 0.0f;
  float sound_ = 0.0f;
  bool cursor_ = false;
  TestSoundGate testSound_;
};

}  // namespace GAME
