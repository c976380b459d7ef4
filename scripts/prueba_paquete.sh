#!/usr/bin/env bash
# Builds the package, installs it and starts the installed program offscreen for a user with a
# fresh home (only the web sites set, to a local port), until its main window is up; checks that
# the user's data folder got the draw history. Then removes the package (the user's files stay), installs it again and checks that a
# second start keeps the user's files and only puts back a shipped file that went missing.
# Leaves the package removed. Run as root or with sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"

scripts/paquete.sh
deb=$(ls build/paquete/bolarium_*.deb)
casa=$(mktemp -d)
datos="$casa/.local/share/Bolarium"
pid=""

termina() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    if dpkg-query -W -f='${Status}' bolarium 2>/dev/null | grep -q 'install ok installed'; then
        DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get remove -y bolarium >/dev/null
    fi
    rm -rf "$casa"
}
trap termina EXIT

falla() {
    echo "prueba_paquete: $*" >&2
    exit 1
}

instala() {
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "./$deb"
    [ -x /usr/bin/bolarium ] || falla "no se ha instalado /usr/bin/bolarium"
}

# The main window writes its settings in the program directory as it opens; that is the sign
# that it is up (as in the start-up smoke test). Then the program is asked to end as a session
# end would, and must end cleanly.
arranca() {
    rm -f "$datos/nums.ini"
    env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$casa" QT_QPA_PLATFORM=offscreen \
        /usr/bin/bolarium &
    pid=$!
    for _ in $(seq 1 120); do
        [ -f "$datos/nums.ini" ] && break
        kill -0 "$pid" 2>/dev/null || falla "el programa terminó antes de abrir su ventana"
        sleep 0.5
    done
    [ -f "$datos/nums.ini" ] || falla "la ventana principal no se abrió en 60 s"
    kill -TERM "$pid"
    local codigo=0
    wait "$pid" || codigo=$?
    pid=""
    [ "$codigo" -eq 0 ] || falla "el programa terminó con el código $codigo"
}

# Both web sites point at a local port where nothing listens: the test never reaches the
# internet. Everything else of the user's folder is made by the program's first start.
mkdir -p "$datos"
printf '[operador]\nsitio=http://127.0.0.1:9\nsitiopdf=http://127.0.0.1:9\n[autor]\nweb=127.0.0.1:9\n' \
    >"$datos/ajustes.ini"

instala
arranca
cmp "$datos/numeros.dat" /usr/share/bolarium/numeros-inicial.dat ||
    falla "la carpeta del usuario no tiene la historia de sorteos"

# The check without windows runs with no display at all, on the same folder as the window.
sin_ventanas() {
    env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        HOME="$casa" /usr/bin/bolarium "$@"
}
ayuda=$(sin_ventanas --ayuda) || falla "bolarium --ayuda ha fallado"
grep -q -- "--comprobar" <<<"$ayuda" || falla "bolarium --ayuda no muestra sus opciones"
resumen=$(sin_ventanas --comprobar --sin-descarga) || falla "bolarium --comprobar ha fallado"
grep -qF "Carpeta de datos: $datos" <<<"$resumen" ||
    falla "bolarium --comprobar no ha usado la carpeta del usuario"

DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get remove -y bolarium
[ ! -e /usr/bin/bolarium ] || falla "el paquete no se ha quitado"
[ -s "$datos/numeros.dat" ] || falla "quitar el paquete se ha llevado los datos del usuario"

# The user's archive, now shorter than the shipped one, must survive a new start untouched.
head -c 3200 "$datos/numeros.dat" >"$datos/numeros.corto"
mv "$datos/numeros.corto" "$datos/numeros.dat"
rm "$datos/Bolarium.net"
instala
arranca
[ "$(stat -c %s "$datos/numeros.dat")" -eq 3200 ] ||
    falla "un arranque ha cambiado el archivo de sorteos del usuario"
cmp "$datos/Bolarium.net" /usr/share/bolarium/Bolarium.net ||
    falla "no se ha repuesto un archivo del programa que faltaba"

DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get remove -y bolarium
[ -s "$datos/numeros.dat" ] || falla "quitar el paquete se ha llevado los datos del usuario"
echo "prueba_paquete: correcto"
