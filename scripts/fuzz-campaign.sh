#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The KIVO developers
# SPDX-License-Identifier: MIT
# Runs every libFuzzer target built by `make fuzz`, one after the other, each for a set time on one
# core, and prints one line per target: executions, new inputs kept, and whether it found anything.
#
#   scripts/fuzz-campaign.sh [seconds-per-target] [target-name...]
#
# Each target works on a scratch copy of its seed corpus under $KIVO_FUZZ_WORK (default
# /tmp/kivo-fuzz), so the checked-in corpus only grows by the regression inputs someone adds on
# purpose. A crash, leak or sanitizer report leaves its input as crash-*/leak-*/oom-* in the
# target's scratch folder.
set -uo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
shift || true
work=${KIVO_FUZZ_WORK:-/tmp/kivo-fuzz}
bin="$here/build-fuzz/fuzz"

if [[ ! -d "$bin" ]]; then
  echo "no fuzz build in $bin; run 'make fuzz' first" >&2
  exit 2
fi

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for f in "$bin"/*_fuzz; do
    name=$(basename "$f")
    targets+=("${name%_fuzz}")
  done
fi

status=0
for name in "${targets[@]}"; do
  dir="$work/$name"
  mkdir -p "$dir/corpus"
  cp -n "$here/fuzz/corpus/$name"/* "$dir/corpus/" 2>/dev/null || true
  log="$dir/log.txt"
  (cd "$dir" && "$bin/${name}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
      -rss_limit_mb=2048 -timeout=20 corpus >"$log" 2>&1)
  rc=$?
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  added=$(grep -o 'stat::new_units_added: *[0-9]*' "$log" | grep -o '[0-9]*$')
  found=$(ls "$dir" | grep -E '^(crash|leak|oom|timeout)-' | tr '\n' ' ')
  if [[ $rc -ne 0 || -n "$found" ]]; then
    status=1
    echo "$name: FOUND after ${execs:-?} executions: ${found:-exit $rc} (see $log)"
  else
    echo "$name: ${execs:-?} executions in ${seconds}s, ${added:-0} new inputs, nothing found"
  fi
done
exit $status
