// Redrawing only what changed, in the GL device (see gfx_redraw.h): the
// draws made into a target since its clear are kept as a list, compared
// tile by tile with the list the target holds, and redrawn, scissored, only
// where they differ.
#include <epoxy/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/gfx_gl.h"

namespace plat::gfx::detail {

// Whether draws are kept in lists now; a switch either way forgets what
// every target was known to hold.
bool GlDevice::Partial() {
  const bool on = detail::PartialRedrawEnabled();
  if (on != partialWas_) {
    Resolve();
    held_.clear();
    presenter_.MarkDirty();
    partialWas_ = on;
  }
  return on;
}

void GlDevice::Open(bool fromClear, uint32_t argb) {
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
bool GlDevice::WouldUpdate(Tex t) {
  if (seg_.recs.empty() || std::find(seg_.textures.begin(), seg_.textures.end(), t) == seg_.textures.end())
    return false;
  auto it = tex_.find(t);
  detail::TexInfo info;
  return it != tex_.end() && detail::Describe(t, info) && info.version != it->second.version;
}

uint64_t GlDevice::Generation(Tex t) const {
  if (t == 0) return backGeneration_;
  detail::TexInfo info;
  return detail::Describe(t, info) ? info.version : 0;
}

// The texels of render target t changed since serial `since` (the whole
// target when that is longer ago than the kept changes tell).
detail::PixRect GlDevice::ChangedSince(Tex t, uint64_t since, int w, int h) {
  HeldTarget& h2 = held_[t];
  if (since == h2.serial) return {};
  if (h2.changes.empty() || h2.changes.front().first > since + 1 || since > h2.serial) return {0, 0, w, h};
  detail::PixRect u;
  for (const auto& [serial, box] : h2.changes)
    if (serial > since) u = u.Union(box);
  return u;
}

// Notes that target t's pixels changed inside box.
void GlDevice::Changed(Tex t, const detail::PixRect& box) {
  if (t == 0) {
    presenter_.Damage(box);
    return;
  }
  HeldTarget& h = held_[t];
  h.changes.emplace_back(++h.serial, box);
  if (h.changes.size() > HeldTarget::kKeptChanges) h.changes.erase(h.changes.begin());
}

// Draws the open list into the bound target: a list from a clear only in
// the tiles that differ from what the target holds, any other in full.
void GlDevice::Resolve() {
  if (!seg_.open) return;
  seg_.open = false;
  Flush();
  const int w = targetW_, h = targetH_;
  const detail::PixRect whole{0, 0, w, h};
  HeldTarget& held = held_[target_];
  if (!seg_.fromClear) {
    held.diff.Invalidate();
    held.seen.clear();
    if (seg_.recs.empty()) return;
    Replay(whole, false, false);
    Changed(target_, whole);
    return;
  }
  held.diff.Begin(w, h, Generation(target_), seg_.clear, detail::RedrawTileSide());
  std::unordered_map<Tex, uint64_t> seen;
  for (const RedrawRec& r : seg_.recs) {
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
void GlDevice::Replay(const detail::PixRect& r, bool clear, bool scissor) {
  if (scissor) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
  }
  if (clear) ClearBound(seg_.clear);
  for (const RedrawRec& d : seg_.recs)
    if (!scissor || d.box.Meets(r))
      Gather(d.prim, d.state, d.tex, d.sampler, d.rect, d.onPage, &seg_.verts[d.v0], d.nv,
             d.ni ? &seg_.idx[d.i0] : nullptr, d.ni);
  Flush();
  if (scissor) glDisable(GL_SCISSOR_TEST);
}

// The test seam's check: the list just resolved drawn again in full into
// a copy of the target, and every pixel of the two compared.
void GlDevice::Check() {
  const int w = targetW_, h = targetH_;
  CheckCopy& sh = shadows_[target_];
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

void GlDevice::DropShadow(Tex t) {
  auto it = shadows_.find(t);
  if (it == shadows_.end()) return;
  glDeleteFramebuffers(1, &it->second.fbo);
  glDeleteTextures(1, &it->second.tex);
  shadows_.erase(it);
}

// A draw whose texture is resolved: gathered now, or kept in the list.
void GlDevice::DrawResolved(const State& s, Prim prim, const Vertex* v, int nv, const uint16_t* idx, int ni, GlTex* gt,
                  bool partial) {
  const GLuint glTex = gt ? NameOf(*gt) : 0;
  const bool onPage = gt && gt->page;
  const UvRect rect = onPage ? RectOf(*gt) : UvRect{};
  Sampler* sampler = gt ? &SamplerOf(*gt) : nullptr;
  if (!partial) {
    Gather(prim, s, glTex, sampler, rect, onPage, v, nv, idx, ni);
    return;
  }
  RedrawRec r;
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

}  // namespace plat::gfx::detail
