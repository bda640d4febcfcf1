#!/usr/bin/env bash
# The readers of outside files under libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer, for a bounded time each (ZR_FUZZ_SECONDS, default 60 for
# the images and half that for each demo target): the TGA decoder, from small valid
# files; the demo reader, and the real player on the null backend playing at most a few
# thousand passes of a demo as --verify does, both from the whole golden demos. Any
# crash, leak, overflow or undefined behaviour fails the stage; the input that caused it
# is left in build-fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=build-fuzz
seconds=${ZR_FUZZ_SECONDS:-60}
mkdir -p "$out/corpus" "$out/seeds" "$out/demo-seeds" "$out/artifacts"
flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc)
clang++ "${flags[@]}" tests/fuzz/tga_fuzz.cpp src/images/tga_image.cpp -o "$out/tga_fuzz"
clang++ "${flags[@]}" tests/fuzz/demo_fuzz.cpp src/demo/zr_demo_format.cpp -o "$out/demo_fuzz"
# The whole game but its window: every subsystem, the seam's shared files and the null
# backend, with GL and GLU, which with no context current draw nothing.
game=$(ls src/app/*.cpp src/demo/*.cpp src/shell/*.cpp src/images/*.cpp src/world/*.cpp src/screens/*.cpp \
  src/platform/*.cpp src/platform/null/*.cpp | grep -v '^src/app/main.cpp$')
# shellcheck disable=SC2086
clang++ "${flags[@]}" -ffp-contract=off -DZR_VERSION='"fuzz"' -DZR_DATA_FROM_BINARY='"."' tests/fuzz/demo_play_fuzz.cpp $game -lGL -lGLU \
  -o "$out/demo_play_fuzz"
# Two of the game's own small sprites join the hand-made seeds.
cp tests/fuzz/corpus/*.tga data/fireball.tga data/monst_4.tga "$out/seeds/"
"$out/tga_fuzz" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=2048 \
  -artifact_prefix="$out/artifacts/" -print_final_stats=1 "$out/corpus" "$out/seeds"
# The demos start from the golden ones, whole: a header and every kind of pass.
cp tests/demos/*.zrd "$out/demo-seeds/"
for target in demo_fuzz demo_play_fuzz; do
  mkdir -p "$out/$target-corpus"
  "$out/$target" -max_total_time="$((seconds / 2))" -max_len=131072 -rss_limit_mb=2048 -timeout=60 \
    -artifact_prefix="$out/artifacts/" -print_final_stats=1 "$out/$target-corpus" "$out/demo-seeds"
done
