#!/usr/bin/env bash
# Builds the Debian package of the program in build/paquete: bolarium_<version>_<arch>.deb,
# with its dependencies worked out by dpkg-shlibdeps. Install it with
#   sudo apt-get install ./build/paquete/bolarium_*.deb
# The number of parallel compiles is BOLARIUM_HILOS (2 unless set).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
construccion=build/paquete
appstreamcli validate --no-net paquete/es.bolarium.Bolarium.metainfo.xml
# Only what goes into the package is built: no tests, benchmarks or helper tools.
cmake -S . -B "$construccion" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DBOLARIUM_TESTS=OFF -DBOLARIUM_BENCH=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build "$construccion" -j "${BOLARIUM_HILOS:-2}" --target bolarium bolarium_iconos
rm -f "$construccion"/bolarium_*.deb
(cd "$construccion" && cpack -G DEB)
ls "$construccion"/bolarium_*.deb
