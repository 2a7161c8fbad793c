#include "ST/animation.h"

#include "ST/game.h"

namespace ZOV {

JANIMATION::JANIMATION(const char* file, int rows_, int columns_, int frames_, float fps_) : JSPRITE(file, 0) {
  // The sprite has just read the image's size from the same load.
  imageW = imageSize.x;
  imageH = imageSize.y;
  columns = columns_ > 0 ? columns_ : 1;
  rows = rows_ > 0 ? rows_ : 1;
  frames = frames_ > 0 ? frames_ : 1;
  fps = fps_;
  playing = true;
  current = 1;
  acc = 0.0f;
  SetSizePix(int(float(imageW) / float(columns)), int(float(imageH) / float(rows)));
  CalculateHotSpot(JENUM::HOT_CENTER);
  SetFrame(1);
}

void JANIMATION::SetFrame(int n) {
  if (n <= 0) return;
  acc = 0.0f;
  current = n % frames;
  if (current == 0) current = frames;
  // The 1-based row is the ceiling of current / columns, in integers so it
  // holds for any number of columns.
  const int row = (current + columns - 1) / columns;
  const int column = current - (row - 1) * columns;
  const float du = imageW > 0 ? (float(imageW) / float(columns)) / float(imageW) : 1.0f / float(columns);
  const float dv = imageH > 0 ? (float(imageH) / float(rows)) / float(imageH) : 1.0f / float(rows);
  const float left = float(column - 1) * du, top = float(row - 1) * dv;
  SetTexelCoord(left, top, left + du, top + dv);
}

int JANIMATION::Update(int, float) {
  if (!playing) return 0;
  acc += fps * GetGame()->GetDt();
  if (acc > 1.0f) SetFrame(current + 1);
  return 0;
}

}  // namespace ZOV
