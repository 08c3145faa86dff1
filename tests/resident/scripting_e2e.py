#!/usr/bin/python3
"""A macro built line by line in the Scripting Editor of the running program under X11: "Add
Macro" with Ctrl+Alt+J pressed into its hotkey field, "Scripting Editor", a "Wait For Window
Title" line made in its command form, a "Text" line typed in the keystroke editor ending with
Enter, "Save". Then the hotkey is pressed while a test window has the focus: the macro waits for
that window's title and types the text into it.

Usage: scripting_e2e.py ORVANTA TARGET_APP (inside a D-Bus session, on a test display).
Clicks and typing are real input events; every step waits for what it expects, with a deadline.
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import editors_e2e as editors  # noqa: E402  (the test window and key helpers)
import main_window_e2e as e2e  # noqa: E402  (the shared helpers of the window tests)

CTRL_ALT_J = 144 + 9
EDITOR = "Macro Scripting Editor  (GLOBAL)"


def choose_and_add(editor, label):
    """Selects `label` in the command list by typing it there, as a keyboard user does, and
    presses "Add"."""
    commands = e2e.wait_for("the command list", lambda: e2e.find(editor, "list", "Commands"))
    item = e2e.wait_for(label + " in the command list", lambda: e2e.find(commands, "list item", label))
    editors.key("alt+m")
    e2e.wait_for("the command list focused", lambda: commands.getState().contains(e2e.pyatspi.STATE_FOCUSED))
    e2e.type_text(label)
    e2e.wait_for(label + " selected", lambda: item.getState().contains(e2e.pyatspi.STATE_SELECTED))
    e2e.click(e2e.find(editor, "push button", "Add"))


def build_macro(program):
    e2e.click(program.speed_button("Add Macro"))
    form = program.window("Add Macro")
    field = e2e.wait_for("the hotkey field", lambda: e2e.find(form, "text", "Hot key"))
    e2e.wait_for("the hotkey field focused", lambda: field.getState().contains(e2e.pyatspi.STATE_FOCUSED))
    editors.key("ctrl+alt+j")
    e2e.wait_for("Ctrl+Alt+J in the hotkey field", lambda: editors.text_of(field) == "Ctrl+Alt+J")
    e2e.click(e2e.find(form, "push button", "Scripting Editor"))

    editor = program.window(EDITOR)
    e2e.click(e2e.wait_for("the nickname field", lambda: e2e.find(editor, "text", "Nickname")))
    e2e.type_text("waiter")

    choose_and_add(editor, "Wait For Window Title")
    wait = program.window("Wait For")
    e2e.click(e2e.wait_for("the title field", lambda: e2e.find(wait, "text", "Window Title")))
    e2e.type_text("Scripting Target")
    e2e.click(e2e.find(wait, "push button", "Ok"))

    choose_and_add(editor, "Text")
    keys = program.window("Enter Keystrokes")
    memo = e2e.wait_for("the keystroke memo", lambda: e2e.find(keys, "text", "Keystrokes"))
    e2e.click(memo)
    e2e.type_text("ok<ENTER>")
    e2e.wait_for("the typed text in the memo", lambda: editors.text_of(memo) == "ok<ENTER>")
    e2e.click(e2e.find(keys, "push button", "Update"))

    script = e2e.find(editor, "list", "Macro Script")
    e2e.wait_for("two script lines", lambda: script.childCount == 2)
    lines = [script.getChildAtIndex(i).name for i in range(script.childCount)]
    assert lines == ["Wait For Window Title: Scripting Target", "Text: ok<ENTER>"], lines
    e2e.click(e2e.find(editor, "push button", "Save"))
    e2e.wait_for("the editor closed", lambda: e2e.find(program.app, "dialog", EDITOR) is None)


def main():
    if not os.environ.get("DISPLAY"):
        print("no X display")
        sys.exit(1 if os.environ.get("ORVANTA_REQUIRE_DISPLAY") == "1" else 77)
    orvanta, target_app = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as home:
        path = os.path.join(home, "E2E.ORV")
        with open(path, "wb") as f:
            f.write(e2e.record("Other hotkey", editors.CTRL_ALT_N))
        program = e2e.Program(orvanta, home, path)
        target = None
        try:
            build_macro(program)
            e2e.wait_for("the macro in the file", lambda: ("waiter", CTRL_ALT_J) in e2e.records(path))

            target = editors.Target(target_app, "Scripting Target")
            subprocess.run(["xdotool", "windowactivate", "--sync", target.window], check=True)
            editors.key("ctrl+alt+j")
            target.wait_text("ok\r")
        finally:
            if target is not None:
                target.stop()
            status = program.stop()
        assert status == 0, "orvanta ended with status %d" % status
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
