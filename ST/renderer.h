// The renderer: one instance lives inside the game object for the whole run.
// It owns the graphics device, the off-screen screen texture the main pass
// draws into, the two-pass frame (main pass into the screen texture, overlay
// pass on the back buffer with the screen texture copied under it, present),
// device resets and video-mode changes, texture filtering, the display-mode
// list, and the views that turn logical-screen pixels into device transforms
// (the default view, world scale, position and rotation, layers, and the
// letterbox that scales the logical screen into the back buffer), the
// textures loaded from files or packs, created and locked, and the drawing
// calls: placed and unplaced quads and triangles, points, lines, boxes and
// particle point lists, under six blend modes.
//
// Texture calls may come from any thread (the loader thread loads while the
// main thread draws); each takes the process lock `cs` itself, and a caller
// that reads the last texture size after a load holds `cs` around both.
// Drawing runs on the main thread only.
#pragma once

#include <cstdint>
#include <vector>

#include "ST/draw_types.h"
#include "ST/object.h"
#include "ST/particle_types.h"
#include "platform/gfx.h"

namespace plat {
class Window;
}

namespace ZOV {

class JINGFX {
 public:
  // A particle vertex: position and ARGB colour (16 bytes).
  using JCUSTOMPARTIC = plat::gfx::PointVertex;
  // Particles go to the device in batches of at most this many points.
  static constexpr int kPointBatch = 500;
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
  // Ends the overlay pass and shows the frame: FinishPostFrame then
  // PresentFrame. The two halves apart let a caller that draws under a
  // lock release it before the buffer swap, which may wait for the display
  // (PresentFrame touches only the device, on the drawing thread).
  int EndPostFrame();
  int FinishPostFrame();
  int PresentFrame();
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

  // ---- textures (any thread)
  // Every texture holds 32-bit ARGB pixels (bytes B, G, R, A) at the image's
  // own size. A load that fails returns the default 8x8 white texture (0
  // only before the renderer has made it) and leaves the last texture size
  // as it was; success records the image size as the last texture size.
  unsigned long TextureLoad(const char* file);
  // The entry of a pack read with the password.
  unsigned long TextureLoadZip(const char* pack, const char* entry, const char* password);
  // The file with its background keyed out: alpha 0 wherever blue, green and
  // red are each below the top-left pixel's value + 10.
  unsigned long TextureLoadJA(const char* file);
  // Loads nothing: always the default texture.
  unsigned long TextureLoadJA(const char* file, const char* mask);
  // A new zero-filled w x h texture for pixel writing; 0 on failure.
  unsigned long TextureCreate(int w, int h);
  // A new w x h texture holding the pixels given, taken over without a
  // copy (pixels is left empty when the texture was made); as TextureCreate
  // followed by a lock, a fill and an unlock. 0 on failure.
  unsigned long TextureCreateFrom(int w, int h, std::vector<uint32_t>&& pixels);
  // Records the texture's size (-1, -1 for unknown handles) as the last
  // texture size and returns its pixels, pixel (x, y) at y * width + x; null
  // for unknown handles, the screen texture and a texture already locked.
  uint32_t* TextureLock(unsigned long tex);
  // 0, or -1 when the texture was not locked. The new pixels are drawn from
  // the next draw on.
  int TextureUnlock(unsigned long tex);
  // Writes the last presented frame as "screenshot.bmp" in the current
  // folder (main thread); 0 on success, negative on failure.
  long GetScreenShot();

  // ---- drawing (main thread)
  // The quad placed with its hot spot (hx, hy) on (x, y), scaled by (sx, sy)
  // (sy 0 means sy = sx) and turned clockwise by angle about the hot spot;
  // z = layer / 100.
  void RenderZOV4(const ZOV4* q, float x, float y, float sx, float sy, float angle, int hx, int hy);
  // The quad's vertices as they stand, z = -layer / 100.
  void RenderZOV4(const ZOV4* q);
  void RenderZOV3(const ZOV3* t, float x, float y, float sx, float sy, float angle, int hx, int hy);
  void RenderZOV3(const ZOV3* t);
  // An untextured size x size square with its top-left corner at (x, y),
  // alpha blended.
  void RenderPoint(float x, float y, uint32_t color, float size);
  // An untextured line in the current blend mode.
  void RenderLine(float x1, float y1, float x2, float y2, uint32_t color);
  // A filled rectangle in the current blend mode, then its four sides.
  void RenderBox(float x1, float y1, float x2, float y2, uint32_t lineColor, uint32_t fillColor);
  // Every live particle of the list as one point sprite.
  void RenderJPARTIC(const JINPARTICSYS* s);
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
  // Screen-texture mapping: the texture coordinate of the screen texture
  // (GetScreen) at which the logical-screen point (x, y) was drawn by the
  // main pass. That pass draws through the letterbox, so the point lands on
  // back-buffer pixel (adaptOffset + x x adaptScale) in each direction, and
  // the default view spreads W + 1 units over the W pixels of the back
  // buffer: u = (adaptOffsetX + x x adaptScaleX) / (W + 1), v likewise.
  // The magnifier turns the corners of the area it enlarges into texel
  // coordinates with it.
  JST::fPOINT ScreenTexel(float x, float y) const;

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
  JCUSTOMPARTIC points[kPointBatch];
  unsigned long lastTexture = 0;
  plat::Mat4 world = plat::Identity(), view = plat::Identity(), projection = plat::Identity();
  plat::Vec3 eye, at, up;
  unsigned long screenTexture = 0;
  int attemptUsed = -1;  // which creation attempt gave the device
  int blendMode = 8;     // 8: no mode applied yet
  int framePhase = 0;    // 0 idle, 1 main pass, 2 main pass ended, 3 overlay pass, 4 drawn, not shown
  unsigned long clearColor = 0;
  JST::iPOINT lastTextureSize{0, 0};
  unsigned long defaultTexture = 0;
  int logicalW = 0, logicalH = 0;
  // The letterbox (SetAdaptScreen), also the screen-texture mapping
  // (ScreenTexel): offsets in back-buffer pixels, scales of the logical
  // screen.
  int adaptOffsetX = 0, adaptOffsetY = 0;
  float adaptScaleX = 1.0f, adaptScaleY = 1.0f;
  int scaledW = 0, scaledH = 0;
  int modeW = 0, modeH = 0;
  bool modeFull = false;

 private:
  int BackW() const { return present.backW; }
  int BackH() const { return present.backH; }
  void ApplyWorld();
  // Device handles are 32-bit: a wider value names no texture (and must not
  // be cut down to one that does).
  static bool HandleInRange(unsigned long tex) { return tex != 0 && tex <= 0xFFFFFFFFul; }
  // The device handle a draw binds: 0 (no texture) for 0 and out-of-range
  // values.
  static plat::gfx::Tex DrawHandle(unsigned long tex) { return HandleInRange(tex) ? plat::gfx::Tex(tex) : 0; }
  // The default texture after a failed load, or 0 with a message box when
  // there is none yet.
  unsigned long LoadFailed();
  // The image as a new texture, recorded as the last texture; 0 on failure.
  unsigned long MakeTexture(const plat::Image& img);
  // Fills the first n staging vertices from the record's corners, placed or
  // as they stand, then draws them with the record's texture and blend mode.
  template <int N>
  void DrawRecord(const ZOVVERTEX (&v)[N], unsigned long tex, int blend, int layer, uint32_t color, bool placed,
                  float x, float y, float sx, float sy, float angle, int hx, int hy);
  bool ownsDevice_ = false;
};

}  // namespace ZOV
