#include <gtest/gtest.h>

#include "platform/sys.h"
#include "ST/object.h"
#include "ST/random.h"
#include "ST/timer.h"

namespace {

uint32_t gFakeNow = 0;
uint32_t FakeClock() { return gFakeNow; }

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override { plat::SetTimeSourceForTests(&FakeClock); }
  void TearDown() override { plat::SetTimeSourceForTests(nullptr); }
};

TEST_F(TimerTest, MeasuresTheFrame) {
  gFakeNow = 0;
  ZOV::ST_TIMER t(0.18f);
  gFakeNow = 16;
  t.Update();
  EXPECT_FLOAT_EQ(t.GetDelta(), 0.016f);
  EXPECT_EQ(t.GetCurTime(), 16u);
}

TEST_F(TimerTest, ClampsAStall) {
  gFakeNow = 1000;
  ZOV::ST_TIMER t(0.18f);
  gFakeNow = 3000;
  t.Update();
  EXPECT_FLOAT_EQ(t.GetDelta(), 0.18f);
  EXPECT_FLOAT_EQ(t.GetFactor(), 0.09f);
}

TEST_F(TimerTest, SurvivesTheClockWrapping) {
  gFakeNow = 0xFFFFFF00u;
  ZOV::ST_TIMER t(0.0f);
  gFakeNow = 0x00000064u;
  t.Update();
  EXPECT_FLOAT_EQ(t.GetDelta(), 0.356f);
}

TEST_F(TimerTest, InitRestartsFromNow) {
  gFakeNow = 50;
  ZOV::ST_TIMER t(0.18f);
  gFakeNow = 500;
  t.Init();
  gFakeNow = 510;
  t.Update();
  EXPECT_FLOAT_EQ(t.GetDelta(), 0.01f);
}

TEST(Clock, CountsFromSystemStartAndAdvances) {
  const uint32_t a = plat::TimeMs();
  plat::SleepMs(5);
  const uint32_t b = plat::TimeMs();
  EXPECT_GE(uint32_t(b - a), 4u);
  EXPECT_GT(a, 1000u) << "the clock counts from boot, not from program start";
}

TEST(Random, RandIsAStatelessHash) {
  struct Row {
    int n, r;
  };
  for (Row row : {Row{0, 0}, Row{1, 16838}, Row{2, 909}, Row{-1, 15930}, Row{100, 12663}})
    EXPECT_EQ(ZOV::ST_RANDOM::Rand(row.n), row.r) << row.n;
  EXPECT_FALSE(ZOV::ST_RANDOM::RandB(0));
  EXPECT_FALSE(ZOV::ST_RANDOM::RandB(1));  // 16838 is even
  EXPECT_TRUE(ZOV::ST_RANDOM::RandB(2));   // 909 is odd
}

TEST(Random, FreshSequence) {
  ZOV::ST_RANDOM r;
  EXPECT_EQ(r.GetRandomI(0, 99, 0), 79);
  EXPECT_EQ(r.State(), 2745024u);
  for (int expected : {94, 32, 0, 50}) EXPECT_EQ(r.GetRandomI(0, 99, 0), expected);
}

TEST(Random, SingleValueRangeStillSteps) {
  ZOV::ST_RANDOM r;
  EXPECT_EQ(r.GetRandomI(5, 5, 0), 5);
  EXPECT_EQ(r.State(), 2745024u);
}

TEST(Random, SeedRestartsTheSequence) {
  ZOV::ST_RANDOM a, b;
  EXPECT_EQ(a.GetRandomI(1, 6, 42), 5);
  EXPECT_EQ(a.State(), 11519557u);
  b.GetRandomI(0, 1000, 0);
  EXPECT_EQ(b.GetRandomI(1, 6, 42), 5);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a.GetRandomI(-50, 50, 0), b.GetRandomI(-50, 50, 0));
}

TEST(Random, FloatRangeAndSeed) {
  ZOV::ST_RANDOM r;
  EXPECT_NEAR(r.GetRandomF(0.0f, 1.0f, 0), 41 * 1.5259022e-5f, 1e-9);
  r.Seed(12345.7f);
  EXPECT_EQ(r.State(), 12345u);
}

TEST(Random, ReversedBoundsAreSwapped) {
  ZOV::ST_RANDOM a, b;
  EXPECT_EQ(a.GetRandomI(99, 0, 0), b.GetRandomI(0, 99, 0));
  EXPECT_EQ(a.State(), b.State());
}

// The whole int range is 2^32 values, a span that wraps to 0 in 32 bits: the
// mixed state itself is the offset from the minimum. From state 0 the step
// gives 1 x 214013 + 2531011 = 2745024 (0x29E2C0); 0x29E2C0 XOR (0x29E2C0 >> 15
// = 0x53) = 0x29E293 = 2744979; -2147483648 + 2744979 = -2144738669.
TEST(Random, TheWholeIntRangeNeitherOverflowsNorDividesByZero) {
  ZOV::ST_RANDOM r;
  EXPECT_EQ(r.GetRandomI(INT32_MIN, INT32_MAX, 0), -2144738669);
  EXPECT_EQ(r.State(), 2745024u);
  ZOV::ST_RANDOM reversed;
  EXPECT_EQ(reversed.GetRandomI(INT32_MAX, INT32_MIN, 0), -2144738669);
}

TEST(Points, Operators) {
  JST::fPOINT p;
  p = 2.5f;
  EXPECT_FLOAT_EQ(p.x, 2.5f);
  EXPECT_FLOAT_EQ(p.y, 2.5f);
  JST::fPOINT a(3, -5);
  const JST::fPOINT h = a / 2;
  EXPECT_FLOAT_EQ(h.x, 1.5f);
  EXPECT_FLOAT_EQ(h.y, -2.5f);
  EXPECT_FLOAT_EQ(a.x, 3);
  a /= 2;
  EXPECT_FLOAT_EQ(a.x, 1.5f);
  JST::fPOINT d = JST::fPOINT(5, 5) - JST::fPOINT(1, 2);
  EXPECT_FLOAT_EQ(d.y, 3);
  d -= JST::fPOINT(1, 1);
  EXPECT_FLOAT_EQ(d.x, 3);
}

TEST(ObjectModel, StoDefaults) {
  struct Probe : JST::STO {};
  Probe p;
  EXPECT_EQ(p.Update(0, 0.0f), 0);
  EXPECT_EQ(p.Message(7), 0);
  p.SetSize(2, 3);
  EXPECT_FLOAT_EQ(p.scale.x, 2);
  EXPECT_FLOAT_EQ(p.scale.y, 3);
  JST::STE e;
  EXPECT_EQ(e.Update(), 0);
}

}  // namespace
