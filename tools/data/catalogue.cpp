// The picture catalogue: five chapters of pictures, their full pictures
// (low/*.jpg) and thumbnails (pre/*.png), and "pzls.xml", which the game
// reads from its current folder.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <sstream>
#include <thread>

#include <pugixml.hpp>

#include "GAME/config/edition_defaults.h"
#include "tools/data/generator.h"
#include "tools/data/pictures.h"

namespace gendata {

namespace {

// Sizes: 4:3, 3:2 and 16:9, thumbnails of exactly the same ratio. The
// pieces are cut from the full picture at its own size and the game plays
// every picture from this one pack, so a whole picture must fit the play
// area of the smallest screen (1024×768 less a 50-pixel margin: 924×668),
// where the finished frame is moved and every resting piece is kept.
PictureSpec P43(std::string stem, Painter p, int v, int amount, bool rot, int intended) {
  return {std::move(stem), p, v, 880, 660, 160, 120, amount, rot, intended};
}
PictureSpec P32(std::string stem, Painter p, int v, int amount, bool rot, int intended) {
  return {std::move(stem), p, v, 900, 600, 180, 120, amount, rot, intended};
}
PictureSpec P169(std::string stem, Painter p, int v, int amount, bool rot, int intended) {
  return {std::move(stem), p, v, 912, 513, 192, 108, amount, rot, intended};
}

}  // namespace

const std::vector<std::vector<PictureSpec>>& Catalogue() {
  // Amounts are either 0 (random) or chosen so that the pieces along the
  // shorter side come out the same in float and double arithmetic:
  // 4:3 → 27:4, 35:5, 88:8, 165:11, 266:14 (14 × 19, enough for the lord
  // trophy); 3:2 → 63:6, 135:9; 16:9 → 100:7, 196:10.
  using P = Painter;
  static const std::vector<std::vector<PictureSpec>> chapters = {
      {
          P43("p1_01", P::kMountains, 0, 35, false, 5),
          P43("p1_02", P::kMountains, 1, 88, true, 8),
          P169("p1_03", P::kMountains, 2, 100, false, 7),
          P43("p1_04", P::kMountains, 3, 0, true, 0),
          P32("p1_05", P::kMountains, 4, 63, false, 6),
          P43("p1_06", P::kMountains, 5, 165, true, 11),
          P43("p1_07", P::kMountains, 6, 27, false, 4),
          P169("p1_08", P::kMountains, 7, 196, true, 10),
          P43("p1_09", P::kMountains, 8, 266, false, 14),
      },
      {
          P43("p2_01", P::kSea, 0, 35, false, 5),
          P32("p2_02", P::kSea, 1, 135, true, 9),
          P43("p2_03", P::kSea, 2, 0, false, 0),
          P169("p2_04", P::kSea, 3, 100, true, 7),
      },
      {
          P169("p3_01", P::kSkyline, 0, 196, false, 10),
          P43("p3_02", P::kSkyline, 1, 88, true, 8),
          P43("p3_03", P::kSkyline, 2, 0, true, 0),
          P32("p3_04", P::kSkyline, 3, 63, false, 6),
      },
      {
          P43("p4_01", P::kFlowers, 0, 165, false, 11),
          P43("p4_02", P::kFlowers, 1, 35, true, 5),
          P32("p4_03", P::kFlowers, 2, 0, false, 0),
          P43("p4_04", P::kFlowers, 3, 266, true, 14),
      },
      {
          P43("p5_01", P::kMosaic, 0, 88, false, 8),
          P43("p5_02", P::kMandelbrot, 0, 165, true, 11),
          P43("p5_03", P::kJulia, 1, 0, false, 0),
          P43("p5_04", P::kMosaic, 1, 35, true, 5),
      },
  };
  return chapters;
}

int MinFromCount(int count, int w, int h) {
  float r = static_cast<float>(std::max(w, h)) / static_cast<float>(std::min(w, h));
  int m = static_cast<int>(std::sqrt(4.0f * r * static_cast<float>(count)) / (2.0f * r));
  if (m == 0) return 0;
  return std::min(m, count / m);
}

int MinFromCountDouble(int count, int w, int h) {
  double r = static_cast<double>(std::max(w, h)) / std::min(w, h);
  int m = static_cast<int>(std::sqrt(4.0 * r * count) / (2.0 * r));
  if (m == 0) return 0;
  return std::min(m, count / m);
}

int CountFromMin(int m, int w, int h) {
  float r = static_cast<float>(std::max(w, h)) / static_cast<float>(std::min(w, h));
  return static_cast<int>(static_cast<float>(m) * r + 0.5f) * m;
}

CellStats MeasureCells(const std::uint8_t* rgb, int w, int h, int stride, int pieces) {
  CellStats st;
  bool wide = w >= h;
  int shortCells = pieces;
  int longCells = static_cast<int>(pieces * (wide ? static_cast<double>(w) / h : static_cast<double>(h) / w) + 0.5);
  st.cols = wide ? longCells : shortCells;
  st.rows = wide ? shortCells : longCells;
  const int g = 4;
  std::vector<double> avg(static_cast<size_t>(st.cols) * st.rows * g * g * 3, 0.0);
  st.minStdDev = 1e9;
  for (int cj = 0; cj < st.rows; ++cj)
    for (int ci = 0; ci < st.cols; ++ci) {
      int x0 = ci * w / st.cols, x1 = (ci + 1) * w / st.cols, y0 = cj * h / st.rows, y1 = (cj + 1) * h / st.rows;
      double sum = 0, sum2 = 0;
      int n = 0;
      double* a = &avg[(static_cast<size_t>(cj) * st.cols + ci) * g * g * 3];
      std::vector<int> cnt(g * g, 0);
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
          const std::uint8_t* p = rgb + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3;
          double l = 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
          sum += l;
          sum2 += l * l;
          ++n;
          int gx = (x - x0) * g / (x1 - x0), gy = (y - y0) * g / (y1 - y0);
          int k = gy * g + gx;
          a[k * 3] += p[0];
          a[k * 3 + 1] += p[1];
          a[k * 3 + 2] += p[2];
          ++cnt[k];
        }
      for (int k = 0; k < g * g; ++k)
        for (int c = 0; c < 3; ++c) a[k * 3 + c] /= std::max(1, cnt[k]);
      double mean = sum / n, sd = std::sqrt(std::max(0.0, sum2 / n - mean * mean));
      if (sd < st.minStdDev) {
        st.minStdDev = sd;
        st.flattest = cj * st.cols + ci;
      }
    }
  st.minPairDiff = 1e9;
  int cells = st.cols * st.rows, vals = g * g * 3;
  for (int i = 0; i < cells; ++i)
    for (int j = i + 1; j < cells; ++j) {
      const double* a = &avg[static_cast<size_t>(i) * vals];
      const double* b = &avg[static_cast<size_t>(j) * vals];
      double d = 0;
      for (int k = 0; k < vals; ++k) d += std::fabs(a[k] - b[k]);
      if (d / vals < st.minPairDiff) {
        st.minPairDiff = d / vals;
        st.likeA = i;
        st.likeB = j;
      }
    }
  return st;
}

namespace {

constexpr int kPaintHeight = 900;

// `from` drawn over the whole of `to`, filtered.
void ScaleInto(Image& from, Image& to) {
  cairo_t* cr = to.Cr();
  cairo_save(cr);
  cairo_scale(cr, static_cast<double>(to.W()) / from.W(), static_cast<double>(to.H()) / from.H());
  cairo_set_source_surface(cr, from.Surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace

void MakePictures(Sink& sink) {
  std::vector<const PictureSpec*> specs;
  for (const auto& chapter : Catalogue())
    for (const PictureSpec& spec : chapter) specs.push_back(&spec);
  // Pictures are independent of each other, so they are painted on all
  // cores; the files are then put in catalogue order.
  std::vector<Bytes> fulls(specs.size()), thumbs(specs.size());
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < specs.size(); i = next++) {
      const PictureSpec& spec = *specs[i];
      // The painters' strokes and textures are drawn for a picture 900
      // pixels high; the picture is painted at that height and scaled down
      // to its size, keeping its detail.
      Image painted(spec.w * kPaintHeight / spec.h, kPaintHeight);
      Paint(painted, spec);
      Image full(spec.w, spec.h);
      ScaleInto(painted, full);
      fulls[i] = full.Jpeg(90);
      Image thumb(spec.tw, spec.th);
      ScaleInto(full, thumb);
      thumbs[i] = thumb.Png();
    }
  };
  unsigned n = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < n; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();

  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("pzls");
  size_t i = 0;
  for (const auto& chapter : Catalogue()) {
    pugi::xml_node pack = root.append_child("pack");
    for (const PictureSpec& spec : chapter) {
      sink.Put("low", spec.stem + ".jpg", fulls[i]);
      sink.Put("pre", spec.stem + ".png", thumbs[i]);
      ++i;
      pugi::xml_node pz = pack.append_child("pz");
      pz.append_attribute("adrSm") = (spec.stem + ".png").c_str();
      pz.append_attribute("amount") = spec.amount;
      pz.append_attribute("rot") = spec.rot;
      pz.append_attribute("adrFm") = (spec.stem + ".jpg").c_str();
    }
  }
  std::ostringstream out;
  doc.save(out, "\t", pugi::format_default, pugi::encoding_utf8);
  std::string text = out.str();
  sink.Put("root", "pzls.xml", Bytes(text.begin(), text.end()));
}

void MakeEditions(Sink& sink) {
  // The installation's default edition, the same text the game's own tests
  // load: all six elements, no URL or program file, both flags true and no
  // logos, so start-up shows no splash.
  const std::string text = GAME::kDefaultEditionsXml;
  sink.Put("editions", "editions.xml", Bytes(text.begin(), text.end()));
}

}  // namespace gendata
