// The configuration loader over one of its three files ("resource.xml",
// "config.xml" or "strings.xml", chosen by JIGSAW_FUZZ_FILE at build time):
// the input becomes that file, the other two stay the game's defaults, and
// LoadConfig() reads all three. Then every text the configuration gives is
// measured, so a text left unterminated or a pointer left dangling shows.
#include <cstdio>
#include <cstring>
#include <string>

#include "GAME/config/config.h"
#include "GAME/config/config_tables.h"
#include "tests/fuzz/fuzz_env.h"

// The formats come from the file on purpose.
#pragma clang diagnostic ignored "-Wformat-nonliteral"
#pragma clang diagnostic ignored "-Wformat-security"

namespace {

size_t gSink = 0;  // keeps the measuring from being optimised away

// Formats a text the way its users do ('i' an int, 's' a text; extra
// arguments are allowed and ignored), so a directive the check let through
// reads an argument that is not there or of another type.
void FormatLikeItsUsers(const char* format, const char* args) {
  const std::string a = args;
  char out[512];
  int n;
  if (a.empty()) n = std::snprintf(out, sizeof out, format);
  else if (a == "s") n = std::snprintf(out, sizeof out, format, "x");
  else if (a.find('s') == std::string::npos) n = std::snprintf(out, sizeof out, format, 2, 7, 2, 7, 2, 7);
  else n = int(std::strlen(format));
  gSink += size_t(n);
}

void MeasureEverything() {
  using namespace GAME::cfg;
  for (const ResourceNode& node : ResourceTable())
    for (const ResourceEntry& e : node.entries)
      if (*e.global) gSink += std::strlen(*e.global);
  for (const SettingEntry& e : SettingsTable())
    if (auto* text = std::get_if<char**>(&e.global))
      if (**text) gSink += std::strlen(**text);
  for (const StringEntry& e : StringsTable()) {
    if (!e.global || !*e.global) continue;
    if (e.check == TextCheck::kFormat) FormatLikeItsUsers(*e.global, e.args);
    else gSink += std::strlen(*e.global);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzenv::Isolate();
  // The first load writes the three default files into the working folder.
  LoadConfig();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzenv::WriteInput(JIGSAW_FUZZ_FILE, data, size);
  LoadConfig();
  MeasureEverything();
  return 0;
}
