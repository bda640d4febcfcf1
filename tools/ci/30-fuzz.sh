#!/usr/bin/env bash
# The TGA decoder under libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer,
# for a bounded time (ZR_FUZZ_SECONDS, default 60), starting from small valid files.
# Any crash, leak, overflow or undefined behaviour fails the stage; the input that
# caused it is left in build-fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=build-fuzz
mkdir -p "$out/corpus" "$out/seeds" "$out/artifacts"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Isrc tests/fuzz/tga_fuzz.cpp src/images/tga_image.cpp -o "$out/tga_fuzz"
# Two of the game's own small sprites join the hand-made seeds.
cp tests/fuzz/corpus/*.tga data/fireball.tga data/monst_4.tga "$out/seeds/"
"$out/tga_fuzz" -max_total_time="${ZR_FUZZ_SECONDS:-60}" -max_len=8192 -rss_limit_mb=2048 \
  -artifact_prefix="$out/artifacts/" -print_final_stats=1 "$out/corpus" "$out/seeds"
