// Where the generator puts its files: one folder per pack ("gui", "menu",
// ...) plus "root" for files the game reads from its current folder.
#pragma once
#include <map>
#include <string>
#include <utility>

#include "tools/data/canvas.h"

namespace gendata {

class Sink {
 public:
  virtual ~Sink() = default;
  // Stores one file; returns false when it could not be written.
  virtual bool Put(const std::string& folder, const std::string& name, const Bytes& bytes) = 0;
};

// Keeps every file in memory, keyed by (folder, name); used by tests and the
// contact sheet.
class MemSink : public Sink {
 public:
  bool Put(const std::string& folder, const std::string& name, const Bytes& bytes) override;
  const std::map<std::pair<std::string, std::string>, Bytes>& Files() const { return files_; }
  const Bytes* Find(const std::string& folder, const std::string& name) const;

 private:
  std::map<std::pair<std::string, std::string>, Bytes> files_;
};

// Writes files under root/<folder>/<name>, creating folders as needed. An
// empty file (an encoder that produced nothing) counts as a failure.
class DirSink : public Sink {
 public:
  explicit DirSink(std::string root) : root_(std::move(root)) {}
  bool Put(const std::string& folder, const std::string& name, const Bytes& bytes) override;
  int Failures() const { return failures_; }

 private:
  std::string root_;
  int failures_ = 0;
};

}  // namespace gendata
