#!/usr/bin/env bash
# Installs the Debian 12 packages the program needs to build, run and be tested, when missing.
# dpkg-dev and file: CPack's Debian package finds its dependencies with dpkg-shlibdeps, which
# looks at the files with file(1); appstream: appstreamcli checks the package's metainfo.
set -euo pipefail
paquetes=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-charts-dev qt6-pdf-dev libqt6opengl6-dev libgl-dev qt6-translations-l10n
    libsqlcipher-dev libkainjow-mustache-dev libbenchmark-dev
    clang libclang-rt-14-dev python3
    dpkg-dev file appstream
)
faltan=()
for p in "${paquetes[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
    echo "Instalando: ${faltan[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${faltan[@]}"
fi
