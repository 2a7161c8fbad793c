// The graphics device the renderer draws through: a small stand-in for a
// fixed-function 3D device. Two backends sit behind it, chosen before the
// device is created: OpenGL 3.3 over the window's GL context, and a
// recording backend that makes no GL calls and keeps a log of every clear,
// draw and present, for tests without a display.
//
// What it offers:
// - a back buffer of exactly the size asked for (an off-screen framebuffer,
//   stretched over the window at Present), and render-target textures;
// - textures in a table of CPU-side ARGB pixels guarded by its own lock, so
//   any thread may create, lock, fill and release them; the GPU copies are
//   made and deleted on the drawing thread only. The GL backend copies small
//   textures (both sides up to 512) onto shared atlas pages, so draws of
//   different small textures in one state share a draw call; nothing about
//   a handle or a draw changes for the caller. A texture is taken off its
//   page for good the first time it is drawn with texture coordinates
//   outside 0..1 (wrapped addressing needs a texture of its own); render
//   targets never go onto a page;
// - the states of one texture stage (texture × diffuse or texture +
//   diffuse, alpha = texture × diffuse, no texture reading as opaque white),
//   three blend factors, point sprites with distance scaling, point, linear
//   and anisotropic filtering; no depth test and no culling. Addressing
//   follows the coordinates, axis by axis: where a draw's u (or v)
//   coordinates all lie in 0..1 it reads the texture clamped to its edges
//   on that axis (a quad drawn scaled never takes colour from the opposite
//   edge), where any leaves 0..1 it reads it wrapped (a repeated image);
// - indexed triangle lists, line lists and point lists of 24-byte and
//   16-byte vertices, batched by the backend while the state stays the same.
//
// Frame calls, draws and read-backs run on the thread that created the
// device. State setters keep their values CPU-side and may be called from
// any thread as long as the caller serialises them with drawing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gfx_image.h"
#include "platform/gfx_math.h"
#include "platform/sys.h"

namespace plat {
class Window;
}

namespace plat::gfx {

// A texture handle; 0 means none. Handles are never reused within a run, so
// a released handle stays refused.
using Tex = uint32_t;

struct Vertex {  // position, diffuse colour, texture coordinates: 24 bytes
  float x = 0, y = 0, z = 0;
  uint32_t argb = 0;
  float u = 0, v = 0;
};
struct PointVertex {  // position and diffuse colour: 16 bytes
  float x = 0, y = 0, z = 0;
  uint32_t argb = 0;
};
static_assert(sizeof(Vertex) == 24 && sizeof(PointVertex) == 16);

enum class Blend : uint8_t { Zero, One, SrcAlpha, InvSrcAlpha };
// The colour operation of the texture stage; its arguments are always the
// texture and the diffuse colour, and alpha is always their product.
enum class ColorOp : uint8_t { Modulate, Add };
enum class Filter : uint8_t { Point, Linear, Anisotropic };
enum class Coop { Ok, Lost, NotReset };
enum class Prim : uint8_t { Triangles, Lines, Points };
enum class Xf { World, View, Projection };
enum class Backend { GL, Recording };

struct Caps {
  float maxAnisotropy = 1.0f;
  bool minAniso = false, magAniso = false;
  bool multisample4 = false;  // four-sample antialiasing of the back buffer
};

// Everything that decides how a draw comes out.
struct State {
  Mat4 world = Identity(), view = Identity(), projection = Identity();
  Tex texture = 0;
  bool alphaBlend = false;
  Blend src = Blend::One, dst = Blend::Zero;
  ColorOp colorOp = ColorOp::Modulate;
  bool pointSprite = false, pointScale = false;
  float pointSize = 1.0f, pointSizeMin = 1.0f;
  float scaleA = 1.0f, scaleB = 0.0f, scaleC = 0.0f;
  Filter mag = Filter::Point, min = Filter::Point;
  float maxAnisotropy = 1.0f;
  bool multisampleAA = false;
  bool operator==(const State&) const = default;
};

// ---- device
// Which backend the next CreateDevice makes (GL unless a test says otherwise).
void SetBackendForTests(Backend b);
Backend CurrentBackend();

// Creates the device for the window; attempt 0..4 selects the context the GL
// backend asks for (3.3 core, the same again, 3.2 core, 3.1, 3.3 with any
// acceleration). backW/backH of 0 take the window's client size (the
// recording backend, which needs no window, falls back to the window's
// back-buffer size). 0 on success, -1 when this attempt failed.
int CreateDevice(Window& window, int attempt, int backW, int backH);
// Drops the device and its GPU objects; the texture table stays.
void DestroyDevice();
bool HasDevice();

Caps GetCaps();
bool CheckMultisample4();
IPt BackBufferSize();
// New back-buffer size; textures, render targets and states are kept.
// False (size unchanged, device left needing a reset) on failure.
bool Reset(int backW, int backH);
// Ok, Lost or NotReset. A successful Reset ends NotReset.
Coop TestCooperativeLevel();

// Test seams: a device that reports itself lost or needing a reset, and the
// next `count` calls of an operation failing.
void SimulateCoopForTests(Coop c);
enum class FailOp { BeginScene, Reset, CreateRenderTarget, CreateDevice };
void FailNextForTests(FailOp op, int count);
void SetRecordingCapsForTests(const Caps& caps);
// A function the recording backend calls inside every Present (null for
// none), for tests that check what holds while a frame is shown.
void SetRecordingPresentHookForTests(void (*hook)());
// Whether the next GL device puts small textures onto atlas pages (on
// unless a test or benchmark says otherwise), for comparisons.
void SetAtlasingForTests(bool on);
// Whether the GL device keeps render-target clears pending (on unless a
// test says otherwise), so a test can render the same frame both ways.
void SetPendingClearsForTests(bool on);

// Redrawing only what changed: the GL device keeps each target's draws from
// its clear in a list and redraws only the tiles whose draws differ from the
// list the target holds (on unless JIGSAW_FULL_REDRAW=1 is set, or a test or
// benchmark says otherwise); a frame that changes nothing shows nothing new.
void SetPartialRedraw(bool on);
bool PartialRedraw();
// Whether a quad the game asks to draw with anisotropic filtering is drawn
// linearly filtered where both read the same texels: at its texture's own
// size in quarter turns. Off unless JIGSAW_OWN_SIZE_LINEAR=1 is set or a
// benchmark says otherwise: Mesa's llvmpipe filters such a quad
// anisotropically with a wider footprint than linearly, so the pixels
// differ.
void SetOwnSizeLinear(bool on);
// Whether the next GL device under a software renderer copies only the
// changed part of the back buffer onto the window instead of swapping
// (GLX_MESA_copy_sub_buffer; the GL offers no buffer age there). On unless
// JIGSAW_WINDOW_COPY=0 is set or a test says otherwise.
void SetWindowCopy(bool on);
// The side in pixels of the tiles the GL device compares and redraws: 16
// (the default; fewer pixels redrawn around a moving piece) or 32 (what it
// was before, kept for benchmarks beside it). A change takes effect at the
// next list of each target, which then draws in full.
void SetRedrawTile(int side);
// Test seam (also JIGSAW_REDRAW_CHECK=1): every list is drawn once more in
// full into a copy of its target, and every pixel of the two is compared.
void SetRedrawCheckForTests(bool on);
struct RedrawStats {
  uint64_t lists = 0;      // lists from a clear
  uint64_t partial = 0;    // of them, drawn in part only
  uint64_t untouched = 0;  // of them, not drawn at all (nothing changed)
  uint64_t pixels = 0, pixelsDrawn = 0;  // the targets' pixels, and the part redrawn
  uint64_t checked = 0, mismatched = 0;  // lists compared, and those that differed
  uint64_t presentsSkipped = 0;          // presents of a back buffer that had not changed
  uint64_t linearAtOwnSize = 0;          // anisotropic draws made linearly filtered
};
// Of the current device (all zero for the recording backend).
RedrawStats GetRedrawStats();

// ---- textures (any thread)
Tex CreateTexture(int w, int h);  // lockable, zero-filled
Tex CreateTextureFromImage(const Image& img);
// The same, taking the image's pixels over instead of copying them (img is
// left empty when the texture was made).
Tex CreateTextureFromImage(Image&& img);
// A render target: not lockable; starts zero-filled.
Tex CreateRenderTarget(int w, int h);
// New size for a render target; the handle stays, the content is lost.
bool ResizeRenderTarget(Tex t, int w, int h);
bool TextureSize(Tex t, int* w, int* h);  // false for unknown handles
bool IsRenderTarget(Tex t);
// Pixels of a lockable texture, pitch = width; null for render targets,
// unknown handles and a texture already locked.
uint32_t* Lock(Tex t);
// Ends a lock; the new pixels reach the GPU before the texture next draws.
bool Unlock(Tex t);
// False for unknown or already released handles. The GPU copy is deleted on
// the drawing thread at its next scene.
bool Release(Tex t);
size_t LiveTextures();

// ---- frame (the device's thread)
// 0 selects the back buffer. The viewport becomes the whole target.
bool SetRenderTarget(Tex rtOrZero);
Tex RenderTarget();
void Clear(uint32_t argb);
bool BeginScene();  // false outside a device, when lost, or already in a scene
bool EndScene();
bool InScene();
void Present();
// Submits pending draws and waits until the GPU has finished them.
void Finish();
// True, with the colour, when nothing has been drawn into the render target
// since it was last cleared, so it holds that colour alone. The GL device
// keeps such a clear pending and makes it only when the target is drawn
// into, drawn from or read; the recording device always answers false.
bool OnlyCleared(Tex renderTarget, uint32_t* argb);
// Reads the back buffer (0), a render target or a plain texture into out,
// top row first. The back buffer reads with alpha 255.
bool ReadPixels(Tex rtOrZero, Image& out);

// ---- state
void SetTransform(Xf which, const Mat4& m);
const Mat4& GetTransform(Xf which);
void SetTexture(Tex t);
void SetAlphaBlend(bool on);
void SetBlendFunc(Blend src, Blend dst);
void SetColorOp(ColorOp op);
void SetPointSprite(bool on);
void SetPointScale(bool on, float a, float b, float c);
void SetPointSize(float size);
void SetPointSizeMin(float size);
void SetFilter(Filter mag, Filter min);
void SetMaxAnisotropy(float v);
void SetMultisampleAA(bool on);
const State& CurrentState();

// ---- draws (inside a scene; dropped and false outside one)
bool DrawTriangles(const Vertex* v, int nv, const uint16_t* idx, int ntri);
bool DrawLines(const Vertex* v, int nlines);  // 2 × nlines vertices
bool DrawPoints(const PointVertex* v, int n);

// Counters of the current device: draw calls sent (after batching; the
// recording backend counts every draw), texture uploads (a texture copied
// onto its atlas page counts as one) and atlas pages alive now.
struct Stats {
  uint64_t batches = 0, uploads = 0;
  size_t atlasPages = 0;
};
Stats GetStats();

// ---- the recording backend's log
struct Record {
  enum Kind { Clear, Draw, Present } kind = Draw;
  Tex target = 0;
  uint32_t clearColor = 0;  // Clear
  Prim prim = Prim::Triangles;
  std::vector<Vertex> vertices;   // Draw (points carry u = v = 0)
  std::vector<uint16_t> indices;  // Draw, triangles only
  State state;                    // Draw
};
const std::vector<Record>& Recorded();
void ClearRecorded();
// Number of draw records.
size_t RecordedDraws();

}  // namespace plat::gfx
