#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Reads Corvane's windows through AT-SPI, as a screen reader does: finds the
# running program on the accessibility bus, opens the product backlog and a
# sprint by pressing their buttons, and checks that every window is a frame
# with its title and that every button, list, row, combo box, menu item and
# editor has a name. Prints what it read and each fault; exits 1 on a fault,
# 2 when the program never showed up. Run by scripts/atspi-check.
import sys
import time

import pyatspi

INTERACTIVE = {"push button", "list", "list item", "combo box", "menu item", "text", "check box", "radio button"}


def find_app(timeout):
    deadline = time.time() + timeout
    while time.time() < deadline:
        # The list of programs is cached, and the cache follows only through
        # an event loop, which this script does not run.
        desktop = pyatspi.Registry.getDesktop(0)
        desktop.clear_cache()
        for app in desktop:
            if app is not None and app.name == "corvane":
                return app
        time.sleep(0.2)
    return None


def walk(node, depth, faults, lines):
    role = node.getRoleName()
    lines.append("  " * depth + role + " '" + (node.name or "") + "'")
    showing = node.getState().contains(pyatspi.STATE_SHOWING)
    if role in INTERACTIVE and showing and not (node.name or "").strip():
        faults.append("unnamed " + role + " under " + (node.parent.name or node.parent.getRoleName()))
    for child in node:
        if child is not None:
            walk(child, depth + 1, faults, lines)


def frames(app):
    app.clear_cache()
    return [w for w in app if w is not None and w.getRole() == pyatspi.ROLE_FRAME and w.name]


def press(app, name):
    def search(node):
        if node.getRoleName() == "push button" and node.name == name:
            return node
        for child in node:
            found = search(child) if child is not None else None
            if found:
                return found
        return None
    button = search(app)
    if button is None:
        return False
    button.queryAction().doAction(0)
    return True


def main():
    app = find_app(60)
    if app is None:
        print("atspi-check: corvane did not show up on the accessibility bus")
        return 2
    faults = []
    for button in ("Product backlog", "Sprint settings"):
        if not press(app, button):
            faults.append("no button " + button)
    # Corvane runs in a folder named planner; "New sprint" opens sprint 1.
    wanted = {"planner — Corvane", "Product Backlog", "Sprint 1 — Sprint settings"}
    deadline = time.time() + 30
    while time.time() < deadline and not wanted <= {w.name for w in frames(app)}:
        time.sleep(0.2)
    titles = {w.name for w in frames(app)}
    for title in sorted(wanted - titles):
        faults.append("no window " + title)
    lines = []
    for window in app:
        if window is not None and window.getState().contains(pyatspi.STATE_SHOWING):
            if window.getRole() != pyatspi.ROLE_FRAME:
                faults.append("window " + (window.name or "?") + " is a " + window.getRoleName())
            walk(window, 0, faults, lines)
    read = "\n".join(lines)
    for name in ("list 'Tasks'", "list 'Sprint tasks'", "menu item 'File'", "menu item 'Help'"):
        if name not in read:
            faults.append("nothing reads " + name)
    print(read)
    for fault in faults:
        print("FAULT: " + fault)
    print("atspi-check: %d fault(s)" % len(faults))
    return 1 if faults else 0


sys.exit(main())
