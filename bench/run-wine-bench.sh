#!/usr/bin/env bash
# Builds the Windows benchmarks and runs them under Wine with the program and its wineserver pinned to one CPU, where
# a registry call costs a fraction of what it costs across CPUs.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows-bench >/dev/null
cmake --build --preset windows-bench --target refresh_wine_bench export_wine_bench window_wine_bench forward_wine_bench wrenhollow
exe="Z:$(pwd | tr / '\\')\\build\\windows-bench\\src\\app\\wrenhollow.exe"
# "soak [CYCLES]": only the soak of the log (10,000 plug/unplug cycles by default; about ten minutes).
if [ "${1:-}" = soak ]; then
  exec env WRENHOLLOW_WINE_CPU=${WRENHOLLOW_WINE_CPU:-0} scripts/wine-run build/windows-bench/bench/window_wine_bench.exe \
    "$exe" soak "${2:-10000}"
fi
WRENHOLLOW_WINE_CPU=${WRENHOLLOW_WINE_CPU:-0} scripts/wine-run build/windows-bench/bench/refresh_wine_bench.exe "$@"
WRENHOLLOW_WINE_CPU=${WRENHOLLOW_WINE_CPU:-0} scripts/wine-run build/windows-bench/bench/export_wine_bench.exe
WRENHOLLOW_WINE_CPU=${WRENHOLLOW_WINE_CPU:-0} scripts/wine-run build/windows-bench/bench/window_wine_bench.exe "$exe"
# Forwarding to a private rsyslogd over TCP.
syslog_dir=$(mktemp -u /tmp/wrenhollow-rsyslog-bench.XXXXXX)
tests/unit/forward/rsyslog-server.sh start "$syslog_dir"
trap 'tests/unit/forward/rsyslog-server.sh clean "$syslog_dir"' EXIT
WRENHOLLOW_WINE_CPU=${WRENHOLLOW_WINE_CPU:-0} scripts/wine-run build/windows-bench/bench/forward_wine_bench.exe \
  "$(cut -d' ' -f1 "$syslog_dir/ports")" "Z:${syslog_dir//\//\\}\\out.log"
