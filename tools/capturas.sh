#!/usr/bin/env bash
# Pictures of every tab and window of the program at 1280×720 and 1600×1000, to look at a
# change as a user would: capturas/1280x720/*.png and capturas/1600x1000/*.png.
#   tools/capturas.sh [output folder] [draw archive]
# The draw archive defaults to the real history beside the project when it is there, else to
# the history the program ships with. No display is needed (Qt's offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
salida=${1:-capturas}
historia=${2:-}
if [[ -z $historia && -f ../shared/data/numeros-historico.dat ]]; then
    historia=../shared/data/numeros-historico.dat
fi
construccion=${BOLARIUM_CONSTRUCCION:-build/debug}
[[ -d $construccion ]] || cmake -S . -B "$construccion" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$construccion" --target capturas >/dev/null
for pantalla in 1280x720 1600x1000; do
    echo "== $pantalla"
    QT_QPA_PLATFORM=offscreen "$construccion"/tools/capturas "$salida/$pantalla" \
        "${pantalla%x*}" "${pantalla#*x}" ${historia:+"$(realpath "$historia")"}
done
