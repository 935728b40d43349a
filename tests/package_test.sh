#!/usr/bin/env bash
# The program as installed: desktop entry, AppStream data, and the Debian package with its files.
# usage: package_test.sh SOURCE_DIR BUILD_DIR
set -u
work=$(mktemp -d /tmp/vocarta-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/harness.sh"
check "the desktop entry is valid" desktop-file-validate "$1/packaging/vocarta.desktop"
check "the AppStream data is valid" appstreamcli validate --no-net --pedantic "$2/org.example.vocarta.metainfo.xml"
(cd "$work" && cpack -B "$work/package" --config "$2/CPackConfig.cmake" >/dev/null 2>&1)
deb=$(ls "$work"/package/vocarta_*.deb 2>/dev/null)
files=$(dpkg-deb -c "$deb" 2>/dev/null | awk '{print $6}')
for path in bin/vocarta share/applications/vocarta.desktop share/metainfo/org.example.vocarta.metainfo.xml \
    share/icons/hicolor/{32x32,64x64,128x128,256x256}/apps/vocarta.png; do
    check "the .deb installs /usr/$path" grep -qxF "./usr/$path" <<<"$files"
done
check "and depends on Qt's widgets" bash -c "dpkg-deb -f '$deb' Depends | grep -q libqt6widgets6"
check "apt-get would install it" bash -c "apt-get install -s '$deb' >/dev/null 2>&1"
report
