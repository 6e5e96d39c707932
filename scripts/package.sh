#!/usr/bin/env bash
# Builds the Debian package into ./build-package from a configuration without tests, so that
# only the program, the simulator and their data are compiled, optimized and without debugging
# information (the package strips it anyway). Prints the package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
source scripts/build_tool.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-package -j"$(nproc)"
(cd build-package && cpack -G DEB >cpack.log) || { cat build-package/cpack.log; exit 1; }
ls build-package/kvt-config_*.deb
