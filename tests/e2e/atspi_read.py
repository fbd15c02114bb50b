#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
# Prints the description of the accessible named ARGV[1] in the running simulator or
# quiz, as a screen reader reads it over AT-SPI; with --name, the whole name of the
# accessible whose name starts with ARGV[2]. Exits 1 if none is found within 10 s.
import sys
import time

import pyatspi


def find(node, name, by_start):
    try:
        if node.name == name or (by_start and (node.name or "").startswith(name)):
            return node
        for i in range(node.childCount):
            found = find(node.getChildAtIndex(i), name, by_start)
            if found:
                return found
    except Exception:  # an accessible can vanish while it is walked
        pass
    return None


by_start = sys.argv[1] == "--name"
wanted = sys.argv[-1]
desktop = pyatspi.Registry.getDesktop(0)
for _ in range(50):
    for app in desktop:
        if app and "spektrion" in (app.name or "").lower():
            found = find(app, wanted, by_start)
            if found:
                print(found.name if by_start else found.description.rstrip("\n"))
                sys.exit(0)
    time.sleep(0.2)
print("no accessible named", wanted, "in", [a.name for a in desktop if a], file=sys.stderr)
sys.exit(1)
