// Small PCM WAV files for sound tests: 22050 Hz, stereo, 16-bit.
#pragma once

#include <cstdint>
#include <string>

namespace testdata {

// `frames` stereo frames of a square wave that flips every `halfPeriod`
// frames; silence when halfPeriod is 0.
inline std::string Wav(int frames, int halfPeriod = 50) {
  std::string w;
  auto u32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) w += char((v >> (8 * i)) & 0xff);
  };
  auto u16 = [&](uint16_t v) {
    w += char(v & 0xff);
    w += char(v >> 8);
  };
  const uint32_t data = uint32_t(frames) * 4;
  w += "RIFF";
  u32(36 + data);
  w += "WAVEfmt ";
  u32(16);
  u16(1);  // PCM
  u16(2);
  u32(22050);
  u32(22050 * 4);
  u16(4);
  u16(16);
  w += "data";
  u32(data);
  for (int i = 0; i < frames; ++i) {
    const uint16_t s = halfPeriod == 0 ? 0 : ((i / halfPeriod) % 2 ? 0x2000 : 0xE000);
    u16(s);
    u16(s);
  }
  return w;
}

}  // namespace testdata
