// The device front end: the chosen backend, the current state kept CPU-side,
// the scene and target bookkeeping and the test seams. Backends see only
// complete draws with the state they are drawn in.
#include "platform/gfx.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/gfx_device.h"

namespace plat::gfx {
namespace {

bool EnvOn(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr && *v != '\0' && std::strcmp(v, "0") != 0;
}
// Set to 0: a switch that is on unless asked otherwise.
bool EnvOff(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr && std::strcmp(v, "0") == 0;
}

struct Front {
  Backend backend = Backend::GL;
  std::unique_ptr<detail::Device> dev;
  State state;
  bool inScene = false;
  Tex target = 0;
  bool needsReset = false;
  Coop simulated = Coop::Ok;
  int failNext[4] = {0, 0, 0, 0};
  bool atlasing = true;
  bool pendingClears = true;
  bool partialRedraw = !EnvOn("JIGSAW_FULL_REDRAW");
  bool redrawCheck = EnvOn("JIGSAW_REDRAW_CHECK");
  bool ownSizeLinear = EnvOn("JIGSAW_OWN_SIZE_LINEAR");
  bool windowCopy = !EnvOff("JIGSAW_WINDOW_COPY");
  int redrawTile = 16;
  std::vector<Vertex> scratch;
};

Front& F() {
  static Front* f = new Front;
  return *f;
}

bool Consume(FailOp op) {
  int& n = F().failNext[int(op)];
  if (n <= 0) return false;
  --n;
  return true;
}

}  // namespace

namespace detail {
bool ConsumeRenderTargetFailure() { return Consume(FailOp::CreateRenderTarget); }
bool AtlasingEnabled() { return F().atlasing; }
bool PendingClearsEnabled() { return F().pendingClears; }
bool PartialRedrawEnabled() { return F().partialRedraw; }
bool RedrawCheckEnabled() { return F().redrawCheck; }
bool OwnSizeLinearEnabled() { return F().ownSizeLinear; }
bool WindowCopyEnabled() { return F().windowCopy; }
int RedrawTileSide() { return F().redrawTile; }
}  // namespace detail

void SetBackendForTests(Backend b) { F().backend = b; }
Backend CurrentBackend() { return F().backend; }

namespace {
// The redraw check's account, at the program's end (the game keeps its
// device to the last).
void PrintRedrawCheck() {
  if (!F().dev) return;
  const RedrawStats r = F().dev->Redraws();
  std::fprintf(stderr, "gfx: redraw check: %llu lists compared, %llu differed, %llu drawn in part, %llu not at all\n",
               static_cast<unsigned long long>(r.checked), static_cast<unsigned long long>(r.mismatched),
               static_cast<unsigned long long>(r.partial), static_cast<unsigned long long>(r.untouched));
}
}  // namespace

int CreateDevice(Window& window, int attempt, int backW, int backH) {
  Front& f = F();
  if (f.dev) return 0;
  if (Consume(FailOp::CreateDevice)) return -1;
  auto dev = f.backend == Backend::GL ? detail::MakeGlDevice() : detail::MakeRecordingDevice();
  if (dev->Create(window, attempt, backW, backH) != 0) return -1;
  f.dev = std::move(dev);
  f.inScene = false;
  f.target = 0;
  f.needsReset = false;
  const IPt size = f.dev->BackSize();
  f.dev->SetTarget(0, size.x, size.y);
  static bool accounted = false;
  if (f.redrawCheck && !accounted) accounted = std::atexit(PrintRedrawCheck) == 0;
  return 0;
}

void DestroyDevice() {
  Front& f = F();
  f.dev.reset();
  f.inScene = false;
  f.target = 0;
  f.needsReset = false;
  f.simulated = Coop::Ok;
}

bool HasDevice() { return F().dev != nullptr; }

Caps GetCaps() { return F().dev ? F().dev->GetCaps() : Caps{}; }
bool CheckMultisample4() { return GetCaps().multisample4; }
IPt BackBufferSize() { return F().dev ? F().dev->BackSize() : IPt{}; }

bool Reset(int backW, int backH) {
  Front& f = F();
  if (!f.dev) return false;
  f.inScene = false;
  if (backW <= 0 || backH <= 0 || Consume(FailOp::Reset) || !f.dev->Resize(backW, backH)) {
    f.needsReset = true;
    return false;
  }
  f.needsReset = false;
  if (f.simulated == Coop::NotReset) f.simulated = Coop::Ok;
  if (f.target == 0) f.dev->SetTarget(0, backW, backH);
  return true;
}

Coop TestCooperativeLevel() {
  Front& f = F();
  if (f.simulated != Coop::Ok) return f.simulated;
  return f.needsReset ? Coop::NotReset : Coop::Ok;
}

void SimulateCoopForTests(Coop c) { F().simulated = c; }
void FailNextForTests(FailOp op, int count) { F().failNext[int(op)] = std::max(count, 0); }
void SetAtlasingForTests(bool on) { F().atlasing = on; }
void SetPendingClearsForTests(bool on) { F().pendingClears = on; }
void SetPartialRedraw(bool on) { F().partialRedraw = on; }
bool PartialRedraw() { return F().partialRedraw; }
void SetRedrawCheckForTests(bool on) { F().redrawCheck = on; }
void SetOwnSizeLinear(bool on) { F().ownSizeLinear = on; }
void SetWindowCopy(bool on) { F().windowCopy = on; }
void SetRedrawTile(int side) { F().redrawTile = side == 32 ? 32 : 16; }
RedrawStats GetRedrawStats() { return F().dev ? F().dev->Redraws() : RedrawStats{}; }

bool SetRenderTarget(Tex t) {
  Front& f = F();
  if (!f.dev) return false;
  int w = 0, h = 0;
  if (t == 0) {
    const IPt s = f.dev->BackSize();
    w = s.x;
    h = s.y;
  } else {
    detail::TexInfo info;
    if (!detail::Describe(t, info) || !info.renderTarget) return false;
    w = info.w;
    h = info.h;
  }
  f.target = t;
  f.dev->SetTarget(t, w, h);
  return true;
}

Tex RenderTarget() { return F().target; }

void Clear(uint32_t argb) {
  if (F().dev) F().dev->Clear(argb);
}

bool BeginScene() {
  Front& f = F();
  if (!f.dev || f.inScene || TestCooperativeLevel() != Coop::Ok || Consume(FailOp::BeginScene)) return false;
  f.inScene = true;
  f.dev->BeginScene();
  return true;
}

bool EndScene() {
  Front& f = F();
  if (!f.dev || !f.inScene) return false;
  f.inScene = false;
  f.dev->EndScene();
  return true;
}

bool InScene() { return F().inScene; }

void Present() {
  if (F().dev && TestCooperativeLevel() == Coop::Ok) F().dev->Present();
}

void Finish() {
  if (F().dev) F().dev->Finish();
}

bool OnlyCleared(Tex t, uint32_t* argb) { return t != 0 && F().dev && F().dev->OnlyCleared(t, argb); }

bool ReadPixels(Tex t, Image& out) {
  out = Image{};
  detail::TexInfo info;
  if (t != 0 && !detail::Describe(t, info)) return false;
  if (t != 0 && !info.renderTarget) {
    return detail::WithPixels(t, [&](const detail::TexInfo& i, const uint32_t* px) {
      out.w = i.w;
      out.h = i.h;
      out.argb.assign(px, px + size_t(i.w) * size_t(i.h));
    });
  }
  return F().dev && F().dev->ReadTarget(t, out);
}

Stats GetStats() {
  if (!F().dev) return {};
  return {F().dev->Batches(), F().dev->Uploads(), F().dev->AtlasPages()};
}

// ---- state
void SetTransform(Xf which, const Mat4& m) {
  State& s = F().state;
  (which == Xf::World ? s.world : which == Xf::View ? s.view : s.projection) = m;
}
const Mat4& GetTransform(Xf which) {
  const State& s = F().state;
  return which == Xf::World ? s.world : which == Xf::View ? s.view : s.projection;
}
void SetTexture(Tex t) { F().state.texture = t; }
void SetAlphaBlend(bool on) { F().state.alphaBlend = on; }
void SetBlendFunc(Blend src, Blend dst) {
  F().state.src = src;
  F().state.dst = dst;
}
void SetColorOp(ColorOp op) { F().state.colorOp = op; }
void SetPointSprite(bool on) { F().state.pointSprite = on; }
void SetPointScale(bool on, float a, float b, float c) {
  State& s = F().state;
  s.pointScale = on;
  s.scaleA = a;
  s.scaleB = b;
  s.scaleC = c;
}
void SetPointSize(float size) { F().state.pointSize = size; }
void SetPointSizeMin(float size) { F().state.pointSizeMin = size; }
void SetFilter(Filter mag, Filter min) {
  F().state.mag = mag;
  F().state.min = min;
}
void SetMaxAnisotropy(float v) { F().state.maxAnisotropy = std::max(v, 1.0f); }
void SetMultisampleAA(bool on) { F().state.multisampleAA = on; }
const State& CurrentState() { return F().state; }

// ---- draws
bool DrawTriangles(const Vertex* v, int nv, const uint16_t* idx, int ntri) {
  Front& f = F();
  if (!f.inScene || !v || !idx || nv <= 0 || ntri <= 0 || ntri > INT_MAX / 3) return false;
  const int ni = ntri * 3;
  for (int i = 0; i < ni; ++i)
    if (idx[i] >= nv) return false;
  f.dev->Draw(f.state, Prim::Triangles, v, nv, idx, ni);
  return true;
}

bool DrawLines(const Vertex* v, int nlines) {
  Front& f = F();
  if (!f.inScene || !v || nlines <= 0 || nlines > INT_MAX / 2) return false;
  f.dev->Draw(f.state, Prim::Lines, v, nlines * 2, nullptr, 0);
  return true;
}

bool DrawPoints(const PointVertex* v, int n) {
  Front& f = F();
  if (!f.inScene || !v || n <= 0) return false;
  f.scratch.resize(size_t(n));
  for (int i = 0; i < n; ++i) f.scratch[size_t(i)] = Vertex{v[i].x, v[i].y, v[i].z, v[i].argb, 0.0f, 0.0f};
  f.dev->Draw(f.state, Prim::Points, f.scratch.data(), n, nullptr, 0);
  return true;
}

}  // namespace plat::gfx
