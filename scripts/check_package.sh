#!/usr/bin/env bash
# check_package.sh BUILD [WINDOWS_BUILD]: packs the release archives and tries them as a user
# would. check_package.sh --layout BUILD: the Linux archive's layout and upgrade only, for a
# build whose program cannot run here (another processor's).
#
# The Linux archive (from BUILD): one top folder named after the archive, no absolute path,
# no link; in it the viewer, the report, its icon, README, install-menu-entry, fonts/
# holding the windows' faces with their licence texts and a README, and logs/ holding only
# days named "Sample...". Then, as an ordinary user (a throwaway account when this runs as
# root), in a fresh home folder: unpack it, run the report from another folder (a table of
# every sample day; every file of logs/ stays byte for byte and none is added), start the
# viewer on a virtual display from another folder, click the first sample day (the file
# grows by its two bytes, no message box appears), write, move, rewrite and remove the menu
# entry, and unpack the archive again over the folder after putting the user's own days into
# logs/: every one of them stays byte for byte.
#
# The Windows zip (from WINDOWS_BUILD, when given): one top folder, both programs, README.txt
# with CR LF and the same text as the Linux README, only "Sample..." days, and the user's
# days kept when it is unpacked again over itself. Where Wine is at hand, its report run on
# its sample days writes the Linux report's table byte for byte and leaves logs/ as it was.
set -euo pipefail
layout_only=0
if [ "${1:-}" = --layout ]; then
  layout_only=1
  shift
fi
build=$(realpath "$1")
windows_build=${2:+$(realpath "$2")}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/tallyo-package-XXXXXX")
chmod 755 "$work"
user=""
cleanup() {
  if [ -n "$user" ]; then
    pkill -KILL -u "$user" 2>/dev/null || true
    userdel "$user" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "package check: $*" >&2; exit 1; }
say() { echo "package check: $*"; }

# The day files a user keeps, named by date in the ways loggers name them (two of them as
# the sample days of earlier releases were named), each with bytes of its own.
user_days=("2026-11-25.txt" "2026-11-26.txt" "20261127.txt" "2026_11_28.txt" "29-11-2026.txt"
  "LOG 2026-11-30.txt" "Sample.txt.bak")
put_user_days() {
  local logs=$1 name k=0
  for name in "${user_days[@]}"; do
    k=$((k + 1))
    printf '<T>12:0%d:00</T> <V>12.%d</V> users own day %s\r\n' "$k" "$k" "$name" >"$logs/$name"
  done
}
user_day_sums() { (cd "$1" && sha256sum "${user_days[@]}"); }
# Every file of a folder with its checksum, names included: a file added shows too.
all_sums() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 -r sha256sum); }

# check_table TABLE DAYS: the report's table of DAYS sample days: its header, a row for each
# day, the total, every line ended by CR LF.
check_table() {
  local table=$1 days=$2
  [ "$(head -c 4 "$table")" = "day," ] || fail "the report's table has no header: $(head -c 200 "$table")"
  ! grep -qv $'\r$' "$table" || fail "the report's table has lines without CR LF"
  [ "$(grep -c '^"*Sample' "$table")" -eq "$days" ] || fail "the report's table has not $days sample days"
  grep -q '^total,' "$table" || fail "the report's table has no total"
}

# check_listing ARCHIVE_LISTING TOP: every entry inside TOP, none absolute, none going up.
check_listing() {
  local listing=$1 top=$2
  [ -s "$listing" ] || fail "the archive is empty"
  ! grep -qE '^/|(^|/)\.\.(/|$)' "$listing" || fail "absolute or upward paths: $(grep -E '^/|\.\.' "$listing" | head -3)"
  ! grep -qvE "^$top(/|$)" "$listing" || fail "entries outside $top/: $(grep -vE "^$top(/|$)" "$listing" | head -3)"
}

# check_logs LOGS: only sample days in the release's logs folder.
check_logs() {
  local logs=$1 name days=0
  for name in "$logs"/*; do
    case $(basename "$name") in
      Sample*.txt) [ -f "$name" ] && [ -s "$name" ] || fail "not a sample day: $name" ;;
      *) fail "logs/ holds $(basename "$name"), which is not a sample day" ;;
    esac
    days=$((days + 1))
  done
  [ "$days" -ge 1 ] || fail "no sample days in logs"
  echo "$days"
}

# check_fonts FONTS: the faces the windows are drawn with, each a TrueType or OpenType
# font, their licence texts and the README that names them; nothing else.
font_faces=(LiberationSans-Regular.ttf LiberationSans-Bold.ttf P052-BoldItalic.otf)
font_licences=("LICENSE-LiberationSans.txt|SIL OPEN FONT LICENSE Version 1.1"
  "LICENSE-P052.txt|GNU AFFERO GENERAL PUBLIC LICENSE")
check_fonts() {
  local fonts=$1 face entry file text magic expected=(README "${font_faces[@]}")
  [ -d "$fonts" ] || fail "the fonts folder is missing"
  for entry in "${font_licences[@]}"; do expected+=("${entry%%|*}"); done
  [ "$(ls -A "$fonts" | sort)" = "$(printf '%s\n' "${expected[@]}" | sort)" ] ||
    fail "fonts/ holds $(ls -A "$fonts" | tr '\n' ' ')instead of ${expected[*]}"
  for face in "${font_faces[@]}"; do
    magic=$(head -c 4 "$fonts/$face" | od -An -tx1 | tr -d ' \n')
    [ "$magic" = 00010000 ] || [ "$magic" = 4f54544f ] || fail "fonts/$face is not a font"
    grep -qF "$face" "$fonts/README" || fail "fonts/README does not name $face"
  done
  for entry in "${font_licences[@]}"; do
    file=${entry%%|*} text=${entry#*|}
    grep -qF "$text" "$fonts/$file" || fail "fonts/$file does not hold the $text"
  done
}

# ---- The Linux archive
(cd "$build" && rm -f Tallyo_viewer-*-linux-*.tar.gz && cpack -G TGZ >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
archive=$(ls "$build"/Tallyo_viewer-*-linux-*.tar.gz 2>/dev/null | head -n 1)
[ -n "$archive" ] || fail "no archive in $build"
top=$(basename "$archive" .tar.gz)
tar -tzf "$archive" >"$work/listing"
check_listing "$work/listing" "$top"
! tar -tvzf "$archive" | grep -q '^[lh]' || fail "the archive holds links"

mkdir "$work/look"
tar -xzf "$archive" -C "$work/look"
folder=$work/look/$top
[ -x "$folder/Tallyo_viewer" ] || fail "the executable is missing"
[ -x "$folder/Tallyo_report" ] || fail "the report program is missing"
[ -f "$folder/Tallyo_viewer.png" ] || fail "the icon is missing"
[ -x "$folder/install-menu-entry" ] || fail "install-menu-entry is missing or not executable"
[ -f "$folder/README" ] || fail "the README is missing"
! grep -q $'\r' "$folder/README" || fail "the Linux README has CR LF line ends"
stray=$(find "$folder" -mindepth 1 -maxdepth 1 ! -name Tallyo_viewer ! -name Tallyo_report \
  ! -name Tallyo_viewer.png ! -name install-menu-entry ! -name README ! -name logs ! -name fonts)
[ -z "$stray" ] || fail "unexpected files in the program folder: $stray"
for program in Tallyo_viewer Tallyo_report; do
  if readelf -d "$folder/$program" | grep -qE 'RPATH|RUNPATH'; then
    fail "$program carries a library path: $(readelf -d "$folder/$program" | grep -E 'RPATH|RUNPATH')"
  fi
done
check_fonts "$folder/fonts"
days=$(check_logs "$folder/logs")
say "$(basename "$archive") ($(du -k "$archive" | cut -f1) KiB) unpacks to $top/ alone:" \
  "viewer, report, icon, README, install-menu-entry, fonts/ (${#font_faces[@]} faces, their" \
  "licences), $days sample days"

if [ "$layout_only" = 1 ]; then
  put_user_days "$folder/logs"
  sums=$(user_day_sums "$folder/logs")
  tar -xzf "$archive" -C "$work/look"
  [ "$sums" = "$(user_day_sums "$folder/logs")" ] || fail "unpacking over the folder changed a user's day"
  say "unpacked again over the folder: the user's ${#user_days[@]} own days are byte-identical"
  exit 0
fi

# The user who tries it: an ordinary account. As root, a throwaway one; otherwise the one
# running this, which is already ordinary.
home=$work/home
mkdir "$home"
as_user=()
if [ "$(id -u)" = 0 ]; then
  user=tallyo-try-$$
  useradd -M -d "$home" -s /bin/bash "$user" || fail "cannot create the user $user"
  chown "$user": "$home"
  as_user=(runuser -u "$user" --)
  say "trying the archive as the ordinary user $user"
else
  say "trying the archive as $(id -un), who is not root (no throwaway user needed)"
fi
runtime=$home/.runtime
"${as_user[@]}" mkdir -m 700 "$runtime"
run_user() { "${as_user[@]}" env -u XDG_DATA_HOME -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY HOME="$home" XDG_RUNTIME_DIR="$runtime" "$@"; }

cp "$archive" "$home/"
[ -z "$user" ] || chown "$user": "$home/$(basename "$archive")"
run_user tar -xzf "$home/$(basename "$archive")" -C "$home"
installed=$home/$top

# The report, run from / on the logs beside it: a table of every sample day, and not a byte
# of logs/ changed or added.
sums=$(all_sums "$installed/logs")
(cd / && run_user "$installed/Tallyo_report") >"$work/report-linux.csv" ||
  fail "the report ended with status $? on the sample days"
check_table "$work/report-linux.csv" "$days"
[ "$sums" = "$(all_sums "$installed/logs")" ] || fail "running the report changed logs/"
say "the report, run by the user from /, wrote a table of the $days sample days and left" \
  "every file of logs/ byte-identical"

first=$(cd "$installed/logs" && ls | LC_ALL=C sort -f | head -n 1)
size_before=$(stat -c %s "$installed/logs/$first")

# Start it from another folder on a virtual display, click the first day of the list
# (File1's first entry sits near 58, 114 at 96 DPI), and look for a message box: its title
# is the program's name. The start window is hidden while the viewer is open. The viewer
# runs on the virtual X display, whatever platform the caller chose for Qt (./test: offscreen).
cat >"$work/try.sh" <<'EOF'
set -u
program=$1
cd /
"$program" >"$HOME/viewer.log" 2>&1 &
viewer=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Graph$' | head -n 1)
[ -n "$window" ] || { echo "no viewer window"; kill $viewer; exit 1; }
sleep 1
xdotool mousemove --window "$window" 58 114 click 1
sleep 2
boxes=$(xdotool search --onlyvisible --name '^Tallyo_viewer$' 2>/dev/null | wc -l)
kill -0 $viewer 2>/dev/null || { echo "the viewer ended"; exit 1; }
kill $viewer
wait $viewer 2>/dev/null
echo "message boxes: $boxes"
EOF
chmod 644 "$work/try.sh"
result=$(run_user xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/try.sh" "$installed/Tallyo_viewer" 2>&1) ||
  { echo "$result" >&2; cat "$home/viewer.log" >&2 2>/dev/null || true; fail "the unpacked viewer did not run"; }
[ "$(echo "$result" | tail -n 1)" = "message boxes: 0" ] ||
  { echo "$result" >&2; fail "a click on \"$first\" raised a message box"; }
size_after=$(stat -c %s "$installed/logs/$first")
[ "$size_after" -eq $((size_before + 2)) ] ||
  fail "a click on \"$first\" changed its size from $size_before to $size_after, not by 2 bytes"
say "unpacked by the user and started from /: a click on \"$first\" showed it" \
  "($size_before -> $size_after bytes), no message box"

# The menu entry: written for the folder, rewritten after a move, removed.
entry=$home/.local/share/applications/Tallyo_viewer.desktop
expect_entry() {
  local folder=$1 exec_value
  [ -f "$entry" ] || fail "install-menu-entry wrote no $entry"
  desktop-file-validate "$entry" || fail "the menu entry is not valid"
  # The folders tried hold only % and $ of the characters that need escaping: % doubles, $
  # takes a backslash, which the entry's string escape doubles.
  exec_value="\"${folder//%/%%}/Tallyo_viewer\""
  exec_value=${exec_value//\$/\\\\\$}
  grep -qxF "Exec=$exec_value" "$entry" ||
    fail "menu entry: expected Exec=$exec_value, found $(grep '^Exec=' "$entry")"
  grep -qxF "Icon=$folder/Tallyo_viewer.png" "$entry" ||
    fail "menu entry: the icon is not $folder/Tallyo_viewer.png: $(grep '^Icon=' "$entry")"
}
run_user "$installed/install-menu-entry" >/dev/null
expect_entry "$installed"
moved="$home/my tools 50% \$HOME"
run_user mkdir "$moved"
run_user mv "$installed" "$moved/"
run_user "$moved/$top/install-menu-entry" >/dev/null
expect_entry "$moved/$top"
run_user "$moved/$top/install-menu-entry" --remove >/dev/null
[ ! -e "$entry" ] || fail "install-menu-entry --remove left $entry"
run_user mv "$moved/$top" "$home/"
say "install-menu-entry wrote a valid entry, pointed it at \"$moved/$top\" after the move," \
  "and --remove took it away"

# The upgrade: the release unpacked again over the folder, which now holds the user's days.
run_user bash -c "$(declare -f put_user_days); user_days=(${user_days[*]@Q}); put_user_days '$installed/logs'"
sums=$(user_day_sums "$installed/logs")
run_user tar -xzf "$home/$(basename "$archive")" -C "$home"
[ "$sums" = "$(user_day_sums "$installed/logs")" ] || fail "unpacking over the folder changed a user's day"
say "unpacked again over the folder: the user's ${#user_days[@]} own days are byte-identical"

# ---- The Windows zip
[ -n "$windows_build" ] || exit 0
(cd "$windows_build" && rm -f Tallyo_viewer-*-win64.zip && cpack -G ZIP >"$work/cpack-win.log" 2>&1) ||
  { cat "$work/cpack-win.log" >&2; fail "cpack (Windows) failed"; }
zip=$(ls "$windows_build"/Tallyo_viewer-*-win64.zip 2>/dev/null | head -n 1)
[ -n "$zip" ] || fail "no zip in $windows_build"
wtop=$(basename "$zip" .zip)
mkdir "$work/win"
(cd "$work/win" && cmake -E tar xf "$zip")
(cd "$work/win" && find . -mindepth 1 | sed 's|^\./||') >"$work/win-listing"
check_listing "$work/win-listing" "$wtop"
wfolder=$work/win/$wtop
[ -f "$wfolder/Tallyo_viewer.exe" ] || fail "the zip holds no Tallyo_viewer.exe"
[ -f "$wfolder/Tallyo_report.exe" ] || fail "the zip holds no Tallyo_report.exe"
[ -f "$wfolder/README.txt" ] || fail "the zip holds no README.txt"
! grep -qv $'\r$' "$wfolder/README.txt" || fail "README.txt has lines without CR LF"
cmp -s <(tr -d '\r' <"$wfolder/README.txt") "$folder/README" ||
  fail "README.txt of the zip is not the Linux README with CR LF"
wdays=$(check_logs "$wfolder/logs")
# The Windows report on the zip's sample days, under Wine (its prefix in the build folder):
# the Linux report's table, byte for byte, and logs/ as it was.
if command -v wine >/dev/null 2>&1; then
  sums=$(all_sums "$wfolder/logs")
  (cd "$wfolder" && "$here/wine.sh" run "$windows_build/wine-prefix" ./Tallyo_report.exe) \
    >"$work/report-windows.csv" || fail "the Windows report ended with status $? under Wine"
  cmp -s "$work/report-windows.csv" "$work/report-linux.csv" ||
    fail "the Windows report's table differs from the Linux one: $(diff "$work/report-windows.csv" "$work/report-linux.csv" | head -5)"
  [ "$sums" = "$(all_sums "$wfolder/logs")" ] || fail "running the Windows report changed logs/"
  say "the Windows report under Wine wrote the Linux report's table byte for byte and left" \
    "logs/ byte-identical"
else
  say "no Wine here: the Windows report was not run"
fi
put_user_days "$wfolder/logs"
sums=$(user_day_sums "$wfolder/logs")
(cd "$work/win" && cmake -E tar xf "$zip")
[ "$sums" = "$(user_day_sums "$wfolder/logs")" ] || fail "unpacking the zip over the folder changed a user's day"
say "$(basename "$zip") ($(du -k "$zip" | cut -f1) KiB) unpacks to $wtop/ alone: both programs," \
  "README.txt (CR LF, the same text), $wdays sample days; unpacked again, the user's days stay"
