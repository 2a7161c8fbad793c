#include "ST/input.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <iterator>
#include <string>

#include "platform/sys.h"

namespace ZOV {
namespace {

constexpr int kShift = 16;
constexpr int kCapital = 20;

void PressButton(int& counter) { counter += 1; }
void ReleaseButton(int& counter) {
  if (counter > 0) counter = -1;
}
void AgeButton(int& counter) {
  if (counter > 127) counter = 2;
  if (counter != 0) counter += 1;
}

// Keys that never raise a char event, whatever they type.
bool IsNonCharKey(int vk) {
  switch (vk) {
    case 8: case 13: case 17: case 35: case 36: case 37: case 38:
    case 39: case 40: case 45: case 46: case 107:
      return true;
    default:
      return false;
  }
}

}  // namespace

ST_INPUT::ST_INPUT() = default;

int& ST_INPUT::Counter(int button) { return button == 0 ? left_ : button == 1 ? right_ : middle_; }

bool ST_INPUT::MustWait(const MouseEvent& e) const {
  switch (e.kind) {
    case MouseEvent::kMove:
      // A click of this frame, or the release of one shown now, is seen
      // where it was made.
      return holdPointer_ || buttonReleaseAtUpdate_[0] || buttonReleaseAtUpdate_[1] || buttonReleaseAtUpdate_[2];
    case MouseEvent::kDown: {
      // The frame has this button's press and release already, or shows
      // its release: the new press takes a later frame.
      const int counter = e.button == 0 ? left_ : e.button == 1 ? right_ : middle_;
      return counter == -1 || buttonReleaseAtUpdate_[e.button];
    }
    default:
      return false;
  }
}

void ST_INPUT::Take(const MouseEvent& e) {
  if (mouseWaiting_.empty() && !MustWait(e)) {
    Apply(e);
    return;
  }
  if (e.kind == MouseEvent::kMove && !mouseWaiting_.empty() && mouseWaiting_.back().kind == MouseEvent::kMove) {
    // Moves between two button events: only the last place matters.
    mouseWaiting_.back() = e;
    return;
  }
  if (e.kind == MouseEvent::kDblClick && !mouseWaiting_.empty() && mouseWaiting_.back().kind == MouseEvent::kDown) {
    mouseWaiting_.push_back(e);  // it goes with the press that waits
    return;
  }
  // Past the limit presses are dropped; a release is always kept, so no
  // button stays down.
  if (mouseWaiting_.size() >= kMaxMouseWaiting && e.kind == MouseEvent::kDown) return;
  mouseWaiting_.push_back(e);
}

void ST_INPUT::Apply(const MouseEvent& e) {
  switch (e.kind) {
    case MouseEvent::kMove:
      mouse_.prev = mouse_.pos;
      mouse_.pos = JST::iPOINT(e.x, e.y);
      mouse_.offset = JST::iPOINT(mouse_.pos.x - mouse_.prev.x, mouse_.pos.y - mouse_.prev.y);
      break;
    case MouseEvent::kDown:
      PressButton(Counter(e.button));
      break;
    case MouseEvent::kUp:
      if (Counter(e.button) == 1) {
        // Released before any update saw it down: the press counts this
        // frame, the release in the next.
        buttonReleaseAtUpdate_[e.button] = true;
      } else {
        ReleaseButton(Counter(e.button));
      }
      break;
    case MouseEvent::kDblClick:
      dblClick_ = true;
      break;
  }
  mouseEvent_ = true;
}

void ST_INPUT::EventMouseMove(int x, int y) { Take({MouseEvent::kMove, 0, x, y}); }

void ST_INPUT::EventMouseLkm(bool pressed) { Take({pressed ? MouseEvent::kDown : MouseEvent::kUp, 0, 0, 0}); }

void ST_INPUT::EventMouseRkm(bool pressed) { Take({pressed ? MouseEvent::kDown : MouseEvent::kUp, 1, 0, 0}); }

void ST_INPUT::EventMouseMkm(bool pressed) { Take({pressed ? MouseEvent::kDown : MouseEvent::kUp, 2, 0, 0}); }

void ST_INPUT::EventMouseIn() { mouseEvent_ = true; }

void ST_INPUT::EventMouseDblClick() { Take({MouseEvent::kDblClick, 0, 0, 0}); }

void ST_INPUT::EventKeyDown(int vk) {
  if (vk < 0 || vk > 255) return;
  plat::PrintLine(std::to_string(vk));
  if (vk == kShift) {
    // While Shift is held the caps-lock entry reads as toggled, so the key
    // table handed to the text translation gives capital letters.
    if (keys_[kCapital] == 1) {
      keys_[kShift] = static_cast<unsigned char>(keys_[kShift] + 1);
    } else {
      keys_[kCapital] = 1;
      keys_[kShift] = 1;
    }
    return;
  }
  std::wstring text(typed_, wcsnlen(typed_, kTypedCapacity));
  if (!waiting_.empty() || (charEvent_ && Types(vk, text))) {
    // The frame has its character already: this key waits for a later
    // frame (behind any already waiting), and the frame's own text stays
    // where text boxes read it. A key held down while frames stall repeats
    // faster than frames take it: past the limit, presses are dropped.
    if (waiting_.size() < kMaxWaiting) waiting_.push_back({vk, std::move(text), true});
    ShowText(eventText_);
    return;
  }
  ApplyKeyDown(vk, text);
}

bool ST_INPUT::Types(int vk, const std::wstring& text) { return !IsNonCharKey(vk) && !text.empty(); }

void ST_INPUT::ApplyKeyDown(int vk, const std::wstring& text) {
  if (releaseAtUpdate_[vk]) {
    // Down, up and down again before an update: still one press this frame.
    releaseAtUpdate_[vk] = false;
  } else if (keys_[vk] == 0xFF) {
    // Pressed again in the frame its release shows: a new press, not a
    // counter wrapped round to "up".
    keys_[vk] = 1;
  } else if (keys_[vk] != 1) {
    // A key held past the auto-repeat delay sends more key-downs; one that
    // comes before the next update leaves the key at 1, so the frame still
    // sees it go down.
    keys_[vk] = static_cast<unsigned char>(keys_[vk] + 1);
  }
  lastKey_ = vk;
  lastKeyByte_ = static_cast<unsigned char>(vk);
  if (charEvent_) {
    // A key that types nothing keeps the frame's character event.
    ShowText(eventText_);
    return;
  }
  charEvent_ = Types(vk, text);
  if (charEvent_) eventText_ = text;
}

void ST_INPUT::ShowText(const std::wstring& text) {
  std::fill(typed_, typed_ + kTypedCapacity, L'\0');
  text.copy(typed_, kTypedCapacity - 1);
}

void ST_INPUT::EventKeyUp(int vk) {
  if (vk < 0 || vk > 255) return;
  if (vk == kShift) {
    keys_[kCapital] = 0;
    plat::PrintLine("shift unlock");
  }
  if (vk != kShift && !waiting_.empty()) {
    waiting_.push_back({vk, {}, false});
    return;
  }
  ApplyKeyUp(vk);
}

void ST_INPUT::ApplyKeyUp(int vk) {
  if (keys_[vk] == 1 && vk != kShift) {
    // Released before any update saw it down: the press counts this frame.
    releaseAtUpdate_[vk] = true;
    return;
  }
  if (keys_[vk] != 0) keys_[vk] = 0xFF;
}

unsigned char ST_INPUT::Key(int vk) const {
  if (vk < 0 || vk > 255) return 0;
  return keys_[vk];
}

void ST_INPUT::GetMousePos(int* x, int* y) const {
  if (x) *x = mouse_.pos.x;
  if (y) *y = mouse_.pos.y;
}

void ST_INPUT::GetMousePos(float* x, float* y) const {
  if (x) *x = float(mouse_.pos.x);
  if (y) *y = float(mouse_.pos.y);
}

void ST_INPUT::GetMouseOffset(int* x, int* y) const {
  if (x) *x = mouse_.offset.x;
  if (y) *y = mouse_.offset.y;
}

bool ST_INPUT::IsMouseInFrame(int x, int y, int w, int h) const {
  const int mx = mouse_.pos.x, my = mouse_.pos.y;
  return x < mx && mx < x + w && y < my && my < y + h;
}

bool ST_INPUT::IsMouseNear(float x, float y, float r) const {
  if (lock_) return false;
  const float dx = x - float(mouse_.pos.x), dy = y - float(mouse_.pos.y);
  return r > std::sqrt(dx * dx + dy * dy);
}

void ST_INPUT::DropMouse() {
  left_ = right_ = middle_ = 0;
  std::fill(std::begin(buttonReleaseAtUpdate_), std::end(buttonReleaseAtUpdate_), false);
  holdPointer_ = false;
  // Clicks still waiting are forgotten too; the pointer goes where it is.
  for (const MouseEvent& e : mouseWaiting_)
    if (e.kind == MouseEvent::kMove) Apply(e);
  mouseWaiting_.clear();
}

int ST_INPUT::Update(int) {
  lock_ = false;
  AgeButton(left_);
  AgeButton(middle_);
  AgeButton(right_);
  holdPointer_ = false;
  for (int b = 0; b < 3; ++b) {
    if (!buttonReleaseAtUpdate_[b]) continue;
    Counter(b) = -1;
    buttonReleaseAtUpdate_[b] = false;
    holdPointer_ = true;
  }
  for (int i = 0; i < 256; ++i) {
    if (i == kCapital || keys_[i] == 0) continue;
    const int next = keys_[i] + 1;
    keys_[i] = static_cast<unsigned char>((next & 0xFF) >= 128 ? 2 : next & 0xFF);
  }
  for (int i = 0; i < 256; ++i)
    if (releaseAtUpdate_[i]) keys_[i] = 0xFF;
  releaseAtUpdate_.reset();
  lastKey_ = 0;
  lastKeyByte_ = 0;
  charEvent_ = false;
  eventText_.clear();
  // Keys that waited behind an earlier character: in order, up to and with
  // the next key that types, which is the coming frame's character event.
  while (!waiting_.empty() && !charEvent_) {
    const KeyEvent e = waiting_.front();
    waiting_.pop_front();
    if (e.down) {
      ShowText(e.text);
      ApplyKeyDown(e.vk, e.text);
    } else {
      ApplyKeyUp(e.vk);
    }
  }
  dblClick_ = false;
  mouse_.offset = JST::iPOINT(0, 0);
  // Mouse events that waited: in order, until one must wait again.
  while (!mouseWaiting_.empty() && !MustWait(mouseWaiting_.front())) {
    Apply(mouseWaiting_.front());
    mouseWaiting_.pop_front();
  }
  return 1;
}

}  // namespace ZOV
