// One atomic replace of a file of 8 KiB, about what the test-only scene view
// writes every frame: SaveData, flushed to disk before the rename, beside
// SaveDataUnflushed, which is not, and beside the least a replace takes (a
// stream written to a fixed temporary name and renamed, none of the file
// service's checks). All write into a private temporary folder (on whatever
// disk holds it), removed at exit.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "ST/file.h"
#include "tests/support/test_env.h"

namespace {

const std::string& Target() {
  static const std::string path = [] {
    testenv::Isolate();
    std::atexit([] { testenv::Cleanup(); });
    return testenv::FreshDir("replace") + "/view.txt";
  }();
  return path;
}

void Replace(benchmark::State& state, int (ZOV::iFile::*write)(const char*, const void*, int)) {
  const std::string text(8192, 'x');
  for (auto _ : state) {
    if ((ZOV::ifile.*write)(Target().c_str(), text.data(), int(text.size())) != 0) {
      state.SkipWithError("the write failed");
      break;
    }
  }
}

void BM_SaveDataFlushed(benchmark::State& state) { Replace(state, &ZOV::iFile::SaveData); }
void BM_SaveDataUnflushed(benchmark::State& state) { Replace(state, &ZOV::iFile::SaveDataUnflushed); }

void BM_StreamAndRename(benchmark::State& state) {
  const std::string text(8192, 'x');
  const std::string temp = Target() + ".tmp";
  for (auto _ : state) {
    {
      std::ofstream out(temp, std::ios::trunc | std::ios::binary);
      out << text;
    }
    if (std::rename(temp.c_str(), Target().c_str()) != 0) {
      state.SkipWithError("the rename failed");
      break;
    }
  }
}

BENCHMARK(BM_StreamAndRename)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_SaveDataFlushed)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_SaveDataUnflushed)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
