#!/bin/sh
# Whole-process timing of one change to a 100,000-task list: Corvane's stores
# behind a tiny command line (corvane-cli) against the todo.txt command line
# tool and Taskwarrior doing the same change, measured with hyperfine.
#
#   bench/compare-peers.sh [TASKS] [TASKWARRIOR_TASKS]
#
# Installs what it needs from Debian's packages. Taskwarrior gets fewer
# tasks by default: importing 100,000 tasks into it takes many minutes.
set -eu

tasks=${1:-100000}
tw_tasks=${2:-10000}
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$repo/build}

scripts="$repo/scripts"
"$scripts/install-deps"
missing=""
for tool in hyperfine:hyperfine todo-txt:todotxt-cli task:taskwarrior python3:python3; do
    command -v "${tool%%:*}" >/dev/null 2>&1 || missing="$missing ${tool#*:}"
done
if [ -n "$missing" ]; then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null
fi

cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target corvane-cli --parallel "$(nproc)" >/dev/null
cli="$build/bench/corvane-cli"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corvane" "$work/todo" "$work/task"

# The same task lines for every tool.
awk -v n="$tasks" 'BEGIN { for (i = 0; i < n; i++) printf "Task %d: review the sprint board and update the estimates\n", i }' \
    > "$work/lines"
head -c -1 "$work/lines" > "$work/corvane/product_backlog.base"
cp "$work/lines" "$work/todo/todo.txt.base"

cat > "$work/todo/config" <<CONFIG
export TODO_DIR="$work/todo"
export TODO_FILE="$work/todo/todo.txt"
export DONE_FILE="$work/todo/done.txt"
export REPORT_FILE="$work/todo/report.txt"
CONFIG

# Taskwarrior: import once, then restore its data before every run.
printf 'data.location=%s\nconfirmation=off\nverbose=nothing\nhooks=off\n' "$work/task/data" > "$work/task/rc"
awk -v n="$tw_tasks" 'BEGIN { print "["; for (i = 0; i < n; i++) printf "%s{\"description\":\"Task %d: review the sprint board and update the estimates\",\"status\":\"pending\"}\n", (i ? "," : ""), i; print "]" }' \
    > "$work/task/import.json"
echo "Importing $tw_tasks tasks into Taskwarrior..."
task rc:"$work/task/rc" import "$work/task/import.json" >/dev/null 2>&1
cp -r "$work/task/data" "$work/task/data.base"

echo "One change (add a task) at $tasks tasks, whole processes:"
hyperfine --warmup 3 --runs 20 --export-json "$work/results.json" \
    -n "corvane-cli add ($tasks tasks)" \
    --prepare "cp '$work/corvane/product_backlog.base' '$work/corvane/product_backlog'" \
    "cd '$work/corvane' && '$cli' add 'One more task'" \
    -n "todo.txt add ($tasks tasks)" \
    --prepare "cp '$work/todo/todo.txt.base' '$work/todo/todo.txt'" \
    "todo-txt -d '$work/todo/config' -f -p add 'One more task'" \
    -n "taskwarrior add ($tw_tasks tasks)" \
    --prepare "rm -rf '$work/task/data' && cp -r '$work/task/data.base' '$work/task/data'" \
    "task rc:'$work/task/rc' add 'One more task'"

python3 - "$work/results.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
ours = results[0]["mean"]
print()
for r in results:
    print(f"{r['command']:<36} {r['mean'] * 1000:8.1f} ms   {r['mean'] / ours:6.2f}x corvane-cli")
PY
