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
// place has a border of kAtlasPad texels repeating its own edge texels,
// which filtering reads as it would read a texture of its own with
// clamp-to-edge addressing (point and linear filtering reach at most one
// texel past an edge; anisotropic filtering of a quad squeezed several
// times more one way than the other could reach further and read a
// neighbour's texels there).
//
// Addressing, axis by axis: a draw whose u (or v) coordinates stay within
// 0..1 reads its texture clamped to the edges on that axis, so a quad drawn
// scaled (the letterboxed screen) shows its own edge texels at its edges and
// never a filtered share of the opposite edge; drawn at its texture's own
// size it reads texel centres, where clamping and wrapping read the same.
// The device has no addressing state of its own: wrapping is what a draw
// with coordinates outside 0..1 on an axis asks for, and only that axis of
// such a draw gets it (a border tile repeated along the page's edge wraps
// along it and stays clamped across it). A texture the first time it is
// drawn with such coordinates leaves its page for good and gets a
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
#include "platform/gfx_gl.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>
#include <cstdio>

#include "platform/window.h"

namespace plat::gfx::detail {
namespace {

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

// True when a coordinate lies outside 0..1 (or is not a number).
// Which axes of a draw's texture coordinates leave 0..1: kWrapU, kWrapV.
int AxesOutsideUnit(const Vertex* v, int n) {
  int axes = 0;
  for (int i = 0; i < n; ++i) {
    if (!(v[i].u >= 0.0f && v[i].u <= 1.0f)) axes |= kWrapU;
    if (!(v[i].v >= 0.0f && v[i].v <= 1.0f)) axes |= kWrapV;
  }
  return axes;
}
bool OutsideUnit(const Vertex* v, int n) { return AxesOutsideUnit(v, n) != 0; }

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

}  // namespace

GlDevice::~GlDevice() {
  presenter_.Close();
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

int GlDevice::Create(Window& window, int attempt, int backW, int backH) {
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
  presenter_.Open(win_);
  if (backW <= 0 || backH <= 0) {
    const IPt client = window.ClientSize();
    backW = client.x;
    backH = client.y;
  }
  if (!Resize(backW, backH)) return -1;
  return 0;
}

bool GlDevice::Resize(int w, int h) {
  if (w <= 0 || h <= 0 || w > maxSize_ || h > maxSize_) return false;
  Resolve();
  Flush();
  ++backGeneration_;
  presenter_.Invalidate();
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

void GlDevice::BeginScene() {
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

void GlDevice::EndScene() {
  Resolve();
  Flush();
}

void GlDevice::SetTarget(Tex target, int w, int h) {
  Resolve();
  Flush();
  target_ = target;
  targetW_ = w;
  targetH_ = h;
  BindTarget();
}

void GlDevice::Clear(uint32_t argb) {
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

// Makes the pending clear of target t, if there is one; the bound target
// stays bound afterwards.
void GlDevice::SettleClear(Tex t) {
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

void GlDevice::ClearBound(uint32_t argb) {
  glClearColor(float((argb >> 16) & 0xFF) / 255.0f, float((argb >> 8) & 0xFF) / 255.0f, float(argb & 0xFF) / 255.0f,
               float(argb >> 24) / 255.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

void GlDevice::Draw(const State& s, Prim prim, const Vertex* v, int nv, const uint16_t* idx, int ni) {
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

// Adds a draw to the batch, sending the batch first when the draw cannot
// join it. `onPage`: the coordinates are moved into `rect`. A texture of
// its own is read with wrapped addressing only on the axes on which a draw's
// coordinates leave 0..1 (a repeated image); on the other axes, and for any
// other draw (point sprites included, whose coordinates run over 0..1), it
// is read clamped to its edges, as a texture on a page reads its border, so
// filtering at a quad's edge never takes colour from the opposite edge.
void GlDevice::Gather(Prim prim, const State& s, GLuint glTex, Sampler* sampler, const UvRect& rect, bool onPage,
            const Vertex* v, int nv, const uint16_t* idx, int ni) {
  const bool sprite = prim == Prim::Points && s.pointSprite;
  const int wrap = glTex && !onPage && !sprite ? AxesOutsideUnit(v, nv) : 0;
  if (!verts_.empty() && (prim != batchPrim_ || glTex != batchTex_ || wrap != batchWrap_ ||
                          (sprite && !(rect == batchRect_)) || !SameButTexture(s, batchState_) ||
                          verts_.size() + size_t(nv) > kMaxBatchVertices))
    Flush();
  if (verts_.empty()) {
    batchPrim_ = prim;
    batchState_ = s;
    batchTex_ = glTex;
    batchSampler_ = sampler;
    batchRect_ = rect;
    batchWrap_ = wrap;
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

void GlDevice::Present() {
  Resolve();
  Flush();
  if (!presenter_.Present(backFbo_, back_, partialWas_)) ++redraw_.presentsSkipped;
  BindTarget();
}

void GlDevice::Finish() {
  Resolve();
  Flush();
  glFinish();
}

bool GlDevice::ReadTarget(Tex target, Image& out) {
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

bool GlDevice::Setup() {
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

void GlDevice::DeleteGl(GlTex& t) {
  if (t.fbo) glDeleteFramebuffers(1, &t.fbo);
  if (t.tex) glDeleteTextures(1, &t.tex);
  t = GlTex{};
}

UvRect GlDevice::RectOf(const GlTex& g) const {
  const float side = float(pageSide_);
  return {float(g.at.x) / side, float(g.at.y) / side, float(g.w) / side, float(g.h) / side};
}

// A place for a w × h texture on a page with room, opening a new page
// when none has any; false when the pages are all full or the GL refuses
// a new one.
bool GlDevice::PlaceOnPage(GlTex& g, int w, int h) {
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
  p->sampler.wrapS = p->sampler.wrapT = GL_CLAMP_TO_EDGE;  // draws from a page never wrap
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
void GlDevice::LeavePage(GlTex& g, bool now) {
  const IPt corner{g.at.x - kAtlasPad, g.at.y - kAtlasPad}, size{g.w + 2 * kAtlasPad, g.h + 2 * kAtlasPad};
  if (now) g.page->packer.Free(corner, size.x, size.y);
  else g.page->leaving.emplace_back(corner, size);
  g.page = nullptr;
}

// Copies a texture's pixels with their border into its place on its page;
// false while the texture is locked.
bool GlDevice::UploadToPage(Tex t, GlTex& g) {
  return detail::WithPixels(t, [&](const detail::TexInfo& i, const uint32_t* px) {
    detail::PadClamped(px, i.w, i.h, kAtlasPad, padded_);
    glBindTexture(GL_TEXTURE_2D, g.page->tex);
    glTexSubImage2D(GL_TEXTURE_2D, 0, g.at.x - kAtlasPad, g.at.y - kAtlasPad, i.w + 2 * kAtlasPad, i.h + 2 * kAtlasPad,
                    GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, padded_.data());
    g.version = i.version;
  });
}

void GlDevice::BindTarget() {
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
GlTex* GlDevice::Ensure(Tex t, bool repeats) {
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
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  g.sampler = Sampler{};  // filters and addressing are set as its draws are sent
  return &g;
}

void GlDevice::ApplyFilter(Sampler& g, const State& s, int wrap) {
  const GLint mag = s.mag == Filter::Point ? GL_NEAREST : GL_LINEAR;
  const GLint min = s.min == Filter::Point ? GL_NEAREST : GL_LINEAR;
  const float aniso =
      s.min == Filter::Anisotropic && hasAniso_ ? std::clamp(s.maxAnisotropy, 1.0f, caps_.maxAnisotropy) : 1.0f;
  if (g.mag != mag) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, g.mag = mag);
  if (g.min != min) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, g.min = min);
  if (hasAniso_ && g.aniso != aniso) glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, g.aniso = aniso);
  const GLint uAddress = wrap & kWrapU ? GL_REPEAT : GL_CLAMP_TO_EDGE;
  const GLint vAddress = wrap & kWrapV ? GL_REPEAT : GL_CLAMP_TO_EDGE;
  if (g.wrapS != uAddress) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, g.wrapS = uAddress);
  if (g.wrapT != vAddress) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, g.wrapT = vAddress);
}

void GlDevice::Flush() {
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
    ApplyFilter(*batchSampler_, s, batchWrap_);
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
  batchWrap_ = 0;
}

std::unique_ptr<Device> MakeGlDevice() { return std::make_unique<GlDevice>(); }

}  // namespace plat::gfx::detail
