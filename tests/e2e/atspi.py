#!/usr/bin/python3
"""Reaches Kelvane's widgets through the accessibility tree (AT-SPI), so that a session finds a
control by its accessible name instead of by a place on the screen.

    atspi.py focus PATH     gives the control keyboard focus
    atspi.py extents PATH   prints the control's "x y width height" on the screen
    atspi.py count PATH     prints how many children (list rows, ...) the control has
    atspi.py text PATH      prints the control's whole text (a document's, a label's)
    atspi.py dump           one line per control shown: role, name, text (tab-separated)
    atspi.py menu-item      prints the name of the menu item that has the keyboard in an open
                            menu (nothing when none has)

PATH is a chain of accessible names joined by ">": each name is looked for below the control
the previous one found (at any depth), e.g. "File browser pane>Splitter bar"; "#N" stands for
the previous control's child N (from 0), e.g. a list's row; "@ROLE" for the first control below
with that role, e.g. "build.log>@text" for a document's text. The control is
looked for again until it shows, for 20 seconds.
"""
import sys
import time

import pyatspi


def find(path):
    names = path.split(">")
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Kelvane":
            node = app
            for name in names:
                if name.startswith("@"):
                    node = pyatspi.findDescendant(
                        node, lambda n, role=name[1:]: n.getRoleName() == role, breadth_first=True)
                elif name.startswith("#"):
                    index = int(name[1:])
                    node = node.getChildAtIndex(index) if index < node.childCount else None
                else:
                    node = pyatspi.findDescendant(node, lambda n, name=name: n.name == name,
                                                  breadth_first=True)
                if node is None:
                    break
            if node is not None:
                return node
    return None


def text_of(node, limit=200):
    try:
        text = node.queryText()
        count = text.characterCount
        return text.getText(0, count if limit is None else min(count, limit))
    except Exception:  # no text interface, or the control went away meanwhile
        return ""


def dump(node, depth=0):
    if node is None or depth > 40:
        return
    try:
        showing = node.getState().contains(pyatspi.STATE_SHOWING)
        children = [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:  # the control went away meanwhile
        return
    if showing:
        print("\t".join([node.getRoleName(), node.name or "", text_of(node)]).replace("\n", " "))
    for child in children:
        dump(child, depth + 1)


def focused_menu_item(node, depth=0):
    if node is None or depth > 40:
        return None
    try:
        state = node.getState()
        # The menu bar's item stays focused while its menu is open: the item wanted is the
        # open menu's.
        if (node.getRoleName().endswith("menu item") and state.contains(pyatspi.STATE_SHOWING)
                and state.contains(pyatspi.STATE_FOCUSED)
                and node.parent.getRoleName() != "menu bar"):
            return node.name
        children = [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:  # the control went away meanwhile
        return None
    for child in children:
        found = focused_menu_item(child, depth + 1)
        if found is not None:
            return found
    return None


def main():
    if sys.argv[1:] == ["menu-item"]:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Kelvane":
                print(focused_menu_item(app) or "")
                return
        sys.exit("atspi.py: Kelvane is not in the accessibility tree")
    if sys.argv[1:] == ["dump"]:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Kelvane":
                dump(app)
                return
        sys.exit("atspi.py: Kelvane is not in the accessibility tree")
    if len(sys.argv) != 3 or sys.argv[1] not in ("focus", "extents", "count", "text"):
        sys.exit(__doc__)
    command, path = sys.argv[1:]
    deadline = time.monotonic() + 20
    while True:
        node = find(path)
        if node is not None:
            break
        if time.monotonic() > deadline:
            sys.exit(f"atspi.py: no control {path!r} in Kelvane's accessibility tree")
        time.sleep(0.2)
    if command == "count":
        print(node.childCount)
        return
    if command == "text":
        sys.stdout.write(text_of(node, None))
        return
    component = node.queryComponent()
    if command == "focus":
        if not component.grabFocus():
            sys.exit(f"atspi.py: {path!r} did not take the focus")
        # The focus is given on the program's own loop: wait until it says the control has it.
        while not node.getState().contains(pyatspi.STATE_FOCUSED):
            if time.monotonic() > deadline:
                sys.exit(f"atspi.py: {path!r} never showed the focus")
            time.sleep(0.05)
    else:
        box = component.getExtents(pyatspi.DESKTOP_COORDS)
        print(box.x, box.y, box.width, box.height)


if __name__ == "__main__":
    main()
