#include "GAME/shell/catalogue.h"

#include <string>

#include "GAME/shell/frame_group.h"
#include "ST/xml_file.h"
#include "platform/sys.h"

namespace GAME {

int ReadCatalogue(const char* path, std::vector<FRAME_CHOISE_GROUP*>* chapters) {
  pugi::xml_document doc;
  if (!ZOV::LoadXmlFile(&doc, path)) return 0;
  int added = 0, leftOut = 0;
  for (pugi::xml_node c = doc.document_element().first_child(); c; c = c.next_sibling()) {
    if (c.type() != pugi::node_element) continue;
    if (added == kMaxChapters) {
      ++leftOut;
      continue;
    }
    chapters->push_back(new FRAME_CHOISE_GROUP(c));
    ++added;
  }
  if (leftOut > 0)
    plat::PrintLine(std::string(path) + ": the book has room for " + std::to_string(kMaxChapters) + " chapters, " +
                    std::to_string(leftOut) + " more left out");
  return added;
}

}  // namespace GAME
