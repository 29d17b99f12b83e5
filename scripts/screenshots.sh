#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Corvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders every window and dialog with sample data to PNG files, once at the
# default 96 dpi and once at a desktop font setting of 144 dpi (150 %), into
# <output directory>/96dpi and <output directory>/144dpi.
# Usage: scripts/screenshots.sh [build directory] [output directory]
# Under a virtual X server when there is one, since that gives the fonts a
# plain X11 desktop gives; otherwise offscreen, whose default font is larger.
set -e
build=${1:-build}
out=${2:-$build/screenshots}
tool="$build/tools/screenshots"
if [ ! -x "$tool" ]; then
    echo "screenshots.sh: $tool is missing; build first" >&2
    exit 1
fi
for dpi in 96 144; do
    if command -v xvfb-run >/dev/null 2>&1; then
        QT_FONT_DPI=$dpi QT_QPA_PLATFORM=xcb xvfb-run -a "$tool" "$out/${dpi}dpi"
    else
        QT_FONT_DPI=$dpi QT_QPA_PLATFORM=offscreen "$tool" "$out/${dpi}dpi"
    fi
done
