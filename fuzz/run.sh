#!/bin/sh
# Builds the libFuzzer targets with clang in build-fuzz and runs each for a short time.
# FUZZ_SECONDS sets the time per target (default 5).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
seconds="${FUZZ_SECONDS:-5}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DMARVOLINGEN_FUZZ=ON -DMARVOLINGEN_GUI=OFF \
    -DMARVOLINGEN_BENCH=OFF
ninja -C "$build" -j2 fuzz_profile fuzz_decrypt fuzz_dayfilter

# The profile target writes its file on every input; a RAM disk keeps that fast.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi

for target in fuzz_profile fuzz_decrypt; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    # The settings fixtures seed both; new inputs go to the corpus in the build folder.
    "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 "$corpus" \
        "$root/tests/core/settings/fixtures"
done

# The day filter starts from its own corpus only.
mkdir -p "$build/corpus/fuzz_dayfilter"
"$build/fuzz/fuzz_dayfilter" -max_total_time="$seconds" -timeout=10 "$build/corpus/fuzz_dayfilter"
