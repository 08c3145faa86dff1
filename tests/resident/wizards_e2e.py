#!/usr/bin/python3
"""Macros made through Quick Wizards of the running program under X11, each played by its hotkey
in a test window. "Type Text and Keystrokes": the text typed into its memo, Ctrl+Alt+H pressed
into its hotkey field, a nickname, Finish. "Enter On-Line Sweepstakes": the wizard steps aside
while an entry is typed into the test window, comes back at the stop key, and gets Ctrl+Alt+J.

Usage: wizards_e2e.py ORVANTA TARGET_APP (inside a D-Bus session, on a test display).
Clicks and typing are real input events; every step waits for what it expects, with a deadline.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import editors_e2e as editors  # noqa: E402  (the target application and key helpers)
import main_window_e2e as e2e  # noqa: E402  (the shared helpers of the window tests)

CTRL_ALT_H = 144 + 7
CTRL_ALT_J = 144 + 9
TEXT = "Hello from a wizard"
ENTRY = "Jo Winner"


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


def by_hot_key(form, keys, name):
    """The activation screens of the common tail: Hot Key, `keys` pressed into the hotkey field
    (which then shows `name`), all programs."""
    showing(form, "radio button", "Hot Key")
    click(showing(form, "push button", "Next >"))
    field = showing(form, "text", "Hot key")
    e2e.wait_for("the hotkey field focused", lambda: field.getState().contains(e2e.pyatspi.STATE_FOCUSED))
    editors.key(keys)
    e2e.wait_for(name + " in the hotkey field", lambda: editors.text_of(field) == name)
    click(showing(form, "push button", "Next >"))
    showing(form, "radio button", "Play back in all programs")
    click(showing(form, "push button", "Next >"))


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
    by_hot_key(form, "ctrl+alt+h", "Ctrl+Alt+H")

    click(showing(form, "text", "Macro Nickname"))
    e2e.type_text("wizard text")
    click(showing(form, "push button", "Finish"))
    e2e.wait_for("the wizard closed",
                 lambda: not any(all_of(program.app, "dialog", "Quick Wizard: Type Text and Keystrokes")))


def typed_text_plays(session):
    make_macro(session.program)
    e2e.wait_for("the macro in the file", lambda: ("wizard text", CTRL_ALT_H) in e2e.records(session.path))
    editors.play(session.target(), "ctrl+alt+h", TEXT)


def sweepstakes_plays(session):
    program = session.program
    title = "Quick Wizard: Enter On-Line Sweepstakes"
    click(showing(program.app, "page tab", "Quick Wizards"))
    click(showing(program.app, "push button", "Enter On-Line Sweepstakes"))
    form = program.window(title)
    click(showing(form, "push button", "Next >"))
    showing(form, "label", "Enter an on-line sweepstakes with one hot key")
    click(showing(form, "push button", "Next >"))
    showing(form, "push button", "Launch Web Page")
    click(showing(form, "push button", "Next >"))

    # The wizard is out of the way while the entry is typed; the stop key brings it back.
    e2e.wait_for("the wizard out of the way", lambda: not any(
        d.getState().contains(e2e.pyatspi.STATE_SHOWING) for d in all_of(program.app, "dialog", title)))
    target = session.target()
    subprocess.run(["xdotool", "windowactivate", "--sync", target.window], check=True)
    e2e.type_text(ENTRY)
    target.wait_text(ENTRY)
    editors.key("ctrl+alt+shift+x")
    form = program.window(title)
    e2e.wait_for("the wizard back in front", lambda: form.getState().contains(e2e.pyatspi.STATE_ACTIVE))
    by_hot_key(form, "ctrl+alt+j", "Ctrl+Alt+J")
    click(showing(form, "text", "Macro Nickname"))
    e2e.type_text("sweeps")
    click(showing(form, "push button", "Next >"))
    click(showing(form, "push button", "Finish"))
    e2e.wait_for("the wizard closed", lambda: not any(all_of(program.app, "dialog", title)))
    e2e.wait_for("the macro in the file", lambda: ("sweeps", CTRL_ALT_J) in e2e.records(session.path))

    target.received = ""
    editors.play(target, "ctrl+alt+j", ENTRY + " ")


if __name__ == "__main__":
    editors.run([typed_text_plays, sweepstakes_plays])
