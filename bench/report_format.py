"""Turns the raw figures of report.sh into the Markdown report."""
import json
import os
import statistics
import sys

scratch = sys.argv[1]
startup_only = len(sys.argv) > 2 and sys.argv[2] == "startup"

# The game's first frame against an empty toolkit window's, medians of the same run.
TARGET_FIRST_FRAME_RATIO = 1.5
TARGET_UPDATE_US = 25.0
TARGET_DEFAULT_X = 2.0
# Lists and culling: the view into the whole field has a target of its own.
TARGET_LISTS_CULLING_FIELD_X = 1.5
TARGET_LISTS_CULLING_X = 1.3
FIELD_VIEW = "field"
COMBINATIONS = ["default", "F7", "F8", "F7+F8", "F7+F8+F10"]


def verdict(ok):
    return "meets" if ok else "**misses**"


def read_times(name):
    values = []
    for line in open(os.path.join(scratch, name)):
        line = line.strip()
        if line.isdigit():
            values.append(int(line))
    return values


out = []
empty = read_times("startup-empty")
sound = read_times("startup-sound")
silent = read_times("startup-silent")
out.append("### Start-up to the first frame")
out.append("")
out.append("From exec to the return of the first buffer swap; the runs of the three rows interleaved. "
           "The ratio is the row's median over the empty window's.")
out.append("")
out.append(f"| program | runs | median ms | min ms | max ms | ratio | target {TARGET_FIRST_FRAME_RATIO}× |")
out.append("|---|---|---|---|---|---|---|")
floor = statistics.median(empty) if empty else None
for label, values in (("empty toolkit window (the floor)", empty), ("game, dummy sound device", sound),
                      ("game, no device (drivers probed)", silent)):
    if not values:
        out.append(f"| {label} | 0 | no frame | | | | **misses** |")
        continue
    median = statistics.median(values)
    row = f"| {label} | {len(values)} | {median:.0f} | {min(values)} | {max(values)} |"
    if values is empty:
        out.append(row + " 1.00 | |")
    elif floor:
        ratio = median / floor
        out.append(row + f" {ratio:.2f} | {verdict(ratio <= TARGET_FIRST_FRAME_RATIO)} |")
    else:
        out.append(row + " | **misses** |")
out.append("")
if startup_only:
    print("\n".join(out))
    sys.exit(0)

update = json.load(open(os.path.join(scratch, "update.json")))
medians = {b["name"]: b for b in update["benchmarks"] if b.get("aggregate_name") == "median"}
run = next(iter(medians.values()))
scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3}[run["time_unit"]]
wall_us = run["real_time"] * scale
cpu_us = run["cpu_time"] * scale
out.append("### `updateFrame`")
out.append("")
out.append("| median of 5 runs | wall µs | processor µs | target 25 µs (processor) |")
out.append("|---|---|---|---|")
out.append(f"| 200 asteroids, 8 rockets in flight | {wall_us:.1f} | {cpu_us:.1f} | "
           f"{verdict(cpu_us <= TARGET_UPDATE_US)} |")
out.append("")

frames = json.load(open(os.path.join(scratch, "frames.json")))["benchmarks"]
# The median of the repetitions, keyed by the plain benchmark name.
by_name = {b["run_name"].split("/min_time")[0].split("/real_time")[0]: b
           for b in frames if b.get("aggregate_name", "median") == "median"}
empty = by_name["EmptyFrame"]
views = [name.split("/", 1)[1] for name in by_name if name.startswith("NoAsteroids/")]
out.append("### Milliseconds per displayed frame")
out.append("")
out.append(f"Median of three runs. Processor milliseconds per frame, all threads (the rasterizer's included); in brackets "
           f"the ratio to the same view's no-asteroid floor. Empty frame (clear and swap): "
           f"{empty['cpu_ms']:.2f} ms processor, {empty['ms']:.2f} ms wall.")
out.append("")
out.append("| view | floor | " + " | ".join(COMBINATIONS) + " |")
out.append("|---|---|" + "---|" * len(COMBINATIONS))
totals = {c: 0.0 for c in COMBINATIONS}
floor_total = 0.0
for view in views:
    floor = by_name[f"NoAsteroids/{view}"]["cpu_ms"]
    floor_total += floor
    cells = []
    for c in COMBINATIONS:
        cpu = by_name[f"Frame/{c}/{view}"]["cpu_ms"]
        totals[c] += cpu
        ratio = cpu / floor
        cells.append(f"{cpu:.1f} ({ratio:.2f}×)")
    out.append(f"| {view} | {floor:.1f} | " + " | ".join(cells) + " |")
out.append(f"| all views | {floor_total:.1f} | " + " | ".join(
    f"{totals[c]:.1f} ({totals[c] / floor_total:.2f}×)" for c in COMBINATIONS) + " |")
out.append("")
out.append("Wall milliseconds per frame, for reference (other work shares the two cores):")
out.append("")
out.append("| view | floor | " + " | ".join(COMBINATIONS) + " |")
out.append("|---|---|" + "---|" * len(COMBINATIONS))
for view in views:
    out.append(f"| {view} | {by_name[f'NoAsteroids/{view}']['ms']:.1f} | " + " | ".join(
        f"{by_name[f'Frame/{c}/{view}']['ms']:.1f}" for c in COMBINATIONS) + " |")
out.append("")
ratios = {c: {} for c in COMBINATIONS}
for view in views:
    floor = by_name[f"NoAsteroids/{view}"]["cpu_ms"]
    for c in COMBINATIONS:
        ratios[c][view] = by_name[f"Frame/{c}/{view}"]["cpu_ms"] / floor


def worst_of(combination, chosen):
    view = max(chosen, key=lambda v: ratios[combination][v])
    return view, ratios[combination][view]


out.append("| frame target (processor time) | worst view | verdict |")
out.append("|---|---|---|")
others = [v for v in views if v != FIELD_VIEW]
for label, combination, chosen, target in (
        (f"default, every view, at or under {TARGET_DEFAULT_X}× floor", "default", views, TARGET_DEFAULT_X),
        (f"F7+F8, `{FIELD_VIEW}`, at or under {TARGET_LISTS_CULLING_FIELD_X}× floor", "F7+F8",
         [v for v in views if v == FIELD_VIEW], TARGET_LISTS_CULLING_FIELD_X),
        (f"F7+F8, every other view, at or under {TARGET_LISTS_CULLING_X}× floor", "F7+F8", others,
         TARGET_LISTS_CULLING_X)):
    if not chosen:
        continue
    view, ratio = worst_of(combination, chosen)
    out.append(f"| {label} | {view} {ratio:.2f}× | {verdict(ratio <= target)} |")
print("\n".join(out))
