#!/usr/bin/env bash
# Measures the `field` view (the whole asteroid field in sight) with asteroid
# models of several triangle budgets, and renders them side by side at the
# sizes the game shows them, to choose the smallest budget that still reads as
# the same rock.
#
#   bash bench/asteroid_budget.sh [TRIANGLES...]    default: 120 160 200 240 320
#
# Prints a Markdown table of processor milliseconds per frame (median over
# ROUNDS rounds, the budgets interleaved so that the machine's load falls on
# all of them alike) and writes docs/asteroid-budgets.png, one row per budget
# in the order given. VOREL_BUILD_DIR, VOREL_RUN_DIR, VOREL_BENCH_MIN_TIME and
# ROUNDS (default 3) adjust it.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
build="$(realpath -m "${VOREL_BUILD_DIR:-$root/build}")"
runDir="$(realpath -m "${VOREL_RUN_DIR:-$root/run}")"
minTime="${VOREL_BENCH_MIN_TIME:-0.5}"
rounds="${ROUNDS:-3}"
budgets=("$@")
[[ ${#budgets[@]} -eq 0 ]] && budgets=(120 160 200 240 320)

if [[ "${INNER:-}" != 1 ]]; then
    cmake -S "$root" -B "$build" -DVOREL_RUN_DIR="$runDir" >/dev/null
    cmake --build "$build" -j2 --target vorel_gl_bench vorel_datagen vorel_contact_sheet vorel_generated_data >/dev/null
    exec env INNER=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "${budgets[@]}"
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# One data directory per budget: the run directory's files, another asteroid.
for n in "${budgets[@]}"; do
    mkdir -p "$scratch/$n"
    for entry in "$runDir"/*; do
        [[ "$(basename "$entry")" == asteroid1.txt ]] || ln -s "$entry" "$scratch/$n/"
    done
    "$build/tools/vorel_datagen" "$scratch/$n" "$n" >/dev/null
done

for round in $(seq 1 "$rounds"); do
    for n in "${budgets[@]}"; do
        (cd "$scratch/$n" && "$build/bench/vorel_gl_bench" --benchmark_min_time="$minTime" \
            --benchmark_filter='^(NoAsteroids/field|Frame/default/field|Frame/F7\+F8/field)/' \
            --benchmark_out="$scratch/$n-$round.json" >/dev/null 2>&1)
    done
done

python3 - "$scratch" "$rounds" "${budgets[@]}" <<'PY'
import json, statistics, sys
scratch, rounds, budgets = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
print(f"Processor ms per frame of the `field` view, median of {rounds} rounds; in brackets the ratio to the floor.")
print()
print("| triangles | floor | default | F7+F8 |")
print("|---|---|---|---|")
for n in budgets:
    cells = {"floor": [], "default": [], "lists": []}
    for r in range(1, rounds + 1):
        runs = {b["run_name"].split("/min_time")[0].split("/real_time")[0]: b
                for b in json.load(open(f"{scratch}/{n}-{r}.json"))["benchmarks"]}
        cells["floor"].append(runs["NoAsteroids/field"]["cpu_ms"])
        cells["default"].append(runs["Frame/default/field"]["cpu_ms"])
        cells["lists"].append(runs["Frame/F7+F8/field"]["cpu_ms"])
    floor = statistics.median(cells["floor"])
    default = statistics.median(cells["default"])
    lists = statistics.median(cells["lists"])
    print(f"| {n} | {floor:.1f} | {default:.1f} ({default / floor:.2f}×) | {lists:.1f} ({lists / floor:.2f}×) |")
PY

models=()
for n in "${budgets[@]}"; do
    models+=("$scratch/$n/asteroid1.txt")
done
mkdir -p "$root/docs"
"$build/tools/vorel_contact_sheet" --asteroids "$root/docs/asteroid-budgets.png" "$scratch/${budgets[0]}" "${models[@]}"
