#include "ST/particles.h"

#include <cmath>
#include <limits>

#include "ST/file.h"
#include "ST/game.h"
#include "ST/renderer.h"
#include "platform/sys.h"

namespace ZOV {

namespace {

constexpr float kPi = 3.14159265358979f;

// The preset columns of SetType.
struct Preset {
  float size, spread, life;
  float vx, vy, ax, ay;
  uint32_t start, middle, end;
  float wobble, freq, rate;  // rate < 0: keep the emission settings
};

constexpr Preset kFountain{0.5f, kPi / 2, 4.0f, 0, 5, 0, -8, 0xFFFF2400u, 0xFFFF2400u, 0xFFFF2400u, 1, 10, 100};
constexpr Preset kBurst{0.12f, 2 * kPi, 1.8f, 15, 0, 0, 0, 0x00FF2400u, 0xFFCFB53Bu, 0x00CCFF00u, 2, 20, -1};
constexpr Preset kDefault{0.3f, 0, 5.0f, 0, 5, 0, 15, 0xFF003399u, 0x006077A6u, 0xFFFFFFFFu, 0, 10, 1};
constexpr Preset kTrail{0.15f, 0.8f * kPi, 3.5f, 3, 8, 6, 10, 0x00FF2400u, 0xFFFF2400u, 0x0003C03Cu, 1, 10, 15};

}  // namespace

PARTIC::PARTIC(const char* texture, int, int capacity) {
  JINGFX* gfx = GetGame()->GetGfx();
  {
    CsHold hold;
    iFile& f = ifile;
    sys.texture = f.current_pack ? gfx->TextureLoadZip(f.current_pack, texture, f.current_pass)
                                 : gfx->TextureLoad(texture);
    sys.pointScale = gfx->lastTextureSize.y;
  }
  sys.sizeFactor = 0.15f;
  sys.capacity = capacity;
  sys.liveCount = 0;
  SetType(JP_DEFAULT);
}

PARTIC::~PARTIC() {
  plat::PrintLine("~PARTIC");
  if (sys.texture) GetGame()->GetGfx()->TextureFree(sys.texture);
  sys.texture = 0;
  FreeAll();
  plat::PrintLine("~PARTIC OK!");
}

void PARTIC::FreeAll() {
  JPARTIC* p = sys.particles;
  while (p) {
    JPARTIC* n = p->next;
    delete p;
    p = n;
  }
  sys.particles = nullptr;
  sys.liveCount = 0;
}

void PARTIC::SetType(int type) {
  if (type == JP_FOUNTAIN) ApplyPreset(JP_DEFAULT);
  ApplyPreset(type);
}

void PARTIC::ApplyPreset(int type) {
  const JST::iPOINT centre = GetGame()->middle;
  sys.emitterX = float(centre.x);
  sys.emitterY = float(centre.y);
  // The particles of a running emitter are freed, not dropped.
  FreeAll();
  templ.alive = true;
  burst = 0;
  sys.blend = JENUM::BLEND_POINT_ADD;
  templ.x = sys.emitterX;
  templ.y = sys.emitterY;
  emitting = false;

  const Preset& p = type == JP_FOUNTAIN ? kFountain : type == JP_BURST ? kBurst : type == JP_DEFAULT ? kDefault : kTrail;
  sys.sizeFactor = p.size;
  sys.spread = p.spread;
  templ.life = p.life;
  templ.vx = p.vx;
  templ.vy = p.vy;
  templ.vz = 0.0f;
  templ.ax = p.ax;
  templ.ay = p.ay;
  templ.az = 0.0f;
  templ.damping = 0.0f;
  templ.topSpeed = 100.0f;
  templ.z = 0.0f;
  templ.age = 0.0f;
  sys.startColor = p.start;
  sys.middleColor = p.middle;
  sys.endColor = p.end;
  templ.wobbleSinX = templ.wobbleSinY = templ.wobbleCosX = templ.wobbleCosY = p.wobble;
  templ.wobbleFreq = p.freq;
  templ.color = sys.startColor;
  if (p.rate >= 0.0f) SetEmission(p.rate);
}

void PARTIC::SetEmission(float rate) {
  sys.emissionRate = rate;
  sys.interval = rate > 0.0f ? 1.0f / rate : std::numeric_limits<float>::infinity();
  emissionClock = 0.0f;
}

void PARTIC::SetPos(float x, float y) {
  sys.emitterX = x;
  sys.emitterY = y;
}

void PARTIC::Feuer() {
  for (int i = 0; i < burst; ++i) Spawn(templ.x, templ.y);
  emitting = true;
}

void PARTIC::Stoppen() { emitting = false; }

void PARTIC::Shoot(int n) { ShootAt(n, int(templ.x), int(templ.y)); }

void PARTIC::ShootAt(int n, int x, int y) {
  for (int i = 0; i < n; ++i) Spawn(float(x), float(y));
}

void PARTIC::Emission() {
  if (emitting && sys.interval <= emissionClock && sys.liveCount < sys.capacity) {
    Spawn(sys.emitterX, sys.emitterY);
    emissionClock = 0.0f;
  }
}

void PARTIC::Spawn(float x, float y) {
  ST_RANDOM& rnd = GetGame()->random;
  JPARTIC* p = new JPARTIC(templ);
  p->x = x;
  p->y = y;
  // Net turn uniform in [-spread/2, +spread/2]: +spread/2, then -a.
  const float turn = sys.spread / 2.0f - rnd.GetRandomF(0.0f, sys.spread, 0);
  const float c = std::cos(turn), s = std::sin(turn);
  const float vx = p->vx, vy = p->vy;
  p->vx = vx * c - vy * s;
  p->vy = vx * s + vy * c;
  p->wobbleSinX = rnd.GetRandomF(0.0f, templ.wobbleSinX, 0);
  p->wobbleSinY = rnd.GetRandomF(0.0f, templ.wobbleSinY, 0);
  p->wobbleCosX = rnd.GetRandomF(0.0f, templ.wobbleCosX, 0);
  p->wobbleCosY = rnd.GetRandomF(0.0f, templ.wobbleCosY, 0);
  p->life = rnd.GetRandomF(templ.life / 2.0f, templ.life, 0);
  p->next = sys.particles;
  sys.particles = p;
  ++sys.liveCount;
}

void PARTIC::StealKill() {
  JPARTIC** link = &sys.particles;
  while (JPARTIC* p = *link) {
    if (p->alive) {
      link = &p->next;
      continue;
    }
    *link = p->next;
    delete p;
    --sys.liveCount;
  }
}

int PARTIC::Update(int, float) {
  const float dt = GetGame()->GetDt();
  emissionClock += dt;
  Emission();
  StealKill();
  work[0] = JINCOLORRGBA(sys.startColor);
  work[1] = JINCOLORRGBA(sys.middleColor);
  work[2] = JINCOLORRGBA(sys.endColor);
  for (JPARTIC* p = sys.particles; p; p = p->next) {
    if (!p->alive) continue;
    if (p->age > p->life) p->alive = false;  // still moves this step
    p->age += dt;
    const float half = p->life / 2.0f;
    if (!(half > 0.0f)) {
      // A particle without a life is at its end colour (no division by 0).
      p->color = work[2];
    } else if (p->age < half) {
      p->color = work[0] + (work[1] - work[0]) * (p->age / half);
    } else {
      p->color = work[1] + (work[1] - work[2]) * (1.0f - p->age / half);
    }
    const float phase = p->wobbleFreq * p->age;
    const float sn = std::sin(phase), co = std::cos(phase);
    p->vx += p->wobbleSinX * sn * dt;
    p->vy += p->wobbleSinY * sn * dt;
    p->vx += p->wobbleCosX * co * dt;
    p->vy += p->wobbleCosY * co * dt;
    p->vx += p->ax * dt;
    p->vy += p->ay * dt;
    p->vz += p->az * dt;
    p->vx -= p->damping * dt;
    p->vy -= p->damping * dt;
    p->vz -= p->damping * dt;
    if (p->vx > p->topSpeed) p->vx = p->topSpeed;
    if (p->vy > p->topSpeed) p->vy = p->topSpeed;
    if (p->vz > p->topSpeed) p->vz = p->topSpeed;
    p->x += p->vx * dt;
    p->y += p->vy * dt;
    p->z += p->vz * dt;
  }
  return 0;
}

int PARTIC::Render(int) {
  GetGame()->GetGfx()->RenderJPARTIC(&sys);
  return 0;
}

}  // namespace ZOV

PARTIC_CIRCLE::PARTIC_CIRCLE(const char* texture, int type, int capacity) : ZOV::PARTIC(texture, type, capacity) {}

PARTIC_CIRCLE::~PARTIC_CIRCLE() = default;

void PARTIC_CIRCLE::Shoot(int) {}

void PARTIC_CIRCLE::SetZone(int x, int y, int r) {
  centerX = x;
  centerY = y;
  radius = r;
}

void PARTIC_CIRCLE::SpawnInDisc(int cx, int cy) {
  ZOV::ST_RANDOM& rnd = ZOV::GetGame()->random;
  const int d = rnd.GetRandomI(0, radius, 0);
  const float phi = rnd.GetRandomF(0.0f, 2.0f * 3.14159265358979f, 0);
  Spawn(float(cx) + std::cos(phi) * float(d), float(cy) + std::sin(phi) * float(d));
}

void PARTIC_CIRCLE::ShootAt(int n, int x, int y) {
  for (int i = 0; i < n; ++i) SpawnInDisc(x, y);
}

void PARTIC_CIRCLE::Emission() {
  if (emitting && sys.interval <= emissionClock && sys.liveCount < sys.capacity) {
    SpawnInDisc(centerX, centerY);
    emissionClock = 0.0f;
  }
}
