// Shelf placement on an atlas page and the clamped padding of a texture's
// pixels; see gfx_atlas.h.
#include "platform/gfx_atlas.h"

#include <algorithm>

namespace plat::gfx::detail {

bool AtlasPacker::TakeSpan(Shelf& s, int w, int* x) {
  for (size_t i = 0; i < s.free.size(); ++i) {
    Span& sp = s.free[i];
    if (sp.w < w) continue;
    *x = sp.x;
    sp.x += w;
    sp.w -= w;
    if (sp.w == 0) s.free.erase(s.free.begin() + ptrdiff_t(i));
    ++s.live;
    return true;
  }
  return false;
}

bool AtlasPacker::Place(int w, int h, IPt* out) {
  if (w <= 0 || h <= 0 || w > side_ || h > side_) return false;
  const int cls = std::min((h + kShelfStep - 1) / kShelfStep * kShelfStep, side_);
  int x = 0;
  // A shelf of the rectangle's own class first, then an empty shelf tall
  // enough (the lowest such, so little height goes unused).
  for (Shelf& s : shelves_) {
    if (s.h == cls && TakeSpan(s, w, &x)) {
      *out = {x, s.y};
      ++live_;
      return true;
    }
  }
  Shelf* empty = nullptr;
  for (Shelf& s : shelves_)
    if (s.live == 0 && s.h >= cls && (!empty || s.h < empty->h)) empty = &s;
  if (empty) {
    empty->free.assign(1, Span{0, side_});
    TakeSpan(*empty, w, &x);
    *out = {x, empty->y};
    ++live_;
    return true;
  }
  if (top_ + cls > side_) return false;
  Shelf s;
  s.y = top_;
  s.h = cls;
  s.free.push_back(Span{0, side_});
  TakeSpan(s, w, &x);
  shelves_.push_back(std::move(s));
  top_ += cls;
  *out = {x, shelves_.back().y};
  ++live_;
  return true;
}

void AtlasPacker::Free(IPt at, int w, int h) {
  auto it = std::find_if(shelves_.begin(), shelves_.end(), [&](const Shelf& s) { return s.y == at.y; });
  if (it == shelves_.end() || h > it->h || w <= 0 || it->live <= 0) return;
  Shelf& s = *it;
  // Insert the span in x order, then merge it with touching neighbours.
  auto pos = std::lower_bound(s.free.begin(), s.free.end(), at.x, [](const Span& sp, int x) { return sp.x < x; });
  pos = s.free.insert(pos, Span{at.x, w});
  if (pos + 1 != s.free.end() && pos->x + pos->w == (pos + 1)->x) {
    pos->w += (pos + 1)->w;
    s.free.erase(pos + 1);
  }
  if (pos != s.free.begin() && (pos - 1)->x + (pos - 1)->w == pos->x) {
    (pos - 1)->w += pos->w;
    s.free.erase(pos);
  }
  --s.live;
  --live_;
  // Empty shelves at the bottom of the used part go back to the page.
  while (!shelves_.empty() && shelves_.back().live == 0) {
    top_ = shelves_.back().y;
    shelves_.pop_back();
  }
}

void PadClamped(const uint32_t* src, int w, int h, int pad, std::vector<uint32_t>& out) {
  if (w <= 0 || h <= 0) {
    out.clear();
    return;
  }
  const int pw = w + 2 * pad, ph = h + 2 * pad;
  out.resize(size_t(pw) * size_t(ph));
  for (int y = 0; y < ph; ++y) {
    const uint32_t* row = src + size_t(std::clamp(y - pad, 0, h - 1)) * size_t(w);
    uint32_t* dst = out.data() + size_t(y) * size_t(pw);
    std::fill(dst, dst + pad, row[0]);
    std::copy(row, row + w, dst + pad);
    std::fill(dst + pad + w, dst + pw, row[w - 1]);
  }
}

}  // namespace plat::gfx::detail
