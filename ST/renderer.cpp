#include "ST/renderer.h"

#include <string>

#include "platform/sys.h"
#include "platform/window.h"

namespace ZOV {

namespace gfx = plat::gfx;

namespace {

// The device is asked for five times over, each attempt a little less
// demanding (see plat::gfx::CreateDevice).
constexpr int kCreateAttempts = 5;

}  // namespace

JINGFX::JINGFX() {
  plat::PrintLine("Grafix init... ");
  const plat::AdapterId id = plat::Adapter();
  const std::string bar(40, '=');
  plat::PrintLine(bar);
  plat::PrintLine("About hardware:");
  plat::PrintLine("D3D Driver:    " + id.driver);
  plat::PrintLine("Description:   " + id.description);
  plat::PrintLine(bar);
}

JINGFX::~JINGFX() {
  if (!ownsDevice_) return;
  if (screenTexture) gfx::Release(gfx::Tex(screenTexture));
  if (defaultTexture) gfx::Release(gfx::Tex(defaultTexture));
  gfx::DestroyDevice();
}

int JINGFX::Init(plat::Window& wnd) {
  window = &wnd;
  if (gfx::HasDevice()) gfx::DestroyDevice();  // one renderer per run; tests make several in turn
  deviceReady = false;
  present.windowed = true;
  present.backW = present.backH = 0;  // the window's client size
  present.fullFormat = false;
  present.vsync = true;

  attemptUsed = -1;
  for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
    if (gfx::CreateDevice(wnd, attempt, 0, 0) == 0) {
      attemptUsed = attempt;
      break;
    }
  }
  if (attemptUsed < 0) return -2;
  ownsDevice_ = true;
  caps = gfx::GetCaps();
  if (present.multiSample != 0 && !gfx::CheckMultisample4()) {
    plat::PrintLine("CheckDeviceMultiSampleType NO");
    present.multiSample = 0;
  }

  const plat::IPt back = gfx::BackBufferSize();
  present.backW = back.x;
  present.backH = back.y;
  modeW = back.x;
  modeH = back.y;
  modeFull = false;
  wnd.SetBackBufferSize(back.x, back.y);

  screenTexture = gfx::CreateRenderTarget(back.x, back.y);
  if (!screenTexture) {
    plat::MessageBox(nullptr, "!!!PipeC!!!", "Message");
    return -2;  // every frame draws into the screen texture: nothing works without it
  }

  SetDefaultView();

  gfx::SetMultisampleAA(present.multiSample != 0);
  gfx::SetMaxAnisotropy(caps.maxAnisotropy);
  plat::PrintLine("D3DSAMP_MAXANISOTROPY: " + std::to_string(long(caps.maxAnisotropy)));

  defaultTexture = gfx::CreateTexture(8, 8);
  if (uint32_t* px = gfx::Lock(gfx::Tex(defaultTexture))) {
    for (int i = 0; i < 64; ++i) px[i] = 0xFFFFFFFFu;
    gfx::Unlock(gfx::Tex(defaultTexture));
  }
  lastTexture = defaultTexture;
  lastTextureSize = JST::iPOINT(8, 8);

  framePhase = 0;
  deviceReady = true;
  plat::PrintLine("Grafix ok");
  return 0;
}

int JINGFX::BeginFrame() {
  if (framePhase != 0 || !deviceReady) return -1;
  switch (gfx::TestCooperativeLevel()) {
    case gfx::Coop::Lost: return -1;
    // No scene opens this frame: the rest of its calls return -1.
    case gfx::Coop::NotReset: return ResetDevice() == 0 ? 2 : -1;
    case gfx::Coop::Ok: break;
  }
  gfx::SetRenderTarget(gfx::Tex(screenTexture));
  gfx::Clear(uint32_t(clearColor));
  if (!gfx::BeginScene()) return -1;
  framePhase = 1;
  return 0;
}

int JINGFX::EndFrame() {
  if (framePhase != 1) return -1;
  framePhase = 2;
  gfx::EndScene();
  return 0;
}

int JINGFX::BeginPostFrame() {
  if (framePhase != 2) return -1;
  gfx::SetRenderTarget(0);
  gfx::Clear(uint32_t(clearColor));
  if (!gfx::BeginScene()) {
    plat::PrintLine("Rendering cancel");
    framePhase = 0;  // the next frame starts afresh instead of waiting here for ever
    return -1;
  }
  framePhase = 3;
  const float w = float(BackW()), h = float(BackH());
  staging[0] = Vertex{0, 0, 0, 0xFFFFFFFFu, 0, 0};
  staging[1] = Vertex{0, h, 0, 0xFFFFFFFFu, 0, 1};
  staging[2] = Vertex{w, h, 0, 0xFFFFFFFFu, 1, 1};
  staging[3] = Vertex{w, 0, 0, 0xFFFFFFFFu, 1, 0};
  gfx::SetTexture(gfx::Tex(screenTexture));
  SetBlendMode(1);
  SetDefaultView();
  // A main pass that drew nothing (the menus and the loading screen draw
  // everything in this pass) leaves the screen texture holding the clear
  // colour alone. Copied opaque (or fully transparent) over the back buffer
  // just cleared to the same colour, it would change no pixel: the copy, a
  // full-screen pass, is left out, and the screen texture is never filled.
  uint32_t only = 0;
  const bool plain = gfx::OnlyCleared(gfx::Tex(screenTexture), &only) && only == uint32_t(clearColor) &&
                     ((only >> 24) == 0xFFu || (only >> 24) == 0u);
  if (!plain) RenderBuffer(1);
  SetAdaptScreen(logicalW, logicalH);
  return 0;
}

int JINGFX::EndPostFrame() {
  if (FinishPostFrame() != 0) return -1;
  return PresentFrame();
}

int JINGFX::FinishPostFrame() {
  if (framePhase != 3) return -1;
  gfx::EndScene();
  framePhase = 4;
  return 0;
}

int JINGFX::PresentFrame() {
  if (framePhase != 4) return -1;
  gfx::Present();
  framePhase = 0;
  return 0;
}

int JINGFX::ResetDevice() {
  if (!gfx::Reset(BackW(), BackH())) return -1;
  if (!gfx::ResizeRenderTarget(gfx::Tex(screenTexture), BackW(), BackH()))
    screenTexture = gfx::CreateRenderTarget(BackW(), BackH());
  if (window) window->SetBackBufferSize(BackW(), BackH());
  SetDefaultView();
  // The letterbox again (when one is set), so the next main pass is drawn
  // through it as every other main pass is.
  SetAdaptScreen(logicalW, logicalH);
  return 0;
}

int JINGFX::ChangeVideoMode(int w, int h, bool full) {
  if (w == modeW && h == modeH && full == modeFull) return 0;
  if (!deviceReady || w <= 0 || h <= 0) return -1;
  auto line = [](const char* step) { plat::PrintLine(std::string("ChangeVideoMode...") + step); };
  line("");
  line("1");
  line("2");
  line("3");
  line("4");
  line("5");
  line("6");
  line("7");
  // What a failed reset puts back: taken before any step changes the mode.
  const PresentParams old = present;
  present.fullFormat = full;
  line("9");
  if (present.multiSample != 0 && !gfx::CheckMultisample4()) {
    plat::PrintLine("ChanegeVideoMode() CheckDeviceMultiSampleType NO");
    present.multiSample = 0;
  }
  line("10");
  const int oldW = modeW, oldH = modeH;
  const bool oldFull = modeFull;
  present.backW = w;
  present.backH = h;
  modeW = w;
  modeH = h;
  modeFull = full;
  line("11");
  line("11.5");
  if (!gfx::Reset(w, h)) {
    // Keep the old size; the device now asks for a reset, which the next
    // frame performs at that size.
    present.backW = old.backW;
    present.backH = old.backH;
    present.fullFormat = old.fullFormat;
    modeW = oldW;
    modeH = oldH;
    modeFull = oldFull;
    plat::PrintLine("ChangeVideoMode failed, keeping " + std::to_string(oldW) + "x" + std::to_string(oldH));
    return -1;
  }
  line("12");
  if (!gfx::ResizeRenderTarget(gfx::Tex(screenTexture), w, h)) screenTexture = gfx::CreateRenderTarget(w, h);
  line("12.3");
  line("12.6");
  if (window) window->SetBackBufferSize(w, h);
  line("13");
  line("17");
  line("18");
  line("19");
  line("20");
  gfx::SetMultisampleAA(present.multiSample != 0);
  line("21");
  line("22");
  line("23");
  SetDefaultView();
  plat::PrintLine("change video mode ok");
  return 0;
}

void JINGFX::SetQuality(int q) {
  if (q == 0) present.multiSample = 0;
  if (q == 1) present.multiSample = 4;
}

void JINGFX::SetAnisotropic(bool on) {
  // A scaled logical screen always needs filtering.
  if (GetBackWidth() != BackW() && GetBackHeight() != BackH()) on = true;
  if (!on) {
    gfx::SetFilter(gfx::Filter::Point, gfx::Filter::Point);
    return;
  }
  gfx::SetFilter(caps.magAniso ? gfx::Filter::Anisotropic : gfx::Filter::Linear,
                 caps.minAniso ? gfx::Filter::Anisotropic : gfx::Filter::Linear);
}

void JINGFX::fGetAvailableResolution(std::vector<JST::iPOINT>& list) {
  list.clear();
  for (const plat::Mode& m : plat::DisplayModes())
    if (m.h <= m.w && m.hz == 60) list.emplace_back(m.w, m.h);
}

int JINGFX::GetBackWidth() const { return logicalW > 0 ? logicalW : BackW(); }
int JINGFX::GetBackHeight() const { return logicalH > 0 ? logicalH : BackH(); }

void JINGFX::SetBackBuffer(int w, int h) {
  if (w > 0 && h > 0) {
    present.backW = w;
    present.backH = h;
  }
}

int JINGFX::GetTextureW(unsigned long tex) const { return GetTextureWH(tex).x; }

int JINGFX::GetTextureH(unsigned long tex) const { return GetTextureWH(tex).y; }

JST::iPOINT JINGFX::GetTextureWH(unsigned long tex) const {
  int w = 0, h = 0;
  if (!HandleInRange(tex) || !gfx::TextureSize(gfx::Tex(tex), &w, &h)) return JST::iPOINT(-1, -1);
  return JST::iPOINT(w, h);
}

int JINGFX::TextureFree(unsigned long tex) {
  // The renderer's own textures are never given away.
  if (tex == defaultTexture || tex == screenTexture || !HandleInRange(tex)) return -1;
  return gfx::Release(gfx::Tex(tex)) ? 0 : -1;
}

int JINGFX::SetBlendMode(int mode) {
  if (mode == blendMode) return 1;
  if (mode < 0 || mode > 5) return 0;
  blendMode = mode;
  using gfx::Blend;
  switch (mode) {
    case 0:
      gfx::SetAlphaBlend(false);
      gfx::SetBlendFunc(Blend::SrcAlpha, Blend::InvSrcAlpha);
      gfx::SetColorOp(gfx::ColorOp::Modulate);
      break;
    case 1:
      gfx::SetAlphaBlend(true);
      gfx::SetBlendFunc(Blend::SrcAlpha, Blend::InvSrcAlpha);
      gfx::SetColorOp(gfx::ColorOp::Modulate);
      break;
    case 2:
      gfx::SetAlphaBlend(true);
      gfx::SetBlendFunc(Blend::SrcAlpha, Blend::One);
      gfx::SetColorOp(gfx::ColorOp::Modulate);
      break;
    case 3:
      gfx::SetAlphaBlend(true);
      gfx::SetBlendFunc(Blend::SrcAlpha, Blend::One);
      gfx::SetColorOp(gfx::ColorOp::Add);
      break;
    case 4:  // the colour operation is left as it was
      gfx::SetAlphaBlend(true);
      gfx::SetBlendFunc(Blend::SrcAlpha, Blend::InvSrcAlpha);
      gfx::SetPointSprite(true);
      gfx::SetPointScale(true, 0.0f, 0.0f, 1.0f);
      gfx::SetPointSizeMin(0.0f);
      break;
    case 5:
      gfx::SetAlphaBlend(true);
      gfx::SetBlendFunc(Blend::SrcAlpha, Blend::One);
      gfx::SetPointSprite(true);
      gfx::SetPointScale(true, 0.0f, 0.0f, 1.0f);
      gfx::SetPointSizeMin(0.0f);
      gfx::SetColorOp(gfx::ColorOp::Modulate);
      break;
  }
  return 0;
}

void JINGFX::RenderBuffer(int quad) {
  if (quad == 1)
    gfx::DrawTriangles(staging, 4, kQuadIndices, 2);
  else
    gfx::DrawTriangles(staging, 3, kQuadIndices, 1);
}

}  // namespace ZOV
