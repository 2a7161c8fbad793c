// The per-frame state of mouse and keyboard. The window procedure feeds
// events in; every widget polls; Update(), once per update pass, ages the
// counters.
//
// Button counters: 0 up, 1 pressed since the last update, 2 and more held,
// -1 released since the last update. Key counters (one byte per virtual key):
// 0 up, 1 went down, 2..127 held, 0xFF released since the last update.
//
// No click is lost to a slow frame either: a button pressed and released
// before the next update reads 1 for that frame and -1 for the next, with
// the pointer kept where the press was for both, so every widget sees its
// usual press, then release. A second press in the same frame (a quick
// double click) waits, with the mouse events behind it, for the frames
// after; each frame takes at most one press of a button, in order, and the
// double-click mark goes with the press it came with.
//
// Nothing typed is lost to a slow frame: a key that goes down and up before
// the next update still reads 1 for that frame (the release shows at the
// next one), and each frame carries one character event: a key typed after
// the frame's first character waits for a following frame, and so do the
// key events behind it, so that their order is kept (an Enter typed after a
// name is seen after the name's last letter).
#pragma once

#include <bitset>
#include <deque>
#include <string>

#include "ST/object.h"

namespace ZOV {

class ST_INPUT {
 public:
  struct INP_MOUSE {
    JST::iPOINT pos{0, 0};
    JST::iPOINT prev{0, 0};
    JST::iPOINT offset{0, 0};
  };

  // Room for the text one key-down types (at most 15 characters are written).
  static constexpr int kTypedCapacity = 30;

  ST_INPUT();

  void EventMouseMove(int x, int y);
  void EventMouseLkm(bool pressed);
  void EventMouseRkm(bool pressed);
  void EventMouseMkm(bool pressed);
  void EventMouseIn();
  void EventMouseDblClick();
  void EventKeyDown(int vk);
  void EventKeyUp(int vk);

  unsigned char Key(int vk) const;
  int Lkm() const { return left_; }
  int Rkm() const { return right_; }
  int Mkm() const { return middle_; }
  int GetMouseX() const { return mouse_.pos.x; }
  int GetMouseY() const { return mouse_.pos.y; }
  void GetMousePos(int* x, int* y) const;
  void GetMousePos(float* x, float* y) const;
  void GetMouseOffset(int* x, int* y) const;
  bool Event() const { return charEvent_; }
  unsigned char GetLastChar() const { return charEvent_ ? lastKeyByte_ : 0; }
  int GetLastKey() const { return lastKey_; }
  unsigned char* GetKeysMap() { return keys_; }
  bool IsMouseInFrame(int x, int y, int w, int h) const;
  bool IsMouseNear(float x, float y, float r) const;
  bool IsMouseEvent() const { return mouseEvent_; }
  bool IsDblClick() const { return dblClick_; }
  void DropMouse();
  void UnLock() { lock_ = false; }
  int Update(int);

  // The buffer the typed text of the last key-down is written to, and read
  // from by text boxes as a wide string.
  wchar_t* TypedText() { return typed_; }
  const wchar_t* TypedText() const { return typed_; }

 private:
  static bool Types(int vk, const std::wstring& text);
  void ApplyKeyDown(int vk, const std::wstring& text);
  void ApplyKeyUp(int vk);
  // Writes `text` into the typed-text buffer, zero-filled.
  void ShowText(const std::wstring& text);

  // One mouse event kept for a later frame.
  struct MouseEvent {
    enum Kind { kMove, kDown, kUp, kDblClick } kind;
    int button;  // 0 left, 1 right, 2 middle (kDown, kUp)
    int x, y;    // kMove
  };
  int& Counter(int button);
  bool MustWait(const MouseEvent& e) const;
  void Take(const MouseEvent& e);
  void Apply(const MouseEvent& e);

  INP_MOUSE mouse_;
  int left_ = 0, right_ = 0, middle_ = 0;
  // Buttons pressed and released in this frame, released at Update.
  bool buttonReleaseAtUpdate_[3] = {};
  // This frame shows a release held over from the frame of its press: the
  // pointer stays at the press point until the next frame.
  bool holdPointer_ = false;
  std::deque<MouseEvent> mouseWaiting_;
  static constexpr size_t kMaxMouseWaiting = 256;
  bool lock_ = false;
  bool mouseEvent_ = false;
  bool dblClick_ = false;
  unsigned char keys_[256] = {};
  int lastKey_ = 0;
  unsigned char lastKeyByte_ = 0;
  bool charEvent_ = false;
  wchar_t typed_[kTypedCapacity] = {};
  // Keys released in the frame they went down in, released at Update.
  std::bitset<256> releaseAtUpdate_;
  // The text of this frame's character event, while there is one (a later
  // key-down of the frame may have overwritten typed_ with its own text).
  std::wstring eventText_;
  // Key events behind a character typed after the frame's first one, in
  // order; each following frame takes them up to its one character.
  struct KeyEvent {
    int vk;
    std::wstring text;  // what the key-down typed
    bool down;
  };
  std::deque<KeyEvent> waiting_;
  static constexpr size_t kMaxWaiting = 64;
};

}  // namespace ZOV
