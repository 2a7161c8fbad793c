#include "tools/fonts/font_descriptor.h"

#include <pugixml.hpp>

namespace fontbake {

const GlyphRecord* FontDescriptor::Find(int id) const {
  for (auto it = glyphs.rbegin(); it != glyphs.rend(); ++it)
    if (it->id == id) return &*it;
  return nullptr;
}

bool ReadDescriptor(const std::string& path, FontDescriptor& out, std::string& error) {
  out = FontDescriptor{};
  pugi::xml_document doc;
  pugi::xml_parse_result parsed = doc.load_file(path.c_str(), pugi::parse_default, pugi::encoding_auto);
  if (!parsed) {
    error = "cannot read font descriptor " + path + ": " + parsed.description();
    return false;
  }
  pugi::xml_node root = doc.first_child();
  out.size = root.first_child().attribute("size").as_int();
  out.page = root.child("pages").first_child().attribute("file").as_string();
  pugi::xml_node chars = root.child("chars");
  out.count = chars.attribute("count").as_int();
  for (pugi::xml_node n = chars.first_child(); n; n = n.next_sibling("char")) {
    GlyphRecord g;
    g.id = n.attribute("id").as_int();
    g.x = n.attribute("x").as_int();
    g.y = n.attribute("y").as_int();
    g.width = n.attribute("width").as_int();
    g.height = n.attribute("height").as_int();
    g.xoffset = n.attribute("xoffset").as_int();
    g.yoffset = n.attribute("yoffset").as_int();
    out.glyphs.push_back(g);
  }
  return true;
}

}  // namespace fontbake
