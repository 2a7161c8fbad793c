#include "ST/caret.h"

#include "ST/input.h"

namespace ZOV {

bool AdvanceCaretBlink(float& blink, float dt) {
  blink += dt;
  if (blink < 0.5f) return true;
  if (blink >= 1.0f) blink = 0.0f;
  return false;
}

int CaretPositionAtMouse(const ST_INPUT& in, float x, float y, int w, int h, int margin, int cell, int count,
                         int current) {
  const int fx = int(x), fy = int(y);
  int position = current;
  for (int i = 0; i < count; ++i)
    if (in.IsMouseInFrame(int(x + float(margin + cell * i)), fy, cell, h)) position = i + 1;
  if (in.IsMouseInFrame(fx, fy, margin + cell / 2, h)) position = 0;
  const int end = int(x + float(margin + count * cell));
  if (in.IsMouseInFrame(end, fy, fx + w - end, h)) position = count;
  return position;
}

}  // namespace ZOV
