#!/bin/sh
# Builds tova.exe and runs it under Wine with the files given, or with the bundled
# Shift-JIS sample when none is given. Installs what it needs on Debian.
# Its settings live in a Wine prefix of its own, build/win64/run-prefix.
set -eu
top=$(cd "$(dirname "$0")" && pwd)
"$top/scripts/deps.sh"
cd "$top"
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tova

if [ -z "${DISPLAY:-}" ]; then
    echo "run.sh: no X display. Run it under a virtual one instead:" >&2
    echo "    xvfb-run -a -s '-screen 0 1280x1024x24' ./run.sh $*" >&2
    exit 2
fi

export WINEPREFIX="$top/build/win64/run-prefix"
if [ ! -f "$WINEPREFIX/.tova-init" ]; then
    echo "run.sh: preparing the Wine prefix (once)..." >&2
    WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" \
        /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
    "$top/scripts/prefix-init.sh" "$WINEPREFIX"
    # Wine keeps the registry in memory until its server ends: wait for it, so the
    # settings above are on disk before the prefix counts as ready.
    /usr/lib/wine/wineserver64 -w
    touch "$WINEPREFIX/.tova-init"
fi
[ $# -gt 0 ] || set -- "$top/samples/sample.txt"
# Absolute Unix paths become Z:\ paths; Wine passes relative ones through as they are.
args=""
for f in "$@"; do
    case "$f" in
    /*) f="Z:$(printf '%s' "$f" | tr '/' '\\')" ;;
    esac
    args="$args
$f"
done
old_ifs=$IFS
IFS='
'
# shellcheck disable=SC2086
set -- $args
IFS=$old_ifs
exec "$top/scripts/wine-run.sh" "$top/build/win64/tova.exe" "$@"
