#include "ST/font.h"

#include <pugixml.hpp>

#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <string>

#include "ST/sprite.h"
#include "ST/text_cut.h"
#include "ST/xml_file.h"
#include "platform/sys.h"

namespace ZOV {

namespace {

// Descriptor numbers beyond any real page or glyph are held to this, so that
// a damaged or hand-edited descriptor cannot make the layout sums overflow.
constexpr int kMaxMetric = 1 << 15;

int Metric(const pugi::xml_attribute& a) {
  const int v = a.as_int();
  return v > kMaxMetric ? kMaxMetric : (v < -kMaxMetric ? -kMaxMetric : v);
}

// A coordinate or length as an int, held inside the int range (the letter
// spacing and the draw position come from callers and can be anything).
int ToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= double(INT_MAX)) return INT_MAX;
  if (v <= double(INT_MIN)) return INT_MIN;
  return int(v);
}

// The first child of `node` that is an element (the descriptor's root and
// its first entry are taken by position, whatever their names).
pugi::xml_node FirstElement(pugi::xml_node node) {
  for (pugi::xml_node n = node.first_child(); n; n = n.next_sibling())
    if (n.type() == pugi::node_element) return n;
  return {};
}

// Length of `s` with a trailing UTF-8 sequence that was cut short removed.
size_t WholeCharacters(const char* s, size_t n) {
  size_t lead = n;
  int back = 0;
  while (lead > 0 && back < 4 && (static_cast<unsigned char>(s[lead - 1]) & 0xC0) == 0x80) {
    --lead;
    ++back;
  }
  if (lead == 0) return n;
  const unsigned char c = static_cast<unsigned char>(s[lead - 1]);
  int need = 0;
  if (c >= 0xF0) need = 3;
  else if (c >= 0xE0) need = 2;
  else if (c >= 0xC0) need = 1;
  else return n;  // ASCII or a stray continuation byte: nothing to trim
  return back < need ? lead - 1 : n;
}

}  // namespace

JFONT::JFONT(const char* file, int unused) {
  const std::string name = file ? file : "";
  plat::PrintLine("loading font " + LogQuote(name));

  pugi::xml_document doc;
  if (!LoadXmlFile(&doc, name.c_str())) {
    plat::PrintLine("Cant open file " + LogQuote(name) + "Font not loaded ");
    doc.reset();  // nothing of a half-read file is used
  }

  const pugi::xml_node root = doc.first_child();
  int size = Metric(FirstElement(root).attribute("size"));
  if (size == 0) plat::PrintLine("size==0!!!");
  if (size < 0) {
    // A size below 0 (BMFont's "match char height") has no line height to
    // lay text out with: the font is unusable like one of size 0.
    plat::PrintLine("Font " + LogQuote(name) + " size " + std::to_string(size) + " is not usable");
    size = 0;
  }
  defaultSize = size;
  lineHeight = size;
  spacing = size / 4;

  const char* pageFile = root.child("pages").first_child().attribute("file").value();
  page = new JSPRITE(pageFile, unused);
  page->SetBlendMode(1);
  gfx = page->gfx;
  const float W = float(page->GetMyTexWidth(1));
  const float H = float(page->GetMyTexHeight(1));

  const pugi::xml_node chars = root.child("chars");
  for (pugi::xml_node n = chars.first_child(); n; n = n.next_sibling("char")) {
    auto* g = new JFONT_GLYPH;
    g->id = n.attribute("id").as_int();
    const int x = Metric(n.attribute("x"));
    const int y = Metric(n.attribute("y"));
    g->width = Metric(n.attribute("width"));
    g->height = Metric(n.attribute("height"));
    g->xoffset = Metric(n.attribute("xoffset"));
    g->yoffset = Metric(n.attribute("yoffset"));
    if (W > 0.0f && H > 0.0f) {
      g->u0 = float(x) / W;
      g->v0 = float(y) / H;
      g->u1 = float(x + g->width) / W;
      g->v1 = float(y + g->height) / H;
    }
    g->next = glyphs;
    glyphs = g;
    ++glyphCount;
  }
  if (glyphCount != chars.attribute("count").as_int())
    plat::PrintLine("Count chars " + std::to_string(glyphCount) + " not concide with chars count");

  page->SetSizePix(size, size);
  page->SetHotSpot(0, 0);
  page->quad.layer = 100;
  alignment = 1;
  plat::PrintLine("fontLoaded");
}

JFONT::~JFONT() {
  delete page;
  page = nullptr;
  while (glyphs) {
    JFONT_GLYPH* next = glyphs->next;
    delete glyphs;
    glyphs = next;
  }
}

const JFONT_GLYPH* JFONT::FindGlyph(int code) const {
  for (const JFONT_GLYPH* g = glyphs; g; g = g->next)
    if (g->id == code) return g;
  return nullptr;
}

void JFONT::Render(int x, int y, const char* format, ...) {
  if (!format) {
    alignment = 1;
    return;
  }
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(text, kFormatLimit, format, args);
  va_end(args);
  if (n < 0) text[0] = 0;
  const size_t len = std::char_traits<char>::length(text);
  text[WholeCharacters(text, len)] = 0;
  Rende(x, y, text);
}

void JFONT::Render(int x, int y, const wchar_t* format, ...) {
  if (!format) {
    alignment = 1;
    return;
  }
  wtext[0] = 0;
  va_list args;
  va_start(args, format);
  // Output that does not fit is cut at the same place as the 8-bit form.
  const int n = std::vswprintf(wtext, kFormatLimit, format, args);
  va_end(args);
  if (n < 0) wtext[kFormatLimit - 1] = 0;
  Rende(x, y, wtext);
}

void JFONT::Rende(int x, int y, const char* utf8) {
  if (!utf8) {
    alignment = 1;
    return;
  }
  const std::wstring wide = pugi::as_wide(utf8);
  Rende(x, y, wide.c_str());
}

void JFONT::Rende(int x, int y, const wchar_t* wide) {
  const int align = alignment;
  alignment = 1;
  if (!wide || !Usable() || !page) return;

  const float sx = page->scale.x, sy = page->scale.y;
  const int L = lineHeight;
  const int len = GetStringLenght(wide);
  int dx = 0, dy = 0;
  switch (align) {
    case 0: dx = ToInt(float(len / 2) * sx); dy = ToInt(float(L) * 0.5f * sy); break;
    case 2: dx = len; dy = ToInt(sy); break;
    case 4: dx = len; dy = ToInt(float(L) * sy); break;
    case 7: dy = ToInt(float(L) * 0.5f * sy); break;
    case 8: dx = len; dy = ToInt(float(L) * 0.5f * sy); break;
    default: break;
  }

  // The pen and line sums run in 64 bits: a huge configured spacing or a
  // very long text saturates instead of wrapping.
  long long pen = 0, line = 0;
  for (const wchar_t* c = wide; *c; ++c) {
    if (*c == L'\n') {
      ++line;
      pen = 0;
      continue;
    }
    const int X = ToInt(float(float(x) + float(pen) * sx - float(dx)));
    const int Y = ToInt(float(float(y) + float(double(L) * double(line)) * sy - float(dy)));
    pen += (long long)RenderLetter(int(*c), X, Y) + spacing;
  }
}

int JFONT::RenderLetter(int code, int x, int y) {
  if (!Usable() || !page) return 0;
  const JFONT_GLYPH* g = FindGlyph(code);
  if (!g) return glyphs ? glyphs->width : 0;
  page->SetPos(x, ToInt(double(y) + g->yoffset));
  page->SetTexelCoord(g->u0, g->v0, g->u1, g->v1);
  page->SetSizePix(g->width, g->height);
  page->Render(0);
  return g->width;
}

int JFONT::GetStringLenght(const char* utf8) {
  if (!utf8 || !*utf8) return 0;
  const std::wstring wide = pugi::as_wide(utf8);
  return GetStringLenght(wide.c_str());
}

int JFONT::GetStringLenght(const wchar_t* wide) {
  if (!wide || !Usable()) return 0;
  long long len = 0;
  for (const wchar_t* c = wide; *c && *c != L'\n'; ++c) len += (long long)GetLetterWidth(int(*c)) + spacing;
  return ToInt(double(len));
}

int JFONT::GetStringHeight(const char* s) {
  int lines = 1;
  for (const char* c = s; c && *c; ++c)
    if (*c == '\n') ++lines;
  return ToInt(double(lineHeight) * lines);
}

int JFONT::GetLetterWidth(int code) {
  if (!Usable()) return 0;
  const JFONT_GLYPH* g = FindGlyph(code);
  return g ? g->width : 0;
}

void JFONT::SetSize(float s) {
  if (page) page->SetSize(s, s);
}

float JFONT::GetSize() const { return page ? page->scale.x : 1.0f; }

void JFONT::SetColor(int argb) {
  if (page) page->SetColor(argb);
}

int JFONT::GetColor() const { return page ? int(page->GetColor()) : 0; }

void JFONT::Test(float x, float y) {
  if (!page) return;
  int i = 0, j = 0;
  for (const JFONT_GLYPH* g = glyphs; g; g = g->next) {
    page->SetTexelCoord(g->u0, g->v0, g->u1, g->v1);
    page->Render(float(lineHeight * i) + x, float(lineHeight * j) + y + 15.0f);
    if (++i > 20) {
      i = 0;
      ++j;
    }
  }
}

}  // namespace ZOV
