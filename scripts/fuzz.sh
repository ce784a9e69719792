#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) in a build folder of
# their own and runs each for a bounded time, starting from the seeds in fuzz/corpus/<target>/.
#   scripts/fuzz.sh [seconds per target, default 20] [target ...]
# FUZZ_BUILD_DIR chooses the build folder (default build/fuzz), FUZZ_JOBS the build jobs (default 2).
# Prints executions and time per target; exits non-zero, naming the input that broke a property, on a find.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-20}"
shift || true
build="${FUZZ_BUILD_DIR:-build/fuzz}"
jobs="${FUZZ_JOBS:-2}"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSAROVEN_FUZZ=ON -DTESSAROVEN_WARNINGS_AS_ERRORS=ON \
    -DTESSAROVEN_BUILD_GUI=OFF -DBUILD_TESTING=OFF -DTESSAROVEN_BUILD_BENCHMARKS=OFF >/dev/null

if [ "$#" -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for source in fuzz/fuzz_*.cpp; do
        name="$(basename "$source" .cpp)"
        # fuzz_converter_input exists only when the converter is part of the tree.
        if [ "$name" != fuzz_converter_input ] || [ -f src/cli/CMakeLists.txt ]; then
            targets+=("$name")
        fi
    done
fi
cmake --build "$build" -j "$jobs" --target "${targets[@]}"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
failed=0
summary=()
for name in "${targets[@]}"; do
    seeds="fuzz/corpus/$name"
    work="$build/corpus/$name"
    artifacts="$build/artifacts/$name/"
    mkdir -p "$seeds" "$work" "$artifacts"
    log="$build/$name.log"
    echo "== $name: ${seconds} s"
    start=$(date +%s.%N)
    status=0
    # The measurement file's inputs must be long enough to nest far beyond the reader's limit; libFuzzer's
    # default would stop them at the size of the largest seed.
    max_len=()
    if [ -n "${FUZZ_MAX_LEN:-}" ]; then
        max_len=(-max_len="$FUZZ_MAX_LEN")  # the long one-off runs: every target with inputs this long
    elif [ "$name" = fuzz_measurement_file ]; then
        max_len=(-max_len=262144)
    fi
    "$build/fuzz/$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 ${max_len[@]+"${max_len[@]}"} \
        -artifact_prefix="$artifacts" "$work" "$seeds" >"$log" 2>&1 || status=$?
    end=$(date +%s.%N)
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1 || true)
    cov=$(sed -n 's/.*cov: \([0-9]*\).*/\1/p' "$log" | tail -n 1 || true)
    elapsed=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }')
    if [ "$status" -ne 0 ]; then
        failed=1
        echo "FAILED: $name (status $status); last lines of $log:"
        tail -n 30 "$log"
        ls "$artifacts"
        summary+=("$(printf '%-22s FAILED after %s s' "$name" "$elapsed")")
    else
        summary+=("$(printf '%-22s %12s executions in %6s s (%s/s), coverage %s' "$name" "${runs:-?}" "$elapsed" \
            "$(awk -v r="${runs:-0}" -v t="$elapsed" 'BEGIN { printf "%.0f", (t > 0 ? r / t : 0) }')" "${cov:-?}")")
    fi
done

echo "== Fuzzing summary"
printf '%s\n' "${summary[@]}"
exit "$failed"
