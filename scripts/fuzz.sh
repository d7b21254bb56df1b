#!/usr/bin/env bash
# fuzz.sh BUILD [SECONDS]: runs each fuzz target of a ZELK_FUZZ build for
# SECONDS seconds (90 by default), one after the other. Each starts from its
# corpus in BUILD/fuzz/corpus, to which the sample logs, the seeds and every
# regression input are added first, and which keeps what the runs find.
# Fails when a target reports a crash, a sanitizer error, a leak or a
# timeout; the input is then left in BUILD/fuzz/crashes/TARGET with a line
# that says how to replay it.
set -euo pipefail

build=$(cd "$1" && pwd)
seconds=${2:-90}
source=$(cd "$(dirname "$0")/.." && pwd)
bin=$build/tests/fuzz
work=$build/fuzz

mkdir -p "$work/corpus/log" "$work/corpus/script"
cp "$source"/logs/*.txt "$work/corpus/log/"
cp "$source"/tests/fuzz/seeds/log/* "$work/corpus/log/"
cp "$source"/tests/fuzz/seeds/script/* "$work/corpus/script/"
# A log with more frames than the tables take, in the fewest bytes; the replay
# test leaves it out: walking its 10000 samples takes seconds under ASan.
{ printf 'ZelkLog\r\nECU t\r\nr\r\n'; printf '80,7D,%.0s' $(seq 0 10000); } \
  >"$work/corpus/log/frames_capped.txt"
for target in log script; do
  regressions=$source/tests/fuzz/regressions/$target
  if [ -d "$regressions" ]; then
    find "$regressions" -type f -exec cp {} "$work/corpus/$target/" \;
  fi
done

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if symbolizer=$(command -v llvm-symbolizer); then
  export ASAN_SYMBOLIZER_PATH=$symbolizer UBSAN_SYMBOLIZER_PATH=$symbolizer
fi

# Small logs fit whole, the sample logs in part; 200 script lines fit.
declare -A options=(
  [log]="-max_len=65536"
  [script]="-max_len=16384 -dict=$source/tests/fuzz/script.dict"
)

status=0
for target in log script; do
  crashes=$work/crashes/$target
  rm -rf "$crashes"
  mkdir -p "$crashes"
  echo "== zelk-fuzz-$target for ${seconds} s (report: $work/$target.log)"
  set +e
  # shellcheck disable=SC2086
  "$bin/zelk-fuzz-$target" "$work/corpus/$target" ${options[$target]} \
    -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -detect_leaks=1 \
    -print_final_stats=1 -artifact_prefix="$crashes/" >"$work/$target.log" 2>&1 &
  pid=$!
  wait $pid
  rc=$?
  set -e
  # The target's program folder, left behind when it stopped on a fault.
  rm -rf "/dev/shm/zelk-fuzz-$target-$pid" "${TMPDIR:-/tmp}/zelk-fuzz-$target-$pid"
  grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added)' \
    "$work/$target.log" || true
  found=$(find "$crashes" -type f | sort)
  if [ "$rc" -ne 0 ] || [ -n "$found" ]; then
    status=1
    tail -n 60 "$work/$target.log"
    echo "zelk-fuzz-$target failed (exit status $rc)."
    for input in $found; do
      echo "Found: $input"
      echo "  replay: $bin/zelk-fuzz-$target $input"
    done
  fi
done
exit $status
