// The renderer: one instance lives inside the game object for the whole run.
// It owns the graphics device, the off-screen screen texture the main pass
// draws into, the two-pass frame (main pass into the screen texture, overlay
// pass on the back buffer with the screen texture copied under it, present),
// device resets and video-mode changes, texture filtering, the display-mode
// list, and the views that turn logical-screen pixels into device transforms
// (the default view, world scale, position and rotation, layers, and the
// letterbox that scales the logical screen into the back buffer).
#pragma once

#include <vector>

#include "ST/object.h"
#include "platform/gfx.h"

namespace plat {
class Window;
}

namespace ZOV {

class JINGFX {
 public:
  // A particle vertex: position and ARGB colour (16 bytes).
  struct JCUSTOMPARTIC {
    float x = 0, y = 0, z = 0;
    unsigned long color = 0;
  };
  // One staging vertex: position, ARGB diffuse colour, texture coordinates.
  using Vertex = plat::gfx::Vertex;

  // What the device is created with.
  struct PresentParams {
    bool windowed = true;
    int backW = 0, backH = 0;  // 0: the window's client size
    bool fullFormat = false;   // X8R8G8B8 requested (full screen)
    int multiSample = 0;       // 0 none, 4 four samples
    bool vsync = true;
  };

  JINGFX();
  ~JINGFX();
  JINGFX(const JINGFX&) = delete;
  JINGFX& operator=(const JINGFX&) = delete;

  // ---- device and frame
  // 0 on success, -2 when no device, no caps or no screen texture could be had.
  int Init(plat::Window& window);
  int BeginFrame();
  int EndFrame();
  int BeginPostFrame();
  int EndPostFrame();
  // Rebuilds after a device reset; 0 on success, -1 when the reset failed
  // (the device keeps asking for one and the next frame tries again).
  int ResetDevice();
  // 0 on success (or nothing to do), -1 when the new size could not be had:
  // the old size stays and the next frame retries the reset.
  int ChangeVideoMode(int w, int h, bool full);
  void SetQuality(int q);
  void SetAnisotropic(bool on);
  void fGetAvailableResolution(std::vector<JST::iPOINT>& list);
  int GetBackWidth() const;
  int GetBackHeight() const;
  void SetBackBuffer(int w, int h);
  int GetTextureW(unsigned long tex) const;
  int GetTextureH(unsigned long tex) const;
  JST::iPOINT GetTextureWH(unsigned long tex) const;
  // -1 for the default texture, the screen texture and unknown handles.
  int TextureFree(unsigned long tex);
  unsigned long GetScreen() const { return screenTexture; }
  void SetClearColor(unsigned long argb) { clearColor = argb; }

  // ---- views, transforms, layers, letterbox
  void SetDefaultView();
  void Set2DView();
  void SetView(float, float, float, float) {}
  void SetWorldRotation(float angle, float cx, float cy, bool keep);
  void SetWorldScale(float sx, float sy, bool keep);
  void SetWorldPosition(float x, float y, float z);
  static float ConvertLayer(int layer);
  static unsigned long FlToDw(float f);
  void SetAdaptScreen(int w, int h);

  // ---- drawing the staging vertices
  // Selects a blend mode 0..5; 1 when it is already current (nothing set),
  // else 0 (other values set nothing).
  int SetBlendMode(int mode);
  int GetBlendMode() const { return blendMode; }
  // Draws the staging vertices with the current texture and states: two
  // triangles when quad is 1, else the first triangle.
  void RenderBuffer(int quad);

  // ---- fields (read by the game object, the window procedure and sprites)
  plat::Window* window = nullptr;
  bool deviceReady = false;
  plat::gfx::Caps caps;
  PresentParams present;
  Vertex staging[4];
  static constexpr uint16_t kQuadIndices[6] = {0, 2, 1, 0, 3, 2};
  unsigned long lastTexture = 0;
  plat::Mat4 world = plat::Identity(), view = plat::Identity(), projection = plat::Identity();
  plat::Vec3 eye, at, up;
  unsigned long screenTexture = 0;
  int attemptUsed = -1;  // which creation attempt gave the device
  int blendMode = 8;     // 8: no mode applied yet
  int framePhase = 0;    // 0 idle, 1 main pass, 2 main pass ended, 3 overlay pass
  unsigned long clearColor = 0;
  JST::iPOINT lastTextureSize{0, 0};
  unsigned long defaultTexture = 0;
  int logicalW = 0, logicalH = 0;
  int adaptOffsetX = 0, adaptOffsetY = 0;
  float adaptScaleX = 1.0f, adaptScaleY = 1.0f;
  int scaledW = 0, scaledH = 0;
  int modeW = 0, modeH = 0;
  bool modeFull = false;

 private:
  int BackW() const { return present.backW; }
  int BackH() const { return present.backH; }
  void ApplyWorld();
  bool ownsDevice_ = false;
};

}  // namespace ZOV
