#!/usr/bin/env bash
# run.sh BINARY_DIR TARGET|all SECONDS: fuzzes one target, or each in turn, for SECONDS each,
# at low priority on one job. New inputs go to BINARY_DIR/corpus/<target> (the committed seeds
# are read, never written); a finding is written to BINARY_DIR/findings/ and stops the run.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bin="$(cd "$1" && pwd)"
targets=("$2")
[ "$2" = all ] && targets=($(ls "$here/corpus"))
for t in "${targets[@]}"; do
  [ -x "$bin/fuzz_$t" ] || { echo "run.sh: no fuzz target $t" >&2; exit 2; }
  mkdir -p "$bin/corpus/$t" "$bin/findings" "$bin/scratch/$t"
  dict=()
  [ -f "$here/dict/$t.dict" ] && dict=(-dict="$here/dict/$t.dict")
  echo "== fuzz_$t for $3 s"
  # The fuzzer's log, and whatever a script writes, stay in the target's scratch folder, so that
  # two targets can be fuzzed at once; the targets' own scratch files go to a temporary folder of
  # each process, removed at its exit.
  (cd "$bin/scratch/$t" && nice -n 10 "$bin/fuzz_$t" -jobs=1 -workers=1 -max_total_time="$3" -timeout=30 \
     -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$bin/findings/$t-" "${dict[@]}" \
     "$bin/corpus/$t" "$here/corpus/$t") || status=$?
  tail -n 12 "$bin/scratch/$t/fuzz-0.log" || true
  [ "${status:-0}" -eq 0 ] || exit "$status"
done
