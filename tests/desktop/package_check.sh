#!/usr/bin/env bash
# The Debian package as a distribution would check it: its contents, its
# dependencies (read from the linked libraries), lintian, the desktop entry,
# the AppStream metadata, and whether the system's package tool would
# install it. Run by `make package-test` after `make package`.
set -euo pipefail
BUILD=${1:-build}
fail() { echo "FAIL: $*" >&2; exit 1; }

DEB=$(ls -t "$BUILD"/quibix_*.deb 2>/dev/null | head -n 1)
[ -n "$DEB" ] || fail "no package in $BUILD (run make package)"
echo "== $DEB"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

dpkg-deb -c "$DEB" | awk '{ print $6 }' >"$WORK/contents"
for f in ./usr/games/quibix ./usr/bin/quibix ./usr/share/quibix/data/shoot.wav ./usr/share/quibix/Readme.txt \
         ./usr/share/applications/org.quibix.Quibix.desktop \
         ./usr/share/metainfo/org.quibix.Quibix.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/quibix.svg ./usr/share/man/man6/quibix.6.gz \
         ./usr/share/doc/quibix/copyright ./usr/share/doc/quibix/changelog.gz; do
    grep -qxF "$f" "$WORK/contents" || fail "the package lacks $f"
done
for size in 16 22 24 32 48 64 128 256; do
    grep -qxF "./usr/share/icons/hicolor/${size}x${size}/apps/quibix.png" "$WORK/contents" ||
        fail "the package lacks the ${size} pixel icon"
done
! grep -qi 'quibix\.\(dat\|cfg\)$' "$WORK/contents" || fail "the package carries a game file"
echo "contents: $(wc -l <"$WORK/contents") entries"

DEPENDS=$(dpkg-deb -f "$DEB" Depends)
echo "Depends: $DEPENDS"
for lib in libc6 libqt6widgets6 libqt6gui6 libqt6core6 libsdl2-mixer; do
    grep -q "$lib" <<<"$DEPENDS" || fail "no dependency on $lib"
done

dpkg-deb -x "$DEB" "$WORK/root"
desktop-file-validate "$WORK/root/usr/share/applications/org.quibix.Quibix.desktop"
appstreamcli validate --no-net "$WORK/root/usr/share/metainfo/org.quibix.Quibix.metainfo.xml"
man -l "$WORK/root/usr/share/man/man6/quibix.6.gz" >/dev/null 2>"$WORK/man.err" || true
! grep -q . "$WORK/man.err" || { cat "$WORK/man.err"; fail "the manual page has mistakes"; }
"$WORK/root/usr/bin/quibix" --version | grep -qx "Quibix [0-9.]*" || fail "--version of the packaged program"
# Unpacked anywhere, the packaged program finds its files and a new
# player's folder.
mkdir "$WORK/home"
HOME="$WORK/home" env -u XDG_DATA_HOME "$WORK/root/usr/bin/quibix" --help >"$WORK/help"
grep -qF "$WORK/root/usr/share/quibix/data/" "$WORK/help" || fail "the packaged program does not find its data"
grep -qF "$WORK/home/.local/share/quibix/Quibix.dat" "$WORK/help" || fail "the packaged program's score file"

echo "== lintian"
lintian --fail-on error --suppress-tags-from-file /dev/null "$DEB" || fail "lintian reports errors"

echo "== apt (simulated install)"
apt-get install -s -q "$(realpath "$DEB")" >"$WORK/apt.log" 2>&1 || { cat "$WORK/apt.log"; fail "apt would not install it"; }
grep -E '^(Inst|Conf) quibix' "$WORK/apt.log" || { cat "$WORK/apt.log"; fail "apt would not install quibix"; }
echo "PASS"
