// The edition record and the XML loader that reads from the selected pack.
#include "GAME/config/edition.h"

#include <pugixml.hpp>

#include <memory>
#include <string>

#include "GAME/config/globals.h"
#include "GAME/ui/pack_selection.h"
#include "ST/file.h"
#include "ST/text_cut.h"
#include "ST/xml_file.h"
#include "platform/sys.h"

EDITION_CONF gEdition;

namespace {

// A document that does not parse counts as empty, so that a half-read file
// never passes for a whole one.
void Parse(pugi::xml_document* doc, const char* name, const pugi::xml_parse_result& result) {
  if (result || result.status == pugi::status_file_not_found) return;
  doc->reset();
  plat::PrintLine(ZOV::LogQuote(name) + ": " + result.description() + " at byte " + std::to_string(result.offset));
}

void LoadFromDisk(pugi::xml_document* doc, const char* name) {
  Parse(doc, name, ZOV::LoadXmlFile(doc, name));
}

}  // namespace

pugi::xml_document* GetXML(char const* name) {
  auto* doc = new pugi::xml_document();
  ZOV::iFile& files = ZOV::ifile;
  if (files.current_pack == nullptr || files.ZipOpen(files.current_pack) != 1) {
    LoadFromDisk(doc, name);
    return doc;
  }
  if (files.ZipFindFile(name) != 1 || files.ZipReadFile(files.current_pass) != 1) {
    files.ZipClearData();
    files.ZipCloze();
    delete doc;
    return nullptr;
  }
  Parse(doc, name,
        doc->load_buffer(files.read_buffer, static_cast<size_t>(files.file_info.uncompressed_size),
                         pugi::parse_default, pugi::encoding_auto));
  files.ZipClearData();
  files.ZipCloze();
  return doc;
}

void LoadEdition() {
  GAME::PackSelection edition(C_NAME_PACK_EDITION, C_PAS_EDITION);
  gEdition.run_if_url_lost = true;
  gEdition.run_if_exe_lost = true;
  plat::PrintLine("LoadEdition...");

  std::unique_ptr<pugi::xml_document> doc(GetXML("editions.xml"));
  if (doc) {
    const pugi::xml_node root = doc->first_child();
    // Tested in this order; the log names the two logos as below.
    struct Element {
      const char* name;
      const char* logged;
    };
    static const Element kElements[] = {
        {"url_file", "url_file"}, {"run_if_url_lost", "run_if_url_lost"}, {"exe_file", "exe_file"},
        {"run_if_exe_lost", "run_if_exe_lost"}, {"splash1", "nodeSplash1"}, {"splash2", "nodeSplash2"},
    };
    bool complete = true;
    for (const Element& e : kElements) {
      if (!root.child(e.name)) {
        plat::PrintLine(std::string(" node \"") + e.logged + "\" not found");
        complete = false;
        break;
      }
    }
    if (complete) {
      auto param = [&root](const char* element) { return root.child(element).attribute("param"); };
      gEdition.url_file = param("url_file").value();
      gEdition.run_if_url_lost = param("run_if_url_lost").as_bool();
      gEdition.exe_file = param("exe_file").value();
      gEdition.run_if_exe_lost = param("run_if_exe_lost").as_bool();
      gEdition.splash1 = param("splash1").value();
      gEdition.splash2 = param("splash2").value();
      plat::PrintLine("LoadEdition... OK");
    }
  }
}
