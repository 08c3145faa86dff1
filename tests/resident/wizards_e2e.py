#!/usr/bin/python3
"""A macro made through the "Type Text and Keystrokes" Quick Wizard of the running program under
X11: the text typed into its memo, Ctrl+Alt+H pressed into its hotkey field, a nickname, Finish;
then the hotkey pressed in a test window, where the text must arrive.

Usage: wizards_e2e.py ORVANTA TARGET_APP (inside a D-Bus session, on a test display).
Clicks and typing are real input events; every step waits for what it expects, with a deadline.
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import editors_e2e as editors  # noqa: E402  (the target application and key helpers)
import main_window_e2e as e2e  # noqa: E402  (the shared helpers of the window tests)

CTRL_ALT_H = 144 + 7
CTRL_ALT_N = 144 + 13
TEXT = "Hello from a wizard"


def showing(form, role, name):
    """The control of that role and name on the wizard's current screen."""
    def visible():
        for acc in all_of(form, role, name):
            if acc.getState().contains(e2e.pyatspi.STATE_SHOWING):
                return acc
        return None
    return e2e.wait_for("%s %r on screen" % (role, name), visible)


def click(acc):
    """A real click in the middle of the control. "Next >" stays where it is from screen to
    screen, and xdotool's synchronous move waits for a motion that never comes when the pointer
    is there already: then it only clicks."""
    x, y, w, h = acc.queryComponent().getExtents(e2e.pyatspi.DESKTOP_COORDS)
    x, y = x + w // 2, y + h // 2
    where = subprocess.run(["xdotool", "getmouselocation", "--shell"], capture_output=True, text=True,
                           check=True).stdout.split()
    if "X=%d" % x in where and "Y=%d" % y in where:
        subprocess.run(["xdotool", "click", "1"], check=True)
    else:
        subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"], check=True)


def all_of(root, role, name):
    """Every descendant with that role and name; the rows of lists are not looked into (the
    hotkey list alone has 721)."""
    for child in root:
        if child is None:
            continue
        if child.getRoleName() == role and child.name == name:
            yield child
        if child.getRoleName() not in ("list", "table", "tree table"):
            yield from all_of(child, role, name)


def make_macro(program):
    click(showing(program.app, "page tab", "Quick Wizards"))
    click(showing(program.app, "push button", "Type Text and Keystrokes"))
    form = program.window("Quick Wizard: Type Text and Keystrokes")
    click(showing(form, "push button", "Next >"))

    memo = showing(form, "text", "Text")
    click(memo)
    e2e.type_text(TEXT)
    e2e.wait_for("the text in the memo", lambda: editors.text_of(memo) == TEXT)
    click(showing(form, "push button", "Next >"))
    showing(form, "radio button", "Hot Key")
    click(showing(form, "push button", "Next >"))

    field = showing(form, "text", "Hot key")
    e2e.wait_for("the hotkey field focused", lambda: field.getState().contains(e2e.pyatspi.STATE_FOCUSED))
    editors.key("ctrl+alt+h")
    e2e.wait_for("Ctrl+Alt+H in the hotkey field", lambda: editors.text_of(field) == "Ctrl+Alt+H")
    click(showing(form, "push button", "Next >"))
    showing(form, "radio button", "Play back in all programs")
    click(showing(form, "push button", "Next >"))

    click(showing(form, "text", "Macro Nickname"))
    e2e.type_text("wizard text")
    click(showing(form, "push button", "Finish"))
    e2e.wait_for("the wizard closed",
                 lambda: not any(all_of(program.app, "dialog", "Quick Wizard: Type Text and Keystrokes")))


def main():
    if not os.environ.get("DISPLAY"):
        print("no X display")
        sys.exit(1 if os.environ.get("ORVANTA_REQUIRE_DISPLAY") == "1" else 77)
    orvanta, target_app = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as home:
        path = os.path.join(home, "E2E.ORV")
        with open(path, "wb") as f:
            f.write(e2e.record("Other hotkey", CTRL_ALT_N))
        program = e2e.Program(orvanta, home, path)
        target = None
        try:
            make_macro(program)
            e2e.wait_for("the macro in the file", lambda: ("wizard text", CTRL_ALT_H) in e2e.records(path))

            target = editors.Target(target_app)
            subprocess.run(["xdotool", "windowactivate", "--sync", target.window], check=True)
            editors.key("ctrl+alt+h")
            target.wait_text(TEXT)
        finally:
            if target is not None:
                target.stop()
            status = program.stop()
        assert status == 0, "orvanta ended with status %d" % status
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
