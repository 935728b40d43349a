#!/usr/bin/env bash
# The installed program: install rules, desktop entry, AppStream data and the Debian package.
# usage: package_test.sh SOURCE_DIR BUILD_DIR
set -u
source_dir=$1
build_dir=$2
work=$(mktemp -d /tmp/vocarta-package-test.XXXXXX)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
source "$(dirname "$0")/harness.sh"
# Here a failing check also shows what its command said.
quietly() { "$@" >"$work/last.log" 2>&1 || { sed 's/^/    /' "$work/last.log"; return 1; }; }

check "desktop entry is valid" quietly desktop-file-validate "$source_dir/packaging/vocarta.desktop"
check "AppStream data is valid" quietly appstreamcli validate --no-net "$build_dir/org.example.vocarta.metainfo.xml"

DESTDIR=$work/root cmake --install "$build_dir" --prefix /usr >/dev/null
for path in bin/vocarta share/applications/vocarta.desktop share/metainfo/org.example.vocarta.metainfo.xml \
    share/icons/hicolor/32x32/apps/vocarta.png share/icons/hicolor/256x256/apps/vocarta.png; do
    check "installs /usr/$path" test -s "$work/root/usr/$path"
done
check "the installed icon is 32 x 32" quietly bash -c "file '$work/root/usr/share/icons/hicolor/32x32/apps/vocarta.png' | grep -q '32 x 32'"

(cd "$work" && cpack -B "$work/package" --config "$build_dir/CPackConfig.cmake" >/dev/null 2>&1)
deb=$(ls "$work"/package/vocarta_*.deb 2>/dev/null | head -1)
check "cpack builds a .deb" quietly test -s "$deb"
check "the .deb holds the program and its desktop files" quietly bash -c \
    "dpkg-deb -c '$deb' | grep -q './usr/bin/vocarta' && dpkg-deb -c '$deb' | grep -q 'applications/vocarta.desktop'"
check "the .deb depends on Qt's widgets library" quietly bash -c "dpkg-deb -f '$deb' Depends | grep -q libqt6widgets6"
check "apt-get accepts the .deb" quietly apt-get install -s "$deb"

# The packaged program starts, once.
dpkg-deb -x "$deb" "$work/extracted"
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_x_server "$work"
"$work/extracted/usr/bin/vocarta" >/dev/null 2>&1 &
first=$!
shows_one_window() {
    for _ in $(seq 100); do
        [ "$(xdotool search --onlyvisible --name '^Vocarta 2\.0$' 2>/dev/null | wc -l)" -eq 1 ] && return 0
        sleep 0.1
    done
    return 1
}
check "the packaged program shows its window" quietly shows_one_window
check "a second packaged start exits 0" quietly timeout 20 "$work/extracted/usr/bin/vocarta"
check "still one window" quietly shows_one_window
kill "$first"

report
