#!/usr/bin/python3
"""Reads Kelvane's accessibility tree (AT-SPI) for the end-to-end sessions.

  a11y.py dump              one line per object shown: role, name, text (tab-separated)
  a11y.py centre ROLE NAME  the screen point at the middle of the first shown object with
                            that role and name ("x y"), for xdotool to click
"""
import sys
import time

import pyatspi


def application(name="Kelvane", seconds=10):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name.lower() == name.lower():
                return app
        time.sleep(0.2)
    sys.exit("no accessible application named " + name)


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, min(text.characterCount, 200))
    except NotImplementedError:
        return ""
    except Exception:
        return ""


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    try:
        showing = node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return
    if showing:
        line = "\t".join([node.getRoleName(), node.name or "", text_of(node)])
        print(line.replace("\n", " "))
    for i in range(node.childCount):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        walk(child, depth + 1)


def find(node, role, name, depth=0):
    if node is None or depth > 40:
        return None
    try:
        if (node.getRoleName() == role and (node.name or "") == name
                and node.getState().contains(pyatspi.STATE_SHOWING)):
            return node
        children = [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:
        return None
    for child in children:
        found = find(child, role, name, depth + 1)
        if found is not None:
            return found
    return None


def main():
    if sys.argv[1:] == ["dump"]:
        walk(application())
    elif len(sys.argv) == 4 and sys.argv[1] == "centre":
        deadline = time.time() + 10
        while time.time() < deadline:
            node = find(application(), sys.argv[2], sys.argv[3])
            if node is not None:
                box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                print(box.x + box.width // 2, box.y + box.height // 2)
                return
            time.sleep(0.2)
        sys.exit("nothing shown with role %r and name %r" % (sys.argv[2], sys.argv[3]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
