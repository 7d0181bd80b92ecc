#!/usr/bin/env bash
# The Debian package as a distribution would check it: its files, its
# dependencies, lintian, the desktop entry, the AppStream metadata, and
# whether apt would install it. Run by `make package-test`.
source "$(dirname "$0")/../window/common.bash"
DEB=$(ls -t "${1:-build}"/quibix_*.deb 2>/dev/null | head -n 1)
[ -n "$DEB" ] || fail "no package in ${1:-build} (run make package)"

dpkg-deb -c "$DEB" | awk '{ print $6 }' >"$WORK/contents"
for f in games/quibix lib/games/quibix/quibix-audio.so lib/games/quibix/quibix-gamepads.so share/quibix/Readme.txt share/doc/quibix/copyright share/doc/quibix/changelog.gz \
         share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/quibix.png; do
    grep -qxF "./usr/$f" "$WORK/contents" || fail "the package lacks /usr/$f"
done
! grep -qi 'quibix\.\(dat\|cfg\)$' "$WORK/contents" || fail "the package carries a game file"
! grep -q '^\./usr/bin/' "$WORK/contents" || fail "a game's package puts nothing in /usr/bin"

DEPENDS=$(dpkg-deb -f "$DEB" Depends)
for lib in libc6 libqt6widgets6 libqt6gui6 libqt6core6 libsdl2-mixer; do
    grep -q "$lib" <<<"$DEPENDS" || fail "no dependency on $lib in: $DEPENDS"
done

dpkg-deb -x "$DEB" "$WORK/root"
desktop-file-validate "$WORK/root/usr/share/applications/org.quibix.Quibix.desktop"
appstreamcli validate --no-net "$WORK/root/usr/share/metainfo/org.quibix.Quibix.metainfo.xml"
man -l "$WORK/root/usr/share/man/man6/quibix.6.gz" >/dev/null 2>"$WORK/man.err" || true
[ ! -s "$WORK/man.err" ] || { cat "$WORK/man.err"; fail "the manual page has mistakes"; }
lintian --fail-on error,warning --suppress-tags-from-file /dev/null "$DEB" || fail "lintian reports errors or warnings"
# The distribution's hardening, in the program and its modules:
# read-only relocations bound at start, the stack protector and fortified
# functions. (The gamepad module keeps no buffer on its stack, so the
# protector has nothing to guard there: it is looked for in the others.)
# (Read whole first: grep -q stopping early would fail the pipe.)
LIBS="$WORK/root/usr/lib/games/quibix"
for PROGRAM in "$WORK/root/usr/games/quibix" "$LIBS/quibix-audio.so" "$LIBS/quibix-gamepads.so"; do
    HEADERS=$(readelf -lW "$PROGRAM") DYNAMIC=$(readelf -dW "$PROGRAM") SYMBOLS=$(readelf --dyn-syms -W "$PROGRAM")
    grep -q GNU_RELRO <<<"$HEADERS" || fail "$PROGRAM: no read-only relocations"
    grep -q 'BIND_NOW' <<<"$DYNAMIC" || fail "$PROGRAM: not bound at start (bind-now)"
    [ "$PROGRAM" = "$LIBS/quibix-gamepads.so" ] || grep -q '__stack_chk_fail' <<<"$SYMBOLS" ||
        fail "$PROGRAM: no stack protector"
    grep -q '__[a-z]*_chk@' <<<"$SYMBOLS" || fail "$PROGRAM: no fortified functions"
done
apt-get install -s -q "$(realpath "$DEB")" >"$WORK/apt.log" 2>&1 || { cat "$WORK/apt.log"; fail "apt would not install it"; }
grep -E '^(Inst|Conf) quibix' "$WORK/apt.log" || { cat "$WORK/apt.log"; fail "apt would not install quibix"; }
echo "PASS"
