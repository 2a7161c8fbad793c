// The two music tracks, composed by code: calm loops of pad chords, a harp
// arpeggio, a bass line and a sparse melody.  Every note is written around
// the loop (its tail wraps to the beginning), and the echo runs around the
// loop too, so the end flows into the start without a seam.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/data/audio.h"
#include "tools/data/generator.h"

namespace gendata {

namespace {

double Freq(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

enum class Voice { kPad, kHarp, kBass, kBell };

class Loop {
 public:
  explicit Loop(double seconds) : s_(static_cast<size_t>(seconds * kRate)) {}

  void Add(double start, double dur, int midi, double gain, Voice voice, double pan) {
    double f = Freq(midi);
    double tail = voice == Voice::kPad ? 1.5 : (voice == Voice::kBass ? 1.2 : 2.0);
    size_t n = static_cast<size_t>((dur + tail) * kRate), a = static_cast<size_t>(start * kRate), len = s_.Size();
    for (size_t i = 0; i < n; ++i) {
      double t = static_cast<double>(i) / kRate, v = 0;
      switch (voice) {
        case Voice::kPad: {
          double env = std::min(1.0, t / 0.9) * (t < dur ? 1.0 : std::exp(-(t - dur) / 0.5));
          v = env * (std::sin(2 * M_PI * f * 0.997 * t) + std::sin(2 * M_PI * f * 1.003 * t) +
                     0.3 * std::sin(2 * M_PI * f * 2.001 * t)) / 2.3;
          break;
        }
        case Voice::kHarp: {
          double env = std::min(1.0, t / 0.004) * std::exp(-t / 0.7);
          v = env * (std::sin(2 * M_PI * f * t) + 0.4 * std::sin(4 * M_PI * f * t) * std::exp(-t / 0.3) +
                     0.15 * std::sin(6 * M_PI * f * t) * std::exp(-t / 0.15));
          break;
        }
        case Voice::kBass: {
          double env = std::min(1.0, t / 0.02) * std::exp(-t / 1.1);
          v = env * (std::sin(2 * M_PI * f * t) + 0.25 * std::sin(4 * M_PI * f * t));
          break;
        }
        case Voice::kBell: {
          double env = std::min(1.0, t / 0.003) * std::exp(-t / 1.0);
          v = env * (std::sin(2 * M_PI * f * t) + 0.3 * std::sin(2 * M_PI * f * 2.76 * t) * std::exp(-t / 0.4));
          break;
        }
      }
      size_t k = (a + i) % len;
      s_.l[k] += static_cast<float>(v * gain * (1 - pan));
      s_.r[k] += static_cast<float>(v * gain * (1 + pan));
    }
  }

  // A cross-fed echo that runs round the loop (two passes reach the steady
  // state the loop would have after playing for a while).
  void Echo(double delay, double feedback) {
    size_t d = static_cast<size_t>(delay * kRate), n = s_.Size();
    std::vector<float> dry_l = s_.l, dry_r = s_.r;
    std::vector<float> wl(n, 0), wr(n, 0);
    for (int pass = 0; pass < 3; ++pass)
      for (size_t i = 0; i < n; ++i) {
        size_t j = (i + n - d) % n;
        wl[i] = static_cast<float>(feedback * (dry_r[j] + wr[j]));
        wr[i] = static_cast<float>(feedback * (dry_l[j] + wl[j]));
      }
    for (size_t i = 0; i < n; ++i) {
      s_.l[i] += wl[i];
      s_.r[i] += wr[i];
    }
  }

  Bytes Encode(float peak) {
    float m = 0;
    for (size_t i = 0; i < s_.Size(); ++i) m = std::max({m, std::fabs(s_.l[i]), std::fabs(s_.r[i])});
    float k = m > 0 ? peak / m : 1.0f;
    for (size_t i = 0; i < s_.Size(); ++i) {
      s_.l[i] *= k;
      s_.r[i] *= k;
    }
    return EncodeOgg(s_, 0.3f);
  }

 private:
  Stereo s_;
};

struct Chord {
  int root;                // bass note
  std::vector<int> tones;  // pad and arpeggio notes
};

void Compose(Loop& loop, double bpm, const std::vector<Chord>& bars, const std::vector<int>& scale,
             std::uint64_t seed, bool musicBox) {
  double beat = 60.0 / bpm, bar = 4 * beat;
  Rng rng(seed);
  int last = static_cast<int>(scale.size()) / 2;
  for (size_t b = 0; b < bars.size(); ++b) {
    const Chord& c = bars[b];
    double t0 = b * bar;
    for (size_t i = 0; i < c.tones.size(); ++i)
      loop.Add(t0, bar - 0.2, c.tones[i], 0.09, Voice::kPad, (i % 2 ? 0.3 : -0.3));
    loop.Add(t0, bar, c.root, 0.22, Voice::kBass, 0.0);
    loop.Add(t0 + 2 * beat, 2 * beat, c.root + 7, 0.12, Voice::kBass, 0.0);
    // arpeggio in eighths, up and down the chord
    const int pattern[] = {0, 1, 2, 3, 2, 1, 2, 3};
    for (int e = 0; e < 8; ++e) {
      int tone = c.tones[pattern[e] % c.tones.size()] + 12;
      loop.Add(t0 + e * beat / 2, beat / 2, tone, musicBox ? 0.06 : 0.1, Voice::kHarp, (e % 2 ? 0.35 : -0.35));
    }
    // a sparse melody that walks the scale in small steps
    for (int q = 0; q < 4; ++q) {
      if (rng.Uniform() < (musicBox ? 0.45 : 0.35)) continue;
      last = std::clamp(last + rng.Int(-2, 2), 0, static_cast<int>(scale.size()) - 1);
      double len = rng.Uniform() < 0.3 ? 2 * beat : beat;
      loop.Add(t0 + q * beat, len, scale[last] + 12, musicBox ? 0.16 : 0.13, musicBox ? Voice::kBell : Voice::kHarp,
               rng.Range(-0.2, 0.2));
    }
  }
}

}  // namespace

void MakeMusic(Sink& sink) {
  {
    // menu: F major at 80 beats a minute, 12 bars = 36 s
    const Chord f{41, {57, 60, 64, 65}}, dm{38, {57, 60, 62, 65}}, bb{34, {58, 62, 65, 69}}, c{36, {55, 60, 62, 67}};
    std::vector<Chord> bars = {f, dm, bb, c, f, dm, bb, c, dm, bb, f, c};
    const std::vector<int> scale = {60, 62, 65, 67, 69, 72, 74, 77};
    Loop loop(12 * 4 * 60.0 / 80);
    Compose(loop, 80, bars, scale, 31, false);
    loop.Echo(0.5625, 0.28);
    sink.Put("music", "game_01.ogg", loop.Encode(0.5f));
  }
  {
    // play: A minor at 60 beats a minute, 8 bars = 32 s, a music box over pads
    const Chord am{45, {57, 60, 64, 67}}, fm{41, {57, 60, 64, 65}}, cm{36, {55, 60, 64, 71}}, g{43, {55, 59, 62, 64}};
    std::vector<Chord> bars = {am, fm, cm, g, am, fm, g, cm};
    const std::vector<int> scale = {57, 60, 62, 64, 67, 69, 72, 74};
    Loop loop(8 * 4 * 60.0 / 60);
    Compose(loop, 60, bars, scale, 47, true);
    loop.Echo(0.75, 0.3);
    sink.Put("music", "game_02.ogg", loop.Encode(0.45f));
  }
}

}  // namespace gendata
