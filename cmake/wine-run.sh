#!/usr/bin/env bash
# wine-run.sh [--far-end <ktr84-farend>] <program> [arguments...]
# Runs a Windows program of the cross build under Wine, in the build's own
# prefix: $KTR84_WINEPREFIX, else wineprefix/ in the program's build tree.
# The prefix is made once (wineboot), and a wineserver with Wine's services is
# kept running for a while, so that the tests start quickly and quietly.
# Output of Wine itself is off (WINEDEBUG=-all). With --far-end the program
# runs under ktr84-farend, which links the lines it plays into the prefix
# once the prefix is there.
set -euo pipefail
far_end=""
if [ "${1:-}" = --far-end ]; then
    far_end=$2
    shift 2
fi
program=$1
shift
if [ -z "${KTR84_WINEPREFIX:-}" ]; then
    dir=$(cd "$(dirname "$program")" && pwd)
    while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
    if [ "$dir" = / ]; then
        echo "wine-run.sh: $program is in no build tree; set KTR84_WINEPREFIX" >&2
        exit 2
    fi
    KTR84_WINEPREFIX="$dir/wineprefix"
fi
export WINEPREFIX=$KTR84_WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    WINEARCH=win64 DISPLAY=
mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
    # A server and Wine's own services started here, quiet and detached from
    # the test's output (they would hold it open while they run; the server
    # reports hang-ups of terminals on its stderr), kept a minute after the
    # last program.
    if ! wineserver -k0 2>/dev/null; then
        (wineserver -p60 & wine cmd.exe /c exit) >/dev/null 2>&1 </dev/null 9>&-
    fi
) 9>"$WINEPREFIX.lock"
if [ -n "$far_end" ]; then
    exec "$far_end" "$WINEPREFIX/dosdevices" wine "$program" "$@"
fi
exec wine "$program" "$@"
