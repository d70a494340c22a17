#!/usr/bin/env bash
# The performance report in one run: start-up to the first frame of the real
# game against an empty toolkit window's, the frame update, and milliseconds per
# displayed frame for each option combination from a fixed set of views, all
# under Xvfb at 1024x768.
#
#   bash bench/report.sh            print the report (also kept in BUILD/bench/report.md)
#   bash bench/report.sh --readme   and put it into bench/README.md
#   bash bench/report.sh --startup  only the start-up part, printed
#
# VOREL_BUILD_DIR (default: build), VOREL_RUN_DIR (default: run) and
# VOREL_BENCH_MIN_TIME (seconds per run of a frame benchmark, default 0.5; each runs
# three times and the median counts) adjust it. VOREL_GAME times another build
# of the game (say, one of main) against this build's empty window.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
build="$(realpath -m "${VOREL_BUILD_DIR:-$root/build}")"
runDir="$(realpath -m "${VOREL_RUN_DIR:-$root/run}")"
minTime="${VOREL_BENCH_MIN_TIME:-0.5}"
repetitions=3
startRuns=7

if [[ "${1:-}" != "--inner" ]]; then
    writeReadme=0
    parts=all
    [[ "${1:-}" == "--readme" ]] && writeReadme=1
    [[ "${1:-}" == "--startup" ]] && parts=startup
    cmake -S "$root" -B "$build" -DVOREL_RUN_DIR="$runDir" >/dev/null
    cmake --build "$build" -j2 --target vorel vorel_bench vorel_gl_bench vorel_first_swap_probe \
        vorel_empty_window vorel_generated_data >/dev/null
    # Always a fresh 1024x768 screen, whatever display the caller has.
    xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inner "$parts"
    if [[ $writeReadme == 1 ]]; then
        python3 - "$build/bench/report.md" "$here/README.md" <<'EOF'
import sys
report = open(sys.argv[1]).read().rstrip("\n")
readme_path = sys.argv[2]
text = open(readme_path).read()
begin, end = "<!-- report:begin -->", "<!-- report:end -->"
head, rest = text.split(begin, 1)
tail = rest.split(end, 1)[1]
open(readme_path, "w").write(head + begin + "\n" + report + "\n" + end + tail)
EOF
        echo "bench/README.md updated"
    fi
    exit 0
fi

parts="${2:-all}"
game="$(realpath -m "${VOREL_GAME:-$build/vorel}")"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# Start-up: from just before exec to the return of the first buffer swap,
# stamped by a preloaded probe; the program is killed as soon as the stamp
# exists. SIGKILL, because the sound library turns SIGTERM into a quit event
# that the game never reads. Arguments: the program, then its environment.
firstFrameMs() {
    local program="$1" stamp="$scratch/first-swap" start pid end
    shift
    rm -f "$stamp"
    start=${EPOCHREALTIME/./}
    (cd "$runDir" && exec env "$@" VOREL_FIRST_SWAP_FILE="$stamp" \
        LD_PRELOAD="$build/bench/vorel_first_swap_probe.so" "$program" >/dev/null 2>&1) &
    pid=$!
    for _ in $(seq 1 1000); do
        [[ -s "$stamp" ]] && break
        sleep 0.01
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if [[ -s "$stamp" ]]; then
        end=$(cat "$stamp")
        echo $(( (end - start) / 1000 ))
    else
        echo "none"
    fi
}

: >"$scratch/startup-empty"
: >"$scratch/startup-sound"
: >"$scratch/startup-silent"
# Interleaved, so that a change of load on the machine falls on all three alike.
for _ in $(seq 1 $startRuns); do
    firstFrameMs "$build/bench/vorel_empty_window" >>"$scratch/startup-empty"
    firstFrameMs "$game" SDL_AUDIODRIVER=dummy >>"$scratch/startup-sound"
    # The machine's own sound set-up; with no device the library probes its
    # drivers one after another and gives up.
    firstFrameMs "$game" >>"$scratch/startup-silent"
done
if [[ "$parts" == startup ]]; then
    python3 "$here/report_format.py" "$scratch" startup
    exit 0
fi

(cd "$runDir" && "$build/bench/vorel_bench" --benchmark_filter='^BM_UpdateFrame' \
    --benchmark_out="$scratch/update.json" >/dev/null 2>&1)
(cd "$runDir" && "$build/bench/vorel_gl_bench" --benchmark_min_time="$minTime" \
    --benchmark_repetitions=$repetitions --benchmark_report_aggregates_only=true \
    --benchmark_out="$scratch/frames.json" >/dev/null 2>&1)

python3 "$here/report_format.py" "$scratch" | tee "$build/bench/report.md"
