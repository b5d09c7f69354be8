#!/usr/bin/env bash
# Builds the Debian package of Plotwise: sets up the machine, builds the
# programs (without the tests) for the prefix /usr into build-package/ and
# runs CPack there. The package lands in build-package/plotwise_<version>_<arch>.deb;
# install it with: sudo apt install ./build-package/plotwise_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DPLOTWISE_BUILD_TESTS=OFF
cmake --build build-package --parallel "$(nproc)"
(cd build-package && cpack -G DEB)
ls build-package/plotwise_*.deb
