// The per-frame state of mouse and keyboard. The window procedure feeds
// events in; every widget polls; Update(), once per update pass, ages the
// counters.
//
// Button counters: 0 up, 1 pressed since the last update, 2 and more held,
// -1 released since the last update. Key counters (one byte per virtual key):
// 0 up, 1 went down, 2..127 held, 0xFF released since the last update.
#pragma once

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
  INP_MOUSE mouse_;
  int left_ = 0, right_ = 0, middle_ = 0;
  bool lock_ = false;
  bool mouseEvent_ = false;
  bool dblClick_ = false;
  unsigned char keys_[256] = {};
  int lastKey_ = 0;
  unsigned char lastKeyByte_ = 0;
  bool charEvent_ = false;
  wchar_t typed_[kTypedCapacity] = {};
};

}  // namespace ZOV
