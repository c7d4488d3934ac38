#!/usr/bin/env bash
# Builds wrenhollow.exe and starts it under Wine, in a prefix of its own that lasts between runs
# ($WINEPREFIX, default ~/.wine-wrenhollow). Arguments go to the program, e.g. scripts/run.sh /stext "" /nosort
# (an empty file name writes to standard output; it needs an argument after it, or it is dropped as the last).
# The exe runs from build/run/, where its settings file (wrenhollow.cfg) and HTML report are kept.
set -euo pipefail
cd "$(dirname "$0")/.."

# A command-line export opens no window, so it runs without a display; the window needs one.
# Like the program, it takes no switch as the last argument and drops an empty argument at the very end.
exports_without_window() {
  local arguments=("$@")
  local count=${#arguments[@]}
  if [ "$count" -gt 0 ] && [ -z "${arguments[count - 1]}" ]; then count=$((count - 1)); fi
  for ((i = 0; i + 1 < count; i++)); do
    case "${arguments[i],,}" in
      /stext|/stab|/stabular|/scomma|/shtml|/sverhtml|/sxml) return 0 ;;
    esac
  done
  return 1
}
if [ -z "${DISPLAY:-}" ] && ! exports_without_window "$@"; then
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
