// ZOV::JANIMATION: a sprite that plays a frame animation whose frames lie in
// a grid in one image, counted row by row from the top-left cell. The quad
// is one frame; Update advances at the given frames per second.
#pragma once

#include "ST/sprite.h"

namespace ZOV {

class JANIMATION : public JSPRITE {
 public:
  // The image holds rows x columns cells of which the first `frames` are
  // played; zero or negative counts are taken as 1. Starts playing at frame
  // 1 with the hot spot at the frame's centre.
  JANIMATION(const char* file, int rows, int columns, int frames, float fps);

  // While playing: gathers fps x the game object's frame time and, once that
  // exceeds one frame, steps to the next frame (at most one per call; the
  // time beyond the boundary is dropped). Returns 0.
  int Update(int, float) override;
  // Shows frame n, wrapping past the frame count (n <= 0 changes nothing),
  // and restarts the gathered time.
  void SetFrame(int n);

  int imageW = 0, imageH = 0;
  int columns = 1, rows = 1;
  int frames = 1;
  int current = 1;  // 1-based
  float fps = 0.0f;
  float acc = 0.0f;  // frames' worth of time gathered since the last step
  bool playing = true;
};

}  // namespace ZOV
