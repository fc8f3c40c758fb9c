#!/bin/sh
# Installs the Debian packages Brivex needs to build, run and test, those that
# are missing only. Runs apt-get as root, through sudo otherwise.
set -e

PACKAGES="cmake ninja-build g++ make pkg-config ccache \
qt6-base-dev libqt6sql6-sqlite qt6-multimedia-dev \
libsqlite3-dev libzip-dev libjpeg-dev zlib1g-dev libevdev-dev libudev-dev \
libgtest-dev libbenchmark-dev \
sqlite3 poppler-utils unzip xvfb xauth fonts-dejavu-core \
openbox xdotool x11-utils imagemagick zbar-tools qt6-translations-l10n \
microsocks python3-pyftpdlib curl"

missing=""
for p in $PACKAGES; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $p" ;;
    esac
done

if [ -z "$missing" ]; then
    exit 0
fi

echo "Kurulacak paketler:$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "Paketleri kurmak için root yetkisi ya da sudo gerekiyor:$missing" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
