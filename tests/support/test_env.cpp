#include "tests/support/test_env.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testenv {
namespace {
std::string gRoot;
std::atomic<int> gCounter{0};
}  // namespace

std::string Isolate() {
  if (!gRoot.empty()) return gRoot;
  std::string tmpl = (fs::temp_directory_path() / "jigsaw-test-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  gRoot = tmpl;
  const fs::path root(gRoot);
  for (const char* d : {"home", "home/Documents", "home/.config", "home/.local/share", "home/.cache", "work", "run"})
    fs::create_directories(root / d);
  fs::permissions(root / "run", fs::perms::owner_all, fs::perm_options::replace);
  setenv("HOME", (root / "home").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root / "home/.config").c_str(), 1);
  setenv("XDG_DATA_HOME", (root / "home/.local/share").c_str(), 1);
  setenv("XDG_CACHE_HOME", (root / "home/.cache").c_str(), 1);
  setenv("XDG_DOCUMENTS_DIR", (root / "home/Documents").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (root / "run").c_str(), 1);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  fs::current_path(root / "work");
  return gRoot;
}

const std::string& Root() { return gRoot; }

std::string FreshDir(const std::string& tag) {
  fs::path p = fs::path(Isolate()) / "dirs" / (tag + "-" + std::to_string(++gCounter));
  fs::create_directories(p);
  return p.string();
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& data) {
  std::error_code ec;
  const fs::path parent = fs::path(path).parent_path();
  if (!parent.empty()) fs::create_directories(parent, ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), std::streamsize(data.size()));
}

void Cleanup() {
  if (gRoot.empty()) return;
  std::error_code ec;
  fs::current_path(fs::temp_directory_path(), ec);
  // Tests may leave read-only folders behind; make them writable first.
  for (auto it = fs::recursive_directory_iterator(gRoot, fs::directory_options::skip_permission_denied, ec);
       it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::remove_all(gRoot, ec);
  gRoot.clear();
}

}  // namespace testenv
