// Inside the graphics device: the interface each backend implements (one
// backend per file), and the texture table they share. Only platform/gfx*
// files include this header.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/gfx.h"

namespace plat::gfx::detail {

class Device {
 public:
  virtual ~Device() = default;
  // 0 on success, -1 when this attempt failed.
  virtual int Create(Window& window, int attempt, int backW, int backH) = 0;
  virtual IPt BackSize() const = 0;
  virtual bool Resize(int w, int h) = 0;
  virtual Caps GetCaps() const = 0;
  virtual void BeginScene() = 0;
  virtual void EndScene() = 0;
  // target 0 = back buffer; w × h is the target's size.
  virtual void SetTarget(Tex target, int w, int h) = 0;
  virtual void Clear(uint32_t argb) = 0;
  // Vertices and, for triangles, 16-bit indices into them.
  virtual void Draw(const State& s, Prim prim, const Vertex* v, int nv, const uint16_t* idx, int ni) = 0;
  virtual void Present() = 0;
  virtual void Finish() = 0;
  // Reads the back buffer (0) or a render target, top row first.
  virtual bool ReadTarget(Tex target, Image& out) = 0;
  // Draw calls sent to the GPU (batches) and texture uploads so far.
  virtual uint64_t Batches() const = 0;
  virtual uint64_t Uploads() const = 0;
  // Atlas pages alive now.
  virtual size_t AtlasPages() const { return 0; }
  virtual RedrawStats Redraws() const { return {}; }
  // See plat::gfx::OnlyCleared.
  virtual bool OnlyCleared(Tex, uint32_t*) const { return false; }
};

std::unique_ptr<Device> MakeGlDevice();
std::unique_ptr<Device> MakeRecordingDevice();
// Whether a GL device made now puts small textures onto atlas pages.
bool AtlasingEnabled();
// Whether a GL device keeps render-target clears pending.
bool PendingClearsEnabled();
// Whether the GL device redraws only what changed, and checks it.
bool PartialRedrawEnabled();
bool RedrawCheckEnabled();
bool OwnSizeLinearEnabled();
bool WindowCopyEnabled();
// The side of the GL device's redraw tiles, in pixels (16 or 32).
int RedrawTileSide();

// ---- the texture table, guarded by its own lock
struct TexInfo {
  int w = 0, h = 0;
  bool renderTarget = false;
  bool locked = false;
  uint64_t version = 0;  // changes whenever the pixels or the size change
};

// Size, kind and version; false for unknown handles.
bool Describe(Tex t, TexInfo& out);
// Calls fn with the pixels under the table's lock when the texture is known,
// lockable and not locked right now. False otherwise.
bool WithPixels(Tex t, const std::function<void(const TexInfo&, const uint32_t*)>& fn);
// Handles released since the last call, for the drawing thread to delete.
std::vector<Tex> TakeReleased();

}  // namespace plat::gfx::detail
