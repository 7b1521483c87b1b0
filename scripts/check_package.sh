#!/usr/bin/env bash
# check_package.sh BUILD: packs the program from BUILD with cpack, unpacks the archive into a
# fresh folder and checks that it is the program folder the viewer expects, that its desktop
# entry is valid, and that the unpacked viewer starts on a virtual display and opens the
# logs folder beside it.
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/tallyo-package-XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() { echo "package check: $*" >&2; exit 1; }

(cd "$build" && cpack -G TGZ >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
archive=$(ls "$build"/Tallyo_viewer-*-Linux.tar.gz 2>/dev/null | head -n 1)
[ -n "$archive" ] || fail "no archive in $build"
mkdir "$work/root"
tar -xzf "$archive" -C "$work/root"
folder=$work/root/opt/Tallyo_viewer
echo "package check: $(basename "$archive") ($(du -k "$archive" | cut -f1) KiB) unpacks to opt/Tallyo_viewer"

[ -x "$folder/Tallyo_viewer" ] || fail "the executable is missing"
[ -f "$folder/Tallyo_viewer.png" ] || fail "the icon is missing"
[ -f "$folder/Tallyo_viewer.desktop" ] || fail "the desktop entry is missing"
days=$(find "$folder/logs" -maxdepth 1 -name '*.txt' -size +0 | wc -l)
[ "$days" -ge 1 ] || fail "no sample days in logs"
stray=$(find "$folder" -mindepth 1 -maxdepth 1 ! -name Tallyo_viewer ! -name Tallyo_viewer.png \
  ! -name Tallyo_viewer.desktop ! -name logs | wc -l)
[ "$stray" -eq 0 ] || fail "unexpected files in the program folder: $(ls "$folder")"
grep -qx 'Exec="/opt/Tallyo_viewer/Tallyo_viewer"' "$folder/Tallyo_viewer.desktop" ||
  fail "the desktop entry does not start /opt/Tallyo_viewer/Tallyo_viewer"
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$folder/Tallyo_viewer.desktop" || fail "desktop entry not valid"
fi

# Start the unpacked viewer from another working folder for a few seconds: it must still
# be running when it is stopped, and it must have opened the logs folder beside itself.
before=$(cksum "$folder"/logs/*.txt)
status=0
(cd "$work" && xvfb-run -a -s "-screen 0 1280x800x24" \
  strace -f -qq -o "$work/trace" -e trace=openat \
  timeout -s TERM "${TALLYO_PACKAGE_SECONDS:-5}" "$folder/Tallyo_viewer") \
  >"$work/run.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$work/run.log" >&2; fail "the viewer ended by itself (status $status)"; }
grep -q "\"$folder/logs\", O_RDONLY[^)]*O_DIRECTORY) = [0-9]" "$work/trace" ||
  { cat "$work/run.log" >&2; fail "the viewer did not open $folder/logs"; }
[ "$before" = "$(cksum "$folder"/logs/*.txt)" ] || fail "starting the viewer changed a log file"
echo "package check: the unpacked viewer started and opened its logs folder ($days sample days)"

# cmake --install into a folder whose name needs escaping in a desktop entry.
odd="$work/my logs 50% \$HOME"
cmake --install "$build" --prefix "$odd" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "cmake --install failed"; }
[ -x "$odd/Tallyo_viewer" ] && [ -f "$odd/Tallyo_viewer.png" ] ||
  fail "cmake --install did not lay out the program folder"
[ "$(find "$odd/logs" -name '*.txt' | wc -l)" -eq "$days" ] || fail "cmake --install: sample days differ"
exec_line="Exec=\"${odd//%/%%}/Tallyo_viewer\""
exec_line=${exec_line//\$/\\\\\$}
grep -qxF "$exec_line" "$odd/Tallyo_viewer.desktop" ||
  fail "desktop entry: expected $exec_line, found $(grep '^Exec=' "$odd/Tallyo_viewer.desktop")"
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$odd/Tallyo_viewer.desktop" || fail "desktop entry not valid"
fi
echo "package check: cmake --install into \"$odd\" gives a valid desktop entry"
