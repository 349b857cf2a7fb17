#!/usr/bin/env bash
# Installs what is missing, builds, starts a simulated Transceiver module
# (KTR84_MODULE=controller or ip for another) and opens the upgrader with that
# module and the simulator's line already chosen.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${KTR84_BUILD_DIR:-build}
module=${KTR84_MODULE:-transceiver}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target ktr84-upgrader ktr84-modsim
if [ ! -x "$build/ktr84-upgrader" ] || [ ! -x "$build/ktr84-modsim" ]; then
    echo "Built everything there is; the window and the module simulator are not part of the build yet."
    exit 0
fi
out=$(mktemp)
"$build/ktr84-modsim" --module "$module" >"$out" &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -f "$out"' EXIT
# The simulator announces its line as <folder>/<module>-<pid>, which the
# upgrader's COM Port list offers as "Simulated Transceiver (<pid>)" (and
# chooses for --port given the link); its first line of output is the device.
if [ -n "${XDG_RUNTIME_DIR:-}" ]; then
    link=$XDG_RUNTIME_DIR/ktr84-modsim/$module-$sim
else
    link=/tmp/ktr84-modsim-$(id -u)/$module-$sim
fi
for _ in $(seq 50); do
    [ -e "$link" ] && break
    kill -0 $sim 2>/dev/null || { echo "The module simulator did not start."; exit 1; }
    sleep 0.1
done
port=$link
[ -e "$link" ] || port=$(head -n1 "$out")
echo "Simulated $module module running on $port; press Upgrade in the window."
"$build/ktr84-upgrader" --module "$module" --port "$port"
