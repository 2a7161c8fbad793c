// The texture table: CPU-side ARGB pixels for every texture, guarded by one
// lock so the loader thread can create, lock, fill and release textures while
// the drawing thread draws. Backends read the table to make their GPU copies.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/gfx_device.h"

namespace plat::gfx {
namespace {

// Sides above this are refused, so a damaged size never asks for gigabytes.
constexpr int kMaxSide = 16384;

struct Entry {
  detail::TexInfo info;
  std::vector<uint32_t> pixels;  // empty for render targets
};

struct Table {
  std::mutex mu;
  std::unordered_map<Tex, Entry> entries;
  std::vector<Tex> released;
  Tex next = 1;
};

// Never destroyed: textures may be released from static destructors.
Table& T() {
  static Table* t = new Table;
  return *t;
}

bool SizeOk(int w, int h) { return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide; }

Tex Add(Entry&& e) {
  Table& t = T();
  std::lock_guard<std::mutex> lock(t.mu);
  const Tex id = t.next++;
  e.info.version = 1;
  t.entries.emplace(id, std::move(e));
  return id;
}

}  // namespace

Tex CreateTexture(int w, int h) {
  if (!SizeOk(w, h)) return 0;
  Entry e;
  e.info.w = w;
  e.info.h = h;
  e.pixels.assign(size_t(w) * size_t(h), 0u);
  return Add(std::move(e));
}

Tex CreateTextureFromImage(const Image& img) {
  if (!SizeOk(img.w, img.h) || img.argb.size() < size_t(img.w) * size_t(img.h)) return 0;
  Entry e;
  e.info.w = img.w;
  e.info.h = img.h;
  e.pixels.assign(img.argb.begin(), img.argb.begin() + ptrdiff_t(img.w) * img.h);
  return Add(std::move(e));
}

Tex CreateTextureFromImage(Image&& img) {
  if (!SizeOk(img.w, img.h) || img.argb.size() != size_t(img.w) * size_t(img.h))
    return CreateTextureFromImage(static_cast<const Image&>(img));
  Entry e;
  e.info.w = img.w;
  e.info.h = img.h;
  e.pixels = std::move(img.argb);
  img = Image{};
  return Add(std::move(e));
}

namespace detail {
bool ConsumeRenderTargetFailure();
}

Tex CreateRenderTarget(int w, int h) {
  if (!SizeOk(w, h) || detail::ConsumeRenderTargetFailure()) return 0;
  Entry e;
  e.info.w = w;
  e.info.h = h;
  e.info.renderTarget = true;
  return Add(std::move(e));
}

bool ResizeRenderTarget(Tex t, int w, int h) {
  if (!SizeOk(w, h)) return false;
  Table& tb = T();
  std::lock_guard<std::mutex> lock(tb.mu);
  auto it = tb.entries.find(t);
  if (it == tb.entries.end() || !it->second.info.renderTarget) return false;
  it->second.info.w = w;
  it->second.info.h = h;
  ++it->second.info.version;
  return true;
}

bool TextureSize(Tex t, int* w, int* h) {
  detail::TexInfo info;
  if (!detail::Describe(t, info)) return false;
  if (w) *w = info.w;
  if (h) *h = info.h;
  return true;
}

bool IsRenderTarget(Tex t) {
  detail::TexInfo info;
  return detail::Describe(t, info) && info.renderTarget;
}

uint32_t* Lock(Tex t) {
  Table& tb = T();
  std::lock_guard<std::mutex> lock(tb.mu);
  auto it = tb.entries.find(t);
  if (it == tb.entries.end() || it->second.info.renderTarget || it->second.info.locked) return nullptr;
  it->second.info.locked = true;
  return it->second.pixels.data();
}

bool Unlock(Tex t) {
  Table& tb = T();
  std::lock_guard<std::mutex> lock(tb.mu);
  auto it = tb.entries.find(t);
  if (it == tb.entries.end() || !it->second.info.locked) return false;
  it->second.info.locked = false;
  ++it->second.info.version;
  return true;
}

bool Release(Tex t) {
  Table& tb = T();
  std::lock_guard<std::mutex> lock(tb.mu);
  auto it = tb.entries.find(t);
  if (it == tb.entries.end()) return false;
  tb.entries.erase(it);
  tb.released.push_back(t);
  return true;
}

size_t LiveTextures() {
  Table& tb = T();
  std::lock_guard<std::mutex> lock(tb.mu);
  return tb.entries.size();
}

namespace detail {

bool Describe(Tex t, TexInfo& out) {
  if (t == 0) return false;
  Table& tb = T();
  std::lock_guard<std::mutex> lock(tb.mu);
  auto it = tb.entries.find(t);
  if (it == tb.entries.end()) return false;
  out = it->second.info;
  return true;
}

bool WithPixels(Tex t, const std::function<void(const TexInfo&, const uint32_t*)>& fn) {
  Table& tb = T();
  std::lock_guard<std::mutex> lock(tb.mu);
  auto it = tb.entries.find(t);
  if (it == tb.entries.end() || it->second.info.renderTarget || it->second.info.locked) return false;
  fn(it->second.info, it->second.pixels.data());
  return true;
}

std::vector<Tex> TakeReleased() {
  Table& tb = T();
  std::lock_guard<std::mutex> lock(tb.mu);
  std::vector<Tex> out;
  out.swap(tb.released);
  return out;
}

}  // namespace detail
}  // namespace plat::gfx
