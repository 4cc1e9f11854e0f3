#!/usr/bin/env bash
# Runs every fuzz target for a bounded time and fails on the first crash, hang, leak or sanitizer
# report. Usage: run-fuzz.sh FUZZ_BUILD_DIR DATA_DIR [SECONDS_PER_TARGET]
# The corpora live in FUZZ_BUILD_DIR/corpus and grow from run to run; each run starts again from
# the seeds as well (the outside test files, read in place, and our own generated data files).
# A crashing input of this run is left in FUZZ_BUILD_DIR/artifacts, for a regression test.
set -uo pipefail

build_dir=$(realpath "$1")
data_dir=$2
seconds=${3:-60}
repo=$(cd "$(dirname "$0")/.." && pwd)
testdata=$repo/../shared/testdata

seeds=$build_dir/seeds
artifacts=$build_dir/artifacts
rm -rf "$seeds" "$artifacts"
mkdir -p "$seeds"/{bmp,model,res_cfg} "$artifacts"

# Large pictures only slow the mutations down; the small ones reach every code path.
copy_seeds() { # destination, files...
    local destination=$1 file
    shift
    for file in "$@"; do
        [ -f "$file" ] && [ "$(stat -c %s "$file")" -le 262144 ] &&
            cp "$file" "$destination/$(basename "$(dirname "$file")")-$(basename "$file")"
    done
    return 0
}
copy_seeds "$seeds/bmp" "$testdata"/bmpsuite/*/*.bmp "$data_dir"/*.bmp
copy_seeds "$seeds/model" "$testdata"/3ds/*.3ds "$testdata"/3ds/*.3DS "$testdata"/3ds/testFormatDetection \
    "$data_dir"/*.3ds

# res.cfg as the program writes it, and the ways people edit it.
printf '1024 768 32 \t// resolution, bitrate\n85 \t\t// refresh rate\n1 \t\t// vertex buffer; 0 - off, 1 - on\n2 \t\t// multisampling; 0 - off, 2,4,8,16,... - number of samples\n1 \t\t// background, 0 - off, 1 - on\n' \
    >"$seeds/res_cfg/defaults"
printf '1920 1080 24\r\n60\r\n0\r\n16\r\n0\r\n' >"$seeds/res_cfg/crlf"
printf '800 600\n75 // short first line\n' >"$seeds/res_cfg/short"
printf 'wide 1024 768 32\n-1\n-2147483648\n4294967296\n+7\n' >"$seeds/res_cfg/odd-numbers"
printf '%0300d // a comment longer than the line buffer\n%s\n' 1 "$(printf 'x%.0s' $(seq 1 400))" \
    >"$seeds/res_cfg/long-lines"

# The chunk ids, as they stand in a file, help the mutations build the nested .3ds structure.
model_options=()
chunk_header=/usr/include/lib3ds/chunk.h
if [ -f "$chunk_header" ]; then
    sed -n 's/^ *LIB3DS_\([A-Z0-9_]*\) *= *0x\(..\)\(..\).*/\1="\\x\3\\x\2"/p' "$chunk_header" \
        >"$build_dir/model.dict"
    model_options=(-dict="$build_dir/model.dict")
fi

status=0
run_target() { # name, max_len, options...
    local name=$1 max_len=$2
    shift 2
    local corpus=$build_dir/corpus/$name
    mkdir -p "$corpus"
    echo "fuzz-$name: ${seconds}s"
    if ! "$build_dir/fuzz-$name" "$corpus" "$seeds/$name" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$max_len" \
        -artifact_prefix="$artifacts/$name-" -print_final_stats=1 "$@" \
        >"$build_dir/fuzz-$name.log" 2>&1; then
        echo "fuzz-$name FAILED; see $build_dir/fuzz-$name.log and $artifacts" >&2
        grep -E 'ERROR|SUMMARY|fuzz target:|Test unit written' "$build_dir/fuzz-$name.log" >&2
        status=1
    else
        grep -E '^stat::number_of_executed_units|^stat::new_units_added' "$build_dir/fuzz-$name.log" |
            sed "s/^/  /"
    fi
}

run_target bmp 65536
run_target res_cfg 4096
run_target model 65536 "${model_options[@]}"
exit $status
