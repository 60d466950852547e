#!/bin/sh
# Makes a fresh Wine prefix ready for tova: a crash prints a backtrace instead of
# waiting for a click; the user-interface fonts (menus, message boxes, dialogs,
# all "MS Shell Dlg" with the Western character set, which no installed font
# has) are taken from the Japanese IPA font, so Japanese menus and messages are
# not drawn as boxes; Wine's Marlett is put in place for the caption buttons.
# Usage: prefix-init.sh PREFIX   (the prefix must exist; its wineserver may run)
set -eu
prefix="$1"
# With the Japanese locale the programs will run in: Wine rewrites the font
# substitutes when it first sees a new code page, which must happen before ours.
run() {
    WINEPREFIX="$prefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 /usr/lib/wine/wine64 "$@" \
        </dev/null >/dev/null 2>&1
}
run reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS UI Gothic"; do
    run reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "$face" /t REG_SZ /d IPAGothic /f
done
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
# Only the TrueType Marlett: Wine's bitmap fonts would win over IPAGothic for
# "FixedSys" and have no kana or kanji.
[ -f /usr/share/wine/fonts/marlett.ttf ] && ln -sf /usr/share/wine/fonts/marlett.ttf "$fonts/marlett.ttf"
exit 0
