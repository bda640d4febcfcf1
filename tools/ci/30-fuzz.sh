#!/usr/bin/env bash
# The two readers of outside files, the TGA decoder and the demo reader, under libFuzzer
# with AddressSanitizer and UndefinedBehaviorSanitizer, for a bounded time each
# (ZR_FUZZ_SECONDS, default 60 for the images and half that for demos), starting from
# small valid files. Any crash, leak, overflow or undefined behaviour fails the stage;
# the input that caused it is left in build-fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=build-fuzz
seconds=${ZR_FUZZ_SECONDS:-60}
mkdir -p "$out/corpus" "$out/seeds" "$out/demo-corpus" "$out/demo-seeds" "$out/artifacts"
flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc)
clang++ "${flags[@]}" tests/fuzz/tga_fuzz.cpp src/images/tga_image.cpp -o "$out/tga_fuzz"
clang++ "${flags[@]}" tests/fuzz/demo_fuzz.cpp src/demo/zr_demo_format.cpp -o "$out/demo_fuzz"
# Two of the game's own small sprites join the hand-made seeds.
cp tests/fuzz/corpus/*.tga data/fireball.tga data/monst_4.tga "$out/seeds/"
"$out/tga_fuzz" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=2048 \
  -artifact_prefix="$out/artifacts/" -print_final_stats=1 "$out/corpus" "$out/seeds"
# The demos start from the first kilobytes of the golden ones: a header and whole passes.
for demo in tests/demos/*.zrd; do head -c 4096 "$demo" >"$out/demo-seeds/$(basename "$demo")"; done
"$out/demo_fuzz" -max_total_time="$((seconds / 2))" -max_len=8192 -rss_limit_mb=2048 \
  -artifact_prefix="$out/artifacts/" -print_final_stats=1 "$out/demo-corpus" "$out/demo-seeds"
