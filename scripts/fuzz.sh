#!/usr/bin/env bash
# fuzz.sh BUILD [SECONDS]: runs every libFuzzer target built in BUILD (a build made with
# -DTALLYO_BUILD_FUZZ=ON), one after the other. Each target first replays its seeds
# (fuzz/corpus/<target>) and the inputs that once broke a rule (fuzz/regressions/<target>),
# then fuzzes for SECONDS (default: TALLYO_FUZZ_SECONDS, else 60) on a working corpus kept
# in BUILD/fuzz-corpus/<target>. Any crash, sanitizer report, broken check, time-out or
# memory blow-up fails the run; the input is saved under BUILD/fuzz-findings/.
set -euo pipefail
TALLYO_ROOT=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "$1")
seconds=${2:-${TALLYO_FUZZ_SECONDS:-60}}

export TALLYO_FUZZ_TMP
TALLYO_FUZZ_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tallyo-fuzz-run-XXXXXX")
trap 'rm -rf "$TALLYO_FUZZ_TMP"' EXIT
mkdir -p "$build/fuzz-findings"

# One input may take at most 10 s; a draw or a display that loops forever is a finding.
common=(-timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048 -print_final_stats=1)
status=0
summary=()
for exe in "$build"/fuzz/tallyo_fuzz_*; do
  [ -x "$exe" ] || continue
  target=$(basename "$exe")
  log=$build/fuzz-findings/$target.log
  prefix=$build/fuzz-findings/$target-

  replay=()
  for dir in "$TALLYO_ROOT/fuzz/corpus/$target" "$TALLYO_ROOT/fuzz/regressions/$target"; do
    [ -d "$dir" ] && while IFS= read -r -d '' f; do replay+=("$f"); done \
      < <(find "$dir" -type f -print0 | sort -z)
  done
  if [ ${#replay[@]} -gt 0 ] &&
    ! "$exe" "${common[@]}" -artifact_prefix="$prefix" "${replay[@]}" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzz: $target fails on a saved input (log: $log)" >&2
    summary+=("$target: FAILED on a saved input")
    status=1
    continue
  fi

  [ "$seconds" -gt 0 ] || { summary+=("$target: ${#replay[@]} saved inputs replayed"); continue; }
  work=$build/fuzz-corpus/$target
  mkdir -p "$work"
  [ -d "$TALLYO_ROOT/fuzz/corpus/$target" ] && cp -n "$TALLYO_ROOT/fuzz/corpus/$target"/* "$work"/ 2>/dev/null || true
  echo "fuzz: $target for ${seconds} s ..."
  if "$exe" "${common[@]}" -max_total_time="$seconds" -artifact_prefix="$prefix" \
    "$work" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    summary+=("$target: ${#replay[@]} saved inputs replayed, ${runs:-?} runs in ${seconds} s, no finding")
  else
    tail -n 60 "$log" >&2
    echo "fuzz: $target found a fault; input saved as ${prefix}* (log: $log)" >&2
    summary+=("$target: FINDING (see $log)")
    status=1
  fi
done
[ ${#summary[@]} -gt 0 ] || { echo "fuzz: no targets in $build/fuzz" >&2; exit 1; }
printf 'fuzz: %s\n' "${summary[@]}"
exit $status
