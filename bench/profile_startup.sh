#!/usr/bin/env bash
# Where the processor time of the start-up goes: perf samples the real game
# (all of its threads, the GL driver's included) from exec to its first buffer
# swap, RUNS times (default 5), under a fresh Xvfb screen of 1024x768 with the
# dummy sound driver, and prints the mean processor milliseconds of each phase.
# A phase is everything under one function (perf's "children" count), so the
# phases of the main thread add up to the main thread's time.
#
#   bash bench/profile_startup.sh [RUNS]
#
# VOREL_GAME profiles another build of the game (say, one of main);
# VOREL_BUILD_DIR (default: build) and VOREL_RUN_DIR (default: run) as in
# report.sh. Needs perf (Debian's linux-perf) and may be run as any user that
# perf lets profile its own processes.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
build="$(realpath -m "${VOREL_BUILD_DIR:-$root/build}")"
runDir="$(realpath -m "${VOREL_RUN_DIR:-$root/run}")"
runs="${1:-5}"

if [[ "${2:-}" != "--inner" ]]; then
    command -v perf >/dev/null || { echo "profile_startup: perf is not installed" >&2; exit 1; }
    cmake --build "$build" -j2 --target vorel vorel_first_swap_probe vorel_generated_data >/dev/null
    xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$runs" --inner
    exit 0
fi

game="$(realpath -m "${VOREL_GAME:-$build/vorel}")"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

for run in $(seq 1 "$runs"); do
    stamp="$scratch/first-swap"
    rm -f "$stamp"
    (cd "$runDir" && exec env SDL_AUDIODRIVER=dummy VOREL_FIRST_SWAP_FILE="$stamp" \
        LD_PRELOAD="$build/bench/vorel_first_swap_probe.so" \
        perf record -q -F 2000 --call-graph dwarf,8192 -o "$scratch/run$run.data" -- "$game" \
        >/dev/null 2>&1) &
    recorder=$!
    for _ in $(seq 1 1000); do
        [[ -s "$stamp" ]] && break
        sleep 0.01
    done
    # The game is perf's child; ending it ends the recording.
    pkill -KILL -P "$recorder" || true
    wait "$recorder" 2>/dev/null || true
    perf report -i "$scratch/run$run.data" --children --stdio -g none --sort comm,sym --percent-limit 0 \
        2>/dev/null >"$scratch/run$run.txt" || true
    perf report -i "$scratch/run$run.data" --stdio -g none --sort comm 2>/dev/null >"$scratch/run$run.comm" || true
done

python3 - "$scratch" "$runs" <<'PYTHON'
import os
import re
import sys

scratch, runs = sys.argv[1], int(sys.argv[2])
# Phases of the main thread, then the helpers; each is the time under the function.
PHASES = [
    ("main", "_dl_start", "loading the program and its libraries"),
    ("main", "loadWorld", "settings, scores, models, field (loadWorld)"),
    ("main", "soundInit", "sound set-up (soundInit)"),
    ("main", "glutInit", "toolkit and GL driver (glutInit)"),
    ("main", "enterDisplay", "window (enterDisplay)"),
    ("main", "loadTextureTable", "texture table (loadTextureTable)"),
    ("main", "displayFrame", "first frame (displayFrame)"),
    ("helper", "(anonymous namespace)::runHelper", "texture helper thread"),
    ("helper", "(anonymous namespace)::runJob", "radio helper thread"),
]
sums = {label: 0.0 for _, _, label in PHASES}
total = threads = 0.0
line_re = re.compile(r"^\s*([\d.]+)%\s+([\d.]+)%\s+(\S+)\s+\[\.\]\s+(.*)$")
for run in range(1, runs + 1):
    text = open(os.path.join(scratch, f"run{run}.txt")).read()
    count = re.search(r"Event count \(approx\.\): (\d+)", text)
    if not count:
        continue
    ms = int(count.group(1)) / 1e6
    total += ms
    seen = set()
    for line in text.splitlines():
        m = line_re.match(line)
        if not m:
            continue
        children, comm, symbol = float(m.group(1)), m.group(3), m.group(4).strip()
        for _, name, label in PHASES:
            if label not in seen and not comm.startswith("llvmpipe") and symbol == name:
                sums[label] += children * ms / 100
                seen.add(label)
    for line in open(os.path.join(scratch, f"run{run}.comm")):
        m = re.match(r"^\s*([\d.]+)%\s+([\d.]+)%\s+llvmpipe", line)
        if m:
            threads += float(m.group(1)) * ms / 100
print(f"Processor milliseconds from exec to the first frame, mean of {runs} runs (perf, all threads):")
print()
print("| phase | ms |")
print("|---|---|")
for _, _, label in PHASES:
    print(f"| {label} | {sums[label] / runs:.0f} |")
print(f"| the GL driver's rasterizer threads (llvmpipe) | {threads / runs:.0f} |")
print(f"| all threads, in all | {total / runs:.0f} |")
PYTHON
