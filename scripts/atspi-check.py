#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Reads Corvane's windows through AT-SPI, as a screen reader does: finds the
# running program on the accessibility bus, opens the product backlog and a
# sprint by pressing their buttons and the sprint's burndown by its
# shortcut, and checks that every window is a frame with its title, that
# every button, list, row, combo box, menu item and editor has a name, and
# that the overview's rows, the velocity and the burndown's figures read as
# text. Prints what it read and each fault; exits 1 on a fault, 2 when the
# program never showed up. Run by scripts/atspi-check, in a folder that
# holds sprint 1, closed with two of its three tasks done.
import datetime
import subprocess
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
    described = " (" + node.description + ")" if node.description else ""
    lines.append("  " * depth + role + " '" + (node.name or "") + "'" + described)
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


# Waits until the program shows a frame of each title wanted; the titles
# shown.
def wait_for(app, wanted):
    deadline = time.time() + 30
    while time.time() < deadline and not wanted <= {w.name for w in frames(app)}:
        time.sleep(0.2)
    return {w.name for w in frames(app)}


# Every window shown, as the walk reads it; its faults go to faults.
def read_all(app, faults):
    lines = []
    app.clear_cache()
    for window in app:
        if window is not None and window.getState().contains(pyatspi.STATE_SHOWING):
            if window.getRole() != pyatspi.ROLE_FRAME:
                faults.append("window " + (window.name or "?") + " is a " + window.getRoleName())
            walk(window, 0, faults, lines)
    return "\n".join(lines)


def main():
    app = find_app(60)
    if app is None:
        print("atspi-check: corvane did not show up on the accessibility bus")
        return 2
    faults = []
    for button in ("Product backlog", "Sprint settings"):
        if not press(app, button):
            faults.append("no button " + button)
    # Corvane runs in a folder named planner; "New sprint" makes sprint 2,
    # which starts today, after sprint 1.
    wanted = {"planner — Corvane", "Product Backlog", "Sprint 2 — Sprint settings"}
    wait_for(app, wanted)
    # The sprint window has the keyboard once the X server gives it.
    subprocess.run(["xdotool", "search", "--name", "^Sprint 2 — Sprint settings$", "windowfocus", "--sync",
                    "key", "ctrl+b"], check=False)
    wanted.add("Sprint 2 — Burndown")
    titles = wait_for(app, wanted)
    for title in sorted(wanted - titles):
        faults.append("no window " + title)
    # The overview fills in once the sprints are read.
    rows = ("'Sprint 1 (closed), 2026-11-01 – 2026-11-14, goal: Ship the importer, 2 of 3 done'",
            "'Sprint 2 (current), " + datetime.date.today().isoformat())
    deadline = time.time() + 30
    while time.time() < deadline and not all(row in read_all(app, []) for row in rows):
        time.sleep(0.2)
    read = read_all(app, faults)
    expected = ("list 'Tasks'", "list 'Sprint tasks'", "menu item 'File'", "menu item 'Help'",
                "'Sprints at a glance'", "'Velocity: tasks finished in each closed sprint' (sprint 1: 2 finished)",
                "'Burndown chart of sprint 2'", "'Burndown figures'",
                "'" + datetime.date.today().isoformat() + "'") + rows
    for name in expected:
        if name not in read:
            faults.append("nothing reads " + name)
    print(read)
    for fault in faults:
        print("FAULT: " + fault)
    print("atspi-check: %d fault(s)" % len(faults))
    return 1 if faults else 0


sys.exit(main())
