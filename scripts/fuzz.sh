#!/usr/bin/env bash
# Runs the fuzz targets of the host tree for longer than the test command
# does: each target in turn for SECONDS seconds (default 600), niced, on the
# committed seeds plus the corpus the earlier runs left in the build folder.
# A crash, or an allocation above the target's limit (fuzz/CMakeLists.txt
# sets it, in <target>.malloc_limit_mb of the fuzz folder), leaves its input
# in $build/host/fuzz/findings/<target>/.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     (targets: *_fuzz; default all)
# Ends with one line per target: "<target> ok" or "<target> FAILED".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVANE_BUILD_DIR:-$root/build}
seconds=${1:-600}
shift || true
source "$root/scripts/build-trees.sh"
build_host

fuzz_dir="$build/host/fuzz"
if [ $# -gt 0 ]; then
  targets=("$@")
else
  mapfile -t targets < <(cd "$root/fuzz" && ls -- *_fuzz.cpp | sed 's/\.cpp$//')
fi

results=()
status=0
for target in "${targets[@]}"; do
  if [ ! -x "$fuzz_dir/$target" ]; then
    echo "fuzz: $fuzz_dir/$target is missing (the host tree needs clang)" >&2
    exit 1
  fi
  work="$fuzz_dir/corpus/$target"
  findings="$fuzz_dir/findings/$target"
  mkdir -p "$work" "$findings"
  limit=$(cat "$fuzz_dir/$target.malloc_limit_mb")
  echo "fuzz: $target for $seconds s, allocations up to $limit MB" >&2
  if nice -n 10 "$fuzz_dir/$target" -max_total_time="$seconds" -timeout=10 \
       -print_final_stats=1 -malloc_limit_mb="$limit" -artifact_prefix="$findings/" \
       "$work" "$root/fuzz/corpus/$target" >"$fuzz_dir/$target.log" 2>&1; then
    results+=("$target ok")
  else
    results+=("$target FAILED (see $fuzz_dir/$target.log)")
    status=1
  fi
done
printf '%s\n' "${results[@]}"
exit $status
