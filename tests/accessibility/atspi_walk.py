"""Walks r57cps as a screen reader does, over AT-SPI: every control that can take the
focus and is showing must have a role and a name, in the main window and in the windows
its menus open. Arguments: the application's name, then the captions of the menu items
to open in turn. Prints what it found; exits 1 when a control has no name."""
import sys
import time

import pyatspi

ESCAPE = 9  # the X key code of Escape


def wait_for(what, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None


def application(name):
    def look():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name and name in app.name:
                return app
    return wait_for(look)


def find(node, role, caption, depth=0):
    if node is None or depth > 25:
        return None
    try:
        if node.getRoleName() == role and node.name.startswith(caption):
            return node
        if node.getRoleName() in ("table", "tree table", "list"):
            return None
        for i in range(node.childCount):
            found = find(node.getChildAtIndex(i), role, caption, depth + 1)
            if found:
                return found
    except Exception:
        return None


def unnamed(window):
    missing, reached = [], [0]

    def walk(node, path, depth):
        if node is None or depth > 40:
            return
        try:
            states = node.getState()
            role = node.getRoleName()
        except Exception:
            return
        if states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_SHOWING):
            reached[0] += 1
            if not node.name or role in ("unknown", "invalid"):
                missing.append(f"{path}/{role}")
        if role in ("table", "tree table", "list"):
            return  # cells: named by the view
        for i in range(node.childCount):
            walk(node.getChildAtIndex(i), f"{path}/{role}", depth + 1)

    walk(window, "", 0)
    return reached[0], missing


def main():
    app = application(sys.argv[1])
    if app is None:
        print("the program did not appear on the accessibility bus")
        return 1
    failed = False
    frame = app.getChildAtIndex(0)
    for caption in [None] + sys.argv[2:]:
        window = frame
        if caption:
            item = find(frame, "menu item", caption)
            if item is None:
                print(f"no menu item '{caption}'")
                failed = True
                continue
            before = app.childCount
            item.queryAction().doAction(0)
            window = wait_for(lambda: app.childCount > before and
                              app.getChildAtIndex(app.childCount - 1), 10)
            if window is None:
                print(f"'{caption}' opened no window")
                failed = True
                continue
            time.sleep(0.5)
        reached, missing = unnamed(window)
        print(f"{window.name}: {reached} controls, {len(missing)} without a name {missing}")
        failed = failed or bool(missing) or reached == 0
        if caption:
            pyatspi.Registry.generateKeyboardEvent(ESCAPE, None, pyatspi.KEY_PRESSRELEASE)
            wait_for(lambda: app.childCount <= 1 or None, 5)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
