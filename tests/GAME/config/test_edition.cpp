// LoadEdition(): the edition record from the editions pack, from the current
// folder when the pack cannot be opened, all six elements or nothing.
#include <zip.h>

#include <optional>
#include <pugixml.hpp>

#include "GAME/config/edition.h"
#include "GAME/config/edition_defaults.h"
#include "GAME/config/globals.h"
#include "ST/file.h"
#include "tests/GAME/config/config_test_util.h"

namespace {

using cfgtest::InFreshDir;
using cfgtest::WriteBytes;

// Writes a pack holding one entry per (name, bytes), encrypted with the
// traditional zip encryption under `password`.
bool WritePack(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries,
               const char* password) {
  int error = 0;
  zip_t* za = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (za == nullptr) return false;
  for (const auto& [name, data] : entries) {
    zip_source_t* src = zip_source_buffer(za, data.data(), data.size(), 0);
    const zip_int64_t index = zip_file_add(za, name.c_str(), src, ZIP_FL_OVERWRITE);
    if (index < 0 || zip_file_set_encryption(za, static_cast<zip_uint64_t>(index), ZIP_EM_TRAD_PKWARE, password) != 0) {
      zip_source_free(src);
      zip_discard(za);
      return false;
    }
  }
  return zip_close(za) == 0;
}

std::string Edition(const std::string& elements) { return "<?xml version=\"1.0\"?><edition>" + elements + "</edition>"; }

const std::string kSix = Edition(
    "<url_file param=\"site.url\"/><run_if_url_lost param=\"no\"/><exe_file param=\"\"/>"
    "<run_if_exe_lost param=\"yes\"/><splash1 param=\"a.png\"/><splash2 param=\"b.png\"/>");
const std::string kOnDisk = Edition(
    "<url_file param=\"disk.url\"/><run_if_url_lost param=\"1\"/><exe_file param=\"disk.exe\"/>"
    "<run_if_exe_lost param=\"0\"/><splash1 param=\"d1.png\"/><splash2 param=\"d2.png\"/>");

enum class Pack { kNone, kWith, kCorrupt, kWrongPassword, kWithoutEntry };

struct EditionCase {
  const char* name;
  Pack pack;
  std::string packXml;             // editions.xml inside the pack
  std::optional<std::string> disk;  // editions.xml in the current folder
  EDITION_CONF expected;
  std::vector<std::string> lines;  // stdout lines after "LoadEdition...", in order
};

EDITION_CONF Record(bool url_lost, const char* url, bool exe_lost, const char* exe, const char* s1, const char* s2) {
  EDITION_CONF e;
  e.run_if_url_lost = url_lost;
  e.url_file = url;
  e.run_if_exe_lost = exe_lost;
  e.exe_file = exe;
  e.splash1 = s1;
  e.splash2 = s2;
  return e;
}

const EDITION_CONF kNothing = Record(true, "", true, "", "", "");

// Test listings name a case by its name alone.
void PrintTo(const EditionCase& c, std::ostream* os) { *os << c.name; }

class LoadEditionTest : public InFreshDir, public ::testing::WithParamInterface<EditionCase> {};

TEST_P(LoadEditionTest, ReadsAllOrNothing) {
  const EditionCase& c = GetParam();
  std::filesystem::create_directory("DATA");
  switch (c.pack) {
    case Pack::kNone: break;
    case Pack::kWith: ASSERT_TRUE(WritePack("DATA/editions", {{"editions.xml", c.packXml}}, "vexo4")); break;
    case Pack::kCorrupt: WriteBytes("DATA/editions", "PK\x03\x04 this is not a zip file at all"); break;
    case Pack::kWrongPassword:
      ASSERT_TRUE(WritePack("DATA/editions", {{"editions.xml", c.packXml}}, "other"));
      break;
    case Pack::kWithoutEntry: ASSERT_TRUE(WritePack("DATA/editions", {{"Editions.xml", c.packXml}}, "vexo4")); break;
  }
  if (c.disk) WriteBytes("editions.xml", *c.disk);

  gEdition = EDITION_CONF{};
  std::fflush(stdout);
  ::testing::internal::CaptureStdout();
  LoadEdition();
  std::fflush(stdout);
  const std::string out = ::testing::internal::GetCapturedStdout();

  EXPECT_EQ(gEdition.run_if_url_lost, c.expected.run_if_url_lost);
  EXPECT_EQ(gEdition.url_file, c.expected.url_file);
  EXPECT_EQ(gEdition.run_if_exe_lost, c.expected.run_if_exe_lost);
  EXPECT_EQ(gEdition.exe_file, c.expected.exe_file);
  EXPECT_EQ(gEdition.splash1, c.expected.splash1);
  EXPECT_EQ(gEdition.splash2, c.expected.splash2);

  std::size_t at = out.find("LoadEdition...\n");
  ASSERT_NE(at, std::string::npos) << out;
  for (const std::string& line : c.lines) {
    const std::size_t next = out.find(line + "\n", at);
    EXPECT_NE(next, std::string::npos) << "missing \"" << line << "\" in:\n" << out;
    if (next != std::string::npos) at = next;
  }
  const bool ok_expected = !c.lines.empty() && c.lines.back() == "LoadEdition... OK";
  EXPECT_EQ(out.find("LoadEdition... OK") != std::string::npos, ok_expected) << out;

  // Every path leaves no pack selected.
  EXPECT_EQ(ZOV::ifile.current_pack, nullptr);
  EXPECT_EQ(ZOV::ifile.current_pass, nullptr);
  EXPECT_FALSE(ZOV::ifile.IsPackOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Edition, LoadEditionTest,
    ::testing::Values(
        EditionCase{"NoPackNoFile", Pack::kNone, "", std::nullopt, kNothing, {" node \"url_file\" not found"}},
        EditionCase{"FromThePack", Pack::kWith, kSix, std::nullopt,
                    Record(false, "site.url", true, "", "a.png", "b.png"), {"LoadEdition... OK"}},
        EditionCase{"DefaultEdition", Pack::kWith, GAME::kDefaultEditionsXml, std::nullopt, kNothing,
                    {"LoadEdition... OK"}},
        EditionCase{"LastLogoMissing", Pack::kWith,
                    Edition("<url_file param=\"u\"/><run_if_url_lost param=\"0\"/><exe_file param=\"e\"/>"
                            "<run_if_exe_lost param=\"0\"/><splash1 param=\"a.png\"/>"),
                    std::nullopt, kNothing, {" node \"nodeSplash2\" not found"}},
        EditionCase{"FirstLogoMissing", Pack::kWith,
                    Edition("<url_file param=\"u\"/><run_if_url_lost/><exe_file/><run_if_exe_lost/><splash2/>"),
                    std::nullopt, kNothing, {" node \"nodeSplash1\" not found"}},
        EditionCase{"FlagWithoutParam", Pack::kWith,
                    Edition("<splash2 param=\"2.png\"/><splash1 param=\"1.png\"/><run_if_exe_lost/>"
                            "<exe_file param=\"x.exe\"/><run_if_url_lost param=\"T\"/><url_file param=\"\"/>"),
                    std::nullopt, Record(true, "", false, "x.exe", "1.png", "2.png"), {"LoadEdition... OK"}},
        EditionCase{"EntryMissingFromThePack", Pack::kWithoutEntry, kSix, kOnDisk, kNothing,
                    {"Zip not find editions.xml"}},
        EditionCase{"CorruptPackFallsBackToDisk", Pack::kCorrupt, "", kOnDisk,
                    Record(true, "disk.url", false, "disk.exe", "d1.png", "d2.png"), {"LoadEdition... OK"}},
        EditionCase{"PackWinsOverDisk", Pack::kWith, kSix, kOnDisk,
                    Record(false, "site.url", true, "", "a.png", "b.png"), {"LoadEdition... OK"}},
        EditionCase{"WrongPassword", Pack::kWrongPassword, kSix, kOnDisk, kNothing, {}},
        EditionCase{"BrokenXmlInThePack", Pack::kWith, kSix.substr(0, kSix.size() - 30), std::nullopt, kNothing,
                    {" node \"url_file\" not found"}},
        EditionCase{"EmptyFileOnDisk", Pack::kNone, "", std::string(), kNothing, {" node \"url_file\" not found"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GetXML, ReadsFromDiskWhenNoPackIsSelected) {
  const std::string dir = testenv::FreshDir("getxml");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  WriteBytes("a.xml", "<r><x/></r>");
  ZOV::ifile.ZipSetCurrentPack(nullptr);
  std::unique_ptr<pugi::xml_document> doc(GetXML("a.xml"));
  ASSERT_NE(doc, nullptr);
  EXPECT_TRUE(doc->first_child().child("x"));
  std::unique_ptr<pugi::xml_document> missing(GetXML("missing.xml"));
  ASSERT_NE(missing, nullptr);  // an empty document, not null
  EXPECT_FALSE(missing->first_child());
  std::filesystem::current_path(previous);
}

}  // namespace
