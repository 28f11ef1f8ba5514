#!/usr/bin/env bash
# Fuzzes each target for a given time, one after another:
#   fuzz/run.sh SECONDS [wav_reader|run ...]      (default: both targets)
# Builds the fuzz preset first. The seeds in fuzz/corpus/TARGET are copied
# into build/fuzz/corpus/TARGET, where the fuzzer keeps what it finds, so
# the repository's corpus changes only by hand. Crashing inputs land in
# build/fuzz/artifacts/TARGET/; add a minimised copy to fuzz/corpus/TARGET
# once the fault is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $# -lt 1 || ! $1 =~ ^[0-9]+$ ]]; then
  echo "usage: fuzz/run.sh SECONDS [wav_reader|run ...]" >&2
  exit 2
fi
seconds=$1
shift
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(wav_reader run)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

for target in "${targets[@]}"; do
  binary=build/fuzz/fuzz/partigen_fuzz_$target
  [[ -x $binary ]] || { echo "no fuzz target $target" >&2; exit 2; }
  work=build/fuzz/corpus/$target
  artifacts=build/fuzz/artifacts/$target
  mkdir -p "$work" "$artifacts"
  cp -n fuzz/corpus/"$target"/* "$work"/
  echo "== $target for ${seconds}s"
  nice "$binary" -max_total_time="$seconds" -max_len=12000 -timeout=30 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$work"
done
