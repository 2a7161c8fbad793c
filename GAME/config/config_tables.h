// The key tables of the three configuration files. Each table lists, in the
// order the default file is written, every element with the global it fills,
// its type and its built-in value; the reader, the default writer and the
// tests all walk these tables, so the three can never drift apart.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace GAME::cfg {

// ---------------------------------------------------------------------------
// resource.xml: single elements and groups whose entries count by position.

struct ResourceEntry {
  const char* key;          // element name written into the default file
  char** global;
  const char* value;        // built-in value
  int* space = nullptr;     // fonts only: letter spacing, attribute "space"
  int spaceValue = 0;
};

enum class ResourceKind {
  kFirst,     // the root's first child, whatever its name (the progress file)
  kSingle,    // a single element found by name
  kGroup,     // a group found by name; its children fill the entries by position
  kOptional,  // a single element read when present, never written (fs1, fs2)
};

struct ResourceNode {
  const char* key;
  ResourceKind kind;
  std::span<const ResourceEntry> entries;  // exactly one for the non-groups
};

// Children of the root in the default file's order, then the read-only ones.
std::span<const ResourceNode> ResourceTable();

// ---------------------------------------------------------------------------
// config.xml: every element found by name, inside its group.

// The global a setting fills; unsigned long means a hexadecimal colour.
using SettingTarget = std::variant<char**, int*, float*, bool*, unsigned long*>;

enum class WriteAs { kNone, kInt, kDouble, kBool };

struct SettingEntry {
  const char* group;     // nullptr: a child of the root; else "book" or "trofy"
  const char* key;
  SettingTarget global;
  WriteAs write;         // how the default file writes it; kNone: not written
  double number;         // built-in value of a number, colour or flag
  const char* text;      // built-in value of a text
};

std::span<const SettingEntry> SettingsTable();

// ---------------------------------------------------------------------------
// strings.xml: every element found by name.

// What a text must look like to be taken from the file.
enum class TextCheck {
  kFormat,      // a printf format; `args` lists the arguments its users pass
  kPlain,       // shown as it is (an argument of "%s", a message box text)
  kFolderName,  // names a player's folder
};

struct StringEntry {
  const char* key;
  char** global;          // nullptr: written into the default file, not read
  const char* value;      // built-in value (nullptr: the global stays null)
  TextCheck check = TextCheck::kFormat;
  const char* args = "";  // kFormat: one letter per argument, 'i' int, 's' text
  bool written = true;    // false: optional, absent from the default file
  int* x = nullptr;       // optional position attributes "x" and "y"
  int* y = nullptr;
};

std::span<const StringEntry> StringsTable();

// Built-in captions of the book's chapters, written as the flat elements
// book_category_0, book_category_1, ...
std::span<const char* const> DefaultCategoryNames();

// The key of the flat caption element number `index` ("book_category_3").
std::string CategoryKey(int index);

// ---------------------------------------------------------------------------
// Owned storage of the text globals: points `*global` at a copy of `value`
// that lives until the global is assigned again (null stays null).
void AssignText(char** global, const char* value);
void AssignText(char** global, std::string_view value);

}  // namespace GAME::cfg
