#include "tools/data/audio.h"

#include <algorithm>
#include <cmath>

#include <vorbis/vorbisenc.h>

namespace gendata {

Bytes EncodeOgg(const Stereo& s, float quality) {
  Bytes out;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, 2, kRate, quality) != 0) {
    vorbis_info_clear(&vi);
    return out;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 0x4A1653A5);  // fixed serial: identical output every run
  ogg_packet header, comm, code;
  vorbis_analysis_headerout(&vd, &vc, &header, &comm, &code);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comm);
  ogg_stream_packetin(&os, &code);
  ogg_page og;
  auto emit = [&](const ogg_page& p) {
    out.insert(out.end(), p.header, p.header + p.header_len);
    out.insert(out.end(), p.body, p.body + p.body_len);
  };
  while (ogg_stream_flush(&os, &og) != 0) emit(og);
  const size_t chunk = 1024;
  size_t pos = 0;
  bool eos = false;
  while (!eos) {
    size_t n = std::min(chunk, s.Size() - pos);
    if (n == 0) {
      vorbis_analysis_wrote(&vd, 0);
    } else {
      float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      std::copy(s.l.begin() + static_cast<long>(pos), s.l.begin() + static_cast<long>(pos + n), buf[0]);
      std::copy(s.r.begin() + static_cast<long>(pos), s.r.begin() + static_cast<long>(pos + n), buf[1]);
      vorbis_analysis_wrote(&vd, static_cast<int>(n));
      pos += n;
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op) == 1) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &og) != 0) {
          emit(og);
          if (ogg_page_eos(&og)) eos = true;
        }
      }
    }
    if (n == 0 && !eos) {
      while (ogg_stream_flush(&os, &og) != 0) emit(og);
      eos = true;
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

void Finish(Stereo& s, float peak, double fadeMs) {
  float m = 0;
  for (size_t i = 0; i < s.Size(); ++i) m = std::max({m, std::fabs(s.l[i]), std::fabs(s.r[i])});
  float k = m > 0 ? peak / m : 1.0f;
  size_t fade = std::min(s.Size() / 2, static_cast<size_t>(fadeMs * kRate / 1000.0));
  for (size_t i = 0; i < s.Size(); ++i) {
    float g = k;
    // raised-cosine fades: no click at either end
    if (i < fade) g *= static_cast<float>(0.5 - 0.5 * std::cos(M_PI * i / fade));
    if (i >= s.Size() - fade) g *= static_cast<float>(0.5 - 0.5 * std::cos(M_PI * (s.Size() - 1 - i) / fade));
    s.l[i] *= g;
    s.r[i] *= g;
  }
}

}  // namespace gendata
