#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs every benchmark and prints its figures: `make bench`.
#
#   bench/run.sh BUILD_DIR
#
# The store benchmarks need Google Benchmark, the whole-process timings
# hyperfine; both come from Debian's packages (scripts/install-deps bench).
set -eu

build=$(cd "${1:-build}" && pwd)
bin="$build/bench"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
work=$(mktemp -d)
shm=""
trap 'rm -rf "$work" ${shm:+"$shm"}' EXIT

# Task list files of COUNT lines in DIR/NAME, without a final line feed.
make_list() {
    mkdir -p "$1"
    awk -v n="$3" 'BEGIN { for (i = 0; i < n; i++) printf "%sTask %d: review the sprint board and update the estimates", (i ? "\n" : ""), i }' \
        > "$1/$2"
}

# Three hyperfine rounds of the commands given, into $work/PREFIX-1.json to
# -3.json: a target that compares two starts a few milliseconds apart, less
# than the drift of a shared machine over one hyperfine run, takes the ratio
# of medians within each round, and the median round.
three_rounds() {
    prefix=$1
    shift
    for round in 1 2 3; do
        hyperfine --warmup 3 --runs 20 --style none --export-json "$work/$prefix-$round.json" "$@" >/dev/null
    done
}

# The median round of three_rounds PREFIX, which started in an empty folder
# and in the folder named NAME, and whether that start took at most 1.1x the
# empty folder's: startup_target PREFIX NAME WHAT.
startup_target() {
    python3 - "$work/$1-1.json" "$work/$1-2.json" "$work/$1-3.json" "$2" "$3" <<'PY'
import json, sys
*paths, other, what = sys.argv[1:]
rounds = []
for name in paths:
    times = {r["command"]: r["median"] for r in json.load(open(name))["results"]}
    rounds.append((times[other] / times["empty folder"], times))
rounds.sort(key=lambda r: r[0])
ratio, times = rounds[1]
print(f"median round: empty folder {times['empty folder'] * 1000:.1f} ms, {other} "
      f"{times[other] * 1000:.1f} ms (round ratios {', '.join(f'{r[0]:.2f}' for r in rounds)})")
print(f"Target: {what} <= 1.1x start-up in an empty folder: {ratio:.2f}x, "
      f"{'met' if ratio <= 1.1 else 'NOT met'}")
PY
}

echo "== Store operations (Google Benchmark; ratios against a bare QSaveFile write)"
(cd "$work" && "$bin/bench_stores" --benchmark_min_time=0.3 --benchmark_color=false)

echo
echo "== Opening the windows, and following another window's save"
"$bin/windowopen"

echo
echo "== The backlog window's notes of where sprints hold each task"
"$bin/placements" 2>/dev/null

echo
echo "== The main window beside a thousand conflict copies"
# The target: start-up to the first shown window in a folder of 200 sprints
# with 1,000 conflict copies, at most 1.2x that without them.
mkdir -p "$work/plain200" "$work/copies200"
(cd "$work/plain200" && seq 1 200 | sed 's/^/sprint/' | xargs touch)
(cd "$work/copies200" && seq 1 200 | sed 's/^/sprint/' | xargs touch && i=0 &&
    while [ $i -lt 1000 ]; do
        n=$((1 + i % 200))
        case $((i % 4)) in
            0) : > "sprint$n.sync-conflict-20240301-$((100000 + i))-ABCDEF2" ;;
            1) : > "sprint$n (conflicted copy 2024-03-01 $((100000 + i)))" ;;
            2) : > "sprint$n (Ann's conflicted copy 2024-03-01 ($i))" ;;
            *) : > "sprint$n (conflict #${i}_on_2024-03-01)" ;;
        esac
        i=$((i + 1))
    done)
three_rounds copies \
    -n "200 sprints" "cd '$work/plain200' && '$bin/startup_corvane'" \
    -n "200 sprints, 1,000 copies" "cd '$work/copies200' && '$bin/startup_corvane'"
python3 - "$work"/copies-1.json "$work"/copies-2.json "$work"/copies-3.json <<'PY'
import json, statistics, sys
ratios = []
for path in sys.argv[1:]:
    plain, copies = json.load(open(path))["results"]
    ratios.append(statistics.median(copies["times"]) / statistics.median(plain["times"]))
    print(f"start-up: {statistics.median(plain['times']) * 1000:.1f} ms without copies, "
          f"{statistics.median(copies['times']) * 1000:.1f} ms with 1,000")
r = statistics.median(ratios)
print(f"Target: start-up beside 1,000 conflict copies <= 1.2x without them: "
      f"{', '.join(f'{x:.2f}' for x in ratios)}; median {r:.2f}x, {'met' if r <= 1.2 else 'NOT met'}")
PY

echo
echo "== Opening a window on 1,000,000 tasks, one process each, against a bare QListWidget"
make_list "$work/big" product_backlog 1000000
make_list "$work/big-sprint" sprint1 1000000
# As long a backlog, which the sprint window must not read until "Add tasks".
make_list "$work/big-sprint" product_backlog 1000000
measure() { (cd "$1" && "$bin/openwindow" "$2" 2>/dev/null); }
empty=$(measure "$work/big" empty)
floor=$(measure "$work/big" listwidget)
pbacklog=$(measure "$work/big" pbacklog)
sprint=$(measure "$work/big-sprint" sprint)
printf '%s\n%s\n%s\n%s\n' "empty $empty" "listwidget $floor" "pbacklog $pbacklog" "sprint $sprint" | awk '
    { name = $1; for (i = 2; i <= NF; i++) { split($i, kv, "="); v[name, kv[1]] = kv[2] } order[NR] = name }
    END {
        printf "%-12s %10s %12s %10s %18s\n", "", "open (ms)", "memory (MB)", "time", "memory above empty"
        for (i = 1; i <= NR; i++) {
            n = order[i]
            printf "%-12s %10.1f %12.0f", n, v[n, "ms"], v[n, "rss_kb"] / 1024
            if (i > 2)
                printf " %9.2fx %17.2fx", v[n, "ms"] / v["listwidget", "ms"],
                    (v[n, "rss_kb"] - v["empty", "rss_kb"]) / (v["listwidget", "rss_kb"] - v["empty", "rss_kb"])
            printf "\n"
        }
        for (i = 3; i <= NR; i++) {
            n = order[i]
            t = v[n, "ms"] / v["listwidget", "ms"]
            m = (v[n, "rss_kb"] - v["empty", "rss_kb"]) / (v["listwidget", "rss_kb"] - v["empty", "rss_kb"])
            printf "Target: the %s window <= 1.5x the time and <= 1.3x the memory of a bare QListWidget: %.2fx, %.2fx, %s\n",
                n, t, m, (t <= 1.5 && m <= 1.3) ? "met" : "NOT met"
        }
    }'

echo
echo "== The burndown chart of a 10,000-task sprint, redrawn"
"$bin/burndownredraw" 2>/dev/null

echo
echo "== A task of 15,000,000 characters among normal ones, in every window"
"$bin/hugetask" 2>/dev/null

echo
echo "== Loading 100,000 tasks: the first load in a fresh process against warm loads (median of 7 processes)"
make_list "$work/load100k" product_backlog 100000
for i in 1 2 3 4 5 6 7; do (cd "$work/load100k" && "$bin/loadtimes"); done | awk '
    { for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1], NR] = kv[2] } }
    function median(key,   i, j, n, a, t) {
        n = NR; for (i = 1; i <= n; i++) a[i] = v[key, i]
        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
        return a[int((n + 1) / 2)]
    }
    END {
        first = median("first_ms"); warm = median("warm_ms")
        printf "first load %.1f ms (%d page faults), warm load %.1f ms (%d page faults)\n", first, median("first_faults"), warm, median("warm_faults")
        printf "Target: the first load <= 2x a warm load: %.2fx, %s\n", first / warm, first <= 2 * warm ? "met" : "NOT met"
    }'

echo
echo "== One change of a 1,000-task sprint beside 3,000 sprint files, against a folder of one sprint (median of 200 each)"
for where in disk tmpfs; do
    if [ "$where" = tmpfs ]; then
        [ -d /dev/shm ] && [ -w /dev/shm ] || { echo "tmpfs: no writable /dev/shm, skipped"; continue; }
        shm=$(mktemp -d -p /dev/shm)
        folder=$shm
    else
        folder="$work/foldersize"
    fi
    "$bin/foldersize" "$folder/lists" | awk -v where="$where" '
        { for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] } }
        END {
            printf "%-6s one sprint %.3f ms, 3,001 sprints %.3f ms (first change %.2f and %.2f ms)\n", where, v["small_ms"], v["big_ms"], v["small_first_ms"], v["big_first_ms"]
            r = v["big_ms"] / v["small_ms"]
            printf "Target: a change beside 3,000 sprint files <= 1.2x one in a folder of one sprint (%s): %.2fx, %s\n", where, r, r <= 1.2 ? "met" : "NOT met"
        }'
done

echo
echo "== Finding tasks and acting on many at once in a backlog window, against a bare QListWidget"
(cd "$work" && "$bin/findandbulk" 2>/dev/null)

echo
echo "== Merge… on a backlog beside a conflict copy, each of 20,000 to 200,000 tasks"
# The target: the merge dialog shown within 1 s at 200,000 tasks.
"$bin/mergeopen" 20000 50000 200000 2>/dev/null | tee "$work/mergeopen.txt"
awk '$1 == 200000 { for (i = 1; i <= NF; i++) if ($i == "open") ms = $(i + 1) }
    END { printf "Target: the merge dialog open within 1 s at 200,000 tasks: %.0f ms, %s\n", ms, ms <= 1000 ? "met" : "NOT met" }' \
    "$work/mergeopen.txt"

echo
echo "== Start-up to the first shown window (hyperfine), against an empty QMainWindow program"
mkdir -p "$work/empty"
make_list "$work/backlog100k" product_backlog 100000
mkdir -p "$work/sprints10k"
(cd "$work/sprints10k" && seq 1 10000 | sed 's/^/sprint/' | xargs touch)
# Before each run the empty folder loses the backlog file that the last run
# made, so that every start in it is a first start.
hyperfine --warmup 3 --runs 30 --style basic --export-json "$work/startup.json" \
    --prepare "rm -f '$work/empty/product_backlog'" \
    -n "floor: empty QMainWindow" "cd '$work/empty' && '$bin/startup_floor'" \
    -n "the main window's form alone" "cd '$work/empty' && '$bin/startup_form'" \
    -n "corvane, empty folder" "cd '$work/empty' && '$bin/startup_corvane'" \
    -n "corvane, 100,000-task backlog" "cd '$work/backlog100k' && '$bin/startup_corvane'" \
    -n "corvane, 10,000 sprint files" "cd '$work/sprints10k' && '$bin/startup_corvane'" >/dev/null
python3 - "$work/startup.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
floor = results[0]["mean"]
for r in results:
    print(f"{r['command']:<34} {r['mean'] * 1000:8.1f} ms  ± {r['stddev'] * 1000:5.1f}   {r['mean'] / floor:5.2f}x floor")
PY

three_rounds startup --prepare "rm -f '$work/empty/product_backlog'" \
    -n "empty folder" "cd '$work/empty' && '$bin/startup_corvane'" \
    -n "100,000-task backlog" "cd '$work/backlog100k' && '$bin/startup_corvane'"
startup_target startup "100,000-task backlog" "start-up with a 100,000-task backlog"

# The overview reads every sprint after the window shows: a folder of 1,000
# sprints of 20 tasks each, with dates and goals, against an empty folder.
mkdir -p "$work/overview1000"
(cd "$work/overview1000" && awk 'BEGIN { for (s = 1; s <= 1000; s++) { f = "sprint" s
    for (i = 0; i < 20; i++) printf "%s%sTask %d of sprint %d", (i ? "\n" : ""), (i % 3 ? "" : "x 2026-12-01 "), i, s > f
    close(f); printf "%d\t2026-01-01\t2026-01-14\t\tGoal of sprint %d\n", s, s > "schedule" } }')
three_rounds overview --prepare "rm -f '$work/empty/product_backlog'" \
    -n "empty folder" "cd '$work/empty' && '$bin/startup_corvane'" \
    -n "1,000 sprints" "cd '$work/overview1000' && '$bin/startup_corvane'"
startup_target overview "1,000 sprints" "start-up beside 1,000 sprints and their overview"

echo
echo "== corvane status beside 1,000 sprints of 100 tasks, a third of them done (hyperfine)"
mkdir -p "$work/status1000"
(cd "$work/status1000" && awk 'BEGIN { for (s = 1; s <= 1000; s++) { f = "sprint" s
    for (i = 0; i < 100; i++) printf "%s%sTask %d of sprint %d", (i ? "\n" : ""), (i % 3 ? "" : "x 2026-12-01 "), i, s > f
    close(f) } }')
hyperfine --warmup 3 --runs 20 --style none --export-json "$work/status.json" \
    "cd '$work/status1000' && '$build/src/corvane' status" >/dev/null
python3 - "$work/status.json" <<'PY'
import json, sys
r = json.load(open(sys.argv[1]))["results"][0]
print(f"corvane status: median {r['median'] * 1000:.1f} ms, mean {r['mean'] * 1000:.1f} ms")
print(f"Target: corvane status with 1,000 sprints < 100 ms: {r['median'] * 1000:.1f} ms, "
      f"{'met' if r['median'] < 0.1 else 'NOT met'}")
PY

echo
echo "== Against the todo.txt tool and Taskwarrior (bench/compare-peers.sh)"
BUILD="$build" "$(dirname "$0")/compare-peers.sh"

echo
echo "== A folder on a network-like mount: changes made beneath a bindfs mount"
"$bin/sharedfolder" follow 20 2>/dev/null
# What three open windows cost while nothing changes: the system calls of a
# 20 s run less those of a 10 s run, so that start-up cancels out.
mkdir -p "$work/idle"
printf 'a\nb' > "$work/idle/product_backlog"
printf 'x' > "$work/idle/sprint1"
calls() {
    (cd "$work/idle" && strace -f -c -e trace=statx,newfstatat,stat,lstat,fstat,read,openat,getdents64 \
        -o "$work/strace-$1" "$bin/sharedfolder" idle "$1" 2>/dev/null)
    # Columns: % time, seconds, usecs/call, calls, [errors,] syscall.
    awk '$4 ~ /^[0-9]+$/ && $NF != "total" { print $NF, $4 }' "$work/strace-$1" | sort
}
calls 10 > "$work/calls-10"
calls 20 > "$work/calls-20"
echo "Backlog, sprint and main window open, nothing changing: system calls per second"
join -a 1 -a 2 -e 0 -o 0,1.2,2.2 "$work/calls-10" "$work/calls-20" |
    awk '{ printf "  %-12s %6.1f\n", $1, ($3 - $2) / 10 }'
