#!/usr/bin/env bash
# End-to-end check of the window under a real X server: starts Mirvok on its
# own Xvfb display in an empty folder, clicks "Process All!" with xdotool,
# waits for "output.csv" to hold the header and the 100 records of the
# default batch, then closes the window and expects a clean exit.
#
# Usage: e2e_process_all.sh [mirvok binary] [window closer]
# Defaults: build/bin/mirvok and build/bin/e2e_close_window.
set -euo pipefail

here=$(cd "$(dirname "$0")/../.." && pwd)
app=$(realpath "${1:-$here/build/bin/mirvok}")
closer=$(realpath "${2:-$here/build/bin/e2e_close_window}")
timeout_s=${MIRVOK_E2E_TIMEOUT:-180}

fail() {
    echo "e2e: $*" >&2
    exit 1
}
[ -x "$app" ] || fail "no program at $app"
[ -x "$closer" ] || fail "no window closer at $closer"
command -v Xvfb > /dev/null || fail "Xvfb is not installed"
command -v xdotool > /dev/null || fail "xdotool is not installed"

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2> /dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"

# The batch writes output.csv into the working directory.
mkdir "$work/run"
cd "$work/run"
# A sanitized build reports leaks at exit; those of system libraries are
# suppressed, the program's own still fail the check.
export LSAN_OPTIONS="suppressions=$here/tests/ui/e2e_lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
QT_QPA_PLATFORM=xcb "$app" > "$work/app.log" 2>&1 &
app_pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Mirvok v6\.1$' | head -n1) ||
    fail "the window did not appear: $(cat "$work/app.log")"

# "Process All!" lies at 632, 160, 81 x 25 in the client area. The batch
# creates output.csv as it starts; a click that a window still settling did
# not take is given again, never once the file exists.
click_all() { xdotool mousemove --window "$window" 672 172 click 1; }
click_all
next_click=$((SECONDS + 5))

deadline=$((SECONDS + timeout_s))
lines=0
while [ $SECONDS -lt $deadline ]; do
    if [ ! -e output.csv ] && [ $SECONDS -ge $next_click ]; then
        click_all
        next_click=$((SECONDS + 5))
    fi
    kill -0 "$app_pid" 2> /dev/null || fail "the program ended during the batch: $(cat "$work/app.log")"
    [ -f output.csv ] && lines=$(wc -l < output.csv)
    [ "$lines" -ge 101 ] && break
    sleep 0.2
done
[ "$lines" -eq 101 ] || fail "output.csv holds $lines lines, not 101"

head -n1 output.csv | grep -q '^NEW;isi: 20\.000000; shape: ' || fail "bad header: $(head -n1 output.csv)"
expected=$(seq 0 99 | tr '\n' ' ')
indices=$(tail -n +2 output.csv | cut -d';' -f1 | tr -d ' ' | tr '\n' ' ')
[ "$indices" = "$expected" ] || fail "record indices are not 0 to 99: $indices"

# The batch has written its last record; give it the moment to finish, then
# close the window as a window manager would and expect the program to end.
sleep 1
"$closer" "$window" || fail "could not ask the window to close"
for _ in $(seq 100); do
    kill -0 "$app_pid" 2> /dev/null || break
    sleep 0.1
done
kill -0 "$app_pid" 2> /dev/null && fail "the program did not end when its window was closed"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program exited with status $status: $(cat "$work/app.log")"
echo "e2e: Process All! wrote 101 lines and the window closed cleanly"
