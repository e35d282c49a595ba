"""What a screen reader finds in the running game, over the AT-SPI bus.

Run by bench/reader-check with the game's window id as argument; needs the
system's python3 (pyatspi lives there). Presses keys with xdotool and prints
what a reader is told after each: the status bar's announcements, the names
of the places that change and the place the focus moves to.
"""

import os
import subprocess
import sys

import pyatspi
from gi.repository import GLib

window = sys.argv[1]


def game():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "quintara":
            return app
    sys.exit("the game is not on the AT-SPI bus")


def role(acc):
    return acc.getRoleName()


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def walk(acc, depth=0):
    yield acc, depth
    for child in acc:
        if child is not None:
            yield from walk(child, depth + 1)


def print_windows(title):
    print(f"-- {title}: the windows of the game")
    for top in game():
        print(f"  {role(top)} | {top.name!r} | {'showing' if showing(top) else 'not showing'}")


def print_controls(top):
    """The controls a reader can reach: those showing, with role and name."""
    for acc, depth in walk(top):
        if depth == 0 or not showing(acc):
            continue
        if role(acc) in ("filler", "panel", "page tab list", "page tab", "label", "status bar"):
            continue
        print(f"  {'  ' * depth}{role(acc)} | {acc.name!r}")


heard = []


def listen(event):
    source = event.source
    if event.type.startswith("object:property-change:accessible-name"):
        if role(source) == "status bar":
            heard.append(f"  announced: {source.name}  [{event.type}]")
        elif role(source) == "table cell":
            heard.append(f"  place now: {source.name}")
    elif event.type.startswith("focus") or (event.type.endswith("focused") and event.detail1):
        if role(source) == "table cell":
            heard.append(f"  focus:     {source.name}")


def keys(*names):
    subprocess.run(["xdotool", "key", "--window", window, "--delay", "150", *names], check=True)


steps = []


def play(label, *names):
    def step():
        heard.append(f"after {label}:")
        keys(*names)
        return False
    steps.append(step)


def report():
    print("\n".join(heard))
    heard.clear()
    return False


def find_dialog():
    for top in game():
        if role(top) == "dialog" and showing(top):
            return top
    return None


def dialog_tab():
    """Prints the controls of the preferences' tab on show."""
    dialog = find_dialog()
    if dialog is None:
        print("-- the preferences are not open")
        return False
    # Visited from the first tab backwards: leaving the picture's tab checks
    # the picture's file, and its message would stand in the way.
    tabs = [acc.name for acc, _ in walk(dialog) if role(acc) == "page tab"]
    print(f"-- preferences, tab {tabs[-dialog_tab.shown % len(tabs)]!r}")
    print_controls(dialog)
    if os.environ.get("SHOTS"):
        subprocess.run(["import", "-window", "root", f"{os.environ['SHOTS']}/prefs-{dialog_tab.shown}.png"])
    dialog_tab.shown += 1
    return False


dialog_tab.shown = 0


def main():
    print_windows("before any dialog")
    table = next((acc for acc, _ in walk(game()) if role(acc) == "canvas"), None)
    if table is not None:
        print(f"-- the table {table.name!r}: {table.childCount} places")
        for place in table:
            print(f"  {role(place)} | {place.name}")
    pyatspi.Registry.registerEventListener(
        listen, "object:property-change:accessible-name", "focus:", "object:state-changed:focused")
    play("F2 (a new deal)", "F2")
    play("8, Space (the last column's card picked up)", "8", "space")
    play("Up, Left x7, Enter (dropped on the first free cell)", "Up", *["Left"] * 7, "Return")
    play("H (a hint)", "h")
    queue = []
    for step in steps:
        queue += [(step, 2500), (report, 100)]
    queue += [(lambda: keys("alt+g", "p") or False, 2000),
              (lambda: print_windows("the preferences open") or False, 100), (dialog_tab, 100)]
    for _ in range(3):
        queue += [(lambda: keys("ctrl+shift+Tab") or False, 1000), (dialog_tab, 100)]
    queue += [(lambda: keys("Escape") or False, 1500),
              (lambda: print_windows("after the preferences closed") or False, 100)]

    def run(index=0):
        if index == len(queue):
            pyatspi.Registry.stop()
            return False
        action, wait = queue[index]
        action()
        GLib.timeout_add(wait, run, index + 1)
        return False

    GLib.timeout_add(500, run)
    pyatspi.Registry.start()


main()
