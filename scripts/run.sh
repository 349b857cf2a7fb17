#!/usr/bin/env bash
# Installs what is missing, builds, starts a simulated Transceiver module and
# opens the upgrader with that module offered in its COM-port list.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${KTR84_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target ktr84-upgrader ktr84-modsim
if [ ! -x "$build/ktr84-upgrader" ] || [ ! -x "$build/ktr84-modsim" ]; then
    echo "Built everything there is; the window and the module simulator are not part of the build yet."
    exit 0
fi
"$build/ktr84-modsim" --module "${KTR84_MODULE:-transceiver}" &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
sleep 0.5
# The upgrader starts on COM1, as always; the simulator is the entry ending
# in transceiver-<pid> (or the module chosen) in its COM Port list.
echo "Simulated ${KTR84_MODULE:-transceiver} module running: in the window choose the COM Port entry"
echo "ending in ${KTR84_MODULE:-transceiver}-$sim, then press Upgrade."
"$build/ktr84-upgrader"
