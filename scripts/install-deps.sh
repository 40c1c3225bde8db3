#!/bin/sh
# Installs the Debian packages the build and the tests need, only those missing.
set -eu
packages="clang-format git cmake ninja-build g++ make qt6-base-dev libqt6sql6-sqlite fonts-dejavu-core libbenchmark-dev libical-dev pkg-config"
# CalDAV tests: a real Radicale server with its users, certificates and calendars.
packages="$packages radicale apache2-utils openssl curl"
# The program icon is rendered at build time; the package needs dpkg-shlibdeps and file.
packages="$packages librsvg2-bin dpkg-dev file"
if [ "${1:-}" = "--package" ]; then
    # The package check runs lintian on the package and validates the desktop entry, the
    # AppStream data and the manual pages.
    packages="$packages lintian desktop-file-utils appstream man-db"
fi
if [ "${1:-}" = "--fuzz" ]; then
    packages="$packages clang libclang-rt-14-dev"
fi
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
fi
