#include "GAME/shell/save_list.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <pugixml.hpp>

#include "GAME/config/globals.h"
#include "GAME/shell/frame.h"
#include "GAME/ui/pack_selection.h"
#include "ST/file.h"
#include "ST/xml_file.h"
#include "platform/sys.h"

namespace GAME {
namespace {

constexpr const char* kSaveMask = "*.pzl";
constexpr size_t kShownBytes = 200;  // of a name or path read from disk, in a log line

std::string Shown(const std::string& s) { return s.substr(0, kShownBytes); }

// The save number of a name "<digits>.pzl" (any case), -1 for any other name
// or one too long to be a number the game writes.
long long SaveNumber(const std::string& name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0 || dot > 18) return -1;
  long long n = 0;
  for (size_t i = 0; i < dot; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return -1;
    n = n * 10 + (name[i] - '0');
  }
  return n;
}

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

bool SaveNameBefore(const std::string& a, const std::string& b) {
  const long long na = SaveNumber(a), nb = SaveNumber(b);
  if ((na >= 0) != (nb >= 0)) return na >= 0;
  if (na >= 0 && na != nb) return na > nb;
  const std::string la = Lower(a), lb = Lower(b);
  if (la != lb) return la > lb;
  return a > b;
}

std::vector<std::string> ListSaveNames(const char* folder) {
  std::vector<std::string> names;
  ZOV::JINVECPTR<char*>* head = ZOV::ifile.FindDir(folder, kSaveMask, 0);
  for (auto* n = head; n; n = n->next)
    if (n->value) names.emplace_back(n->value);
  ZOV::FreeNameList(head);
  std::sort(names.begin(), names.end(), SaveNameBefore);
  return names;
}

int CompletionPercent(int joins, int count) {
  if (count < 2) return -1;
  const float p = std::floor(float(joins) / float(count - 1) * 100.0f + 0.5f);
  return int(std::clamp(p, 0.0f, 100.0f));
}

FRAME* ReadSaveFrame(const std::string& path) {
  pugi::xml_document doc;
  if (!ZOV::LoadXmlFile(&doc, path.c_str())) {
    plat::PrintLine("File not opened " + Shown(path));
    return nullptr;
  }
  const pugi::xml_node root = doc.document_element();
  if (std::string(root.name()) != "Save") {
    plat::PrintLine("File not opened " + Shown(path) + ": its root is not a saved game");
    return nullptr;
  }
  const int min = root.attribute("Min").as_int();
  if (min < kSaveMinLowest || min > kSaveMinHighest) {
    plat::PrintLine("File not opened " + Shown(path) + ": Min " + std::to_string(min) + " is outside " +
                    std::to_string(kSaveMinLowest) + ".." + std::to_string(kSaveMinHighest));
    return nullptr;
  }
  FRAME* f = nullptr;
  {
    PackSelection preview(C_NAME_PACK_IMAGE_PREV, C_PAS_IMAGE);
    f = new FRAME(root.attribute("ImgSmAdr").as_string(), root.attribute("rt").as_bool(), min);
  }
  f->imageName = root.attribute("ImgAdr").as_string();
  f->savePath = path;
  f->info->SetPercent(CompletionPercent(root.attribute("regCg").as_int(), f->info->count));
  return f;
}

int AppendSaves(const char* folder, std::vector<FRAME*>* frames) {
  const std::string dir = folder ? folder : "";
  plat::PrintLine("Adr in fill" + Shown(dir));
  int added = 0;
  for (const std::string& name : ListSaveNames(dir.c_str())) {
    plat::PrintLine("detected save " + Shown(name));
    if (FRAME* f = ReadSaveFrame(dir + name)) {
      frames->push_back(f);
      ++added;
    }
  }
  return added;
}

}  // namespace GAME
