#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree as a user
# meets it: both programs run from there, the desktop entry, manual pages and
# completion are valid, and the window keeps its settings per user.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
gui_pid=""
cleanup() {
    [ -n "$gui_pid" ] && kill -KILL "$gui_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
    bin/tornwel
    bin/tornwel-nc
    share/applications/tornwel.desktop
    share/icons/hicolor/scalable/apps/tornwel.svg
    share/icons/hicolor/48x48/apps/tornwel.png
    share/man/man1/tornwel.1.gz
    share/man/man1/tornwel-nc.1.gz
    share/bash-completion/completions/tornwel-nc
    share/doc/tornwel/copyright
    share/doc/tornwel/changelog.gz
)
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ "$(find "$prefix" -type f | wc -l)" -eq "${#expected[@]}" ] ||
    fail "unexpected files: $(cd "$prefix" && find . -type f | sort | tr '\n' ' ')"

# Nothing points back into the build tree.
for program in tornwel tornwel-nc; do
    # Read whole first: with pipefail, grep -q stopping early could fail the
    # pipeline through its writer's SIGPIPE.
    dynamic="$(readelf -d "$prefix/bin/$program")"
    if grep -E 'R(UN)?PATH' <<<"$dynamic" | grep -qF "$build"; then
        fail "$program loads libraries from the build tree"
    fi
done

# tornwel-nc from the prefix.
help="$("$prefix/bin/tornwel-nc" --help)"
grep -q "several files" <<<"$help" || fail "tornwel-nc --help"
mkdir -p "$work/progs/sub"
printf 'O1\r\nG01X1000Y-250\r\n' >"$work/progs/A.NC"
printf 'O2\r\nX5\r\n' >"$work/progs/B.NC"
"$prefix/bin/tornwel-nc" insert --unit 0.01 "$work/progs/A.NC" "$work/progs/B.NC"
[ "$(cat "$work/progs/A_S.NC")" = $'O1\r\nG01X10.00Y-2.50\r' ] || fail "insert output"
[ -f "$work/progs/B_S.NC" ] || fail "batch output"
rm "$work/progs/A_S.NC" "$work/progs/B_S.NC"

# The desktop entry: valid, and naming a MIME type shared-mime-info defines.
desktop="$prefix/share/applications/tornwel.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx 'Exec=tornwel %f' "$desktop" || fail "Exec line"
grep -qx 'Categories=Utility;FileManager;' "$desktop" || fail "Categories line"
grep -q '^Name\[ja\]=' "$desktop" && grep -q '^Comment\[ja\]=' "$desktop" &&
    grep -q '^Comment=' "$desktop" || fail "Japanese and English texts"
mime="$(sed -n 's/^MimeType=\([^;]*\);.*/\1/p' "$desktop")"
grep -q "<mime-type type=\"$mime\">" /usr/share/mime/packages/freedesktop.org.xml ||
    fail "MIME type $mime is unknown to shared-mime-info"

# The icon: a 48 px PNG and an SVG.
file "$prefix/share/icons/hicolor/48x48/apps/tornwel.png" | grep -q 'PNG image data, 48 x 48' ||
    fail "48 px icon"
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/tornwel.svg" || fail "SVG icon"

# Manual pages render without a warning; tornwel-nc's names every option.
for page in "$prefix"/share/man/man1/*.1.gz; do
    warnings="$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
manual="$(MANWIDTH=80 man -l "$prefix/share/man/man1/tornwel-nc.1.gz" 2>/dev/null)"
for option in $("$prefix/bin/tornwel-nc" --help | grep -oE '(^|[ [])--?[a-z][a-z-]*' |
    tr -d ' [' | sort -u); do
    grep -qe "$option" <<<"$manual" || fail "the manual page lacks $option"
done
for word in "EXIT STATUS" "tornwel-nc insert --unit 0.01 \*.NC"; do
    grep -q -- "$word" <<<"$manual" || fail "the manual page lacks $word"
done

# The completion loads, and completes with bash-completion's helpers.
completion="$prefix/share/bash-completion/completions/tornwel-nc"
bash -c "source '$completion' && complete -p tornwel-nc" >/dev/null || fail "completion"
completed="$(bash -c "source /usr/share/bash-completion/bash_completion; source '$completion'
    COMP_WORDS=(tornwel-nc insert --u); COMP_CWORD=2; COMP_LINE='tornwel-nc insert --u'
    COMP_POINT=\${#COMP_LINE}; _tornwel_nc; echo \"\${COMPREPLY[*]}\"")"
[ "$completed" = "--unit" ] || fail "completion of --u gave '$completed'"

# The window from the prefix: it opens on a path, takes a later start's path,
# and keeps its settings per user, never beside the installed program.
mkdir -p "$work/run" "$work/home" "$work/config"
chmod 700 "$work/run"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="tornwel.start.info=true"
"$prefix/bin/tornwel" "$work/progs/B.NC" 2>"$work/gui.log" &
gui_pid=$!
wait_for_log() {
    for _ in $(seq 200); do
        grep -qF "$1" "$work/gui.log" && return 0
        kill -0 "$gui_pid" 2>/dev/null || fail "tornwel ended: $(cat "$work/gui.log")"
        sleep 0.1
    done
    fail "no '$1' in: $(cat "$work/gui.log")"
}
wait_for_log "listed $work/progs focused B.NC"
"$prefix/bin/tornwel" "$work/progs/sub" || fail "the later start"
wait_for_log "listed $work/progs/sub focused .."
[ -d "$work/config/tornwel" ] || fail "no settings folder in XDG_CONFIG_HOME"
[ "$(ls "$prefix/bin" | tr '\n' ' ')" = "tornwel tornwel-nc " ] ||
    fail "files beside the program: $(ls "$prefix/bin")"
kill -TERM "$gui_pid"
wait "$gui_pid" 2>/dev/null || true
gui_pid=""
echo "installed tree checked"
