#!/usr/bin/env bash
# Fails when the project's own code in the built program contains a fused
# multiply-add: every output bit depends on each product and sum being
# rounded on its own, and GCC can fuse written-out complex arithmetic when
# FMA is enabled even with -ffp-contract=off. Functions of the C library,
# libm and libmvec (linked in statically) may use FMA; ours may not.
#
# usage: .ci/check_no_fma.sh [binary]   (default build/ci/partigen)
set -euo pipefail
cd "$(dirname "$0")/.."

binary=${1:-build/ci/partigen}
build_dir=$(dirname "$binary")
[[ -x $binary ]] || { echo "check_no_fma: no program at $binary" >&2; exit 1; }

# The functions our own objects define: the core library and the entry point.
objects=("$build_dir/libpartigen_core.a")
while IFS= read -r -d '' object; do objects+=("$object"); done \
  < <(find "$build_dir/CMakeFiles/partigen.dir" -name '*.o' -print0 2>/dev/null)
own=$(mktemp)
trap 'rm -f "$own"' EXIT
nm --defined-only "${objects[@]}" 2>/dev/null | awk 'NF >= 3 && $2 ~ /^[tTwW]$/ { print $3 }' | sort -u > "$own"
[[ -s $own ]] || { echo "check_no_fma: found no functions of our own in $build_dir" >&2; exit 1; }

# Each function of the program that holds an FMA instruction, once.
fused=$(objdump -d --no-show-raw-insn "$binary" | awk '
  /^[0-9a-f]+ <.*>:$/ { name = substr($2, 2, length($2) - 3); next }
  /\tv(fmadd|fmsub|fnmadd|fnmsub|fmaddsub|fmsubadd)[0-9a-z]*[ \t]/ { if (!(name in seen)) { seen[name] = 1; print name } }
' | sort -u)

offenders=$(comm -12 <(printf '%s\n' "$fused") "$own")
if [[ -n $offenders ]]; then
  echo "check_no_fma: fused multiply-add instructions in our own code:" >&2
  printf '%s\n' "$offenders" | c++filt >&2
  exit 1
fi
echo "check_no_fma: no fused multiply-add in our code ($(wc -l < "$own") functions checked)"
