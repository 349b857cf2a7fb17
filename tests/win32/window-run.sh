#!/usr/bin/env bash
# window-run.sh --modsim PATH --transcript FILE [--expect FILE] --shots DIR
#               -- <program.exe> [arguments...] -- [ktr84-modsim arguments...]
# Runs a Windows test program that drives the upgrader window, under Wine on
# an X server of its own (Xvfb), against ktr84-modsim playing a module on a
# pseudo-terminal linked into the prefix as COM41 (KTR84_WINDOW_PORT). The
# prefix is the build's wineprefix-window/, kept apart from the console
# tests' (whose Wine runs without a display); one window test at a time has
# it, and its Wine server ends with the test, as its X server does.
# The program asks for screenshots by writing the part of the screen to take
# (WxH+X+Y) into DIR/NAME.want; they go to DIR/NAME.png. With --expect, the commands the
# module received ("RATE TEXT" a line) must be the file's.
set -euo pipefail
expect=""
while [ "$1" != -- ]; do
    case $1 in
    --modsim) modsim=$2 ;;
    --transcript) transcript=$2 ;;
    --expect) expect=$2 ;;
    --shots) shots=$2 ;;
    *) echo "window-run.sh: unknown option $1" >&2; exit 2 ;;
    esac
    shift 2
done
shift
program=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do program+=("$1"); shift; done
[ $# -gt 0 ] && shift
dir=$(cd "$(dirname "${program[0]}")" && pwd)
while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
export WINEPREFIX=$dir/wineprefix-window WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    WINEARCH=win64
work=$(mktemp -d)
mkdir -p "$shots" "$(dirname "$transcript")"
pids=()
cleanup() {
    wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -f "$WINEPREFIX/dosdevices/com41"
    rm -rf "$work"
}
trap cleanup EXIT

wait_for_line() { # file, what
    for _ in $(seq 300); do [ -s "$1" ] && return 0; sleep 0.1; done
    echo "window-run.sh: no $2" >&2
    exit 2
}

exec 9>"$WINEPREFIX.lock"
flock 9
# The helpers started here do not hold the lock: one left behind by a killed
# test would keep every later test waiting.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 9>&- &
pids+=($!)
wait_for_line "$work/display" "X server"
export DISPLAY=:$(head -n1 "$work/display")
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
fi

"$modsim" "$@" --transcript "$transcript" >"$work/sim.out" 2>"$work/sim.err" 9>&- &
pids+=($!)
wait_for_line "$work/sim.out" "simulator line"
ln -sfn "$(head -n1 "$work/sim.out")" "$WINEPREFIX/dosdevices/com41"

(
    while :; do
        for want in "$shots"/*.want; do
            [ -e "$want" ] || continue
            import -window root -crop "$(head -n1 "$want")" +repage "${want%.want}.png" \
                2>/dev/null || true
            rm -f "$want"
        done
        sleep 0.1
    done
) 9>&- &
pids+=($!)

export KTR84_WINDOW_PORT=COM41 KTR84_WINDOW_TRANSCRIPT="Z:$transcript" KTR84_WINDOW_SHOTS="Z:$shots"
status=0
wine "${program[@]}" || status=$?
if [ -n "$expect" ]; then
    sed -n 's/^ *[0-9]* ms *\([0-9]*\) baud  /\1 /p' "$transcript" >"$work/commands"
    diff -u "$expect" "$work/commands" || status=1
fi
exit $status
