#!/bin/sh
# Runs a Windows program under wine64 with the build's private prefix and, when
# a test session is up, its X display. Used as CMake's cross-compiling emulator.
#   WINE_SESSION_ENV: a file written by wine-session.sh (DISPLAY, WINEPREFIX);
#   by default the one in the current directory, which ctest runs tests from.
env_file="${WINE_SESSION_ENV:-$PWD/wine-session.env}"
# shellcheck disable=SC1090
[ -f "$env_file" ] && . "$env_file"
: "${WINEPREFIX:=$PWD/wine-prefix}"
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=;winemenubuilder.exe=d}"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES WINEARCH=win64
[ -n "${DISPLAY:-}" ] && export DISPLAY
# Code page 932 for the A functions, argv and file names.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
exec /usr/lib/wine/wine64 "$@"
