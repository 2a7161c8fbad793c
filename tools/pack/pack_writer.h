// Writes the game's packs: zip files (no extension added to the name) whose
// entries sit at the root and are encrypted with traditional PKWARE
// encryption under the pack's password, stored or deflated.
//
// Output is repeatable: entries are written in the order given (the folder
// reader sorts them by name) with one fixed time stamp, so the same inputs
// give the same entries, order and dates. The 12-byte encryption header of
// each entry is random by design, so the bytes of two runs differ;
// PackMatches tells whether an existing pack already holds given contents.
//
// Used by the pack builder (jigsaw_pack) and by tests that need small packs,
// including damaged ones.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace packtool {

struct PackEntry {
  std::string name;    // entry name as stored (exact bytes, "/" separators)
  std::string data;    // the entry's bytes
  bool deflate = true; // deflated (8) or stored (0)
  // This entry's password: the pack's when unset; "" writes it unencrypted.
  std::optional<std::string> password;
};

// Writes `entries` as the pack `path`, replacing any file there (through a
// temporary file, so a failed write leaves the old pack). An empty list
// writes an empty zip (the 22-byte end record). False with *error set on
// failure (duplicate or empty names included).
bool WritePack(const std::string& path, const std::vector<PackEntry>& entries, const std::string& password,
               std::string* error = nullptr);

// The regular files directly inside `dir`, sorted by name, as entries: files
// that are already compressed (png, jpg, ogg, ...) are stored, the rest
// deflated. A missing folder gives no entries and true.
bool CollectFolder(const std::string& dir, std::vector<PackEntry>* out, std::string* error = nullptr);

// True when the pack at `path` holds exactly `entries` (same names in the
// same order, same bytes, same methods), each readable with its password.
bool PackMatches(const std::string& path, const std::vector<PackEntry>& entries, const std::string& password);

// Writes the pack only when it does not already hold these entries, so an
// unchanged pack keeps its file. *written tells which happened.
bool UpdatePack(const std::string& path, const std::vector<PackEntry>& entries, const std::string& password,
                bool* written = nullptr, std::string* error = nullptr);

// Offset of entry `index`'s data in the pack file (after its local header
// and, for an encrypted entry, before its 12-byte encryption header), or -1.
// For tests that damage an entry on purpose.
long long EntryDataOffset(const std::string& path, int index);

// The build's step: every pack of the game's table, written to
// <game_dir>/<pack file> from the files in <gen_dir>/<last part of the pack
// file> (an empty pack when that folder is missing or empty), then the plain
// files of <gen_dir>/root/ copied into <game_dir>/ (sub-folders kept).
// Diagnostic lines go to `log` (one per pack). False on the first failure.
bool BuildGamePacks(const std::string& gen_dir, const std::string& game_dir, std::vector<std::string>* log,
                    std::string* error = nullptr);

}  // namespace packtool
