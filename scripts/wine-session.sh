#!/bin/sh
# Starts or stops the Wine test session of one build folder:
#   a private prefix (a fresh copy of a prefix made once and kept in the folder),
#   a private Xvfb display with openbox (without a window manager every window
#   hide waits two seconds), and a persistent, primed wineserver with detached
#   stdio (otherwise ctest's pipes wait for Wine's service processes).
# Usage: wine-session.sh start|stop BUILD_DIR
set -eu
cmd="$1"
dir=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
golden="$dir/wine-golden"
prefix="$dir/wine-prefix"
envf="$dir/wine-session.env"
state="$dir/wine-session"

alive() { [ -n "$1" ] && [ -r "/proc/$1/stat" ] && ! grep -q ') Z ' "/proc/$1/stat"; }

stop() {
    if [ -f "$envf" ]; then
        WINEPREFIX="$prefix" /usr/lib/wine/wineserver64 -k >/dev/null 2>&1 || true
        WINEPREFIX="$prefix" timeout 20 /usr/lib/wine/wineserver64 -w >/dev/null 2>&1 || true
    fi
    for f in openbox xvfb; do
        if [ -f "$state/$f.pid" ]; then
            pid=$(cat "$state/$f.pid")
            kill "$pid" 2>/dev/null || true
            i=0; while alive "$pid" && [ $i -lt 50 ]; do sleep 0.1; i=$((i+1)); done
            rm -f "$state/$f.pid"
        fi
    done
    rm -f "$envf"
}

case "$cmd" in
stop) stop; exit 0 ;;
start) ;;
*) echo "usage: $0 start|stop BUILD_DIR" >&2; exit 2 ;;
esac

stop
mkdir -p "$state"
# The golden prefix is made again when prefix-init.sh changes what it sets.
golden_version=3
if [ "$(cat "$golden/.ready" 2>/dev/null)" != "$golden_version" ]; then
    rm -rf "$golden"
    WINEPREFIX="$golden" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" \
        /usr/lib/wine/wine64 wineboot -i </dev/null >"$state/wineboot.log" 2>&1 || true
    "$here/prefix-init.sh" "$golden"
    WINEPREFIX="$golden" /usr/lib/wine/wineserver64 -w
    echo "$golden_version" >"$golden/.ready"
fi
rm -rf "$prefix"
cp -a "$golden" "$prefix"

# Xvfb picks a free display and writes its number once it accepts connections.
rm -f "$state/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$state/display" \
    </dev/null >"$state/xvfb.log" 2>&1 &
echo $! >"$state/xvfb.pid"
i=0; while [ ! -s "$state/display" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i+1)); done
[ -s "$state/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
display=":$(tr -d '\n' <"$state/display")"
DISPLAY="$display" openbox --sm-disable </dev/null >"$state/openbox.log" 2>&1 &
echo $! >"$state/openbox.pid"

WINEPREFIX="$prefix" /usr/lib/wine/wineserver64 -f -p </dev/null >"$state/wineserver.log" 2>&1 &
printf 'DISPLAY=%s\nWINEPREFIX=%s\n' "$display" "$prefix" >"$envf"
WINE_SESSION_ENV="$envf" "$here/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1 || true
echo "wine session up on $display"
