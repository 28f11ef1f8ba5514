#!/usr/bin/env bash
# Builds the benchmarks in Release and prints the figures, then the ratios
# taken from that one run (the fastest repetition of each, so that other work
# on the machine weighs as little as possible). With hyperfine installed it
# also times whole processes.
#
# usage: bench/run.sh [repetitions]     (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."

repetitions=${1:-10}
build=build/bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DPARTIGEN_TESTS=OFF > /dev/null
cmake --build "$build" -j2 --target partigen partigen_bench partigen_literal partigen_copy_8k > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/partigen_bench" --benchmark_repetitions="$repetitions" --benchmark_enable_random_interleaving=true \
  --benchmark_min_time=0.1 --benchmark_display_aggregates_only=true --benchmark_out="$work/figures.json" --benchmark_out_format=json

python3 - "$work/figures.json" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
best = {}
for r in runs:
    if r.get("run_type") != "iteration" or r.get("error_occurred"):
        continue
    best[r["run_name"]] = min(best.get(r["run_name"], float("inf")), r["cpu_time"])
def ratio(slow, fast):
    return f"{best[slow] / best[fast]:6.1f}x" if slow in best and fast in best else "     -"
print("\nratios (fastest repetition of each, CPU time):")
print(f"{'transform n':>12} {'reference us':>13} {'fft us':>9} {'ref/fft':>8} {'ref/avx2':>9} {'ref/baseline':>13}")
for n in (64, 100, 997, 1000, 1763, 2048, 4093, 4094, 4095, 4096):
    ref = f"BM_transform_reference/{n}"
    if ref not in best:
        continue
    print(f"{n:>12} {best[ref] / 1e3:13.1f} {best[f'BM_transform/{n}'] / 1e3:9.1f} "
          f"{ratio(ref, f'BM_transform/{n}'):>8} {ratio(ref, f'BM_transform_avx2/{n}'):>9} "
          f"{ratio(ref, f'BM_transform_baseline/{n}'):>13}")
print(f"resynthesis 4096 x 64: plain loop / vector {ratio('BM_resynthesis_plain_loop', 'BM_resynthesis')}, "
      f"plain loop / avx2 {ratio('BM_resynthesis_plain_loop', 'BM_resynthesis_avx2')}")
for t in (64, 0):
    name = f"BM_pipeline/t:{t}"
    if name in best:
        print(f"whole run in-process, 4096 samples, -t{t}: {best[name] / 1e3:.1f} us CPU")
PY

if ! command -v hyperfine > /dev/null; then
  echo
  echo "hyperfine not installed (apt-get install hyperfine): process timings skipped"
  exit 0
fi

# 16-bit mono test tones of 4096 and 4093 samples, made here.
python3 - "$work" <<'PY'
import math, struct, sys
for count in (4096, 4093):
    data = b"".join(struct.pack("<h", int(12000 * math.sin(2 * math.pi * i / count) + 5000 * math.sin(6 * math.pi * i / count)))
                    for i in range(count))
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE" + b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, 44100, 88200, 2, 16) \
        + b"data" + struct.pack("<I", len(data))
    open(f"{sys.argv[1]}/tone{count}.wav", "wb").write(header + data)
PY
head -c 8192 "$work/tone4096.wav" > "$work/in8k"
program=$(realpath "$build/partigen")
literal=$(realpath "$build/bench/partigen_literal")
copy=$(realpath "$build/bench/partigen_copy_8k")
cd "$work"
hyperfine -N --warmup 50 --runs "${HYPERFINE_RUNS:-500}" --export-json start.json \
  "$copy in8k out8k" "$program tone4096.wav" "$program -t0 tone4096.wav" > /dev/null
hyperfine -N --warmup 3 --runs "${HYPERFINE_RUNS_4093:-30}" --export-json prime.json \
  "$program -t0 tone4093.wav" "$literal -t0 tone4093.wav" > /dev/null
python3 - <<'PY'
import json
def medians(path):
    return [(r["command"].split("/")[-1], r["median"], r["min"]) for r in json.load(open(path))["results"]]
start = medians("start.json")
prime = medians("prime.json")
print("\nprocesses (hyperfine, median and min of one run):")
for name, median, low in start + prime:
    print(f"  {name:<40} {median * 1e3:8.2f} ms  (min {low * 1e3:.2f} ms)")
floor = start[0][1]
print(f"partigen 4096 samples -t64 / trivial C copy of 8 KB: {start[1][1] / floor:.2f}")
print(f"partigen 4096 samples -t0  / trivial C copy of 8 KB: {start[2][1] / floor:.2f}")
print(f"literal transform / partigen, -t0 on 4093 samples:   {prime[1][1] / prime[0][1]:.1f}")
PY
