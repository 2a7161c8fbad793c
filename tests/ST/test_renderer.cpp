// The renderer on the recording backend: the default view's pixel mapping,
// the letterbox, world operations, the frame phases, resets and mode changes,
// filtering, the mode list and the renderer's own textures.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ST/renderer.h"
#include "platform/window.h"

namespace gfx = plat::gfx;

namespace {

constexpr float kPi = 3.141592654f;

class Renderer : public ::testing::Test {
 protected:
  void SetUp() override {
    gfx::SetBackendForTests(gfx::Backend::Recording);
    gfx::SetRecordingCapsForTests(gfx::Caps{16.0f, true, false, true});
    r = std::make_unique<ZOV::JINGFX>();
  }
  void TearDown() override {
    r.reset();
    plat::ClearDisplayForTests();
    gfx::SetBackendForTests(gfx::Backend::GL);
  }
  void Start(int w, int h) {
    win.SetBackBufferSize(w, h);
    ASSERT_EQ(r->Init(win), 0);
    gfx::ClearRecorded();
  }
  // Where a pixel drawn with the renderer's current transforms lands, in
  // back-buffer pixels.
  plat::Vec3 Lands(float x, float y, float z = 0) const {
    return plat::ToTargetPixels({x, y, z}, r->world, r->view, r->projection, r->present.backW, r->present.backH);
  }
  int Frame() {
    int rc = r->BeginFrame();
    if (rc != 0) return rc;
    EXPECT_EQ(r->EndFrame(), 0);
    EXPECT_EQ(r->BeginPostFrame(), 0);
    EXPECT_EQ(r->EndPostFrame(), 0);
    return 0;
  }
  plat::Window win;
  std::unique_ptr<ZOV::JINGFX> r;
};

TEST_F(Renderer, InitPrintsAndMakesItsTextures) {
  win.SetBackBufferSize(800, 600);
  testing::internal::CaptureStdout();
  ASSERT_EQ(r->Init(win), 0);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("D3DSAMP_MAXANISOTROPY: 16\n"), std::string::npos) << out;
  EXPECT_NE(out.find("Grafix ok\n"), std::string::npos);
  EXPECT_EQ(r->attemptUsed, 0);
  EXPECT_EQ(r->GetBackWidth(), 800);
  EXPECT_EQ(r->GetBackHeight(), 600);
  EXPECT_EQ(r->GetTextureWH(r->GetScreen()).x, 800);
  EXPECT_EQ(r->GetTextureH(r->GetScreen()), 600);
  EXPECT_EQ(r->GetTextureW(r->defaultTexture), 8);
  plat::Image img;
  ASSERT_TRUE(gfx::ReadPixels(gfx::Tex(r->defaultTexture), img));
  ASSERT_EQ(img.argb.size(), 64u);
  for (uint32_t p : img.argb) EXPECT_EQ(p, 0xFFFFFFFFu);
  EXPECT_EQ(r->GetTextureW(0xABCDEF), -1);
  EXPECT_EQ(r->GetTextureWH(0xABCDEF).y, -1);
}

TEST_F(Renderer, ConstructorBanner) {
  testing::internal::CaptureStdout();
  ZOV::JINGFX other;
  const std::string out = testing::internal::GetCapturedStdout();
  const std::string bar(40, '=');
  EXPECT_EQ(out.rfind("Grafix init... \n" + bar + "\nAbout hardware:\nD3D Driver:    ", 0), 0u) << out;
  EXPECT_NE(out.find("\nDescription:   "), std::string::npos);
  EXPECT_EQ(out.substr(out.size() - bar.size() - 1), bar + "\n");
}

TEST_F(Renderer, CreationAttemptsAndFailures) {
  gfx::FailNextForTests(gfx::FailOp::CreateDevice, 3);
  Start(640, 480);
  EXPECT_EQ(r->attemptUsed, 3);
  r = std::make_unique<ZOV::JINGFX>();
  gfx::FailNextForTests(gfx::FailOp::CreateDevice, 5);
  EXPECT_EQ(r->Init(win), -2);
  // No screen texture: a message box, and the renderer refuses to start.
  r = std::make_unique<ZOV::JINGFX>();
  gfx::FailNextForTests(gfx::FailOp::CreateRenderTarget, 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(r->Init(win), -2);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("Message: !!!PipeC!!!"), std::string::npos);
  EXPECT_EQ(r->BeginFrame(), -1);
  gfx::FailNextForTests(gfx::FailOp::CreateRenderTarget, 0);
}

TEST_F(Renderer, DefaultViewMapsPixelsExactly) {
  Start(1024, 768);
  const float W = 1024, H = 768, W1 = W + 1, H1 = H + 1;
  for (auto [x, y] : {std::pair{0.f, 0.f}, {1024.f, 768.f}, {512.f, 384.f}, {10.f, 700.f}, {1025.f, 769.f}}) {
    const plat::Vec3 p = Lands(x, y);
    EXPECT_NEAR(p.x, x * W / W1, 2e-3f) << x;
    EXPECT_NEAR(p.y, y * H / H1, 2e-3f) << y;
  }
  // Depth 0 sits between the near and far planes.
  EXPECT_GT(Lands(5, 5).z, 0.0f);
  EXPECT_LT(Lands(5, 5, 1.0f).z, 1.0f);
}

TEST_F(Renderer, WorldOperationsArePixelsYDown) {
  Start(1024, 768);
  const float kx = 1024.f / 1025.f, ky = 768.f / 769.f;
  r->SetWorldPosition(100, 50, 0);
  EXPECT_NEAR(Lands(0, 0).x, 100 * kx, 2e-3f);
  EXPECT_NEAR(Lands(0, 0).y, 50 * ky, 2e-3f);
  r->SetWorldScale(2, 3, false);  // resets the view first
  EXPECT_NEAR(Lands(10, 10).x, 20 * kx, 2e-3f);
  EXPECT_NEAR(Lands(10, 10).y, 30 * ky, 2e-3f);
  // A quarter turn clockwise on the screen about (10, 20): right of the
  // centre goes below it.
  r->SetWorldRotation(kPi / 2, 10, 20, false);
  EXPECT_NEAR(Lands(11, 20).x, 10 * kx, 2e-3f);
  EXPECT_NEAR(Lands(11, 20).y, 21 * ky, 2e-3f);
  EXPECT_EQ(gfx::GetTransform(gfx::Xf::World), r->world);
}

TEST_F(Renderer, LayersAndFloatBits) {
  EXPECT_EQ(ZOV::JINGFX::ConvertLayer(-5), 0.0f);
  EXPECT_EQ(ZOV::JINGFX::ConvertLayer(250), 1.0f);
  EXPECT_EQ(ZOV::JINGFX::ConvertLayer(50), 0.5f);
  EXPECT_EQ(ZOV::JINGFX::FlToDw(1.0f), 0x3F800000ul);
  EXPECT_EQ(ZOV::JINGFX::FlToDw(0.0f), 0ul);
}

struct Letterbox {
  int W, H, w, h;
  float s;
  int sw, sh, ox, oy;
};

TEST_F(Renderer, LetterboxTable) {
  const Letterbox rows[] = {
      {1920, 1080, 1024, 768, 1.40625f, 1440, 1080, 240, 0}, {1920, 1200, 1920, 1080, 1.0f, 1920, 1080, 0, 60},
      {1280, 1024, 1024, 768, 1.25f, 1280, 960, 0, 32},      {1366, 768, 1024, 768, 1.0f, 1024, 768, 171, 0},
      {1280, 800, 1024, 768, 1.0416666f, 1067, 800, 106, 0}, {1024, 768, 1024, 768, 1.0f, 1024, 768, 0, 0},
      {800, 600, 1024, 768, 0.78125f, 800, 600, 0, 0},
  };
  for (const Letterbox& c : rows) {
    SCOPED_TRACE(std::to_string(c.W) + "x" + std::to_string(c.H) + " <- " + std::to_string(c.w) + "x" +
                 std::to_string(c.h));
    r = std::make_unique<ZOV::JINGFX>();
    Start(c.W, c.H);
    r->SetAdaptScreen(c.w, c.h);
    EXPECT_NEAR(r->adaptScaleX, c.s, 1e-6f);
    EXPECT_EQ(r->adaptScaleY, r->adaptScaleX);
    EXPECT_EQ(r->scaledW, c.sw);
    EXPECT_EQ(r->scaledH, c.sh);
    EXPECT_EQ(r->adaptOffsetX, c.ox);
    EXPECT_EQ(r->adaptOffsetY, c.oy);
    EXPECT_EQ(r->GetBackWidth(), c.w);
    EXPECT_EQ(r->GetBackHeight(), c.h);
    const float kx = float(c.W) / float(c.W + 1), ky = float(c.H) / float(c.H + 1);
    EXPECT_NEAR(Lands(0, 0).x, c.ox * kx, 0.01f);
    EXPECT_NEAR(Lands(0, 0).y, c.oy * ky, 0.01f);
    EXPECT_NEAR(Lands(float(c.w), float(c.h)).x, (c.ox + c.s * c.w) * kx, 0.02f);
    EXPECT_NEAR(Lands(float(c.w), float(c.h)).y, (c.oy + c.s * c.h) * ky, 0.02f);
  }
}

// A logical point and the screen-texture coordinate the renderer gives for
// it name the same back-buffer pixel the main pass drew the point on.
TEST_F(Renderer, ScreenTexelIsWhereTheMainPassDrewThePoint) {
  struct Sizes {
    int W, H, w, h;  // back buffer, logical screen (0: none set)
  } rows[] = {{1920, 1080, 1024, 768}, {1280, 1024, 1024, 768}, {800, 600, 1024, 768}, {1024, 768, 0, 0}};
  for (const Sizes& c : rows) {
    SCOPED_TRACE(std::to_string(c.W) + "x" + std::to_string(c.H) + " <- " + std::to_string(c.w));
    r = std::make_unique<ZOV::JINGFX>();
    Start(c.W, c.H);
    if (c.w) r->SetAdaptScreen(c.w, c.h);
    for (auto [x, y] : {std::pair{0.f, 0.f}, {512.f, 384.f}, {1023.f, 767.f}, {70.f, 600.f}}) {
      const JST::fPOINT t = r->ScreenTexel(x, y);
      EXPECT_NEAR(t.x * float(c.W), Lands(x, y).x, 0.02f) << x << "," << y;
      EXPECT_NEAR(t.y * float(c.H), Lands(x, y).y, 0.02f) << x << "," << y;
    }
  }
  // 1024 x 768 shown at 1.40625 from back-buffer x 240: the logical centre
  // is the back buffer's centre.
  r = std::make_unique<ZOV::JINGFX>();
  Start(1920, 1080);
  r->SetAdaptScreen(1024, 768);
  EXPECT_NEAR(r->ScreenTexel(512, 384).x, 960.f / 1921.f, 1e-6f);
  EXPECT_NEAR(r->ScreenTexel(512, 384).y, 540.f / 1081.f, 1e-6f);
}

TEST_F(Renderer, EqualSizesAppendNothingAndBadSizesAreIgnored) {
  Start(1024, 768);
  r->SetAdaptScreen(1024, 768);
  EXPECT_EQ(r->world, plat::RotationYawPitchRoll(kPi, 0, kPi));
  r->SetAdaptScreen(800, 600);
  for (auto [w, h] : {std::pair{0, 768}, {1024, 0}, {-5, 600}, {0, 0}}) {
    r->SetAdaptScreen(w, h);
    EXPECT_EQ(r->logicalW, 800);
    EXPECT_EQ(r->logicalH, 600);
    EXPECT_EQ(r->scaledW, 1024);
  }
}

TEST_F(Renderer, FrameDrawsTheScreenTextureUnderTheOverlay) {
  Start(1920, 1080);
  r->SetAdaptScreen(1024, 768);
  r->SetClearColor(0xFF000000);
  ASSERT_EQ(Frame(), 0);
  const auto& rec = gfx::Recorded();
  ASSERT_EQ(rec.size(), 4u);
  EXPECT_EQ(rec[0].kind, gfx::Record::Clear);
  EXPECT_EQ(rec[0].target, r->GetScreen());
  EXPECT_EQ(rec[0].clearColor, 0xFF000000u);
  EXPECT_EQ(rec[1].kind, gfx::Record::Clear);
  EXPECT_EQ(rec[1].target, 0u);
  const gfx::Record& copy = rec[2];
  ASSERT_EQ(copy.kind, gfx::Record::Draw);
  EXPECT_EQ(copy.target, 0u);
  EXPECT_EQ(copy.state.texture, r->GetScreen());
  EXPECT_TRUE(copy.state.alphaBlend);
  EXPECT_EQ(copy.state.src, gfx::Blend::SrcAlpha);
  EXPECT_EQ(copy.state.dst, gfx::Blend::InvSrcAlpha);
  EXPECT_EQ(copy.state.world, plat::RotationYawPitchRoll(kPi, 0, kPi)) << "drawn in the default view";
  ASSERT_EQ(copy.vertices.size(), 4u);
  const float want[4][4] = {{0, 0, 0, 0}, {0, 1080, 0, 1}, {1920, 1080, 1, 1}, {1920, 0, 1, 0}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(copy.vertices[i].x, want[i][0]);
    EXPECT_EQ(copy.vertices[i].y, want[i][1]);
    EXPECT_EQ(copy.vertices[i].u, want[i][2]);
    EXPECT_EQ(copy.vertices[i].v, want[i][3]);
    EXPECT_EQ(copy.vertices[i].argb, 0xFFFFFFFFu);
    EXPECT_EQ(copy.vertices[i].z, 0.0f);
  }
  EXPECT_EQ(copy.indices, (std::vector<uint16_t>{0, 2, 1, 0, 3, 2}));
  EXPECT_EQ(rec[3].kind, gfx::Record::Present);
  EXPECT_EQ(r->GetBlendMode(), 1);
  // The overlay (and the next main pass) draws through the letterbox.
  EXPECT_NEAR(Lands(0, 0).x, 240 * 1920.f / 1921.f, 0.01f);
}

TEST_F(Renderer, OutOfTurnCallsAreRefused) {
  Start(640, 480);
  EXPECT_EQ(r->EndFrame(), -1);
  EXPECT_EQ(r->BeginPostFrame(), -1);
  EXPECT_EQ(r->EndPostFrame(), -1);
  ASSERT_EQ(r->BeginFrame(), 0);
  EXPECT_EQ(r->BeginFrame(), -1);
  EXPECT_EQ(r->BeginPostFrame(), -1);
  EXPECT_EQ(r->EndPostFrame(), -1);
  ASSERT_EQ(r->EndFrame(), 0);
  EXPECT_EQ(r->EndFrame(), -1);
  EXPECT_EQ(r->BeginFrame(), -1);
  ASSERT_EQ(r->BeginPostFrame(), 0);
  EXPECT_EQ(r->BeginPostFrame(), -1);
  EXPECT_EQ(r->EndFrame(), -1);
  ASSERT_EQ(r->EndPostFrame(), 0);
  EXPECT_EQ(r->framePhase, 0);
}

TEST_F(Renderer, NotResetDeviceIsResetAndLostDeviceDrawsNothing) {
  Start(640, 480);
  gfx::SimulateCoopForTests(gfx::Coop::Lost);
  EXPECT_EQ(r->BeginFrame(), -1);
  EXPECT_EQ(r->EndFrame(), -1);
  EXPECT_EQ(gfx::Recorded().size(), 0u);
  gfx::SimulateCoopForTests(gfx::Coop::NotReset);
  const unsigned long screen = r->GetScreen();
  EXPECT_EQ(r->BeginFrame(), 2);
  EXPECT_EQ(r->framePhase, 0);
  EXPECT_EQ(r->EndFrame(), -1);
  EXPECT_EQ(r->BeginPostFrame(), -1);
  EXPECT_EQ(gfx::RecordedDraws(), 0u);
  EXPECT_EQ(r->GetScreen(), screen) << "the screen texture keeps its handle";
  EXPECT_EQ(r->world, plat::RotationYawPitchRoll(kPi, 0, kPi)) << "no letterbox set: the default view";
  r->SetAdaptScreen(320, 240);
  const plat::Mat4 boxed = r->world;
  gfx::SimulateCoopForTests(gfx::Coop::NotReset);
  EXPECT_EQ(r->BeginFrame(), 2);
  EXPECT_EQ(r->world, boxed) << "the next main pass draws through the letterbox";
  EXPECT_EQ(Frame(), 0);
  EXPECT_EQ(gfx::RecordedDraws(), 1u);
}

TEST_F(Renderer, FailedResetIsRetriedNextFrame) {
  Start(640, 480);
  gfx::SimulateCoopForTests(gfx::Coop::NotReset);
  gfx::FailNextForTests(gfx::FailOp::Reset, 1);
  EXPECT_EQ(r->BeginFrame(), -1);
  EXPECT_EQ(r->BeginFrame(), 2);
  EXPECT_EQ(Frame(), 0);
}

TEST_F(Renderer, OverlayThatCannotBeginEndsTheFrame) {
  Start(640, 480);
  ASSERT_EQ(r->BeginFrame(), 0);
  ASSERT_EQ(r->EndFrame(), 0);
  gfx::FailNextForTests(gfx::FailOp::BeginScene, 1);
  testing::internal::CaptureStdout();
  EXPECT_EQ(r->BeginPostFrame(), -1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Rendering cancel\n");
  EXPECT_EQ(r->framePhase, 0);
  EXPECT_EQ(Frame(), 0) << "the next frame draws normally";
}

TEST_F(Renderer, RendererTexturesCannotBeFreed) {
  Start(640, 480);
  EXPECT_EQ(r->TextureFree(r->defaultTexture), -1);
  EXPECT_EQ(r->TextureFree(r->GetScreen()), -1);
  EXPECT_EQ(r->GetTextureW(r->defaultTexture), 8);
  EXPECT_EQ(r->GetTextureW(r->GetScreen()), 640);
  const unsigned long t = gfx::CreateTexture(4, 4);
  EXPECT_EQ(r->TextureFree(t), 0);
  EXPECT_EQ(r->TextureFree(t), -1) << "a second free is refused";
  // The default texture still draws.
  ASSERT_EQ(r->BeginFrame(), 0);
  gfx::SetTexture(gfx::Tex(r->defaultTexture));
  r->RenderBuffer(1);
  EXPECT_EQ(gfx::Recorded().back().state.texture, r->defaultTexture);
  r->EndFrame();
}

TEST_F(Renderer, ChangeVideoModeLinesAndResize) {
  Start(1024, 768);
  const unsigned long screen = r->GetScreen();
  testing::internal::CaptureStdout();
  EXPECT_EQ(r->ChangeVideoMode(1024, 768, false), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "same mode: nothing happens";
  testing::internal::CaptureStdout();
  EXPECT_EQ(r->ChangeVideoMode(1920, 1080, true), 0);
  std::string want;
  for (const char* s : {"", "1", "2", "3", "4", "5", "6", "7", "9", "10", "11", "11.5", "12", "12.3", "12.6", "13", "17",
                        "18", "19", "20", "21", "22", "23"})
    want += std::string("ChangeVideoMode...") + s + "\n";
  want += "change video mode ok\n";
  EXPECT_EQ(testing::internal::GetCapturedStdout(), want);
  EXPECT_EQ(r->GetScreen(), screen);
  EXPECT_EQ(r->GetTextureW(screen), 1920);
  EXPECT_EQ(r->GetBackWidth(), 1920);
  EXPECT_EQ(gfx::BackBufferSize().y, 1080);
  EXPECT_EQ(win.BackBufferSize().x, 1920) << "the pump maps the mouse to the new size";
  EXPECT_TRUE(r->modeFull);
  testing::internal::CaptureStdout();
  r->ChangeVideoMode(1920, 1080, true);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(Renderer, FailedVideoModeChangeKeepsTheOldSize) {
  Start(1024, 768);
  gfx::FailNextForTests(gfx::FailOp::Reset, 1);
  testing::internal::CaptureStdout();
  EXPECT_EQ(r->ChangeVideoMode(1280, 1024, false), -1);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(r->GetBackWidth(), 1024);
  EXPECT_EQ(r->GetTextureW(r->GetScreen()), 1024);
  EXPECT_EQ(r->modeW, 1024);
  EXPECT_EQ(r->BeginFrame(), 2) << "the next frame resets at the old size";
  EXPECT_EQ(gfx::BackBufferSize().x, 1024);
  EXPECT_EQ(Frame(), 0);
  testing::internal::CaptureStdout();
  EXPECT_EQ(r->ChangeVideoMode(1280, 1024, false), 0) << "asking again tries again";
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(r->GetBackWidth(), 1280);
}

// A mode change that fails in either direction leaves the whole old mode in
// place: size and the full-screen back-buffer format, so the next frame's
// reset and a retry start from what the device really has.
TEST_F(Renderer, FailedVideoModeChangeKeepsTheOldFormat) {
  struct Mode {
    int w, h;
    bool full;
  };
  struct Row {
    const char* name;
    Mode from, to;
  };
  for (const Row& row : {Row{"windowed to full screen", {1024, 768, false}, {1920, 1080, true}},
                         Row{"full screen to windowed", {1920, 1080, true}, {1280, 1024, false}}}) {
    SCOPED_TRACE(row.name);
    r = std::make_unique<ZOV::JINGFX>();
    Start(1024, 768);
    testing::internal::CaptureStdout();
    ASSERT_EQ(r->ChangeVideoMode(row.from.w, row.from.h, row.from.full), 0);
    ASSERT_EQ(r->present.fullFormat, row.from.full);
    gfx::FailNextForTests(gfx::FailOp::Reset, 1);
    EXPECT_EQ(r->ChangeVideoMode(row.to.w, row.to.h, row.to.full), -1);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(r->present.fullFormat, row.from.full);
    EXPECT_EQ(r->modeFull, row.from.full);
    EXPECT_EQ(r->modeW, row.from.w);
    EXPECT_EQ(r->modeH, row.from.h);
    EXPECT_EQ(r->GetBackWidth(), row.from.w);
    EXPECT_EQ(r->BeginFrame(), 2) << "the next frame resets at the old mode";
    EXPECT_EQ(r->present.fullFormat, row.from.full);
    EXPECT_EQ(Frame(), 0);
    testing::internal::CaptureStdout();
    EXPECT_EQ(r->ChangeVideoMode(row.from.w, row.from.h, row.from.full), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "the old mode is still the current one";
    testing::internal::CaptureStdout();
    EXPECT_EQ(r->ChangeVideoMode(row.to.w, row.to.h, row.to.full), 0) << "asking again tries again";
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(r->present.fullFormat, row.to.full);
    EXPECT_EQ(r->modeFull, row.to.full);
    EXPECT_EQ(r->GetBackWidth(), row.to.w);
  }
}

TEST_F(Renderer, MultisampleFallsBackWhenUnsupported) {
  gfx::SetRecordingCapsForTests(gfx::Caps{4.0f, false, false, false});
  r->SetQuality(1);
  win.SetBackBufferSize(640, 480);
  testing::internal::CaptureStdout();
  ASSERT_EQ(r->Init(win), 0);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("CheckDeviceMultiSampleType NO\n"), std::string::npos);
  EXPECT_FALSE(gfx::CurrentState().multisampleAA);
  EXPECT_EQ(r->present.multiSample, 0);
  r = std::make_unique<ZOV::JINGFX>();
  gfx::SetRecordingCapsForTests(gfx::Caps{4.0f, false, false, true});
  r->SetQuality(1);
  r->SetQuality(7);  // other values change nothing
  ASSERT_EQ(r->Init(win), 0);
  EXPECT_TRUE(gfx::CurrentState().multisampleAA);
}

TEST_F(Renderer, AnisotropicSwitch) {
  Start(1920, 1080);
  const auto filters = [] { return std::pair{gfx::CurrentState().mag, gfx::CurrentState().min}; };
  r->SetAnisotropic(false);
  EXPECT_EQ(filters(), std::pair(gfx::Filter::Point, gfx::Filter::Point));
  r->SetAnisotropic(true);
  EXPECT_EQ(filters(), std::pair(gfx::Filter::Linear, gfx::Filter::Anisotropic));
  r->SetAdaptScreen(1920, 1000);  // only the height differs: off stays off
  r->SetAnisotropic(false);
  EXPECT_EQ(filters(), std::pair(gfx::Filter::Point, gfx::Filter::Point));
  r->SetAdaptScreen(1024, 768);  // both differ: always filtered
  r->SetAnisotropic(false);
  EXPECT_EQ(filters(), std::pair(gfx::Filter::Linear, gfx::Filter::Anisotropic));
  EXPECT_EQ(gfx::CurrentState().maxAnisotropy, 16.0f);
}

TEST_F(Renderer, SixtyHertzLandscapeModesInOrder) {
  plat::SetDisplayForTests({1920, 1080}, {{1920, 1080, 60},
                                          {1280, 1024, 60},
                                          {1280, 1024, 75},
                                          {1280, 1024, 60},
                                          {768, 1024, 60},
                                          {1024, 1024, 60},
                                          {800, 600, 59}});
  std::vector<JST::iPOINT> list{{1, 1}};
  r->fGetAvailableResolution(list);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].x, 1920);
  EXPECT_EQ(list[1].y, 1024);
  EXPECT_EQ(list[2].x, 1280);
  EXPECT_EQ(list[3].x, 1024);
}

TEST_F(Renderer, BlendModeIsSetOnceAndUnnamedStatesPersist) {
  Start(320, 200);
  EXPECT_EQ(r->GetBlendMode(), 8);
  EXPECT_EQ(r->SetBlendMode(3), 0);
  EXPECT_EQ(gfx::CurrentState().colorOp, gfx::ColorOp::Add);
  EXPECT_EQ(r->SetBlendMode(3), 1);
  EXPECT_EQ(r->SetBlendMode(4), 0);
  EXPECT_EQ(gfx::CurrentState().colorOp, gfx::ColorOp::Add) << "mode 4 leaves the colour operation";
  EXPECT_TRUE(gfx::CurrentState().pointSprite);
  EXPECT_EQ(gfx::CurrentState().scaleC, 1.0f);
  EXPECT_EQ(r->SetBlendMode(8), 0);
  EXPECT_EQ(r->GetBlendMode(), 4);
  EXPECT_EQ(r->SetBlendMode(0), 0);
  EXPECT_FALSE(gfx::CurrentState().alphaBlend);
  EXPECT_TRUE(gfx::CurrentState().pointSprite) << "modes 0 to 3 leave point sprites on";
}

}  // namespace
