// The OpenGL backend: a GL 3.x context on the window (functions loaded by
// libepoxy), one shader program standing in for the fixed-function texture
// stage, and framebuffer objects for the back buffer and every render
// target. Draws that share one state are gathered into one batch and sent
// with a single draw call when the state changes or the frame moves on.
//
// Orientation: everything is drawn into framebuffer objects with clip-space
// y negated, so row 0 of every texture and framebuffer is the top row of the
// picture, as in the pixel arrays of the texture table. Present blits the
// back buffer to the window the right way up. Mirroring by this negation
// swaps the winding of every triangle; culling is off (nothing is drawn
// mirrored, and both windings must show), so it does not matter.
//
// Pixel grid: the renderer's views spread W + 1 units over a target W pixels
// wide (and H + 1 over H). A device that samples pixel i at coordinate i
// covers every pixel with a W-unit quad that way; GL samples at i + 0.5 and
// would leave the last column and row empty and shift the right half of the
// full-screen copy by a texel. So the viewport is one pixel wider and taller
// than the target: one unit is one pixel, quads on whole units cover whole
// pixels, texel centres meet pixel centres, and the extra column and row
// fall outside the target and are never drawn.
//
// Atlas pages: a plain texture with both sides at most kAtlasMaxSide is
// copied onto a shared kAtlasPageSide-square GL texture (an atlas page, see
// gfx_atlas.h) instead of one of its own, and the texture coordinates of its
// draws are moved into its place there as the vertices are gathered, so
// draws of many small textures in one state become one draw call. Each
// place has a border of kAtlasPad texels copied from the opposite edges,
// which filtering reads as it would read a texture of its own with wrapped
// addressing (point and linear filtering reach at most one texel past an
// edge; anisotropic filtering of a quad squeezed several times more one way
// than the other could reach further and read a neighbour's texels there).
// Coordinates outside 0..1 need that wrapping for real: a texture the first
// time it is drawn with such coordinates leaves its page for good and gets a
// GL texture of its own (the engine's repeated images take this way; their
// place on the page is given up at the next scene, as draws gathered before
// may still read it). Render targets, textures larger
// than the limit and textures that find no room on kMaxAtlasPages pages keep
// textures of their own. An update after Lock/Unlock copies only the
// texture's place; a released texture's place is reused, and a page is
// deleted at the first scene after it holds nothing. Point sprites, whose
// coordinates come from the point itself, get their place as a uniform.
//
// Pending clears: a clear of a render target is only noted, and made when
// the target is next drawn into, drawn from or read. A target that nothing
// touches after its clear is never filled at all, and OnlyCleared tells the
// renderer that it holds the clear colour alone (the screen texture of a
// frame whose main pass draws nothing: the menus and the loading screen).
// The back buffer is always cleared at once.
#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "platform/gfx_atlas.h"
#include "platform/gfx_device.h"
#include "platform/gfx_redraw.h"
#include "platform/gfx_window_copy.h"
#include "platform/window.h"

namespace plat::gfx {
namespace {

// Point sizes above this are clamped, as a fixed-function device does.
constexpr float kMaxPointSize = 64.0f;
// A batch is sent when it would grow beyond this many vertices.
constexpr size_t kMaxBatchVertices = 65536;
// Atlas pages (see the top of this file): the page's side (or the largest
// texture the GL allows, when smaller), the largest side of a texture placed
// on one, the border around each place and the number of pages at most. One
// 4096 page holds a whole board of ~100-pixel pieces and their shadows, so
// a board draws in one draw call whatever its order.
constexpr int kAtlasPageSide = 4096;
constexpr int kAtlasMaxSide = 512;
constexpr int kAtlasPad = 2;
constexpr size_t kMaxAtlasPages = 8;

const char* kVertexShader = R"(#version 140
in vec3 aPos;
in vec4 aColor;
in vec2 aUV;
uniform mat4 uWV;
uniform mat4 uP;
uniform int uPointScale;
uniform float uPointSize, uPointMin, uScaleA, uScaleB, uScaleC, uViewH, uPointMax;
out vec4 vColor;
out vec2 vUV;
void main() {
  vec4 e = uWV * vec4(aPos, 1.0);
  vec4 p = uP * e;
  p.y = -p.y;
  gl_Position = p;
  float size = uPointSize;
  if (uPointScale != 0) {
    float de = length(e.xyz);
    float k = uScaleA + uScaleB * de + uScaleC * de * de;
    size = uPointSize * uViewH * inversesqrt(max(k, 1e-20));
  }
  gl_PointSize = min(max(size, uPointMin), uPointMax);
  vColor = aColor.zyxw;  // bytes blue, green, red, alpha
  vUV = aUV;
}
)";

const char* kFragmentShader = R"(#version 140
in vec4 vColor;
in vec2 vUV;
uniform sampler2D uTex;
uniform int uHasTex, uAdd, uSprite;
uniform vec4 uSpriteRect;  // a sprite's place on its texture: offset, size
out vec4 oColor;
void main() {
  vec2 uv = uSprite != 0 ? uSpriteRect.xy + gl_PointCoord * uSpriteRect.zw : vUV;
  vec4 t = uHasTex != 0 ? texture(uTex, uv) : vec4(1.0);
  vec3 rgb = uAdd != 0 ? min(t.rgb + vColor.rgb, vec3(1.0)) : t.rgb * vColor.rgb;
  oColor = vec4(rgb, t.a * vColor.a);
}
)";

GLenum BlendFactor(Blend b) {
  switch (b) {
    case Blend::Zero: return GL_ZERO;
    case Blend::One: return GL_ONE;
    case Blend::SrcAlpha: return GL_SRC_ALPHA;
    case Blend::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
  }
  return GL_ONE;
}

// The filter state a GL texture object has now (-1: not known).
struct Sampler {
  GLint mag = -1, min = -1;
  float aniso = -1.0f;
};

struct Page {
  explicit Page(int side) : packer(side) {}
  GLuint tex = 0;
  Sampler sampler;
  detail::AtlasPacker packer;
  // Places given up during a scene (corner, size), freed at the next one.
  std::vector<std::pair<IPt, IPt>> leaving;
};

// Where a texture's coordinates go: u' = u0 + u × su, v' = v0 + v × sv.
struct UvRect {
  float u0 = 0, v0 = 0, su = 1, sv = 1;
  bool operator==(const UvRect&) const = default;
};

struct GlTex {
  GLuint tex = 0, fbo = 0;  // a texture of its own (and a render target's framebuffer)
  Page* page = nullptr;     // or a place on an atlas page
  IPt at;                   // the texture's top-left texel on the page
  bool repeats = false;     // drawn with coordinates outside 0..1: never on a page
  uint64_t version = 0;
  int w = 0, h = 0;
  Sampler sampler;  // of the texture of its own
};

GLuint NameOf(const GlTex& g) { return g.page ? g.page->tex : g.tex; }
Sampler& SamplerOf(GlTex& g) { return g.page ? g.page->sampler : g.sampler; }

// True when a coordinate lies outside 0..1 (or is not a number).
bool OutsideUnit(const Vertex* v, int n) {
  for (int i = 0; i < n; ++i)
    if (!(v[i].u >= 0.0f && v[i].u <= 1.0f && v[i].v >= 0.0f && v[i].v <= 1.0f)) return true;
  return false;
}

// Everything but the texture handle alike: draws of textures on one page
// share a batch.
bool SameButTexture(const State& a, const State& b) {
  if (a.texture == b.texture) return a == b;
  State c = a;
  c.texture = b.texture;
  return c == b;
}

GLuint Compile(GLenum kind, const char* src) {
  GLuint s = glCreateShader(kind);
  glShaderSource(s, 1, &src, nullptr);
  glCompileShader(s);
  GLint ok = 0;
  glGetShaderiv(s, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[1024] = {};
    glGetShaderInfoLog(s, sizeof log - 1, nullptr, log);
    std::fprintf(stderr, "gfx: shader compile failed: %s\n", log);
    glDeleteShader(s);
    return 0;
  }
  return s;
}

class GlDevice : public detail::Device {
 public:
  ~GlDevice() override {
    SDL_DelEventWatch(&GlDevice::WatchExpose, this);
    if (!ctx_) return;
    SDL_GL_MakeCurrent(win_, ctx_);
    for (auto& [id, t] : tex_) DeleteGl(t);
    for (auto& p : pages_) glDeleteTextures(1, &p->tex);
    for (auto& [t, sh] : shadows_) {
      glDeleteFramebuffers(1, &sh.fbo);
      glDeleteTextures(1, &sh.tex);
    }
    detail::TakeReleased();
    if (backFbo_) glDeleteFramebuffers(1, &backFbo_);
    if (backTex_) glDeleteTextures(1, &backTex_);
    if (vbo_) glDeleteBuffers(1, &vbo_);
    if (ibo_) glDeleteBuffers(1, &ibo_);
    if (vao_) glDeleteVertexArrays(1, &vao_);
    if (prog_) glDeleteProgram(prog_);
    SDL_GL_MakeCurrent(win_, nullptr);
    SDL_GL_DeleteContext(ctx_);
  }

  int Create(Window& window, int attempt, int backW, int backH) override {
    win_ = window.Sdl();
    if (!win_) return -1;
    atlasOn_ = detail::AtlasingEnabled();
    int major = 3, minor = 3, profile = SDL_GL_CONTEXT_PROFILE_CORE;
    if (attempt == 2) minor = 2;
    if (attempt == 3) {
      minor = 1;
      profile = 0;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, major);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, minor);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, profile);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (attempt == 4) SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, -1);
    ctx_ = SDL_GL_CreateContext(win_);
    if (!ctx_) return -1;
    if (SDL_GL_MakeCurrent(win_, ctx_) != 0 || !epoxy_is_desktop_gl() || epoxy_gl_version() < 31 || !Setup()) {
      SDL_GL_MakeCurrent(win_, nullptr);
      SDL_GL_DeleteContext(ctx_);
      ctx_ = nullptr;
      return -1;
    }
    SDL_GL_SetSwapInterval(1);  // vertical sync where the driver allows it
    // Under a software renderer a swap copies the whole window and waits
    // for no vertical blank: there a frame can send only the part of the
    // window that changed (see Present). Only where asked for: Mesa's
    // software GLX has been seen to fail the copy with an X error (which
    // ends the program) while the window goes full screen.
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (detail::WindowCopyEnabled() && renderer &&
        (std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe")))
      windowCopy_.Open(win_);
    SDL_AddEventWatch(&GlDevice::WatchExpose, this);
    if (backW <= 0 || backH <= 0) {
      const IPt client = window.ClientSize();
      backW = client.x;
      backH = client.y;
    }
    if (!Resize(backW, backH)) return -1;
    return 0;
  }

  IPt BackSize() const override { return back_; }

  bool Resize(int w, int h) override {
    if (w <= 0 || h <= 0 || w > maxSize_ || h > maxSize_) return false;
    Resolve();
    Flush();
    ++backGeneration_;
    frameDirty_ = true;
    windowKept_ = false;
    if (!backTex_) glGenTextures(1, &backTex_);
    if (!backFbo_) glGenFramebuffers(1, &backFbo_);
    while (glGetError() != GL_NO_ERROR) {
    }
    glBindTexture(GL_TEXTURE_2D, backTex_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    if (glGetError() != GL_NO_ERROR) return false;
    glBindFramebuffer(GL_FRAMEBUFFER, backFbo_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, backTex_, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return false;
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    back_ = {w, h};
    BindTarget();
    return true;
  }

  Caps GetCaps() const override { return caps_; }
  uint64_t Batches() const override { return batches_; }
  uint64_t Uploads() const override { return uploads_; }
  RedrawStats Redraws() const override { return redraw_; }
  size_t AtlasPages() const override { return pages_.size(); }

  void BeginScene() override {
    // A list open now holds at most its clear (draws come inside scenes,
    // and a scene's end draws its list), so it stays open.
    Partial();
    Flush();  // nothing gathered may read a place freed here
    for (Tex t : detail::TakeReleased()) {
      if (t == pendingClear_) pendingClear_ = 0;
      held_.erase(t);
      DropShadow(t);
      auto it = tex_.find(t);
      if (it == tex_.end()) continue;
      if (it->second.page) LeavePage(it->second, true);
      DeleteGl(it->second);
      tex_.erase(it);
    }
    for (auto& p : pages_) {
      for (const auto& [at, size] : p->leaving) p->packer.Free(at, size.x, size.y);
      p->leaving.clear();
    }
    for (size_t i = pages_.size(); i-- > 0;) {
      if (pages_[i]->packer.Live() != 0) continue;
      glDeleteTextures(1, &pages_[i]->tex);
      pages_.erase(pages_.begin() + ptrdiff_t(i));
    }
  }
  void EndScene() override {
    Resolve();
    Flush();
  }

  void SetTarget(Tex target, int w, int h) override {
    Resolve();
    Flush();
    target_ = target;
    targetW_ = w;
    targetH_ = h;
    BindTarget();
  }

  void Clear(uint32_t argb) override {
    const bool partial = Partial();
    Resolve();
    Flush();
    if (target_ != 0 && detail::PendingClearsEnabled()) {
      // Anything drawn into the target since an earlier pending clear made
      // that clear first, so this one replaces it.
      detail::TexInfo info;
      pendingClear_ = target_;
      pendingArgb_ = argb;
      pendingVersion_ = detail::Describe(target_, info) ? info.version : 0;
      return;
    }
    if (pendingClear_ == target_) pendingClear_ = 0;
    if (partial) Open(true, argb);
    else ClearBound(argb);
  }

  bool OnlyCleared(Tex t, uint32_t* argb) const override {
    if (t == 0 || t != pendingClear_) return false;
    if (argb) *argb = pendingArgb_;
    return true;
  }

  // Makes the pending clear of target t, if there is one; the bound target
  // stays bound afterwards.
  void SettleClear(Tex t) {
    if (t == 0 || t != pendingClear_) return;
    pendingClear_ = 0;
    // A target resized since its clear has lost what it held, the clear
    // included.
    detail::TexInfo info;
    if (!detail::Describe(t, info) || info.version != pendingVersion_) return;
    if (t == target_) {
      if (!partialWas_) {
        ClearBound(pendingArgb_);
        return;
      }
      Resolve();
      Open(true, pendingArgb_);
      return;
    }
    GlTex* gt = Ensure(t);
    if (!gt || !gt->fbo) return;
    glBindFramebuffer(GL_FRAMEBUFFER, gt->fbo);
    ClearBound(pendingArgb_);
    BindTarget();
    if (partialWas_) {
      held_[t].diff.Invalidate();
      Changed(t, {0, 0, gt->w, gt->h});
    }
  }

  void ClearBound(uint32_t argb) {
    glClearColor(float((argb >> 16) & 0xFF) / 255.0f, float((argb >> 8) & 0xFF) / 255.0f, float(argb & 0xFF) / 255.0f,
                 float(argb >> 24) / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  void Draw(const State& s, Prim prim, const Vertex* v, int nv, const uint16_t* idx, int ni) override {
    const bool partial = Partial();
    if (pendingClear_ != 0) {
      // Gathered draws go to the bound target, which has no pending clear
      // (its first draw made it), so they need not be sent first.
      SettleClear(target_);
      if (s.texture) SettleClear(s.texture);
    }
    if (partial) {
      if (!seg_.open) Open(false, 0);
      // A texture the list already reads gets new pixels: what is listed so
      // far is drawn with the old ones first.
      if (s.texture && WouldUpdate(s.texture)) {
        Resolve();
        Open(false, 0);
      }
    }
    // Resolve (and if need be upload) the texture first: an upload must not
    // change what already-gathered draws of the same texture show.
    GlTex* gt = s.texture ? Ensure(s.texture, OutsideUnit(v, nv)) : nullptr;
    if (gt && s.min == Filter::Anisotropic && detail::OwnSizeLinearEnabled() &&
        detail::AtOwnSize(s, v, nv, gt->w, gt->h, targetW_, targetH_)) {
      // One texel a pixel each way: linear filtering reads what anisotropic
      // filtering would, at a fraction of the cost.
      ++redraw_.linearAtOwnSize;
      State plain = s;
      plain.min = Filter::Linear;
      if (plain.mag == Filter::Anisotropic) plain.mag = Filter::Linear;
      plain.maxAnisotropy = 1.0f;
      DrawResolved(plain, prim, v, nv, idx, ni, gt, partial);
      return;
    }
    DrawResolved(s, prim, v, nv, idx, ni, gt, partial);
  }

  // A draw whose texture is resolved: gathered now, or kept in the list.
  void DrawResolved(const State& s, Prim prim, const Vertex* v, int nv, const uint16_t* idx, int ni, GlTex* gt,
                    bool partial) {
    const GLuint glTex = gt ? NameOf(*gt) : 0;
    const bool onPage = gt && gt->page;
    const UvRect rect = onPage ? RectOf(*gt) : UvRect{};
    Sampler* sampler = gt ? &SamplerOf(*gt) : nullptr;
    if (!partial) {
      Gather(prim, s, glTex, sampler, rect, onPage, v, nv, idx, ni);
      return;
    }
    Rec r;
    r.prim = prim;
    r.state = s;
    r.tex = glTex;
    r.sampler = sampler;
    r.rect = rect;
    r.onPage = onPage;
    r.v0 = seg_.verts.size();
    r.nv = nv;
    r.i0 = seg_.idx.size();
    r.ni = prim == Prim::Triangles ? ni : 0;
    seg_.verts.insert(seg_.verts.end(), v, v + nv);
    if (r.ni) seg_.idx.insert(seg_.idx.end(), idx, idx + ni);
    uint64_t texKey = 0;
    if (gt) {
      detail::TexInfo info;
      detail::Describe(s.texture, info);
      texKey = detail::HashMix(detail::HashMix(s.texture, glTex), info.renderTarget ? info.version : gt->version);
      texKey = detail::HashMix(texKey, uint64_t(gt->at.x) << 32 | uint32_t(gt->at.y));
      if (info.renderTarget) {
        r.rt = s.texture;
        r.rtW = info.w;
        r.rtH = info.h;
      }
      seg_.textures.push_back(s.texture);
    }
    r.key = detail::DrawKey(s, prim, v, nv, r.ni ? idx : nullptr, r.ni, texKey);
    r.box = detail::DrawBounds(s, prim, v, nv, targetW_, targetH_);
    seg_.recs.push_back(r);
  }

  // Adds a draw to the batch, sending the batch first when the draw cannot
  // join it. `onPage`: the coordinates are moved into `rect`.
  void Gather(Prim prim, const State& s, GLuint glTex, Sampler* sampler, const UvRect& rect, bool onPage,
              const Vertex* v, int nv, const uint16_t* idx, int ni) {
    const bool sprite = prim == Prim::Points && s.pointSprite;
    if (!verts_.empty() && (prim != batchPrim_ || glTex != batchTex_ || (sprite && !(rect == batchRect_)) ||
                            !SameButTexture(s, batchState_) || verts_.size() + size_t(nv) > kMaxBatchVertices))
      Flush();
    if (verts_.empty()) {
      batchPrim_ = prim;
      batchState_ = s;
      batchTex_ = glTex;
      batchSampler_ = sampler;
      batchRect_ = rect;
    }
    const uint32_t base = uint32_t(verts_.size());
    verts_.insert(verts_.end(), v, v + nv);
    if (onPage) {
      for (size_t i = base; i < verts_.size(); ++i) {
        verts_[i].u = rect.u0 + verts_[i].u * rect.su;
        verts_[i].v = rect.v0 + verts_[i].v * rect.sv;
      }
    }
    if (prim == Prim::Triangles)
      for (int i = 0; i < ni; ++i) idx_.push_back(base + idx[i]);
  }

  void Present() override {
    Resolve();
    Flush();
    int dw = 0, dh = 0;
    SDL_GL_GetDrawableSize(win_, &dw, &dh);
    // A frame that changed no pixel of the back buffer leaves the window
    // showing the last one; once a second it is shown again all
    // the same, for a window system that lost the window's pixels (a
    // window uncovered without a compositor).
    const uint32_t now = SDL_GetTicks();
    const bool exposed = exposed_.exchange(false);
    if (partialWas_ && !frameDirty_ && !exposed && dw == shown_.x && dh == shown_.y && now - shownAt_ < kReshowMs) {
      ++redraw_.presentsSkipped;
      BindTarget();
      return;
    }
    const bool kept = windowKept_ && !exposed && dw == shown_.x && dh == shown_.y && now - shownAt_ < kReshowMs;
    frameDirty_ = false;
    shown_ = {dw, dh};
    shownAt_ = now;
    if (partialWas_ && windowCopy_.Available() && dw == back_.x && dh == back_.y) {
      // The window's back buffer is never swapped here, so it holds the
      // last frame shown: only the part changed since is copied into it
      // and onto the window.
      detail::PixRect r{0, 0, dw, dh};
      if (kept) r = shownDamage_.Clip(dw, dh);
      if (!r.Empty()) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, backFbo_);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glBlitFramebuffer(r.x0, r.y0, r.x1, r.y1, r.x0, dh - r.y0, r.x1, dh - r.y1, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        windowCopy_.Copy(r.x0, dh - r.y1, r.x1 - r.x0, r.y1 - r.y0);
      }
      windowKept_ = true;
      shownDamage_ = {};
      BindTarget();
      return;
    }
    windowKept_ = false;
    shownDamage_ = {};
    if (dw > 0 && dh > 0) {
      glBindFramebuffer(GL_READ_FRAMEBUFFER, backFbo_);
      glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
      const bool same = dw == back_.x && dh == back_.y;
      glBlitFramebuffer(0, 0, back_.x, back_.y, 0, dh, dw, 0, GL_COLOR_BUFFER_BIT, same ? GL_NEAREST : GL_LINEAR);
      SDL_GL_SwapWindow(win_);
    }
    BindTarget();
  }

  // A window uncovered (its pixels lost where nothing keeps them) is shown
  // whole at the next present. Called wherever SDL's events are pumped.
  static int WatchExpose(void* self, SDL_Event* e) {
    auto* d = static_cast<GlDevice*>(self);
    if (e->type == SDL_WINDOWEVENT && e->window.event == SDL_WINDOWEVENT_EXPOSED && d->win_ &&
        e->window.windowID == SDL_GetWindowID(d->win_))
      d->exposed_.store(true);
    return 0;
  }

  void Finish() override {
    Resolve();
    Flush();
    glFinish();
  }

  bool ReadTarget(Tex target, Image& out) override {
    Resolve();
    Flush();
    SettleClear(target);
    GLuint fbo = backFbo_;
    int w = back_.x, h = back_.y;
    if (target != 0) {
      GlTex* gt = Ensure(target);
      if (!gt || !gt->fbo) return false;
      fbo = gt->fbo;
      w = gt->w;
      h = gt->h;
    }
    out.w = w;
    out.h = h;
    out.argb.assign(size_t(w) * size_t(h), 0u);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, out.argb.data());
    if (target == 0)
      for (uint32_t& p : out.argb) p |= 0xFF000000u;
    BindTarget();
    return true;
  }

 private:
  bool Setup() {
    GLuint vs = Compile(GL_VERTEX_SHADER, kVertexShader);
    GLuint fs = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
    if (!vs || !fs) {
      if (vs) glDeleteShader(vs);
      if (fs) glDeleteShader(fs);
      return false;
    }
    prog_ = glCreateProgram();
    glAttachShader(prog_, vs);
    glAttachShader(prog_, fs);
    glBindAttribLocation(prog_, 0, "aPos");
    glBindAttribLocation(prog_, 1, "aColor");
    glBindAttribLocation(prog_, 2, "aUV");
    glBindFragDataLocation(prog_, 0, "oColor");
    glLinkProgram(prog_);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(prog_, GL_LINK_STATUS, &ok);
    if (!ok) return false;
    glUseProgram(prog_);
    uWV_ = glGetUniformLocation(prog_, "uWV");
    uP_ = glGetUniformLocation(prog_, "uP");
    uPointScale_ = glGetUniformLocation(prog_, "uPointScale");
    uPointSize_ = glGetUniformLocation(prog_, "uPointSize");
    uPointMin_ = glGetUniformLocation(prog_, "uPointMin");
    uPointMax_ = glGetUniformLocation(prog_, "uPointMax");
    uScaleA_ = glGetUniformLocation(prog_, "uScaleA");
    uScaleB_ = glGetUniformLocation(prog_, "uScaleB");
    uScaleC_ = glGetUniformLocation(prog_, "uScaleC");
    uViewH_ = glGetUniformLocation(prog_, "uViewH");
    uHasTex_ = glGetUniformLocation(prog_, "uHasTex");
    uAdd_ = glGetUniformLocation(prog_, "uAdd");
    uSprite_ = glGetUniformLocation(prog_, "uSprite");
    uSpriteRect_ = glGetUniformLocation(prog_, "uSpriteRect");
    glUniform1i(glGetUniformLocation(prog_, "uTex"), 0);
    GLfloat range[2] = {1.0f, kMaxPointSize};
    glGetFloatv(GL_ALIASED_POINT_SIZE_RANGE, range);
    glUniform1f(uPointMax_, std::min(kMaxPointSize, range[1]));

    glGenVertexArrays(1, &vao_);
    glBindVertexArray(vao_);
    glGenBuffers(1, &vbo_);
    glGenBuffers(1, &ibo_);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ibo_);
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(0));
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), reinterpret_cast<void*>(12));
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<void*>(16));

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_SCISSOR_TEST);
    glEnable(GL_PROGRAM_POINT_SIZE);
    glPointParameteri(GL_POINT_SPRITE_COORD_ORIGIN, GL_LOWER_LEFT);
    glActiveTexture(GL_TEXTURE0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

    GLint maxTex = 0, maxRb = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTex);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxRb);
    maxSize_ = std::max(1, std::min(maxTex, maxRb > 0 ? maxRb : maxTex));
    pageSide_ = std::min(kAtlasPageSide, std::max(maxTex, 1));
    if (epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic") ||
        epoxy_has_gl_extension("GL_ARB_texture_filter_anisotropic")) {
      GLfloat a = 1.0f;
      glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &a);
      caps_.maxAnisotropy = a;
      caps_.minAniso = a > 1.0f;
      hasAniso_ = true;
    }
    caps_.magAniso = false;      // GL has no anisotropic magnification
    caps_.multisample4 = false;  // the back buffer is a single-sample framebuffer
    return glGetError() == GL_NO_ERROR;
  }

  void DeleteGl(GlTex& t) {
    if (t.fbo) glDeleteFramebuffers(1, &t.fbo);
    if (t.tex) glDeleteTextures(1, &t.tex);
    t = GlTex{};
  }

  UvRect RectOf(const GlTex& g) const {
    const float side = float(pageSide_);
    return {float(g.at.x) / side, float(g.at.y) / side, float(g.w) / side, float(g.h) / side};
  }

  // A place for a w × h texture on a page with room, opening a new page
  // when none has any; false when the pages are all full or the GL refuses
  // a new one.
  bool PlaceOnPage(GlTex& g, int w, int h) {
    const int pw = w + 2 * kAtlasPad, ph = h + 2 * kAtlasPad;
    IPt at;
    for (auto& p : pages_) {
      if (!p->packer.Place(pw, ph, &at)) continue;
      g.page = p.get();
      g.at = {at.x + kAtlasPad, at.y + kAtlasPad};
      return true;
    }
    if (pages_.size() >= kMaxAtlasPages || pw > pageSide_ || ph > pageSide_) return false;
    auto p = std::make_unique<Page>(pageSide_);
    while (glGetError() != GL_NO_ERROR) {
    }
    glGenTextures(1, &p->tex);
    glBindTexture(GL_TEXTURE_2D, p->tex);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, pageSide_, pageSide_, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
    if (glGetError() != GL_NO_ERROR) {
      glDeleteTextures(1, &p->tex);
      return false;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    p->packer.Place(pw, ph, &at);
    g.page = p.get();
    g.at = {at.x + kAtlasPad, at.y + kAtlasPad};
    pages_.push_back(std::move(p));
    return true;
  }

  // Gives up a texture's place: now when no draw gathered and not yet sent
  // can read it, else at the next scene (a draw gathered before the
  // texture left may still read it, and a new texture in the place would
  // overwrite it first).
  void LeavePage(GlTex& g, bool now) {
    const IPt corner{g.at.x - kAtlasPad, g.at.y - kAtlasPad}, size{g.w + 2 * kAtlasPad, g.h + 2 * kAtlasPad};
    if (now) g.page->packer.Free(corner, size.x, size.y);
    else g.page->leaving.emplace_back(corner, size);
    g.page = nullptr;
  }

  // Copies a texture's pixels with their border into its place on its page;
  // false while the texture is locked.
  bool UploadToPage(Tex t, GlTex& g) {
    return detail::WithPixels(t, [&](const detail::TexInfo& i, const uint32_t* px) {
      detail::PadWrapped(px, i.w, i.h, kAtlasPad, padded_);
      glBindTexture(GL_TEXTURE_2D, g.page->tex);
      glTexSubImage2D(GL_TEXTURE_2D, 0, g.at.x - kAtlasPad, g.at.y - kAtlasPad, i.w + 2 * kAtlasPad, i.h + 2 * kAtlasPad,
                      GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, padded_.data());
      g.version = i.version;
    });
  }

  void BindTarget() {
    GLuint fbo = backFbo_;
    int w = back_.x, h = back_.y;
    if (target_ != 0) {
      GlTex* gt = Ensure(target_);
      if (gt && gt->fbo) {
        fbo = gt->fbo;
        w = gt->w;
        h = gt->h;
      }
    }
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glViewport(0, 0, w + 1, h + 1);  // see "Pixel grid" above
    targetW_ = std::max(w, 1);
    targetH_ = std::max(h, 1);
  }

  // The GPU copy of a texture, made or brought up to date; null when the
  // handle is unknown or the texture has never been readable. `repeats`:
  // this draw reads coordinates outside 0..1, so the texture must have a GL
  // texture of its own.
  GlTex* Ensure(Tex t, bool repeats = false) {
    detail::TexInfo info;
    if (!detail::Describe(t, info)) return nullptr;
    GlTex& g = tex_[t];
    if (repeats && !g.repeats) {
      g.repeats = true;
      if (g.page) {
        LeavePage(g, false);
        g.version = 0;
      }
    }
    const bool made = g.tex || g.page;
    if (made && g.version == info.version) return &g;
    if (info.w > maxSize_ || info.h > maxSize_) return made ? &g : nullptr;
    if (!info.renderTarget) {
      if (g.page && (g.w != info.w || g.h != info.h)) {
        LeavePage(g, false);
        g.version = 0;
      }
      if (!made && atlasOn_ && !g.repeats && info.w <= kAtlasMaxSide && info.h <= kAtlasMaxSide) {
        g.w = info.w;
        g.h = info.h;
        PlaceOnPage(g, info.w, info.h);
      }
      if (g.page) {
        // An update must not change what gathered draws show; a first
        // upload goes to a place no gathered draw reads.
        if (g.version != 0 && batchTex_ == g.page->tex) Flush();
        const bool done = UploadToPage(t, g);
        if (done) ++uploads_;
        if (!done && g.version == 0) {
          LeavePage(g, true);  // locked before its first upload: nothing to show yet
          tex_.erase(t);
          return nullptr;
        }
        return &g;
      }
    }
    if (!verts_.empty()) Flush();
    if (!g.tex) glGenTextures(1, &g.tex);
    glBindTexture(GL_TEXTURE_2D, g.tex);
    if (info.renderTarget) {
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, info.w, info.h, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
      if (!g.fbo) glGenFramebuffers(1, &g.fbo);
      glBindFramebuffer(GL_FRAMEBUFFER, g.fbo);
      glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, g.tex, 0);
      glClearColor(0, 0, 0, 0);
      glClear(GL_COLOR_BUFFER_BIT);
      g.w = info.w;
      g.h = info.h;
      g.version = info.version;
      // Rebind whatever target is current (this may be the one just made).
      GLuint fbo = backFbo_;
      if (target_ == t) fbo = g.fbo;
      else if (target_ != 0) {
        auto it = tex_.find(target_);
        if (it != tex_.end() && it->second.fbo) fbo = it->second.fbo;
      }
      glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    } else {
      const bool sameSize = g.version != 0 && g.w == info.w && g.h == info.h;
      const bool done = detail::WithPixels(t, [&](const detail::TexInfo& i, const uint32_t* px) {
        if (sameSize)
          glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, i.w, i.h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, px);
        else
          glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, i.w, i.h, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, px);
        g.w = i.w;
        g.h = i.h;
        g.version = i.version;
      });
      if (done) ++uploads_;
      if (!done && g.version == 0) {
        // Locked before its first upload: nothing to show yet.
        glDeleteTextures(1, &g.tex);
        tex_.erase(t);
        return nullptr;
      }
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    g.sampler = Sampler{};
    return &g;
  }

  void ApplyFilter(Sampler& g, const State& s) {
    const GLint mag = s.mag == Filter::Point ? GL_NEAREST : GL_LINEAR;
    const GLint min = s.min == Filter::Point ? GL_NEAREST : GL_LINEAR;
    const float aniso =
        s.min == Filter::Anisotropic && hasAniso_ ? std::clamp(s.maxAnisotropy, 1.0f, caps_.maxAnisotropy) : 1.0f;
    if (g.mag != mag) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, g.mag = mag);
    if (g.min != min) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, g.min = min);
    if (hasAniso_ && g.aniso != aniso) glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, g.aniso = aniso);
  }

  // Uniform and state setters that skip values the GPU already has.
  static void SendI(GLint loc, int& sent, int v) {
    if (sent != v) glUniform1i(loc, sent = v);
  }
  static void SendF(GLint loc, float& sent, float v) {
    if (sent != v) glUniform1f(loc, sent = v);
  }

  void Flush() {
    if (verts_.empty()) return;
    const State& s = batchState_;
    Sent& c = sent_;
    const Mat4 wv = Multiply(s.world, s.view);
    if (!c.valid || !(c.wv == wv)) glUniformMatrix4fv(uWV_, 1, GL_FALSE, &(c.wv = wv).m[0][0]);
    if (!c.valid || !(c.p == s.projection)) glUniformMatrix4fv(uP_, 1, GL_FALSE, &(c.p = s.projection).m[0][0]);
    c.valid = true;
    const int blend = s.alphaBlend ? 1 : 0;
    if (c.blend != blend) (c.blend = blend) ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
    if (blend && (c.src != s.src || c.dst != s.dst)) {
      c.src = s.src;
      c.dst = s.dst;
      glBlendFunc(BlendFactor(s.src), BlendFactor(s.dst));
    }
    if (batchTex_) {
      glBindTexture(GL_TEXTURE_2D, batchTex_);
      ApplyFilter(*batchSampler_, s);
    }
    SendI(uHasTex_, c.hasTex, batchTex_ ? 1 : 0);
    SendI(uAdd_, c.add, s.colorOp == ColorOp::Add ? 1 : 0);
    const bool points = batchPrim_ == Prim::Points;
    SendI(uSprite_, c.sprite, points && s.pointSprite ? 1 : 0);
    if (points && s.pointSprite && !(c.spriteRect == batchRect_)) {
      c.spriteRect = batchRect_;
      glUniform4f(uSpriteRect_, batchRect_.u0, batchRect_.v0, batchRect_.su, batchRect_.sv);
    }
    if (points) {
      SendI(uPointScale_, c.pointScale, s.pointScale ? 1 : 0);
      SendF(uPointSize_, c.pointSize, s.pointSize);
      SendF(uPointMin_, c.pointMin, s.pointSizeMin);
      SendF(uScaleA_, c.a, s.scaleA);
      SendF(uScaleB_, c.b, s.scaleB);
      SendF(uScaleC_, c.c, s.scaleC);
      SendF(uViewH_, c.viewH, float(targetH_));
    }
    // Vertices and indices stream into one large buffer each, written at an
    // advancing offset; the buffers are orphaned when full. A single draw
    // larger than the usual capacity gets buffers of its own size.
    const size_t nv = verts_.size(), ni = idx_.size();
    if (vCursor_ + nv > vCapacity_ || iCursor_ + ni > iCapacity_) {
      vCapacity_ = std::max(kStreamVertices, nv);
      iCapacity_ = std::max(kStreamIndices, ni);
      glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vCapacity_ * sizeof(Vertex)), nullptr, GL_STREAM_DRAW);
      glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(iCapacity_ * sizeof(uint32_t)), nullptr, GL_STREAM_DRAW);
      vCursor_ = iCursor_ = 0;
    }
    glBufferSubData(GL_ARRAY_BUFFER, GLintptr(vCursor_ * sizeof(Vertex)), GLsizeiptr(nv * sizeof(Vertex)), verts_.data());
    if (batchPrim_ == Prim::Triangles) {
      for (uint32_t& i : idx_) i += uint32_t(vCursor_);
      glBufferSubData(GL_ELEMENT_ARRAY_BUFFER, GLintptr(iCursor_ * sizeof(uint32_t)), GLsizeiptr(ni * sizeof(uint32_t)),
                      idx_.data());
      glDrawElements(GL_TRIANGLES, GLsizei(ni), GL_UNSIGNED_INT, reinterpret_cast<void*>(iCursor_ * sizeof(uint32_t)));
      iCursor_ += ni;
    } else {
      glDrawArrays(points ? GL_POINTS : GL_LINES, GLint(vCursor_), GLsizei(nv));
    }
    vCursor_ += nv;
    ++batches_;
    verts_.clear();
    idx_.clear();
    batchSampler_ = nullptr;
    batchTex_ = 0;
  }

  // ---- redrawing what changed (see gfx_redraw.h)
  // A draw kept for the list of its target, its texture resolved.
  struct Rec {
    Prim prim = Prim::Triangles;
    State state;
    GLuint tex = 0;
    Sampler* sampler = nullptr;
    UvRect rect;
    bool onPage = false;
    size_t v0 = 0, i0 = 0;
    int nv = 0, ni = 0;
    uint64_t key = 0;
    detail::PixRect box;
    Tex rt = 0;  // a render target it reads
    int rtW = 0, rtH = 0;
  };
  // The draws made into the bound target since it was cleared (fromClear)
  // or since it was last drawn (the list then adds to what it holds).
  struct Segment {
    bool open = false, fromClear = false;
    uint32_t clear = 0;
    std::vector<Rec> recs;
    std::vector<Vertex> verts;
    std::vector<uint16_t> idx;
    std::vector<Tex> textures;  // read by its draws
  };
  // What a target holds: the tiles of the list drawn last, the content
  // serials of the render targets that list read, and (for render targets)
  // the boxes changed by its own recent lists.
  struct Held {
    detail::TileDiff diff;
    std::unordered_map<Tex, uint64_t> seen;
    uint64_t serial = 1;
    std::vector<std::pair<uint64_t, detail::PixRect>> changes;  // the last few, oldest first
  };
  static constexpr size_t kKeptChanges = 16;

  // Whether draws are kept in lists now; a switch either way forgets what
  // every target was known to hold.
  bool Partial() {
    const bool on = detail::PartialRedrawEnabled();
    if (on != partialWas_) {
      Resolve();
      held_.clear();
      frameDirty_ = true;
      partialWas_ = on;
    }
    return on;
  }

  void Open(bool fromClear, uint32_t argb) {
    seg_.open = true;
    seg_.fromClear = fromClear;
    seg_.clear = argb;
    seg_.recs.clear();
    seg_.verts.clear();
    seg_.idx.clear();
    seg_.textures.clear();
  }

  // True when the open list reads texture t and t's pixels or size changed
  // since its GPU copy was made.
  bool WouldUpdate(Tex t) {
    if (seg_.recs.empty() || std::find(seg_.textures.begin(), seg_.textures.end(), t) == seg_.textures.end())
      return false;
    auto it = tex_.find(t);
    detail::TexInfo info;
    return it != tex_.end() && detail::Describe(t, info) && info.version != it->second.version;
  }

  uint64_t Generation(Tex t) const {
    if (t == 0) return backGeneration_;
    detail::TexInfo info;
    return detail::Describe(t, info) ? info.version : 0;
  }

  // The texels of render target t changed since serial `since` (the whole
  // target when that is longer ago than the kept changes tell).
  detail::PixRect ChangedSince(Tex t, uint64_t since, int w, int h) {
    Held& h2 = held_[t];
    if (since == h2.serial) return {};
    if (h2.changes.empty() || h2.changes.front().first > since + 1 || since > h2.serial) return {0, 0, w, h};
    detail::PixRect u;
    for (const auto& [serial, box] : h2.changes)
      if (serial > since) u = u.Union(box);
    return u;
  }

  // Notes that target t's pixels changed inside box.
  void Changed(Tex t, const detail::PixRect& box) {
    if (t == 0) {
      frameDirty_ = true;
      shownDamage_ = shownDamage_.Union(box);
      return;
    }
    Held& h = held_[t];
    h.changes.emplace_back(++h.serial, box);
    if (h.changes.size() > kKeptChanges) h.changes.erase(h.changes.begin());
  }

  // Draws the open list into the bound target: a list from a clear only in
  // the tiles that differ from what the target holds, any other in full.
  void Resolve() {
    if (!seg_.open) return;
    seg_.open = false;
    Flush();
    const int w = targetW_, h = targetH_;
    const detail::PixRect whole{0, 0, w, h};
    Held& held = held_[target_];
    if (!seg_.fromClear) {
      held.diff.Invalidate();
      held.seen.clear();
      if (seg_.recs.empty()) return;
      Replay(whole, false, false);
      Changed(target_, whole);
      return;
    }
    held.diff.Begin(w, h, Generation(target_), seg_.clear);
    std::unordered_map<Tex, uint64_t> seen;
    for (const Rec& r : seg_.recs) {
      held.diff.Add(r.key, r.box);
      if (!r.rt) continue;
      auto it = held.seen.find(r.rt);
      const detail::PixRect texels = it == held.seen.end() ? detail::PixRect{0, 0, r.rtW, r.rtH}
                                                           : ChangedSince(r.rt, it->second, r.rtW, r.rtH);
      seen[r.rt] = held_[r.rt].serial;
      if (!texels.Empty())
        held.diff.Damage(detail::SampledDamage(r.state, &seg_.verts[r.v0], r.nv, w, h, texels, r.rtW, r.rtH));
    }
    held.seen = std::move(seen);
    const std::vector<detail::PixRect> rects = held.diff.Finish();
    ++redraw_.lists;
    detail::PixRect changed;
    for (const detail::PixRect& r : rects) {
      Replay(r, true, !(r == whole));
      changed = changed.Union(r);
      redraw_.pixelsDrawn += uint64_t(r.x1 - r.x0) * uint64_t(r.y1 - r.y0);
    }
    if (rects.empty()) ++redraw_.untouched;
    else if (!(rects.size() == 1 && rects[0] == whole)) ++redraw_.partial;
    redraw_.pixels += uint64_t(w) * uint64_t(h);
    if (!changed.Empty()) Changed(target_, changed);
    if (detail::RedrawCheckEnabled()) Check();
  }

  // Draws the open list's draws that reach into box r (all of them when
  // not scissored), after the list's clear when `clear`.
  void Replay(const detail::PixRect& r, bool clear, bool scissor) {
    if (scissor) {
      glEnable(GL_SCISSOR_TEST);
      glScissor(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    }
    if (clear) ClearBound(seg_.clear);
    for (const Rec& d : seg_.recs)
      if (!scissor || d.box.Meets(r))
        Gather(d.prim, d.state, d.tex, d.sampler, d.rect, d.onPage, &seg_.verts[d.v0], d.nv,
               d.ni ? &seg_.idx[d.i0] : nullptr, d.ni);
    Flush();
    if (scissor) glDisable(GL_SCISSOR_TEST);
  }

  // The test seam's check: the list just resolved drawn again in full into
  // a copy of the target, and every pixel of the two compared.
  void Check() {
    const int w = targetW_, h = targetH_;
    Shadow& sh = shadows_[target_];
    if (!sh.tex) {
      glGenTextures(1, &sh.tex);
      glGenFramebuffers(1, &sh.fbo);
    }
    if (sh.w != w || sh.h != h) {
      glBindTexture(GL_TEXTURE_2D, sh.tex);
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
      glBindFramebuffer(GL_FRAMEBUFFER, sh.fbo);
      glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, sh.tex, 0);
      sh.w = w;
      sh.h = h;
    }
    GLint drawn = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &drawn);
    glBindFramebuffer(GL_FRAMEBUFFER, sh.fbo);
    Replay({0, 0, w, h}, true, false);
    std::vector<uint32_t> a(size_t(w) * size_t(h)), b(a.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, b.data());
    glBindFramebuffer(GL_FRAMEBUFFER, GLuint(drawn));
    glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, a.data());
    ++redraw_.checked;
    for (size_t i = 0; i < a.size(); ++i) {
      if (a[i] == b[i]) continue;
      ++redraw_.mismatched;
      std::fprintf(stderr, "gfx: redrawing what changed on target %u gave %08x at (%zu, %zu), the full redraw %08x\n",
                   unsigned(target_), a[i], i % size_t(w), i / size_t(w), b[i]);
      // Under JIGSAW_REDRAW_CHECK=1 (a whole program checked from outside)
      // a difference ends the program, so no run can pass over it.
      const char* env = std::getenv("JIGSAW_REDRAW_CHECK");
      if (env && *env && std::strcmp(env, "0") != 0) std::abort();
      break;
    }
  }

  struct Shadow {
    GLuint tex = 0, fbo = 0;
    int w = 0, h = 0;
  };
  void DropShadow(Tex t) {
    auto it = shadows_.find(t);
    if (it == shadows_.end()) return;
    glDeleteFramebuffers(1, &it->second.fbo);
    glDeleteTextures(1, &it->second.tex);
    shadows_.erase(it);
  }

  Segment seg_;
  std::unordered_map<Tex, Held> held_;
  std::unordered_map<Tex, Shadow> shadows_;
  bool partialWas_ = false;
  bool frameDirty_ = true;  // the back buffer changed since the last present
  IPt shown_;               // the window's size at the last present
  uint32_t shownAt_ = 0;    // and its time (SDL ticks)
  detail::WindowCopy windowCopy_;
  std::atomic<bool> exposed_{false};  // the window was uncovered since the last present
  bool windowKept_ = false;       // the window's back buffer holds the last frame shown
  detail::PixRect shownDamage_;  // the back buffer's pixels changed since
  static constexpr uint32_t kReshowMs = 1000;
  uint64_t backGeneration_ = 1;
  RedrawStats redraw_;

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
};

}  // namespace

namespace detail {
std::unique_ptr<Device> MakeGlDevice() { return std::make_unique<GlDevice>(); }
}  // namespace detail

}  // namespace plat::gfx
