#!/usr/bin/env bash
# Sets up a Debian 12 machine for Tavrel and then either starts the editor
# ("run") or builds the sanitizer test build and runs every test ("test").
#   bash tools/setup.sh run      install what is missing, build, start the editor
#   bash tools/setup.sh test     install what is missing, check the direction of
#                                dependencies, build the tests, run them all
set -euo pipefail

cd "$(dirname "$0")/.."
mode=${1:-run}
shift || true

# The Debian packages the build, the editor and the tests need, one a line.
mapfile -t packages < <(grep -v '^\s*\(#\|$\)' tools/packages.txt)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)

case "$mode" in
  run)
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVREL_TESTS=OFF
    cmake --build build -j "$jobs"
    exec ./build/tavrel "$@"
    ;;
  test)
    # The drawing core reaches the windows only through its seam.
    bash tools/check-dependencies.sh
    cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVREL_SANITIZE=ON -DTAVREL_TESTS=ON
    cmake --build build-test -j "$jobs"
    cd build-test
    # A virtual X server for the few tests that need a real window; the
    # others run on the offscreen platform.
    exec xvfb-run -a -s "-screen 0 1600x1200x24" ctest -j "$jobs" --output-on-failure "$@"
    ;;
  *)
    echo "usage: bash tools/setup.sh run|test [ctest or editor arguments]" >&2
    exit 2
    ;;
esac
