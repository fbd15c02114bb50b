#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
# Prints the description of the accessible named ARGV[1] in the running simulator, as
# a screen reader reads it over AT-SPI; exits 1 if it cannot be found within 10 s.
import sys
import time

import pyatspi


def find(node, name):
    try:
        if node.name == name:
            return node
        for i in range(node.childCount):
            found = find(node.getChildAtIndex(i), name)
            if found:
                return found
    except Exception:  # an accessible can vanish while it is walked
        pass
    return None


desktop = pyatspi.Registry.getDesktop(0)
for _ in range(50):
    for app in desktop:
        if app and "spektrion" in (app.name or "").lower():
            chart = find(app, sys.argv[1])
            if chart:
                print(chart.description.rstrip("\n"))
                sys.exit(0)
    time.sleep(0.2)
print("no accessible named", sys.argv[1], "in", [a.name for a in desktop if a], file=sys.stderr)
sys.exit(1)
