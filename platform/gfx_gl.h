// The OpenGL device (see the top of gfx_gl.cpp). Its functions live in
// three files: gfx_gl.cpp (the context, textures and atlas pages, batches
// and draw calls, clears and read-backs), gfx_gl_redraw.cpp (the lists of
// draws and redrawing only what changed) and, through GlPresenter,
// gfx_gl_present.cpp (putting the back buffer onto the window). Only
// platform/gfx_gl*.cpp include this header.
#pragma once

#include <SDL.h>
#include <epoxy/gl.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/gfx_device.h"
#include "platform/gfx_gl_objects.h"
#include "platform/gfx_gl_present.h"
#include "platform/gfx_gl_redraw.h"

namespace plat::gfx::detail {

class GlDevice : public Device {
 public:
  ~GlDevice() override;

  int Create(Window& window, int attempt, int backW, int backH) override;
  IPt BackSize() const override { return back_; }
  bool Resize(int w, int h) override;
  Caps GetCaps() const override { return caps_; }
  uint64_t Batches() const override { return batches_; }
  uint64_t Uploads() const override { return uploads_; }
  RedrawStats Redraws() const override { return redraw_; }
  size_t AtlasPages() const override { return pages_.size(); }
  void BeginScene() override;
  void EndScene() override;
  void SetTarget(Tex target, int w, int h) override;
  void Clear(uint32_t argb) override;
  bool OnlyCleared(Tex t, uint32_t* argb) const override {
    if (t == 0 || t != pendingClear_) return false;
    if (argb) *argb = pendingArgb_;
    return true;
  }
  void Draw(const State& s, Prim prim, const Vertex* v, int nv, const uint16_t* idx, int ni) override;
  void Present() override;
  void Finish() override;
  bool ReadTarget(Tex target, Image& out) override;

 private:
  // ---- the context, textures, batches (gfx_gl.cpp)
  bool Setup();
  void SettleClear(Tex t);
  void ClearBound(uint32_t argb);
  void Gather(Prim prim, const State& s, GLuint glTex, Sampler* sampler, const UvRect& rect, bool onPage,
              const Vertex* v, int nv, const uint16_t* idx, int ni);
  void Flush();
  void DeleteGl(GlTex& t);
  UvRect RectOf(const GlTex& g) const;
  bool PlaceOnPage(GlTex& g, int w, int h);
  void LeavePage(GlTex& g, bool now);
  bool UploadToPage(Tex t, GlTex& g);
  void BindTarget();
  GlTex* Ensure(Tex t, bool repeats = false);
  void ApplyFilter(Sampler& g, const State& s, int wrap);
  // Uniform setters that skip values the GPU already has.
  static void SendI(GLint loc, int& sent, int v) {
    if (sent != v) glUniform1i(loc, sent = v);
  }
  static void SendF(GLint loc, float& sent, float v) {
    if (sent != v) glUniform1f(loc, sent = v);
  }

  // ---- redrawing what changed (gfx_gl_redraw.cpp, see gfx_redraw.h)
  void DrawResolved(const State& s, Prim prim, const Vertex* v, int nv, const uint16_t* idx, int ni, GlTex* gt,
                    bool partial);
  bool Partial();
  void Open(bool fromClear, uint32_t argb);
  bool WouldUpdate(Tex t);
  uint64_t Generation(Tex t) const;
  PixRect ChangedSince(Tex t, uint64_t since, int w, int h);
  void Changed(Tex t, const PixRect& box);
  void Resolve();
  void Replay(const PixRect& r, bool clear, bool scissor);
  void Check();
  void DropShadow(Tex t);

  RedrawList seg_;
  std::unordered_map<Tex, HeldTarget> held_;
  std::unordered_map<Tex, CheckCopy> shadows_;
  bool partialWas_ = false;
  GlPresenter presenter_;
  uint64_t backGeneration_ = 1;
  RedrawStats redraw_;

  // ---- GL state
  struct Sent {
    bool valid = false;
    Mat4 wv, p;
    int blend = -1, hasTex = -1, add = -1, sprite = -1, pointScale = -1;
    Blend src = Blend::Zero, dst = Blend::Zero;
    float pointSize = -1, pointMin = -1, a = -1, b = -1, c = -1, viewH = -1;
    UvRect spriteRect{-1, -1, -1, -1};
  };
  Sent sent_;
  static constexpr size_t kStreamVertices = 4 * kMaxBatchVertices;
  static constexpr size_t kStreamIndices = 6 * kMaxBatchVertices;
  size_t vCapacity_ = 0, iCapacity_ = 0;  // of the buffers now allocated
  size_t vCursor_ = 0, iCursor_ = 0;

  SDL_Window* win_ = nullptr;
  SDL_GLContext ctx_ = nullptr;
  GLuint prog_ = 0, vao_ = 0, vbo_ = 0, ibo_ = 0, backFbo_ = 0, backTex_ = 0;
  GLint uWV_ = -1, uP_ = -1, uPointScale_ = -1, uPointSize_ = -1, uPointMin_ = -1, uPointMax_ = -1, uScaleA_ = -1,
        uScaleB_ = -1, uScaleC_ = -1, uViewH_ = -1, uHasTex_ = -1, uAdd_ = -1, uSprite_ = -1, uSpriteRect_ = -1;
  int maxSize_ = 1;
  bool hasAniso_ = false;
  Caps caps_;
  IPt back_;
  Tex target_ = 0;
  int targetW_ = 0, targetH_ = 0;
  std::unordered_map<Tex, GlTex> tex_;
  bool atlasOn_ = true;
  Tex pendingClear_ = 0;  // the render target whose clear is pending, or 0
  uint32_t pendingArgb_ = 0;
  uint64_t pendingVersion_ = 0;  // the target's version when it was cleared
  int pageSide_ = kAtlasPageSide;
  std::vector<std::unique_ptr<Page>> pages_;
  std::vector<uint32_t> padded_;  // a texture with its border, on its way to a page

  uint64_t batches_ = 0, uploads_ = 0;
  std::vector<Vertex> verts_;
  std::vector<uint32_t> idx_;
  State batchState_;
  Prim batchPrim_ = Prim::Triangles;
  GLuint batchTex_ = 0;
  Sampler* batchSampler_ = nullptr;
  UvRect batchRect_;
  int batchWrap_ = 0;  // the axes (kWrapU, kWrapV) on which the batch's texture is read wrapped
};

}  // namespace plat::gfx::detail
