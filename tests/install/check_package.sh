#!/usr/bin/env bash
# Builds the Debian package from the configured build tree and checks it:
# control fields, file list, and lintian without errors.
set -euo pipefail
build="$1"
version="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

(cd "$work" && cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1) ||
    fail "cpack: $(cat "$work/cpack.log")"
deb="$work/tornwel_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$work")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tornwel ] || fail "Package"
[ "$(field Version)" = "$version" ] || fail "Version"
[ "$(field Section)" = utils ] || fail "Section"
field Maintainer | grep -q '^Tornwel developers <.*@example.org>$' || fail "Maintainer"
# Fields and listings are read whole first: with pipefail, a grep -q that
# stops reading early would fail the pipeline through its writer's SIGPIPE.
description="$(field Description)"
grep -q 'file manager for CNC part programs' <<<"${description%%$'\n'*}" || fail "Description"
[ "$(wc -l <<<"$description")" -gt 3 ] || fail "no long description"
depends="$(field Depends)"
names="$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")"
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6; do
    grep -qxF "$library" <<<"$names" || fail "Depends lacks $library: $depends"
done

dpkg-deb -c "$deb" >"$work/listing"
awk '{print $6}' "$work/listing" | sed 's|^\./|/|' | grep -v '/$' | sort >"$work/files"
cat >"$work/expected" <<'LIST'
/usr/bin/tornwel
/usr/bin/tornwel-nc
/usr/share/applications/tornwel.desktop
/usr/share/bash-completion/completions/tornwel-nc
/usr/share/doc/tornwel/changelog.gz
/usr/share/doc/tornwel/copyright
/usr/share/icons/hicolor/48x48/apps/tornwel.png
/usr/share/icons/hicolor/scalable/apps/tornwel.svg
/usr/share/man/man1/tornwel-nc.1.gz
/usr/share/man/man1/tornwel.1.gz
LIST
diff -u "$work/expected" "$work/files" || fail "file list"
awk '$2 != "root/root"' "$work/listing" | grep -q . && fail "files not owned by root"

lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$work/lintian.log")"
echo "package checked; lintian says:"
cat "$work/lintian.log"
