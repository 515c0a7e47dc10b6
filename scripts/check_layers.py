#!/usr/bin/env python3
"""Fails (exit 1, one line per offence) when an #include in src/ runs back up the layers.

Core, bottom to top: data; scheduling; views (the shared view pieces); setup, manual, output and
term side by side; app. A core folder includes only itself and the folders below it, and never
ui, render or cli. render includes only the core. On the Qt side ui/widgets (the shared helpers)
includes only the core, render and itself; the panel folders (ui/setup, ui/manual, ui/output,
ui/scheduling, ui/term) include those and one another but not ui/app, the top, which may include
everything. cli includes the core and render."""
import pathlib
import re
import sys

CORE = {"data": 0, "scheduling": 1, "views": 2, "setup": 3, "manual": 3, "output": 3, "term": 3, "app": 4}
UI_PANELS = {"setup", "manual", "output", "scheduling", "term"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/(?:([a-z]+)/)?[A-Za-z0-9_]+\.h"', re.M)


def allowed(src_parts, inc_top, inc_sub):
    top = src_parts[0]
    if top in CORE:
        return inc_top in CORE and (inc_top == top or CORE[inc_top] < CORE[top])
    if top == "render":
        return inc_top in CORE or inc_top == "render"
    if top == "cli":
        return inc_top in CORE or inc_top in ("render", "cli")
    if top == "ui":
        if inc_top != "ui":
            return inc_top in CORE or inc_top == "render"
        area = src_parts[1] if len(src_parts) > 2 else ""
        if area == "app" or area == "":
            return True
        if area == "widgets":
            return inc_sub == "widgets"
        if area in UI_PANELS:
            return inc_sub == "widgets" or inc_sub in UI_PANELS
        return False
    return True


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    src = root / "src"
    offences = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        parts = path.relative_to(src).parts
        text = path.read_text(encoding="utf-8", errors="replace")
        for m in INCLUDE.finditer(text):
            inc_top, inc_sub = m.group(1), m.group(2)
            if inc_top == "ui" and inc_sub is None:
                continue
            if not allowed(parts, inc_top, inc_sub):
                line = text.count("\n", 0, m.start()) + 1
                target = inc_top + "/" + (inc_sub + "/" if inc_sub else "")
                offences.append(f"{path.relative_to(root)}:{line}: includes {target}…, which lies above it")
    for o in offences:
        print(o)
    return 1 if offences else 0


if __name__ == "__main__":
    sys.exit(main())
