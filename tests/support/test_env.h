// Test isolation: every test program runs with its own HOME, XDG folders and
// working folder under a fresh temporary folder, so no test ever reads or
// writes the real user's files.
#pragma once
#include <string>

namespace testenv {

// Creates the private folder tree, points the environment at it and makes its
// "work" folder the current folder.  Returns the root of the tree.
std::string Isolate();

// The root made by Isolate() ("" before).
const std::string& Root();

// A new empty folder under the root, for one test's own files.
std::string FreshDir(const std::string& tag);

// The whole content of a file ("" when it cannot be read).
std::string ReadFile(const std::string& path);

// Writes data as the file's whole content, making missing parent folders.
void WriteFile(const std::string& path, const std::string& data);

// Removes the tree made by Isolate().
void Cleanup();

}  // namespace testenv
