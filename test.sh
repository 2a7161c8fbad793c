#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   ./test.sh              the normal build, in build/
#   ./test.sh --sanitize   with AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan/;
#                          then, when clang is installed, the fuzz targets in
#                          build-fuzz/, each run for a short fixed time
#   ./test.sh --tsan       the start-up tests (loader thread, hooks, the built
#                          program) and the scripted-player tests (the built
#                          program played through the X server) with
#                          ThreadSanitizer, in build-tsan/; any race report
#                          fails them
source "$(dirname "$0")/scripts/common.sh"
install_packages

# The screenshot tours (label "shot") only take pictures to look at:
# `ctest -L shot` in a build folder takes them into its shots/.
dir="$ROOT/build"; opts=(); select=(-LE shot)
if [[ "${1:-}" == "--sanitize" ]]; then
  # Debug keeps every assertion; -O1 lets the checked programs run at a
  # usable speed. No benchmarks: they run only in the normal build.
  dir="$ROOT/build-asan"
  opts=(-DJIGSAW_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DJIGSAW_BENCHMARKS=OFF
        "-DCMAKE_C_FLAGS_DEBUG=-g -O1" "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1")
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
  export LSAN_OPTIONS="suppressions=$ROOT/tests/support/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
elif [[ "${1:-}" == "--tsan" ]]; then
  dir="$ROOT/build-tsan"; opts=(-DJIGSAW_TSAN=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJIGSAW_BENCHMARKS=OFF)
  select=(-L 'startup|player' -LE shot)
  # Set for the build too: the data generator runs under the sanitizer.
  export TSAN_OPTIONS="suppressions=$ROOT/tests/support/tsan.supp"
fi
if [[ "${1:-}" == "--tsan" ]]; then
  cmake -S "$ROOT" -B "$dir" -G Ninja "${opts[@]}" >/dev/null
  cmake --build "$dir" -j "$(nproc)" --target thread_check_tests
else
  build_tree "$dir" "${opts[@]}"
fi

export SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1
xvfb_pid=""
cleanup() { [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [[ -z "${DISPLAY:-}" ]]; then
  # A private X server for the tests that open windows.
  numfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [[ -s "$numfile" ]] && break; sleep 0.1; done
  num=$(head -n 1 "$numfile"); rm -f "$numfile"
  [[ -n "$num" ]] || { echo "Xvfb did not start"; exit 1; }
  export DISPLAY=":$num"
fi
cd "$dir"
ctest --output-on-failure -j "$(nproc)" --timeout 600 "${select[@]}"

if [[ "${1:-}" == "--sanitize" ]]; then
  if command -v clang++ >/dev/null; then
    # The fuzz targets need clang's libFuzzer: a build of their own.
    fuzz="$ROOT/build-fuzz"
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$fuzz" -G Ninja -DJIGSAW_FUZZ=ON -DJIGSAW_TESTS=OFF >/dev/null
    cmake --build "$fuzz" -j "$(nproc)" --target fuzz_all
    cd "$fuzz"
    ctest --output-on-failure -j "$(nproc)" -L fuzz
  else
    # packages.txt lists clang: its absence is a broken set-up, not a skip.
    echo "clang++ is not installed: it comes with the Debian package clang, which ./test.sh installs (packages.txt)" >&2
    exit 1
  fi
fi
