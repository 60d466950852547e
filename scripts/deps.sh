#!/bin/sh
# Installs, quietly and only when missing, every Debian package the build, the
# tests and the editor under Wine need; generates the Japanese locale Wine needs
# for code page 932. Safe to run again and again.
set -eu

PKGS="cmake ninja-build g++ clang python3 googletest libbenchmark-dev \
g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 xvfb xauth x11-utils \
xdotool imagemagick fonts-ipafont-gothic fonts-wine locales openbox nkf libonig-dev"

missing=""
for p in $PKGS; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if [ -n "$missing" ]; then
    echo "Installing:$missing" >&2
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq >/dev/null
    # openbox pulls in a desktop's worth of recommends; none are needed here.
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# Wine takes its ANSI code page from the locale, and only from a generated one.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi
