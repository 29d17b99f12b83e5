#!/bin/sh
# Whole-process timing of one change to a list, like with like: Corvane's
# stores behind a tiny command line (corvane-cli), the todo.txt command line
# tool and Taskwarrior each adding a task, replacing the text of the middle
# task and deleting the middle task, on lists of the same size, measured
# with hyperfine. Every run starts from the same list.
#
#   bench/compare-peers.sh [SIZE...]       (default: 10000 100000)
#
# Installs what it needs from Debian's packages. Taskwarrior's list is
# written straight in its own file format: importing 100,000 tasks through
# `task import` takes many minutes.
set -eu

sizes=${*:-10000 100000}
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$repo/build}

"$repo/scripts/install-deps" bench
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target corvane-cli --parallel "$(nproc)" >/dev/null
cli="$build/bench/corvane-cli"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
text="review the sprint board and update the estimates"

for n in $sizes; do
    dir="$work/$n"
    mkdir -p "$dir/corvane" "$dir/todo" "$dir/task"
    middle=$((n / 2))
    # The same task lines for every tool; Corvane's file has no final line
    # feed, the todo.txt file has one.
    awk -v n="$n" -v t="$text" 'BEGIN { for (i = 0; i < n; i++) printf "Task %d: %s\n", i, t }' > "$dir/lines"
    head -c -1 "$dir/lines" > "$dir/corvane/product_backlog.base"
    cp "$dir/lines" "$dir/todo/todo.txt.base"
    cat > "$dir/todo/config" <<CONFIG
export TODO_DIR="$dir/todo"
export TODO_FILE="$dir/todo/todo.txt"
export DONE_FILE="$dir/todo/done.txt"
export REPORT_FILE="$dir/todo/report.txt"
CONFIG
    # Taskwarrior's pending tasks, as `task import` leaves them; its IDs
    # count from 1 in this order.
    printf 'data.location=%s\nconfirmation=off\nverbose=nothing\nhooks=off\n' "$dir/task/data" > "$dir/task/rc"
    mkdir -p "$dir/task/base"
    awk -v n="$n" -v t="$text" 'BEGIN { for (i = 0; i < n; i++)
        printf "[description:\"Task %d: %s\" entry:\"1700000000\" modified:\"1700000000\" status:\"pending\" uuid:\"%08x-0000-4000-8000-%012x\"]\n", i, t, i, i }' \
        > "$dir/task/base/pending.data"
    touch "$dir/task/base/completed.data" "$dir/task/base/undo.data" "$dir/task/base/backlog.data"

    corvane="cd '$dir/corvane' && '$cli'"
    todo="todo-txt -d '$dir/todo/config' -f -p"
    task="task rc:'$dir/task/rc'"
    old="Task $middle: $text"
    # Taskwarrior takes seconds per command at 100,000 tasks: fewer runs.
    runs=20; [ "$n" -gt 20000 ] && runs=5
    echo "== One change at $n tasks, whole processes (hyperfine, $runs runs each)"
    hyperfine --warmup 1 --runs "$runs" --style basic --export-json "$dir/results.json" \
        -n "corvane add" --prepare "cp '$dir/corvane/product_backlog.base' '$dir/corvane/product_backlog'" \
        "$corvane add 'One more task'" \
        -n "todo.txt add" --prepare "cp '$dir/todo/todo.txt.base' '$dir/todo/todo.txt'" \
        "$todo add 'One more task'" \
        -n "taskwarrior add" --prepare "rm -rf '$dir/task/data' && cp -r '$dir/task/base' '$dir/task/data'" \
        "$task add 'One more task'" \
        -n "corvane replace" --prepare "cp '$dir/corvane/product_backlog.base' '$dir/corvane/product_backlog'" \
        "$corvane edit '$old' 'New text'" \
        -n "todo.txt replace" --prepare "cp '$dir/todo/todo.txt.base' '$dir/todo/todo.txt'" \
        "$todo replace $((middle + 1)) 'New text'" \
        -n "taskwarrior replace" --prepare "rm -rf '$dir/task/data' && cp -r '$dir/task/base' '$dir/task/data'" \
        "$task $((middle + 1)) modify 'New text'" \
        -n "corvane delete" --prepare "cp '$dir/corvane/product_backlog.base' '$dir/corvane/product_backlog'" \
        "$corvane delete '$old'" \
        -n "todo.txt delete" --prepare "cp '$dir/todo/todo.txt.base' '$dir/todo/todo.txt'" \
        "$todo del $((middle + 1))" \
        -n "taskwarrior delete" --prepare "rm -rf '$dir/task/data' && cp -r '$dir/task/base' '$dir/task/data'" \
        "$task $((middle + 1)) delete" >/dev/null

    # Each change must have done what it says, or its time means nothing.
    cp "$dir/corvane/product_backlog.base" "$dir/corvane/product_backlog"
    (cd "$dir/corvane" && "$cli" edit "$old" 'New text' && "$cli" delete 'New text' && "$cli" add 'One more task')
    [ "$(cd "$dir/corvane" && "$cli" count)" -eq "$n" ] || { echo "corvane-cli did not change the list" >&2; exit 1; }

    python3 - "$dir/results.json" "$n" <<'PY'
import json, sys
results = {r["command"]: r["mean"] for r in json.load(open(sys.argv[1]))["results"]}
size = int(sys.argv[2])
print(f"{'':10} {'corvane':>10} {'todo.txt':>10} {'taskwarrior':>12}   corvane against the faster other")
for op in ("add", "replace", "delete"):
    ours, todo, task = (results[f"{tool} {op}"] for tool in ("corvane", "todo.txt", "taskwarrior"))
    print(f"{op:10} {ours * 1000:8.1f}ms {todo * 1000:8.1f}ms {task * 1000:10.1f}ms   {ours / min(todo, task):5.2f}x")
for op in ("add", "replace", "delete"):
    ours, todo, task = (results[f"{tool} {op}"] for tool in ("corvane", "todo.txt", "taskwarrior"))
    print(f"Target: {op} at {size} tasks faster than todo.txt and Taskwarrior: "
          f"{ours / todo:.2f}x and {ours / task:.2f}x, {'met' if ours < min(todo, task) else 'NOT met'}")
PY
    echo
done
