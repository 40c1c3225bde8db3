#!/bin/sh
# Builds the Debian package and checks it as an installation sees it: lintian finds no
# error in it; unpacked into a temporary root, its desktop entry, AppStream data and manual
# pages validated, and both programs run with a temporary HOME, which must be the only place
# they write to.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --package
make package

version=$(sed -n 's/^project(Marvolingen VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="build/marvolingen_${version}_$(dpkg --print-architecture).deb"
test -f "$deb" || { echo "missing $deb" >&2; exit 1; }

# Warnings and notes are shown but do not fail. No tag is suppressed: the placeholders the
# owner has yet to fill (home page, maintainer address, licence) raise none.
lintian --fail-on error "$deb"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"
home="$work/home"
mkdir -p "$root" "$home"
dpkg -x "$deb" "$root"

fail() { echo "package check: $*" >&2; exit 1; }
share="$root/usr/share"
for f in "$root/usr/bin/marvolingen" "$root/usr/bin/marvolingen-cli" \
         "$share/applications/marvolingen.desktop" \
         "$share/icons/hicolor/scalable/apps/marvolingen.svg" \
         "$share/icons/hicolor/48x48/apps/marvolingen.png" \
         "$share/icons/hicolor/256x256/apps/marvolingen.png" \
         "$share/metainfo/marvolingen.metainfo.xml" \
         "$share/man/man1/marvolingen.1.gz" "$share/man/man1/marvolingen-cli.1.gz" \
         "$share/doc/marvolingen/changelog.gz" "$share/doc/marvolingen/copyright"; do
    test -s "$f" || fail "missing $f"
done
dpkg-deb -f "$deb" Depends | grep -q libqt6core6 || fail "no library dependencies"

desktop-file-validate "$share/applications/marvolingen.desktop"
appstreamcli validate --no-net "$share/metainfo/marvolingen.metainfo.xml"
for page in marvolingen marvolingen-cli; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
done

listing() { find "$1" -printf '%p %s %m %T@\n' | sort; }
listing "$root" > "$work/root-before"

# A clean environment, as cron gives it: HOME and a PATH, nothing else.
cli() { env -i PATH=/usr/bin:/bin HOME="$home" LC_ALL=C.UTF-8 "$root/usr/bin/marvolingen-cli" "$@"; }
folder="$home/.config/marvolingen"
[ "$(cli folder)" = "$folder" ] || fail "folder in use: $(cli folder)"
cli days --year 2027 --country Deutschland --format tsv > "$work/days"
grep -q "$(printf '^01.01.2027\tNeujahr\t')" "$work/days" || fail "no day list: $(cat "$work/days")"
cli groupwise init --demo > /dev/null
test -f "$folder/GroupWise/domain.db" || fail "no demo system in $folder"
[ "$(stat -c %a "$folder")" = 700 ] || fail "$folder has mode $(stat -c %a "$folder")"
cli --help | grep -q '^usage: marvolingen-cli' || fail "--help"

# The window program starts in a home of its own, makes its folder there and stays up
# until it is ended.
winhome="$work/winhome"
mkdir -p "$winhome"
status=0
env -i PATH=/usr/bin:/bin HOME="$winhome" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    timeout 5 "$root/usr/bin/marvolingen" > "$work/window.log" 2>&1 || status=$?
[ "$status" = 124 ] || fail "window program ended with $status: $(cat "$work/window.log")"
[ "$(stat -c %a "$winhome/.config/marvolingen")" = 700 ] || fail "window program: no private folder"

listing "$root" > "$work/root-after"
cmp -s "$work/root-before" "$work/root-after" || {
    diff "$work/root-before" "$work/root-after" >&2 || true
    fail "the programs wrote into the unpacked root"
}
echo "package check: $deb passed"
