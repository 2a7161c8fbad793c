// Loading of the game's three configuration files into the global settings
// (GAME/config/globals.h), and the writers of their built-in defaults.
//
// LoadConfig() first gives every global its built-in value, then for each of
// "resource.xml", "config.xml" and "strings.xml" in the current folder, in
// that order: writes the default file when it is missing, reads it, and lays
// every element found over the built-in values. A file that cannot be
// written or parsed, or that lacks elements, leaves the built-in values of
// what it does not give, and says so in one line on standard output. Texts
// that printf will format are checked against the arguments their users
// pass; a text that does not match keeps its built-in value.
//
// Main thread, once at start-up, before anything reads the globals.
#pragma once

#include <cstddef>

#include "GAME/config/globals.h"

void LoadConfig();

// Each writes its whole default file into the current folder; false when the
// file could not be written. Only LoadConfig() needs them.
bool SaveDefaultResource();
bool SaveDefaultConfig();
bool SaveDefaultStrings();

namespace GAME {

// Gives every global of the three files its built-in value (also used by
// tests of other layers that need the settings without the files).
void ApplyConfigDefaults();

// The caption of the book's chapter `index` (from 0); "" past the end of
// chCATEGORIES_NAMES, so a catalogue with more chapters than captions is safe.
const char* CategoryCaption(std::size_t index);

}  // namespace GAME
