#!/usr/bin/python3
"""A macro made through the real windows of the running program under X11: "Add Macro" with
Ctrl+Alt+H pressed into its hotkey field, the direct editor with "Hello" typed into it, then
the hotkey pressed in a test window, where "Hello" must arrive. While the editor is open another
macro's hotkey types nothing into it.

Usage: editors_e2e.py ORVANTA TARGET_APP (inside a D-Bus session, on a test display).
Clicks and typing are real input events; every step waits for what it expects, with a deadline.
"""
import os
import select
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import main_window_e2e as e2e  # noqa: E402  (the shared helpers of the window tests)

CTRL_ALT_H = 144 + 7
CTRL_ALT_N = 144 + 13


def key(*keys):
    subprocess.run(["xdotool", "key", "--delay", "30"] + list(keys), check=True)


def text_of(acc):
    t = acc.queryText()
    return t.getText(0, t.characterCount)


class Target:
    """The test application: one window with a text field; collects the text it receives."""

    def __init__(self, path, title="Editors Target"):
        self.process = subprocess.Popen([path, "--window", title], stdout=subprocess.PIPE,
                                        env=dict(os.environ, QT_QPA_PLATFORM="xcb"))
        self.buffer = b""
        self.received = ""
        line = self.wait_line(lambda l: l.startswith("window 0 "))
        self.window = line.split()[2]

    def wait_line(self, match, deadline=e2e.DEADLINE):
        end = time.monotonic() + deadline
        while time.monotonic() < end:
            while b"\n" in self.buffer:
                raw, self.buffer = self.buffer.split(b"\n", 1)
                line = raw.decode()
                parts = line.split()
                if parts[:2] == ["key", "0"] and parts[2] != "-":
                    self.received += bytes.fromhex(parts[2]).decode()
                if match(line):
                    return line
            ready, _, _ = select.select([self.process.stdout], [], [], 0.1)
            if ready:
                chunk = os.read(self.process.stdout.fileno(), 4096)
                if not chunk:
                    break
                self.buffer += chunk
        raise AssertionError("timed out waiting for the target application")

    def wait_text(self, text):
        self.wait_line(lambda _: self.received == text or not text.startswith(self.received))
        assert self.received == text, "the target received %r, not %r" % (self.received, text)

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=e2e.DEADLINE)


def add_hello(program):
    """Add Macro, Ctrl+Alt+H pressed into the hotkey field, Enter Directly, "Hello", Update."""
    e2e.click(program.speed_button("Add Macro"))
    form = program.window("Add Macro")
    field = e2e.wait_for("the hotkey field", lambda: e2e.find(form, "text", "Hot key"))
    e2e.wait_for("the hotkey field focused", lambda: field.getState().contains(e2e.pyatspi.STATE_FOCUSED))
    key("ctrl+alt+h")
    e2e.wait_for("Ctrl+Alt+H in the hotkey field", lambda: text_of(field) == "Ctrl+Alt+H")
    e2e.click(e2e.find(form, "push button", "Enter Directly"))

    editor = program.window("Modify Hot Key  (GLOBAL)")
    e2e.click(e2e.wait_for("the nickname field", lambda: e2e.find(editor, "text", "Nickname")))
    e2e.type_text("greeting")
    memo = e2e.find(editor, "text", "Macro text")
    e2e.click(memo)
    e2e.type_text("Hello")
    # The keyboard hook is off while the editor is open: another macro's hotkey types nothing.
    key("ctrl+alt+n")
    e2e.type_text("!")
    e2e.wait_for("the typed text in the memo", lambda: text_of(memo).endswith("!"))
    assert text_of(memo) == "Hello!", "the memo holds %r" % text_of(memo)
    key("BackSpace")
    e2e.wait_for("the memo holding Hello", lambda: text_of(memo) == "Hello")
    e2e.click(e2e.find(editor, "push button", "Update"))
    e2e.wait_for("the editor closed", lambda: e2e.find(program.app, "dialog", "Modify Hot Key  (GLOBAL)") is None)


def play(target, keys, text):
    """`keys` pressed in the test window make `text` arrive there."""
    subprocess.run(["xdotool", "windowactivate", "--sync", target.window], check=True)
    key(keys)
    target.wait_text(text)


class Session:
    """What the tests that make a macro through the program's windows share: orvanta on a macro
    file holding one other macro ("Other hotkey", Ctrl+Alt+N), and the test window, started when
    a test first asks for it. Both are stopped however the test ends."""

    def __init__(self, orvanta, target_app, home):
        self.path = os.path.join(home, "E2E.ORV")
        with open(self.path, "wb") as f:
            f.write(e2e.record("Other hotkey", CTRL_ALT_N))
        self.program = e2e.Program(orvanta, home, self.path)
        self._target_app = target_app
        self._target = None

    def target(self):
        if self._target is None:
            self._target = Target(self._target_app)
        return self._target

    def stop(self):
        if self._target is not None:
            self._target.stop()
        return self.program.stop()


def run(tests):
    """Runs each of `tests` (a function of a Session) against a program of its own; usage:
    SCRIPT ORVANTA TARGET_APP. Without a display the tests are skipped (exit status 77) unless
    ORVANTA_REQUIRE_DISPLAY=1."""
    if not os.environ.get("DISPLAY"):
        print("no X display")
        sys.exit(1 if os.environ.get("ORVANTA_REQUIRE_DISPLAY") == "1" else 77)
    orvanta, target_app = sys.argv[1], sys.argv[2]
    for test in tests:
        with tempfile.TemporaryDirectory() as home:
            session = Session(orvanta, target_app, home)
            try:
                test(session)
            finally:
                status = session.stop()
            assert status == 0, "orvanta ended with status %d" % status
    print("%d passed, 0 failed" % len(tests))


def hello_plays(session):
    add_hello(session.program)
    e2e.wait_for("the macro in the file", lambda: ("greeting", CTRL_ALT_H) in e2e.records(session.path))
    assert "greeting" in session.program.column(3)
    play(session.target(), "ctrl+alt+h", "Hello")


if __name__ == "__main__":
    run([hello_plays])
