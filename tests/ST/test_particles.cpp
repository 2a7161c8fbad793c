// Particle emitters with a fixed time step and a seeded generator: the
// presets' fields, timed emission over time, bursts and ShootAt, colours at
// given ages, ageing past life, the top speed, disc emitters, the
// destructor's lines and drawing through the recording backend.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "ST/game.h"
#include "ST/particles.h"
#include "platform/gfx.h"
#include "tests/support/texture_support.h"

namespace gfx = plat::gfx;

namespace {

constexpr float kPi = 3.14159265358979f;

class Particles : public ::testing::Test {
 protected:
  void SetUp() override {
    gfx::SetBackendForTests(gfx::Backend::Recording);
    plat::SetDisplayForTests({1280, 1024}, {{1280, 1024, 60}});
    game = ZOV::GetGame();
    if (!game->gfx.deviceReady) {
      ASSERT_EQ(game->gfx.Init(game->app.Window()), 0);
    }
    game->middle = JST::iPOINT(512, 384);
    game->timer.SetDelta(0.02f);
    game->random.Seed(12345.0f);
    ASSERT_TRUE(textest::WritePng("spark.png", 16, 32, textest::Pattern(16, 32)));
  }
  std::unique_ptr<ZOV::PARTIC> Make(int capacity = 0) {
    return std::make_unique<ZOV::PARTIC>("spark.png", 0, capacity);
  }
  void Step(ZOV::PARTIC& p, int n, float dt = 0.02f) {
    game->timer.SetDelta(dt);
    for (int i = 0; i < n; ++i) p.Update(0, 0.0f);
  }
  static int Alive(const ZOV::PARTIC& p) {
    int n = 0;
    for (const ZOV::JPARTIC* q = p.sys.particles; q; q = q->next) n += q->alive;
    return n;
  }
  ZOV::ST_GAME* game = nullptr;
};

struct PresetRow {
  int type;
  float size, spread, life, vx, vy, ax, ay;
  uint32_t start, middle, end;
  float wobble, freq, rate;
};

void ExpectPreset(const ZOV::PARTIC& p, const PresetRow& r) {
  SCOPED_TRACE("type " + std::to_string(r.type));
  EXPECT_FLOAT_EQ(p.sys.sizeFactor, r.size);
  EXPECT_FLOAT_EQ(p.sys.spread, r.spread);
  EXPECT_FLOAT_EQ(p.templ.life, r.life);
  EXPECT_FLOAT_EQ(p.templ.vx, r.vx);
  EXPECT_FLOAT_EQ(p.templ.vy, r.vy);
  EXPECT_FLOAT_EQ(p.templ.vz, 0.0f);
  EXPECT_FLOAT_EQ(p.templ.ax, r.ax);
  EXPECT_FLOAT_EQ(p.templ.ay, r.ay);
  EXPECT_FLOAT_EQ(p.templ.az, 0.0f);
  EXPECT_FLOAT_EQ(p.templ.damping, 0.0f);
  EXPECT_FLOAT_EQ(p.templ.topSpeed, 100.0f);
  EXPECT_FLOAT_EQ(p.templ.z, 0.0f);
  EXPECT_FLOAT_EQ(p.templ.age, 0.0f);
  EXPECT_EQ(p.sys.startColor, r.start);
  EXPECT_EQ(p.sys.middleColor, r.middle);
  EXPECT_EQ(p.sys.endColor, r.end);
  EXPECT_EQ(p.templ.color, r.start);
  for (float w : {p.templ.wobbleSinX, p.templ.wobbleSinY, p.templ.wobbleCosX, p.templ.wobbleCosY})
    EXPECT_FLOAT_EQ(w, r.wobble);
  EXPECT_FLOAT_EQ(p.templ.wobbleFreq, r.freq);
  EXPECT_FLOAT_EQ(p.sys.emissionRate, r.rate);
  EXPECT_FLOAT_EQ(p.sys.interval, 1.0f / r.rate);
  EXPECT_EQ(p.sys.blend, 5);
  EXPECT_EQ(p.burst, 0);
  EXPECT_FALSE(p.emitting);
  EXPECT_TRUE(p.templ.alive);
  EXPECT_FLOAT_EQ(p.sys.emitterX, 512.0f);
  EXPECT_FLOAT_EQ(p.sys.emitterY, 384.0f);
  EXPECT_FLOAT_EQ(p.templ.x, 512.0f);
  EXPECT_FLOAT_EQ(p.templ.y, 384.0f);
  EXPECT_EQ(p.sys.particles, nullptr);
  EXPECT_EQ(p.sys.liveCount, 0);
}

const PresetRow kDefault{3, 0.3f, 0, 5, 0, 5, 0, 15, 0xFF003399u, 0x006077A6u, 0xFFFFFFFFu, 0, 10, 1};

TEST_F(Particles, ConstructionSelectsTheDefaultPreset) {
  auto p = Make(7);
  ExpectPreset(*p, kDefault);
  EXPECT_EQ(p->sys.pointScale, 32) << "the texture's height";
  EXPECT_EQ(p->sys.capacity, 7);
  EXPECT_FLOAT_EQ(p->emissionClock, 0.0f);
  EXPECT_EQ(p->Message(0), 1);
}

TEST_F(Particles, PresetTable) {
  const PresetRow rows[] = {
      {1, 0.5f, kPi / 2, 4, 0, 5, 0, -8, 0xFFFF2400u, 0xFFFF2400u, 0xFFFF2400u, 1, 10, 100},
      {2, 0.12f, 2 * kPi, 1.8f, 15, 0, 0, 0, 0x00FF2400u, 0xFFCFB53Bu, 0x00CCFF00u, 2, 20, 1},  // rate kept
      kDefault,
      {0, 0.15f, 0.8f * kPi, 3.5f, 3, 8, 6, 10, 0x00FF2400u, 0xFFFF2400u, 0x0003C03Cu, 1, 10, 15},
      {7, 0.15f, 0.8f * kPi, 3.5f, 3, 8, 6, 10, 0x00FF2400u, 0xFFFF2400u, 0x0003C03Cu, 1, 10, 15},
  };
  for (const PresetRow& r : rows) {
    auto p = Make();
    p->SetType(r.type);
    ExpectPreset(*p, r);
  }
}

TEST_F(Particles, BurstPresetKeepsTheEmissionSettings) {
  auto p = Make();
  p->SetEmission(40);
  p->emissionClock = 0.5f;
  p->SetType(ZOV::JP_BURST);
  EXPECT_FLOAT_EQ(p->sys.emissionRate, 40.0f);
  EXPECT_FLOAT_EQ(p->sys.interval, 0.025f);
  EXPECT_FLOAT_EQ(p->emissionClock, 0.5f);
}

TEST_F(Particles, SetTypeFreesTheParticlesOfARunningEmitter) {
  auto p = Make();
  p->ShootAt(25, 1, 2);
  ASSERT_EQ(p->sys.liveCount, 25);
  p->emitting = true;
  p->SetType(0);
  EXPECT_EQ(p->sys.particles, nullptr);  // freed: the leak checker of the sanitizer build sees none
  EXPECT_EQ(p->sys.liveCount, 0);
  EXPECT_FALSE(p->emitting);
}

TEST_F(Particles, NothingIsEmittedBeforeFeuer) {
  auto p = Make(100);
  Step(*p, 100);
  EXPECT_EQ(p->sys.liveCount, 0);
}

TEST_F(Particles, TimedEmissionEveryFourthUpdateAtRateFifteen) {
  auto p = Make(100);
  p->SetType(0);
  p->SetPos(20, 30);
  p->Feuer();  // burst count 0: only switches emission on
  EXPECT_TRUE(p->emitting);
  EXPECT_EQ(p->sys.liveCount, 0);
  std::vector<int> counts;
  for (int i = 0; i < 8; ++i) {
    Step(*p, 1);
    counts.push_back(p->sys.liveCount);
  }
  EXPECT_EQ(counts, (std::vector<int>{0, 0, 0, 1, 1, 1, 1, 2}));
  p->Stoppen();
  Step(*p, 20);
  EXPECT_EQ(p->sys.liveCount, 2) << "stopped: no more, the living go on";
}

TEST_F(Particles, FeuerSpawnsTheBurstAtTheTemplatePosition) {
  auto p = Make();
  p->burst = 6;
  p->templ.x = 40;
  p->templ.y = 50;
  p->Feuer();
  EXPECT_EQ(p->sys.liveCount, 6);
  for (const ZOV::JPARTIC* q = p->sys.particles; q; q = q->next) {
    EXPECT_FLOAT_EQ(q->x, 40.0f);
    EXPECT_FLOAT_EQ(q->y, 50.0f);
  }
}

TEST_F(Particles, RateZeroNeverEmitsButShootAtDoes) {
  auto p = Make(100);
  p->SetEmission(0);
  p->Feuer();
  Step(*p, 100);
  EXPECT_EQ(p->sys.liveCount, 0);
  p->ShootAt(10, 5, 6);
  ASSERT_EQ(p->sys.liveCount, 10);
  for (const ZOV::JPARTIC* q = p->sys.particles; q; q = q->next) {
    EXPECT_FLOAT_EQ(q->x, 5.0f);
    EXPECT_FLOAT_EQ(q->y, 6.0f);
    EXPECT_TRUE(q->alive);
  }
  p->SetEmission(-3);
  Step(*p, 10);
  EXPECT_EQ(p->sys.liveCount, 10) << "a negative rate never fires either";
}

TEST_F(Particles, CapacityBoundsTimedEmissionOnly) {
  auto p = Make(40);
  p->ShootAt(40, 0, 0);
  p->SetEmission(1000);
  p->Feuer();
  Step(*p, 5);
  EXPECT_EQ(p->sys.liveCount, 40);
  p->ShootAt(3, 0, 0);
  EXPECT_EQ(p->sys.liveCount, 43);
}

TEST_F(Particles, ColourFadesThroughThreeColours) {
  struct Row {
    float ageAfterStep;
    uint32_t colour;
  };
  for (const Row r : {Row{0.5f, 0xFF800000u}, Row{1.0f, 0xFFFF0000u}, Row{1.5f, 0xFF800080u}, Row{2.0f, 0xFF0000FFu}}) {
    auto p = Make();
    p->sys.startColor = 0xFF000000u;
    p->sys.middleColor = 0xFFFF0000u;
    p->sys.endColor = 0xFF0000FFu;
    p->ShootAt(1, 0, 0);
    ZOV::JPARTIC* q = p->sys.particles;
    q->life = 2.0f;
    q->age = r.ageAfterStep - 0.25f;
    Step(*p, 1, 0.25f);
    EXPECT_EQ(p->sys.particles->color, r.colour) << r.ageAfterStep;
  }
}

TEST_F(Particles, AParticlePastItsLifeMovesOnceMoreThenGoes) {
  auto p = Make();
  p->ShootAt(1, 0, 0);
  ZOV::JPARTIC* q = p->sys.particles;
  q->life = 1.0f;
  q->age = 1.01f;
  q->vx = 10.0f;
  q->vy = q->ax = q->ay = 0.0f;
  q->wobbleSinX = q->wobbleSinY = q->wobbleCosX = q->wobbleCosY = 0.0f;
  Step(*p, 1, 0.1f);
  ASSERT_EQ(p->sys.liveCount, 1);
  EXPECT_FALSE(q->alive);
  EXPECT_FLOAT_EQ(q->x, 1.0f) << "still moved this update";
  EXPECT_EQ(Alive(*p), 0);
  Step(*p, 1, 0.1f);
  EXPECT_EQ(p->sys.liveCount, 0);
  EXPECT_EQ(p->sys.particles, nullptr);
}

TEST_F(Particles, DeadParticlesGoKeepingTheOrderOfTheOthers) {
  auto p = Make();
  p->ShootAt(5, 0, 0);
  std::vector<ZOV::JPARTIC*> before;
  for (ZOV::JPARTIC* q = p->sys.particles; q; q = q->next) before.push_back(q);
  before[0]->alive = before[2]->alive = before[4]->alive = false;
  p->StealKill();
  ASSERT_EQ(p->sys.liveCount, 2);
  EXPECT_EQ(p->sys.particles, before[1]);
  EXPECT_EQ(p->sys.particles->next, before[3]);
  EXPECT_EQ(before[3]->next, nullptr);
}

TEST_F(Particles, TopSpeedCapsFromAboveOnly) {
  struct Row {
    float ay, vy;
  };
  for (const Row r : {Row{-1000.0f, -500.0f}, Row{1000.0f, 100.0f}}) {
    auto p = Make();
    p->templ.vx = p->templ.vy = 0.0f;
    p->templ.ax = 0.0f;
    p->templ.ay = r.ay;
    p->templ.wobbleSinX = p->templ.wobbleSinY = p->templ.wobbleCosX = p->templ.wobbleCosY = 0.0f;
    p->templ.life = 100.0f;
    p->ShootAt(1, 0, 0);
    Step(*p, 5, 0.1f);
    EXPECT_FLOAT_EQ(p->sys.particles->vy, r.vy) << r.ay;
  }
}

TEST_F(Particles, DampingIsTakenOffEveryComponent) {
  auto p = Make();
  p->templ.vx = 10.0f;
  p->templ.vy = 20.0f;
  p->templ.ax = p->templ.ay = 0.0f;
  p->templ.damping = 5.0f;
  p->templ.life = 100.0f;
  p->ShootAt(1, 0, 0);
  Step(*p, 1, 0.1f);
  EXPECT_FLOAT_EQ(p->sys.particles->vx, 9.5f);
  EXPECT_FLOAT_EQ(p->sys.particles->vy, 19.5f);
  EXPECT_FLOAT_EQ(p->sys.particles->vz, -0.5f);
}

TEST_F(Particles, SpawnTurnsVelocityWithinTheSpreadAndDrawsLifeAndWobble) {
  auto p = Make();
  p->ShootAt(20, 0, 0);
  for (const ZOV::JPARTIC* q = p->sys.particles; q; q = q->next) {
    EXPECT_FLOAT_EQ(q->vx, 0.0f) << "spread 0 keeps the velocity";
    EXPECT_FLOAT_EQ(q->vy, 5.0f);
    EXPECT_GE(q->life, 2.5f);
    EXPECT_LE(q->life, 5.0f);
  }
  p->SetType(ZOV::JP_BURST);  // spread 2 pi, velocity (15, 0), wobble 2
  p->ShootAt(200, 0, 0);
  float minVx = 100, maxVx = -100;
  for (const ZOV::JPARTIC* q = p->sys.particles; q; q = q->next) {
    EXPECT_NEAR(std::hypot(q->vx, q->vy), 15.0f, 1e-4f);
    minVx = std::min(minVx, q->vx);
    maxVx = std::max(maxVx, q->vx);
    EXPECT_GE(q->life, 0.9f);
    EXPECT_LE(q->life, 1.8f);
    for (float w : {q->wobbleSinX, q->wobbleSinY, q->wobbleCosX, q->wobbleCosY}) {
      EXPECT_GE(w, 0.0f);
      EXPECT_LE(w, 2.0f);
    }
  }
  EXPECT_LT(minVx, -10.0f) << "turned all the way round";
  EXPECT_GT(maxVx, 10.0f);
}

TEST_F(Particles, ShootUsesTheTemplatePositionAndTheDiscEmitterIgnoresIt) {
  auto p = Make();
  p->templ.x = 7.9f;
  p->templ.y = 3.2f;
  p->Shoot(5);
  ASSERT_EQ(p->sys.liveCount, 5);
  EXPECT_FLOAT_EQ(p->sys.particles->x, 7.0f);
  EXPECT_FLOAT_EQ(p->sys.particles->y, 3.0f);

  PARTIC_CIRCLE c("spark.png", 0, 10);
  EXPECT_EQ(c.centerX, 0);
  EXPECT_EQ(c.centerY, 0);
  EXPECT_EQ(c.radius, 0);
  c.Shoot(5);
  EXPECT_EQ(c.sys.liveCount, 0);
}

TEST_F(Particles, DiscEmitterPlacesParticlesInItsDisc) {
  PARTIC_CIRCLE c("spark.png", 0, 10);
  c.ShootAt(4, 50, 60);
  ASSERT_EQ(c.sys.liveCount, 4);
  for (const ZOV::JPARTIC* q = c.sys.particles; q; q = q->next) {
    EXPECT_FLOAT_EQ(q->x, 50.0f);
    EXPECT_FLOAT_EQ(q->y, 60.0f);
  }
  c.SetZone(100, 200, 8);
  c.ShootAt(100, 10, 20);
  for (const ZOV::JPARTIC* q = c.sys.particles; q && q->x != 50.0f; q = q->next)
    EXPECT_LE(std::hypot(q->x - 10.0f, q->y - 20.0f), 8.0f + 1e-3f);
  c.SetType(ZOV::JP_BURST);
  c.SetEmission(100);
  c.Feuer();
  Step(c, 1);
  ASSERT_EQ(c.sys.liveCount, 1);
  EXPECT_LE(std::hypot(c.sys.particles->x - 100.0f, c.sys.particles->y - 200.0f), 8.0f + 1.0f)
      << "timed emission around the zone's centre (then one step of movement)";
}

TEST_F(Particles, DestructorLines) {
  auto p = Make();
  p->ShootAt(3, 0, 0);
  testing::internal::CaptureStdout();
  p.reset();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("~PARTIC\n"), std::string::npos) << out;
  EXPECT_NE(out.find("~PARTIC OK!\n"), std::string::npos) << out;
  EXPECT_LT(out.find("~PARTIC\n"), out.find("~PARTIC OK!\n"));
}

TEST_F(Particles, RenderDrawsOnlyAliveParticlesAtTheirSize) {
  auto p = Make();
  p->ShootAt(5, 10, 20);
  p->sys.particles->alive = false;
  ASSERT_EQ(game->gfx.BeginFrame(), 0);
  gfx::ClearRecorded();
  EXPECT_EQ(p->Render(0), 0);
  game->gfx.EndFrame();
  size_t points = 0;
  for (const gfx::Record& r : gfx::Recorded()) {
    if (r.kind != gfx::Record::Draw) continue;
    EXPECT_EQ(r.prim, gfx::Prim::Points);
    EXPECT_FLOAT_EQ(r.state.pointSize, 0.3f * 32.0f);
    EXPECT_EQ(r.state.texture, gfx::Tex(p->sys.texture));
    EXPECT_TRUE(r.state.pointSprite);
    points += r.vertices.size();
  }
  EXPECT_EQ(points, 4u);
  // Leave the device idle for the next test.
  game->gfx.BeginPostFrame();
  game->gfx.EndPostFrame();
}

}  // namespace
