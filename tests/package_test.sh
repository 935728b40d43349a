#!/usr/bin/env bash
# The program as installed: desktop entry, AppStream data, the installed files, the Debian package.
# usage: package_test.sh SOURCE_DIR BUILD_DIR
set -u
source_dir=$1
build_dir=$2
work=$(mktemp -d /tmp/vocarta-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/harness.sh"

check "the desktop entry is valid" desktop-file-validate "$source_dir/packaging/vocarta.desktop"
check "the AppStream data is valid" appstreamcli validate --no-net --pedantic "$build_dir/org.example.vocarta.metainfo.xml"
DESTDIR=$work/root cmake --install "$build_dir" --prefix /usr >/dev/null
for path in bin/vocarta share/applications/vocarta.desktop share/metainfo/org.example.vocarta.metainfo.xml \
    share/icons/hicolor/{32x32,64x64,128x128,256x256}/apps/vocarta.png; do
    check "installs /usr/$path" test -s "$work/root/usr/$path"
done
(cd "$work" && cpack -B "$work/package" --config "$build_dir/CPackConfig.cmake" >/dev/null 2>&1)
deb=$(ls "$work"/package/vocarta_*.deb 2>/dev/null)
check "the .deb holds the program" bash -c "dpkg-deb -c '$deb' | grep -q ' ./usr/bin/vocarta$'"
check "and depends on Qt's widgets" bash -c "dpkg-deb -f '$deb' Depends | grep -q libqt6widgets6"
check "apt-get would install it" bash -c "apt-get install -s '$deb' >/dev/null 2>&1"
report
