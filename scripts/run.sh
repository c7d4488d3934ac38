#!/usr/bin/env bash
# Builds wrenhollow.exe and starts it under Wine, in a prefix of its own that lasts between runs
# ($WINEPREFIX, default ~/.wine-wrenhollow). Arguments go to the program, e.g. scripts/run.sh /stext "".
# The exe runs from build/run/, where its settings file (wrenhollow.cfg) and HTML report are kept.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no X display (DISPLAY is not set); the window needs one." >&2
  exit 2
fi

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target wrenhollow
mkdir -p build/run
cp build/windows/src/app/wrenhollow.exe build/run/

export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-wrenhollow}
export WINEDEBUG=${WINEDEBUG:--all}
exec wine build/run/wrenhollow.exe "$@"
