#!/usr/bin/env bash
# Runs every fuzz target for FUZZ_SECONDS (default 60) from its seeds in fuzz/corpus/.
# A finding stops the run with a non-zero exit; its input is left in <build>/findings/ to be
# fixed and then kept in fuzz/regressions/<target>/, which `make native-test` replays.
set -euo pipefail
build=$1
seconds=${FUZZ_SECONDS:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$build/findings"
status=0
for target in LanguageText LanguageFileCheck DialogTemplate StoredTaskbarSettings KeyRuns PathText; do
  work="$build/corpus/$target"
  mkdir -p "$work"
  cp -n "$root/fuzz/corpus/$target/"* "$work/" 2>/dev/null || true
  options=()
  # The language format is read line by line: a kilobyte holds every construct of it many times
  # over (the shipped files are 1 to 2 KB), and inputs kept that short run twice as often.
  [[ $target == Language* ]] && options=(-dict="$root/fuzz/language.dict" -max_len=1024)
  echo "fuzz: $target for ${seconds} s"
  if ! "$build/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 "${options[@]}" \
        -artifact_prefix="$build/findings/$target-" "$work" 2>"$build/fuzz_$target.log"; then
    echo "fuzz: $target found a fault; see $build/fuzz_$target.log and $build/findings/" >&2
    status=1
  fi
  grep -E '^stat::number_of_executed_units' "$build/fuzz_$target.log" | sed "s/^/fuzz: $target /" || true
done
exit $status
