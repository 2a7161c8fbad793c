// LoadConfig() and the default writers, both driven by the key tables.
#include "GAME/config/config.h"

#include <pugixml.hpp>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <unordered_map>

#include "GAME/config/config_tables.h"
#include "GAME/config/text_format.h"
#include "ST/file.h"
#include "ST/text_cut.h"
#include "ST/xml_file.h"
#include "platform/sys.h"

namespace GAME::cfg {

void AssignText(char** global, std::string_view value) {
  // Never freed while the program runs: the globals point into it. Held
  // through a pointer so that it outlives every static destructor.
  static auto* store = new std::unordered_map<char**, std::string>();
  std::string& text = (*store)[global];
  text.assign(value.data(), value.size());
  *global = text.data();
}

void AssignText(char** global, const char* value) {
  if (value == nullptr) {
    *global = nullptr;
    return;
  }
  AssignText(global, std::string_view(value));
}

}  // namespace GAME::cfg

namespace {

using namespace GAME::cfg;

const char kResourceFile[] = "resource.xml";
const char kConfigFile[] = "config.xml";
const char kStringsFile[] = "strings.xml";

void Log(const std::string& line) { plat::PrintLine(line); }

// Decimal, signed, clamped to int, stopping at the first non-digit: "0x10"
// reads as 0 and "4294967295" as 2147483647 (colours are written signed).
int DecimalInt(const char* text) {
  const long long v = std::strtoll(text, nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

// Hexadecimal colour without a required prefix; clamped to 32 bits.
unsigned long HexColour(const char* text) {
  const unsigned long long v = std::strtoull(text, nullptr, 16);
  return v > 0xFFFFFFFFull ? 0xFFFFFFFFul : static_cast<unsigned long>(v);
}

bool FileExists(const char* name) {
  std::error_code ec;
  return std::filesystem::exists(name, ec);
}

// Loads `name` into `doc`. A file that is missing or does not parse leaves
// `doc` empty, so that every value keeps its built-in value.
void LoadDocument(const char* name, pugi::xml_document& doc) {
  doc.reset();
  // Through the file service's reader: a folder or pipe of that name is
  // never opened as a document (nor waited on) and counts as damaged.
  const pugi::xml_parse_result result = ZOV::LoadXmlFile(&doc, name);
  if (result) return;
  doc.reset();
  if (result.status == pugi::status_file_not_found) {
    Log(std::string(name) + ": not found; built-in values used");
  } else {
    Log(std::string(name) + ": " + result.description() + " at byte " + std::to_string(result.offset) +
        "; built-in values used");
  }
}

// ---------------------------------------------------------------------------
// resource.xml

void TakeResource(const ResourceEntry& entry, pugi::xml_node element) {
  AssignText(entry.global, element.attribute("var").value());
  if (entry.space != nullptr) *entry.space = DecimalInt(element.attribute("space").value());
}

void ReadResource(const pugi::xml_document& doc) {
  const pugi::xml_node root = doc.first_child();
  for (const ResourceNode& node : ResourceTable()) {
    switch (node.kind) {
      case ResourceKind::kFirst:
        if (pugi::xml_node first = root.first_child()) TakeResource(node.entries[0], first);
        break;
      case ResourceKind::kSingle:
      case ResourceKind::kOptional:
        if (pugi::xml_node element = root.child(node.key)) TakeResource(node.entries[0], element);
        break;
      case ResourceKind::kGroup: {
        // Entries count by position, whatever their names; positions the
        // group does not reach keep their built-in values.
        pugi::xml_node child = root.child(node.key).first_child();
        for (const ResourceEntry& entry : node.entries) {
          if (!child) break;
          TakeResource(entry, child);
          child = child.next_sibling();
        }
        break;
      }
    }
    if (std::string_view(node.key) == "main_screen") {
      Log(ZOV::LogQuote(chMAIN_MENU_LEFT_CORNER) + "  " + std::to_string(std::strlen(chMAIN_MENU_LEFT_CORNER)));
    }
  }
}

// ---------------------------------------------------------------------------
// config.xml

// False when the value cannot be held (a number no float can hold, or not a
// number at all: "inf", "nan"); the setting then keeps its built-in value.
bool TakeSetting(const SettingEntry& entry, const char* value) {
  struct Visitor {
    const char* value;
    bool operator()(char** g) const {
      AssignText(g, value);
      return true;
    }
    bool operator()(int* g) const {
      *g = DecimalInt(value);
      return true;
    }
    bool operator()(float* g) const {
      const double v = std::strtod(value, nullptr);
      if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) return false;
      *g = static_cast<float>(v);
      return true;
    }
    bool operator()(bool* g) const {
      const char c = value[0];
      *g = c == '1' || c == 't' || c == 'T' || c == 'y' || c == 'Y';
      return true;
    }
    bool operator()(unsigned long* g) const {
      *g = HexColour(value);
      return true;
    }
  };
  return std::visit(Visitor{value}, entry.global);
}

void ApplySetting(const SettingEntry& entry) {
  struct Visitor {
    const SettingEntry& e;
    void operator()(char** g) const { AssignText(g, e.text); }
    void operator()(int* g) const { *g = static_cast<int>(e.number); }
    void operator()(float* g) const { *g = static_cast<float>(e.number); }
    void operator()(bool* g) const { *g = e.number != 0; }
    void operator()(unsigned long* g) const { *g = static_cast<unsigned long>(e.number); }
  };
  std::visit(Visitor{entry}, entry.global);
}

void ReadSettings(const pugi::xml_document& doc) {
  const pugi::xml_node root = doc.first_child();
  for (const SettingEntry& entry : SettingsTable()) {
    const pugi::xml_node parent = entry.group != nullptr ? root.child(entry.group) : root;
    if (const pugi::xml_node element = parent.child(entry.key)) {
      const char* value = element.attribute("var").value();
      if (!TakeSetting(entry, value)) {
        Log(std::string(kConfigFile) + ": \"" + entry.key + "\" is not a usable number; built-in value used");
      }
    }
  }
}

// ---------------------------------------------------------------------------
// strings.xml

bool TextAccepted(const StringEntry& entry, const char* text) {
  switch (entry.check) {
    case TextCheck::kFormat: return FormatMatches(text, entry.args);
    case TextCheck::kPlain: return true;
    case TextCheck::kFolderName: return IsSafeFolderName(text);
  }
  return false;
}

void RejectText(const char* key, const StringEntry* entry) {
  std::string why = "does not match its format";
  if (entry != nullptr && entry->check == TextCheck::kFolderName) {
    why = "is not a usable folder name";
  } else if (entry != nullptr) {
    why += " (";
    for (char a : std::string_view(entry->args)) why += a == 's' ? "%s" : "%i";
    if (entry->args[0] == '\0') why += "no arguments";
    why += ")";
  }
  Log(std::string(kStringsFile) + ": \"" + ZOV::LogQuote(key) + "\" " + why + "; built-in text used");
}

std::string BuiltInCaption(std::size_t index) {
  const auto names = DefaultCategoryNames();
  if (index < names.size()) return names[index];
  char caption[64];
  std::snprintf(caption, sizeof caption, "Пазлы %zu", index + 1);
  return caption;
}

void TakeCaption(std::vector<std::string>& captions, const char* key, const char* text) {
  if (FormatMatches(text, "")) {
    captions.emplace_back(text);
  } else {
    RejectText(key, nullptr);
    captions.push_back(BuiltInCaption(captions.size()));
  }
}

// The captions come from a "book_category" group, or when there is none from
// the flat elements book_category_0, book_category_1, ... that the default
// file writes; with neither, the built-in captions stay.
void ReadCaptions(pugi::xml_node root) {
  std::vector<std::string> captions;
  if (const pugi::xml_node group = root.child("book_category"); group.first_child()) {
    for (pugi::xml_node child = group.first_child(); child; child = child.next_sibling()) {
      TakeCaption(captions, child.name(), child.attribute("var").value());
    }
  } else {
    for (int n = 0;; ++n) {
      const std::string key = CategoryKey(n);
      const pugi::xml_node element = root.child(key.c_str());
      if (!element) break;
      TakeCaption(captions, key.c_str(), element.attribute("var").value());
    }
  }
  if (!captions.empty()) chCATEGORIES_NAMES = std::move(captions);
}

void ReadStrings(const pugi::xml_document& doc) {
  const pugi::xml_node root = doc.first_child();
  for (const StringEntry& entry : StringsTable()) {
    if (entry.global == nullptr) continue;
    const pugi::xml_node element = root.child(entry.key);
    if (!element) continue;
    const char* text = element.attribute("var").value();
    if (!TextAccepted(entry, text)) {
      RejectText(entry.key, &entry);
      continue;
    }
    AssignText(entry.global, text);
    if (entry.x != nullptr) *entry.x = DecimalInt(element.attribute("x").value());
    if (entry.y != nullptr) *entry.y = DecimalInt(element.attribute("y").value());
  }
  ReadCaptions(root);
}

// Reads one file, first writing its defaults when it is missing.
void LoadFile(const char* name, bool (*save_default)(), void (*read)(const pugi::xml_document&),
              pugi::xml_document& doc) {
  if (!FileExists(name) && !save_default()) {
    Log(std::string(name) + ": the default file could not be written in " + plat::CurrentDir());
  }
  LoadDocument(name, doc);
  read(doc);
}

// Writes the document as the whole file through a temporary file that is
// renamed over it, so that a write cut short leaves no half file behind (a
// missing file is written again at the next start; a half one never is).
bool SaveDocument(const pugi::xml_document& doc, const char* name, unsigned int flags, pugi::xml_encoding encoding) {
  std::ostringstream out;
  doc.save(out, "\t", flags, encoding);
  if (!out) return false;
  const std::string bytes = out.str();
  return ZOV::ifile.SaveData(name, bytes.data(), static_cast<int>(bytes.size())) == 0;
}

std::string DoubleText(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

}  // namespace

// ---------------------------------------------------------------------------

namespace GAME {

void ApplyConfigDefaults() {
  for (const ResourceNode& node : ResourceTable()) {
    for (const ResourceEntry& entry : node.entries) {
      AssignText(entry.global, entry.value);
      if (entry.space != nullptr) *entry.space = entry.spaceValue;
    }
  }
  for (const SettingEntry& entry : SettingsTable()) ApplySetting(entry);
  for (const StringEntry& entry : StringsTable()) {
    if (entry.global == nullptr) continue;
    AssignText(entry.global, entry.value);
    if (entry.x != nullptr) *entry.x = 0;
    if (entry.y != nullptr) *entry.y = 0;
  }
  chCATEGORIES_NAMES.assign(DefaultCategoryNames().begin(), DefaultCategoryNames().end());
}

const char* CategoryCaption(std::size_t index) {
  return index < chCATEGORIES_NAMES.size() ? chCATEGORIES_NAMES[index].c_str() : "";
}

}  // namespace GAME

bool SaveDefaultResource() {
  Log("SAVE_DEFAULT_RESOURCE ...");
  Log(plat::CurrentDir());
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("resource");
  for (const ResourceNode& node : ResourceTable()) {
    if (node.kind == ResourceKind::kOptional) continue;
    pugi::xml_node parent = root;
    if (node.kind == ResourceKind::kGroup) parent = root.append_child(node.key);
    for (const ResourceEntry& entry : node.entries) {
      pugi::xml_node element = parent.append_child(entry.key);
      element.append_attribute("var") = entry.value;
      if (entry.space != nullptr) element.append_attribute("space") = entry.spaceValue;
    }
  }
  const bool ok = SaveDocument(doc, kResourceFile, pugi::format_write_bom, pugi::encoding_auto);
  Log(ok ? "SAVE_DEFAULT_RESOURCE   OK" : "SAVE_DEFAULT_RESOURCE   FAILED");
  return ok;
}

bool SaveDefaultConfig() {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("config");
  for (const SettingEntry& entry : SettingsTable()) {
    if (entry.write == WriteAs::kNone) continue;
    pugi::xml_node parent = root;
    if (entry.group != nullptr) {
      parent = root.child(entry.group);
      if (!parent) parent = root.append_child(entry.group);
    }
    pugi::xml_attribute var = parent.append_child(entry.key).append_attribute("var");
    switch (entry.write) {
      case WriteAs::kInt: var = static_cast<int>(entry.number); break;
      case WriteAs::kDouble: var = DoubleText(entry.number).c_str(); break;
      case WriteAs::kBool: var = entry.number != 0; break;
      case WriteAs::kNone: break;
    }
  }
  return SaveDocument(doc, kConfigFile, pugi::format_indent, pugi::encoding_auto);
}

bool SaveDefaultStrings() {
  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child("strings");
  for (const StringEntry& entry : StringsTable()) {
    if (!entry.written) continue;
    root.append_child(entry.key).append_attribute("var") = entry.value;
  }
  return SaveDocument(doc, kStringsFile, pugi::format_indent, pugi::encoding_utf8);
}

void LoadConfig() {
  GAME::ApplyConfigDefaults();
  pugi::xml_document doc;
  Log("RESOURCE LOADING...");
  LoadFile(kResourceFile, &SaveDefaultResource, &ReadResource, doc);
  Log("load config...");
  LoadFile(kConfigFile, &SaveDefaultConfig, &ReadSettings, doc);
  Log("load strings...");
  LoadFile(kStringsFile, &SaveDefaultStrings, &ReadStrings, doc);
  Log("RESOURCE LOADING   OK");
}
