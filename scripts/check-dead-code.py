#!/usr/bin/env python3
"""Fails when the program carries a function that nothing in it calls.

The linker's own --gc-sections cannot tell on x64 Windows: every function's unwind entry (.pdata) is kept, and
keeps the function. So this follows the same references itself: objects built with -ffunction-sections hold one
section per function, and a section is live when it is reached, through the objects' relocations, from WinMain or
from a static constructor; unwind tables and debug information are never a reason. Prints each dead function and exits 1.

usage: check-dead-code.py OBJDUMP KEPT_LIST OBJECT_LIST (a file naming one object or archive a line)
KEPT_LIST names functions kept without a caller (one demangled name per line, "#" comments), each with a reason;
what they call is live through them.
"""
import re
import subprocess
import sys
from collections import defaultdict

SYMBOL = re.compile(r"^\[\s*\d+\]\(sec\s+(-?\d+)\)\(fl [^)]*\)\(ty\s+(\w+)\)\(scl\s+(\d+)\) \(nx \d+\) 0x[0-9a-f]+ (\S+)$")
RELOCATIONS = re.compile(r"^RELOCATION RECORDS FOR \[(.+)\]:$")
ROOT_SECTIONS = (".ctors", ".CRT", ".tls", ".init_array")
ROOT_SYMBOLS = {"WinMain", "main"}
# Unwind tables and debug information name every function; they never make one live.
NOT_CALLS = (".pdata", ".xdata", ".debug", ".eh_frame")


def read_objects(objdump, files):
    """Each object's sections by number, symbols and relocations, as objdump -rt prints them."""
    objects = []
    for path in files:
        text = subprocess.run([objdump, "-rt", path], capture_output=True, text=True, check=True).stdout
        current = None
        relocating = None
        for line in text.splitlines():
            header = re.match(r"^(\S+):\s+file format ", line)
            if header:
                current = {"name": f"{path}({header.group(1)})", "sections": {}, "symbols": [], "relocations": defaultdict(list)}
                objects.append(current)
                relocating = None
                continue
            symbol = SYMBOL.match(line)
            if symbol and current is not None:
                number, kind, storage, name = int(symbol.group(1)), symbol.group(2), int(symbol.group(3)), symbol.group(4)
                if storage == 3 and name.startswith(".") and number > 0 and number not in current["sections"]:
                    current["sections"][number] = name
                current["symbols"].append((number, kind, storage, name))
                continue
            header = RELOCATIONS.match(line)
            if header:
                relocating = header.group(1)
                continue
            if relocating and current is not None:
                fields = line.split()
                if len(fields) == 3 and fields[0] != "OFFSET":
                    current["relocations"][relocating].append(re.sub(r"[+-]0x[0-9a-f]+$", "", fields[2]))
    return objects


def dead_functions(objects, extra_roots=()):
    # A node is one section of one object; a global name reaches every object's copy of it (inline functions).
    global_definitions = defaultdict(list)
    for index, obj in enumerate(objects):
        for number, _, storage, name in obj["symbols"]:
            if storage == 2 and number > 0:
                global_definitions[name].append((index, obj["sections"].get(number)))
    local_definitions = []
    for obj in objects:
        local = {}
        for number, _, storage, name in obj["symbols"]:
            if storage == 3 and number > 0:
                local.setdefault(name, obj["sections"].get(number))
        local_definitions.append(local)

    def targets(index, symbol):
        if symbol in local_definitions[index]:
            return [(index, local_definitions[index][symbol])]
        return global_definitions.get(symbol, [])

    pending = []
    for index, obj in enumerate(objects):
        for section in obj["sections"].values():
            if section.startswith(ROOT_SECTIONS):
                pending.append((index, section))
        for number, _, storage, name in obj["symbols"]:
            if storage == 2 and (name in ROOT_SYMBOLS or name in extra_roots) and number > 0:
                pending.append((index, obj["sections"].get(number)))
    live = set()
    while pending:
        node = pending.pop()
        if node in live or node[1] is None:
            continue
        live.add(node)
        index, section = node
        if section.startswith(NOT_CALLS):
            continue
        for symbol in objects[index]["relocations"].get(section, []):
            pending.extend(targets(index, symbol))

    dead = set()
    for index, obj in enumerate(objects):
        for number, kind, _, name in obj["symbols"]:
            section = obj["sections"].get(number)
            if kind == "20" and section and section.startswith(".text") and (index, section) not in live:
                if not any((other, section) in live for other, _ in global_definitions.get(name, [])):
                    dead.add(name)
    return sorted(dead)


def demangle_all(names):
    return subprocess.run(["c++filt"], input="\n".join(names), capture_output=True, text=True).stdout.split("\n")[:len(names)]


def main():
    objdump, kept_list, object_list = sys.argv[1:4]
    files = [line.strip() for line in open(object_list, encoding="utf-8") if line.strip()]
    kept = set()
    for line in open(kept_list, encoding="utf-8"):
        line = line.split("#", 1)[0].strip()
        if line:
            kept.add(line)
    objects = read_objects(objdump, files)
    defined = sorted({name for obj in objects for number, kind, storage, name in obj["symbols"] if kind == "20" and storage == 2})
    demangle = dict(zip(defined, demangle_all(defined)))
    kept_roots = {name for name in defined if demangle[name] in kept}
    dead_without_kept = {demangle.get(name, name) for name in dead_functions(objects)}
    demangled = demangle_all(dead_functions(objects, kept_roots))
    # The program's own functions; copies of library templates come and go with the optimiser.
    found = sorted(d for d in demangled if d.startswith(("wrenhollow::", "Wrenhollow")) and d not in kept)
    for name in found:
        print(f"no caller: {name}")
    stale = sorted(k for k in kept if k not in dead_without_kept)
    for name in stale:
        print(f"kept but called, or gone: {name}")
    return 1 if found or stale else 0


if __name__ == "__main__":
    sys.exit(main())
