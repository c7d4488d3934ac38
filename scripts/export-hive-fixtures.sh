#!/usr/bin/env bash
# Turns the real SYSTEM hives in ../shared/fixtures/hives into the .reg fixtures under tests/fixtures/hives: the
# keys the device monitor reads, as hivexregedit exports them (version 5, plain text, UTF-16 data as hex(1)).
# DeviceClasses is cut down to the USB device interface class and the classes that Enum\USB's SymbolicName
# values point to, which keeps the files small.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
source_dir="${1:-$root/../shared/fixtures/hives}"
out_dir="$root/tests/fixtures/hives"
usb_interface_class='{a5dcbf10-6530-11d2-901f-00c04fb951ed}'

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# One key and its subtree without the export's header line and the blank line after it.
export_key() {
  hivexregedit --export --prefix 'HKEY_LOCAL_MACHINE\SYSTEM' "$1" "$2" | tail -n +3
}

# The same for a key that not every hive has (a machine that never saw a USB disk has no USBSTOR).
export_optional_key() {
  if hivexregedit --export --prefix 'HKEY_LOCAL_MACHINE\SYSTEM' "$1" "$2" > "$scratch/optional.reg" 2>/dev/null; then
    tail -n +3 "$scratch/optional.reg"
  fi
}

# The interface classes ({GUID}) that the SymbolicName values of an export name, one per line.
symbolic_classes() {
  python3 - "$1" <<'PY'
import re, sys
text = open(sys.argv[1], encoding="ascii", errors="replace").read().replace("\\\n", "")
for data in re.findall(r'^"SymbolicName"=hex\(1\):([0-9a-fA-F,\s]*)$', text, re.M):
    raw = bytes(int(b, 16) for b in data.replace(" ", "").split(",") if b)
    name = raw[: len(raw) // 2 * 2].decode("utf-16-le").rstrip("\0")
    match = re.search(r"\{[0-9a-fA-F-]{36}\}$", name)
    if match:
        print(match.group(0).lower())
PY
}

for hive in SYSTEM_B SYSTEM_2; do
  xz -dkc "$source_dir/$hive.xz" > "$scratch/$hive"
  export_key "$scratch/$hive" '\ControlSet001\Enum\USB' > "$scratch/usb.reg"
  classes="$( (echo "$usb_interface_class"; symbolic_classes "$scratch/usb.reg") | sort -u)"
  target="$out_dir/$(echo "$hive" | tr '[:upper:]' '[:lower:]').reg"
  {
    printf 'Windows Registry Editor Version 5.00\n\n'
    export_key "$scratch/$hive" '\Select'
    cat "$scratch/usb.reg"
    export_optional_key "$scratch/$hive" '\ControlSet001\Enum\USBSTOR'
    for class in $classes; do
      export_optional_key "$scratch/$hive" "\\ControlSet001\\Control\\DeviceClasses\\$class"
    done
    export_key "$scratch/$hive" '\MountedDevices'
  } > "$target"
  echo "$target: $(wc -l < "$target") lines, classes: $(echo $classes)"
done
