#!/usr/bin/env bash
# Builds a fuzz target with libFuzzer and the address and undefined-behaviour
# sanitizers, then runs it for a number of seconds over a copy of its corpus:
# R57_FUZZ_TARGET=data_file (the default; fuzz/corpus), text_import (the YAML and CSV
# importers; fuzz/text-corpus) or block_text (the clipboard reader and a paste;
# fuzz/block-corpus).
#
#   bash scripts/fuzz.sh [SECONDS] [extra libFuzzer options...]   (default 20 seconds)
#
# The build goes to $R57_FUZZ_BUILD (default build-fuzz/). New inputs the fuzzer finds
# stay in that folder's corpus copy; a crashing input is saved there as crash-* and the
# script fails. Exits 77 (skipped) when clang++ is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-20}
shift || true
build=${R57_FUZZ_BUILD:-$root/build-fuzz}

cxx=${R57_FUZZ_CXX:-}
if [ -z "$cxx" ]; then
  for candidate in clang++ clang++-16 clang++-15 clang++-14; do
    if command -v "$candidate" >/dev/null 2>&1; then cxx=$candidate; break; fi
  done
fi
if [ -z "$cxx" ]; then
  echo "fuzz: clang++ not found, skipping (scripts/setup.sh installs it)"
  exit 77
fi

mkdir -p "$build"
name=${R57_FUZZ_TARGET:-data_file}
libs=()
limits=(-rss_limit_mb=2048)
case "$name" in
  data_file)
    sources=(fuzz/data_file_fuzz.cpp src/core/compressor.cpp src/core/data_file.cpp src/core/file_io.cpp)
    corpus=fuzz/corpus work=$build/corpus max_len=20000 ;;
  text_import)
    if [ ! -f /usr/include/yaml-cpp/yaml.h ]; then
      echo "fuzz: yaml-cpp not found, skipping (scripts/setup.sh installs it)"
      exit 77
    fi
    # The string table is compiled in, as the build does it.
    cmake -DIN=resources/strings.tsv -DOUT="$build/strings_data_$name.cpp" -P src/core/embed_strings.cmake
    sources=(fuzz/text_import_fuzz.cpp src/text/*.cpp src/model/sheet/*.cpp src/model/settings/*.cpp
             src/model/accessory/*.cpp src/model/service/*.cpp src/core/*.cpp
             "$build/strings_data_$name.cpp")
    libs=(-DR57_VERSION='"fuzz"' -DR57_DATA_FROM_PROGRAM='"."' -lyaml-cpp)
    # A few lines of nested aliases can stand for billions of entries: the importer
    # must refuse them long before they fill the memory. The cap is on the whole
    # process; the sanitizer's quarantine of freed memory is kept small within it.
    limits=(-rss_limit_mb=1024 -malloc_limit_mb=256)
    export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32}
    corpus=fuzz/text-corpus work=$build/corpus-text max_len=4096 ;;
  block_text)
    cmake -DIN=resources/strings.tsv -DOUT="$build/strings_data_$name.cpp" -P src/core/embed_strings.cmake
    sources=(fuzz/block_text_fuzz.cpp src/model/sheet/*.cpp src/core/*.cpp "$build/strings_data_$name.cpp")
    libs=(-DR57_VERSION='"fuzz"' -DR57_DATA_FROM_PROGRAM='"."')
    corpus=fuzz/block-corpus work=$build/corpus-block max_len=4096 ;;
  *)
    echo "fuzz: no target $name (data_file, text_import or block_text)"
    exit 2 ;;
esac
target=$build/${name}_fuzz
# Rebuild only when a source is newer than the target.
rebuild=0
[ -x "$target" ] || rebuild=1
for s in "${sources[@]}" src/core/*.h src/text/*.h src/model/sheet/*.h; do
  [ "$s" -nt "$target" ] && rebuild=1
done
if [ "$rebuild" = 1 ]; then
  echo "fuzz: building $target with $cxx"
  "$cxx" -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined -I src "${sources[@]}" "${libs[@]}" -o "$target"
fi

mkdir -p "$work"
cp -n "$corpus"/* "$work"/ 2>/dev/null || true

echo "fuzz: running for ${seconds}s over $work"
cd "$build"
"$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 "${limits[@]}" \
  -print_final_stats=1 -artifact_prefix="$build/" "$@" "$work"
