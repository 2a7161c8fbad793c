// The installation's edition record: two files that belong to the
// distribution (a URL file and a program file, opened with the desktop when
// the game ends) with, for each, whether the game may start without it, and
// the file names of the two start-up logos. LoadEdition() reads it once at
// start-up from "editions.xml" in the pack "DATA/editions", or from the
// current folder when that pack cannot be opened.
//
// Also GetXML(), which parses an XML file from the selected pack of
// ZOV::ifile, or from disk when no pack is selected.
#pragma once

#include <string>

namespace pugi {
class xml_document;
}

struct EDITION_CONF {
  bool run_if_url_lost = false;  // the game may start although url_file is missing
  std::string url_file;          // relative to the current folder; "" = none
  bool run_if_exe_lost = false;  // the game may start although exe_file is missing
  std::string exe_file;          // relative to the current folder; "" = none
  std::string splash1;           // first start-up logo; "" = the loading screen's own
  std::string splash2;           // second start-up logo; "" = the loading screen's own
};

extern EDITION_CONF gEdition;

// A new document (the caller deletes it) parsed from entry `name` of the
// pack selected in ZOV::ifile, read with the selected password. With no pack
// selected, or when the pack cannot be opened, `name` is read from the
// current folder instead, and a missing or broken file gives an empty
// document. Null when the pack opened but the entry is missing or cannot be
// read. The pack is closed again on every path.
pugi::xml_document* GetXML(char const* name);

// Fills gEdition from "editions.xml": both flags true first, then all six
// elements or nothing. Leaves no pack selected.
void LoadEdition();
