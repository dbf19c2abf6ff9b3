#!/usr/bin/python3
"""What a screen reader finds on the desktop's accessibility bus (AT-SPI) in the running program.

Run by atspi.sh inside its own X server and session bus. Walks the login window's accessible tree,
types the password and Enter as keyboard events, then walks the start menu, and then the slip editor,
opened from the keyboard alone. Every control that takes the focus or can be pressed must have a
name; every window a title. Exits non-zero with the unnamed controls listed.
"""

import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

PRESSABLE = {"push button", "check box", "toggle button", "radio button", "combo box", "text", "password text",
             "list", "table", "tree table", "spin button", "calendar"}


def application(name, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name:
                return app
        time.sleep(0.2)
    return None


def showing_windows(app):
    windows = []
    for i in range(app.get_child_count()):
        window = app.get_child_at_index(i)
        if window is not None and window.get_state_set().contains(Atspi.StateType.SHOWING):
            windows.append(window)
    return windows


def wait_for_window(app, title_part, timeout=15.0):
    end = time.time() + timeout
    while time.time() < end:
        for window in showing_windows(app):
            if title_part in (window.get_name() or ""):
                return window
        time.sleep(0.2)
    return None


def unnamed(node, path="", found=None):
    if found is None:
        found = []
    role = node.get_role_name()
    states = node.get_state_set()
    name = (node.get_name() or "").strip()
    here = f"{path}/{role}"
    if states.contains(Atspi.StateType.SHOWING) and (
            states.contains(Atspi.StateType.FOCUSABLE) or role in PRESSABLE) and not name:
        found.append(here)
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            unnamed(child, f"{here}[{i}]", found)
    return found


def labels_that_act(node, path="", found=None):
    """Focusable nodes a screen reader would call a label or a picture: commands it cannot press."""
    if found is None:
        found = []
    role = node.get_role_name()
    states = node.get_state_set()
    here = f"{path}/{role}:{node.get_name()}"
    if states.contains(Atspi.StateType.SHOWING) and states.contains(Atspi.StateType.FOCUSABLE) and role in (
            "label", "image", "icon"):
        found.append(here)
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            labels_that_act(child, here if path else role, found)
    return found


def count_controls(node):
    states = node.get_state_set()
    n = 1 if states.contains(Atspi.StateType.SHOWING) and states.contains(Atspi.StateType.FOCUSABLE) else 0
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            n += count_controls(child)
    return n


def check(window, label, minimum, problems):
    if window is None:
        problems.append(f"{label}: the window never appeared")
        return
    if not (window.get_name() or "").strip():
        problems.append(f"{label}: the window has no title")
    missing = unnamed(window)
    if missing:
        problems.append(f"{label}: controls without a name: " + ", ".join(missing))
    if window.get_role_name() == "filler":
        problems.append(f"{label}: the window is a filler")
    acting = labels_that_act(window)
    if acting:
        problems.append(f"{label}: commands shown as labels or pictures: " + ", ".join(acting))
    controls = count_controls(window)
    if controls < minimum:
        problems.append(f"{label}: only {controls} focusable controls seen, expected at least {minimum}")
    print(f"{label}: '{window.get_name()}', {controls} focusable controls, {len(missing)} without a name")


# Keys go through the X server's test extension, as a keyboard's would.
def focused(node):
    if node.get_state_set().contains(Atspi.StateType.FOCUSED):
        return node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            hit = focused(child)
            if hit is not None:
                return hit
    return None


def tab_to(window, name_part, limit=20):
    """Tab until the screen reader announces a control whose name holds name_part."""
    for _ in range(limit):
        time.sleep(0.2)
        hit = focused(window)
        if hit is not None and name_part.lower() in (hit.get_name() or "").lower():
            return True
        press("Tab")
    return False


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "30", text], check=True)


def press(*keys):
    subprocess.run(["xdotool", "key", "--delay", "80", *keys], check=True)
    time.sleep(0.2)


def main():
    problems = []
    app = application("Tassella")
    if app is None:
        print("Tassella never appeared on the accessibility bus")
        return 1
    login = wait_for_window(app, "Autenticazione")
    check(login, "login", 4, problems)
    # Only the keyboard from here on: the password, Enter, and the start menu's own keys.
    type_text("tassella")
    press("Return")
    menu = wait_for_window(app, "Tasse Concessioni Governative")
    check(menu, "start menu", 3, problems)
    if menu is not None:
        if tab_to(menu, "bollettini"):
            press("Return")
            editor = wait_for_window(app, "Compilazione e stampa bollettini")
            check(editor, "slip editor, year panel", 1, problems)
            # The year shown is this year's: Enter moves to "Apri", Enter opens it.
            press("Return", "Return")
            time.sleep(0.5)
            check(editor, "slip editor", 25, problems)
        else:
            problems.append("start menu: Tab never reached the slip area")
    for line in problems:
        print(line)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
