#!/bin/sh
# host-disk.sh make|check FOLDER: disk states that a Windows program cannot make itself,
# made on the host for the tests that run under Wine (WindowsHostDiskTest).
#   make   FOLDER/pipe.txt, a pipe whose writer waits for a reader to take its line;
#          FOLDER/link.txt, a link to a file in FOLDER/nowhere that is not there; and, as
#          root, FOLDER/full, a small file system with no room left, holding day.txt whose
#          last page has room for one byte
#   check  the writer's line arrives whole and the writer ended well; nothing was made
#          where the link points; the small file system goes
set -u
command=$1
folder=$2
line='<T>01:00</T><V>1</V>'

case $command in
make)
  rm -rf "$folder"
  mkdir -p "$folder/full" "$folder/nowhere"
  mkfifo "$folder/pipe.txt"
  ln -s "$folder/nowhere/gone.txt" "$folder/link.txt"
  # The writer waits in its open until a reader comes, detached from ctest's output.
  setsid sh -c 'printf "%s\r\n" "$1" >"$2/pipe.txt"; echo $? >"$2/writer-status"' \
    writer "$line" "$folder" </dev/null >/dev/null 2>&1 &
  if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=256k tmpfs "$folder/full" 2>/dev/null; then
    head -c 4095 /dev/zero | tr '\0' x >"$folder/full/day.txt"
    head -c 1048576 /dev/zero >"$folder/full/fill" 2>/dev/null
  fi
  exit 0
  ;;
check)
  status=0
  got=$(timeout 10 cat "$folder/pipe.txt" | tr -d '\r')
  if [ "$got" != "$line" ]; then
    echo "the pipe's writer's line did not arrive: '$got'"
    status=1
  fi
  tries=0
  while [ ! -s "$folder/writer-status" ] && [ "$tries" -lt 100 ]; do
    sleep 0.1
    tries=$((tries + 1))
  done
  if [ "$(cat "$folder/writer-status" 2>/dev/null)" != 0 ]; then
    echo "the pipe's writer did not end well"
    status=1
  fi
  if [ -n "$(ls -A "$folder/nowhere")" ]; then
    echo "something was made where the link points: $(ls -A "$folder/nowhere")"
    status=1
  fi
  if mountpoint -q "$folder/full"; then umount "$folder/full" || umount -l "$folder/full"; fi
  rm -rf "$folder"
  exit $status
  ;;
*)
  echo "usage: $0 make|check FOLDER" >&2
  exit 2
  ;;
esac
