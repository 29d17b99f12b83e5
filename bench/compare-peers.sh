#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Whole-process timing of one change to a list, like with like: Corvane's
# command line, the todo.txt command line tool and Taskwarrior each adding a
# task, replacing the text of the middle task, deleting the middle task and
# moving the middle task to another list, on lists of the same size,
# measured with hyperfine (medians). Every run starts from the same list.
# Each size also times a process that only writes the bytes of Corvane's
# add safely (bench/safewrite): no change can be cheaper than that.
#
#   bench/compare-peers.sh [SIZE...]       (default: 10000 100000 1000000)
#
# Installs what it needs from Debian's packages. Taskwarrior's list is
# written straight in its own file format: importing 100,000 tasks through
# `task import` takes many minutes.
set -eu

sizes=${*:-10000 100000 1000000}
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$repo/build}

"$repo/scripts/install-deps" bench
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target corvane safewrite --parallel "$(nproc)" >/dev/null
cli="$build/src/corvane"
safewrite="$build/bench/safewrite"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
text="review the sprint board and update the estimates"

for n in $sizes; do
    dir="$work/$n"
    mkdir -p "$dir/corvane" "$dir/todo" "$dir/task"
    middle=$((n / 2))
    line=$((middle + 1))
    # The same task lines for every tool. Corvane's backlog and sprint 1
    # hold them, with no final line feed; sprint 2 is where moves go. The
    # todo.txt file has a final line feed, and moves go to sprint.txt.
    awk -v n="$n" -v t="$text" 'BEGIN { for (i = 0; i < n; i++) printf "Task %d: %s\n", i, t }' > "$dir/lines"
    head -c -1 "$dir/lines" > "$dir/corvane/base"
    cp "$dir/lines" "$dir/todo/todo.txt.base"
    : > "$dir/todo/sprint.txt"
    cat > "$dir/todo/config" <<CONFIG
export TODO_DIR="$dir/todo"
export TODO_FILE="$dir/todo/todo.txt"
export DONE_FILE="$dir/todo/done.txt"
export REPORT_FILE="$dir/todo/report.txt"
CONFIG
    # Taskwarrior's pending tasks, as `task import` leaves them; its IDs
    # count from 1 in this order. A move sets the task's project.
    printf 'data.location=%s\nconfirmation=off\nverbose=nothing\nhooks=off\n' "$dir/task/data" > "$dir/task/rc"
    mkdir -p "$dir/task/base"
    awk -v n="$n" -v t="$text" 'BEGIN { for (i = 0; i < n; i++)
        printf "[description:\"Task %d: %s\" entry:\"1700000000\" modified:\"1700000000\" status:\"pending\" uuid:\"%08x-0000-4000-8000-%012x\"]\n", i, t, i, i }' \
        > "$dir/task/base/pending.data"
    touch "$dir/task/base/completed.data" "$dir/task/base/undo.data" "$dir/task/base/backlog.data"
    # The bytes that Corvane's add leaves, for the floor process to write.
    printf '%s\nOne more task' "$(cat "$dir/corvane/base")" > "$dir/added"

    # Every run starts from its list synced to disk: the copy made for it,
    # and what the run before left for the kernel to write back, would
    # otherwise be written during the next run, and slow most the tool
    # that syncs its own writes.
    c="cd '$dir/corvane' && '$cli'"
    cprep="cp '$dir/corvane/base' '$dir/corvane/product_backlog' && cp '$dir/corvane/base' '$dir/corvane/sprint1' && : > '$dir/corvane/sprint2' && rm -f '$dir/corvane/.deleted_tasks' && sync"
    todo="todo-txt -d '$dir/todo/config' -f -p"
    tprep="cp '$dir/todo/todo.txt.base' '$dir/todo/todo.txt' && : > '$dir/todo/sprint.txt' && sync"
    task="task rc:'$dir/task/rc'"
    wprep="rm -rf '$dir/task/data' && cp -r '$dir/task/base' '$dir/task/data' && sync"
    # Taskwarrior takes seconds per command from 100,000 tasks on: fewer runs.
    runs=10; [ "$n" -gt 20000 ] && runs=5; [ "$n" -gt 200000 ] && runs=3
    floor="-n floor --prepare \"$cprep\" \"'$safewrite' '$dir/added' '$dir/corvane/product_backlog'\""
    echo "== One change at $n tasks, whole processes (hyperfine, $runs runs each, medians)"
    # Other work on the machine moves these figures: say how busy it was.
    echo "load average before: $(cut -d ' ' -f 1-3 /proc/loadavg)"
    eval hyperfine --warmup 1 --runs "$runs" --style basic --export-json "'$dir/results.json'" \
        -n "'corvane add'" --prepare "\"$cprep\"" "\"$c add backlog 'One more task'\"" \
        -n "'todo.txt add'" --prepare "\"$tprep\"" "\"$todo add 'One more task'\"" \
        -n "'taskwarrior add'" --prepare "\"$wprep\"" "\"$task add 'One more task'\"" \
        -n "'corvane edit'" --prepare "\"$cprep\"" "\"$c edit backlog $line 'New text'\"" \
        -n "'todo.txt edit'" --prepare "\"$tprep\"" "\"$todo replace $line 'New text'\"" \
        -n "'taskwarrior edit'" --prepare "\"$wprep\"" "\"$task $line modify 'New text'\"" \
        -n "'corvane rm'" --prepare "\"$cprep\"" "\"$c rm backlog $line\"" \
        -n "'todo.txt rm'" --prepare "\"$tprep\"" "\"$todo del $line\"" \
        -n "'taskwarrior rm'" --prepare "\"$wprep\"" "\"$task $line delete\"" \
        -n "'corvane mv'" --prepare "\"$cprep\"" "\"$c mv $line 1 2\"" \
        -n "'todo.txt mv'" --prepare "\"$tprep\"" "\"$todo move $line sprint.txt\"" \
        -n "'taskwarrior mv'" --prepare "\"$wprep\"" "\"$task $line modify project:sprint2\"" \
        "$floor" >/dev/null

    # Each change must have done what it says, or its time means nothing.
    sh -c "$cprep"
    (cd "$dir/corvane" && "$cli" edit backlog "$line" 'New text' --expect "Task $middle: $text" >/dev/null &&
        "$cli" rm backlog --text 'New text' >/dev/null && "$cli" add backlog 'One more task' >/dev/null &&
        "$cli" mv "$line" 1 2 >/dev/null)
    [ "$(cd "$dir/corvane" && "$cli" list | wc -l)" -eq "$n" ] &&
        [ "$(cd "$dir/corvane" && "$cli" list 1 | wc -l)" -eq $((n - 1)) ] &&
        [ "$(cat "$dir/corvane/sprint2")" = "Task $middle: $text" ] ||
        { echo "corvane did not change the lists" >&2; exit 1; }

    echo "load average after: $(cut -d ' ' -f 1-3 /proc/loadavg)"
    python3 - "$dir/results.json" "$n" <<'PY'
import json, sys
results = {r["command"]: r["median"] for r in json.load(open(sys.argv[1]))["results"]}
size = int(sys.argv[2])
print(f"{'':6} {'corvane':>10} {'todo.txt':>10} {'taskwarrior':>12}   corvane against the faster other")
ops = ("add", "edit", "rm", "mv")
for op in ops:
    ours, todo, task = (results[f"{tool} {op}"] for tool in ("corvane", "todo.txt", "taskwarrior"))
    print(f"{op:6} {ours * 1000:8.1f}ms {todo * 1000:8.1f}ms {task * 1000:10.1f}ms   {ours / min(todo, task):5.2f}x")
print(f"floor  {results['floor'] * 1000:8.1f}ms   (a process that only writes the bytes of the add safely)")
for op in ops:
    ours, todo, task = (results[f"{tool} {op}"] for tool in ("corvane", "todo.txt", "taskwarrior"))
    print(f"Target: {op} at {size} tasks faster than todo.txt and Taskwarrior: "
          f"{ours / todo:.2f}x and {ours / task:.2f}x, {'met' if ours < min(todo, task) else 'NOT met'}")
if size >= 1000000:
    for op in ops:
        ratio = results[f"corvane {op}"] / results["floor"]
        print(f"Target: {op} at {size} tasks within 1.5x of the safe write of the same bytes: "
              f"{ratio:.2f}x, {'met' if ratio <= 1.5 else 'NOT met'}")
PY
    echo
done
