#!/usr/bin/env bash
# Runs the screenshot tour (tabrel-screenshots, built beside tabrel) under Xvfb: it walks the windows (start dialog, home page of an empty and of the example
# school, the automatic-scheduling page before and after a run, both timetable panels, the grades-and-
# classes panel and the class-grid definition panel with their dialogs, the subjects panel with its
# rule windows, the teacher page with its group dialogs, the assignment page and its teacher summary,
# both views of the manual scheduling panel in both modes with a swap pending, the master timetable
# in its three styles with its class choice and print preview, the master assignment table and its
# distribution) and saves a PNG of each under BUILD/screenshots/.
#   scripts/screenshot.sh [BUILD]      (default: build)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-build}"
case "$build" in /*) ;; *) build="$here/$build" ;; esac
out="$build/screenshots"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

school="$work/示例学校.qtf"
"$build/tabrel-cli" build "$here/examples/middle-school.json" -o "$school"

run() { "$build/tabrel-screenshots" "$out" "$school"; }
if command -v xvfb-run >/dev/null 2>&1; then
  xvfb-run -a -s "-screen 0 1400x900x24" "$build/tabrel-screenshots" "$out" "$school"
else
  echo "xvfb-run not found: using Qt's offscreen platform" >&2
  QT_QPA_PLATFORM=offscreen run
fi
echo "screenshots in $out"
