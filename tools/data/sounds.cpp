// The 25 sound effects: clicks, pops, chimes, whooshes and a fanfare, each
// synthesised from sines and filtered noise with smooth envelopes.
#include <cmath>
#include <functional>
#include <string>

#include "tools/data/audio.h"
#include "tools/data/generator.h"

namespace gendata {

namespace {

size_t Samples(double seconds) { return static_cast<size_t>(seconds * kRate); }

// Exponentially decaying envelope with a short attack.
double Env(double t, double attack, double decay) {
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

// A bell-like tone: a few inharmonic partials decaying at their own rates.
void Chime(Stereo& s, double start, double freq, double gain, double decay, double pan) {
  const double partials[][2] = {{1.0, 1.0}, {2.0, 0.35}, {3.01, 0.15}, {4.2, 0.08}};
  size_t a = Samples(start);
  for (size_t i = a; i < s.Size(); ++i) {
    double t = static_cast<double>(i - a) / kRate;
    double v = 0;
    for (const auto& p : partials) v += p[1] * std::sin(2 * M_PI * freq * p[0] * t) * Env(t, 0.004, decay / p[0]);
    v *= gain;
    s.l[i] += static_cast<float>(v * (1 - pan));
    s.r[i] += static_cast<float>(v * (1 + pan));
  }
}

// A pitch sweep from f0 to f1 (a "pop" when short).
void Sweep(Stereo& s, double start, double len, double f0, double f1, double gain, double decay) {
  size_t a = Samples(start), n = Samples(len);
  double phase = 0;
  for (size_t i = 0; i < n && a + i < s.Size(); ++i) {
    double t = static_cast<double>(i) / kRate, u = t / len;
    double f = f0 * std::pow(f1 / f0, u);
    phase += 2 * M_PI * f / kRate;
    double v = gain * std::sin(phase) * Env(t, 0.003, decay);
    s.l[a + i] += static_cast<float>(v);
    s.r[a + i] += static_cast<float>(v);
  }
}

// Band-passed noise whose centre moves from c0 to c1 Hz: whooshes, swishes
// and paper slides.  `shape` gives the loudness over 0..1 of the length.
void Noise(Stereo& s, double start, double len, double c0, double c1, double q, double gain, std::uint64_t seed,
           const std::function<double(double)>& shape) {
  Rng rng(seed);
  size_t a = Samples(start), n = Samples(len);
  double lowL = 0, bandL = 0, lowR = 0, bandR = 0;
  for (size_t i = 0; i < n && a + i < s.Size(); ++i) {
    double u = static_cast<double>(i) / n;
    double fc = c0 * std::pow(c1 / c0, u);
    double f = 2 * std::sin(M_PI * std::min(fc, kRate / 6.0) / kRate);
    double inL = rng.Range(-1, 1), inR = rng.Range(-1, 1);
    lowL += f * bandL;
    double highL = inL - lowL - q * bandL;
    bandL += f * highL;
    lowR += f * bandR;
    double highR = inR - lowR - q * bandR;
    bandR += f * highR;
    double g = gain * shape(u);
    s.l[a + i] += static_cast<float>(bandL * g);
    s.r[a + i] += static_cast<float>(bandR * g);
  }
}

double Bump(double u) { return std::sin(M_PI * u); }
double Fall(double u) { return std::exp(-u * 6); }

void Put(Sink& sink, const std::string& name, Stereo s, float peak = 0.6f) {
  Finish(s, peak, 6);
  sink.Put("music", name + ".ogg", EncodeOgg(s, 0.4f));
}

// Note frequency from a MIDI number.
double Note(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

}  // namespace

void MakeSounds(Sink& sink) {
  {
    Stereo s(Samples(0.14));
    Sweep(s, 0, 0.14, 190, 120, 0.8, 0.05);
    Noise(s, 0, 0.05, 400, 300, 1.0, 0.4, 1, Fall);
    Put(sink, "button_disabled", s, 0.4f);
  }
  {
    Stereo s(Samples(0.07));
    Sweep(s, 0, 0.07, 1900, 2100, 0.6, 0.015);
    Put(sink, "button_over", s, 0.3f);
  }
  {
    Stereo s(Samples(0.5));
    Chime(s, 0, Note(72), 0.6, 0.25, -0.1);
    Chime(s, 0.08, Note(79), 0.6, 0.3, 0.1);
    Put(sink, "button_play_press", s);
  }
  {
    Stereo s(Samples(0.09));
    Noise(s, 0, 0.03, 3000, 2000, 0.7, 0.8, 2, Fall);
    Sweep(s, 0, 0.09, 950, 800, 0.6, 0.02);
    Put(sink, "button_press", s, 0.5f);
  }
  {
    Stereo s(Samples(0.4));
    Noise(s, 0, 0.34, 2400, 300, 0.5, 1.0, 3, Bump);
    Sweep(s, 0.3, 0.1, 160, 90, 0.6, 0.03);
    Put(sink, "close_pocket", s);
  }
  {
    Stereo s(Samples(0.14));
    Sweep(s, 0, 0.14, 420, 300, 0.8, 0.03);
    Noise(s, 0, 0.03, 1500, 1200, 0.8, 0.4, 4, Fall);
    Put(sink, "element_arrive", s, 0.45f);
  }
  {
    Stereo s(Samples(0.8));
    Chime(s, 0, Note(76), 0.5, 0.3, -0.2);
    Chime(s, 0.09, Note(79), 0.5, 0.3, 0.0);
    Chime(s, 0.18, Note(84), 0.6, 0.4, 0.2);
    Put(sink, "element_connection_high", s);
  }
  {
    Stereo s(Samples(0.6));
    Chime(s, 0, Note(72), 0.5, 0.28, -0.1);
    Chime(s, 0.09, Note(76), 0.55, 0.32, 0.1);
    Put(sink, "element_connection_med", s, 0.55f);
  }
  {
    Stereo s(Samples(0.4));
    Chime(s, 0, Note(69), 0.6, 0.25, 0.0);
    Put(sink, "element_connection_low", s, 0.5f);
  }
  {
    Stereo s(Samples(0.1));
    Sweep(s, 0, 0.1, 320, 640, 0.8, 0.03);
    Put(sink, "element_pickup", s, 0.45f);
  }
  {
    Stereo s(Samples(0.11));
    Sweep(s, 0, 0.11, 520, 240, 0.8, 0.03);
    Noise(s, 0, 0.02, 900, 700, 0.8, 0.3, 5, Fall);
    Put(sink, "element_put", s, 0.45f);
  }
  {
    Stereo s(Samples(0.13));
    Noise(s, 0, 0.13, 900, 3500, 0.4, 1.0, 6, Bump);
    Put(sink, "element_rotation", s, 0.35f);
  }
  {
    Stereo s(Samples(0.28));
    for (int k = 0; k < 2; ++k) {
      size_t a = Samples(k * 0.13), n = Samples(0.11);
      for (size_t i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / kRate;
        double v = 0;
        for (int h = 1; h <= 7; h += 2) v += std::sin(2 * M_PI * 150 * h * t) / h;
        v *= 0.5 * Env(t, 0.004, 0.05);
        s.l[a + i] += static_cast<float>(v);
        s.r[a + i] += static_cast<float>(v);
      }
    }
    Put(sink, "element_rotation_wrong", s, 0.4f);
  }
  {
    Stereo s(Samples(0.3));
    for (int k = 0; k < 2; ++k) {
      Sweep(s, k * 0.11, 0.12, 700 - k * 120, 500 - k * 100, 0.7, 0.025);
      Noise(s, k * 0.11, 0.03, 2000, 1500, 0.8, 0.3, 7 + k, Fall);
    }
    Put(sink, "groups_arrive", s, 0.5f);
  }
  {
    Stereo s(Samples(0.06));
    Noise(s, 0, 0.02, 4000, 3000, 0.6, 0.8, 9, Fall);
    Sweep(s, 0, 0.06, 1400, 1200, 0.4, 0.01);
    Put(sink, "gui_click", s, 0.4f);
  }
  {
    // fanfare: a rising arpeggio ending on a held major chord
    Stereo s(Samples(1.0));
    const int notes[] = {60, 64, 67, 72};
    for (int i = 0; i < 4; ++i) Chime(s, i * 0.11, Note(notes[i]), 0.45, 0.3 + 0.15 * i, (i - 1.5) * 0.15);
    for (int n : {72, 76, 79}) Chime(s, 0.45, Note(n), 0.35, 0.5, 0.0);
    Put(sink, "level_win", s, 0.65f);
  }
  {
    // the finished picture: a warm chord that swells and settles
    Stereo s(Samples(0.95));
    for (int n : {53, 57, 60, 65}) {
      for (size_t i = 0; i < s.Size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double env = std::sin(M_PI * std::min(1.0, t / 0.9));
        double v = 0.25 * env * (std::sin(2 * M_PI * Note(n) * t) + 0.3 * std::sin(4 * M_PI * Note(n) * t));
        s.l[i] += static_cast<float>(v * (1.0 + 0.002 * n));
        s.r[i] += static_cast<float>(v);
      }
    }
    Put(sink, "puzzle_over", s, 0.55f);
  }
  {
    Stereo s(Samples(0.22));
    Noise(s, 0, 0.12, 2500, 5000, 0.5, 0.6, 10, Bump);
    Chime(s, 0.02, Note(88), 0.3, 0.08, 0.0);
    Put(sink, "puzzle_selection", s, 0.4f);
  }
  {
    // sparkle: high twinkles at fixed, seeded moments
    Stereo s(Samples(0.6));
    Rng rng(11);
    for (int i = 0; i < 9; ++i)
      Chime(s, i * 0.045 + rng.Range(0, 0.02), Note(84 + rng.Int(0, 12)), 0.25, 0.08, rng.Range(-0.5, 0.5));
    Put(sink, "tools_hint", s, 0.5f);
  }
  {
    // shuffling pieces: a quick rattle of small clicks
    Stereo s(Samples(0.45));
    Rng rng(12);
    for (int i = 0; i < 12; ++i) {
      double t0 = i * 0.032 + rng.Range(0, 0.01);
      Sweep(s, t0, 0.04, rng.Range(500, 900), rng.Range(300, 500), 0.5, 0.012);
      Noise(s, t0, 0.015, 2500, 2000, 0.8, 0.3, 20 + i, Fall);
    }
    Put(sink, "tools_sort", s, 0.45f);
  }
  {
    Stereo s(Samples(0.38));
    Noise(s, 0, 0.36, 300, 2600, 0.5, 1.0, 13, Bump);
    Put(sink, "use_pocket", s);
  }
  {
    Stereo s(Samples(0.26));
    Noise(s, 0, 0.25, 3500, 900, 0.6, 1.0, 14, Bump);
    Put(sink, "window_close", s, 0.4f);
  }
  {
    Stereo s(Samples(0.26));
    Noise(s, 0, 0.25, 900, 3500, 0.6, 1.0, 15, Bump);
    Put(sink, "window_open", s, 0.4f);
  }
  {
    Stereo s(Samples(0.16));
    Chime(s, 0, Note(76), 0.5, 0.05, 0);
    Chime(s, 0.06, Note(83), 0.5, 0.06, 0);
    Put(sink, "tools_on", s, 0.45f);
  }
  {
    Stereo s(Samples(0.16));
    Chime(s, 0, Note(83), 0.5, 0.05, 0);
    Chime(s, 0.06, Note(76), 0.5, 0.06, 0);
    Put(sink, "tools_off", s, 0.45f);
  }
}

}  // namespace gendata
