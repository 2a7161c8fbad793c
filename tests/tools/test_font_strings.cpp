// Every character of every default interface text has a glyph in the two
// fonts that draw them, `big` and `comix`.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <set>
#include <string>

#include "GAME/config/config.h"
#include "tests/support/test_env.h"
#include "tools/fonts/font_baker.h"
#include "tools/fonts/font_descriptor.h"

namespace {

// Collects every attribute value and text of the tree, as the game's
// conversion to wide characters gives them.
void Collect(const pugi::xml_node& node, std::set<wchar_t>& chars, int& texts) {
  for (pugi::xml_attribute a : node.attributes()) {
    for (wchar_t c : pugi::as_wide(a.value())) chars.insert(c);
    ++texts;
  }
  if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
    for (wchar_t c : pugi::as_wide(node.value())) chars.insert(c);
    ++texts;
  }
  for (pugi::xml_node child : node.children()) Collect(child, chars, texts);
}

TEST(DefaultTexts, EveryCharacterHasAGlyphInBothTextFonts) {
  const std::string fonts = testenv::FreshDir("fonts");
  std::string error;
  ASSERT_TRUE(fontbake::BakeDefaultFonts(fontbake::kDefaultFacesDir, fonts, {fonts}, error)) << error;

  // The test runs in a fresh folder: the writer puts strings.xml there.
  ASSERT_TRUE(SaveDefaultStrings());
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file("strings.xml", pugi::parse_default, pugi::encoding_auto));
  std::set<wchar_t> chars;
  int texts = 0;
  Collect(doc, chars, texts);
  ASSERT_GT(texts, 50) << "the default file holds the interface texts";
  chars.erase(L'\n');  // a line break, never drawn

  for (const char* name : {"Font_big.fnt", "PuzzleComix.fnt"}) {
    SCOPED_TRACE(name);
    fontbake::FontDescriptor d;
    ASSERT_TRUE(fontbake::ReadDescriptor(fonts + "/" + name, d, error)) << error;
    for (wchar_t c : chars)
      EXPECT_NE(d.Find(static_cast<int>(c)), nullptr) << "no glyph for U+" << std::hex << +c;
  }
}

}  // namespace
