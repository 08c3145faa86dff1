#!/usr/bin/python3
"""The main window of the real program under X11, driven as a user would through the
accessibility bus: sort by a right click on a column header, remove a macro after its question,
rename a macro onto a hotkey another Global macro has (refused), then check the macro file.

Usage: main_window_e2e.py ORVANTA (inside a D-Bus session, on a test display).
Clicks and typing are real input events; every step waits for what it expects, with a deadline.
"""
import os
import signal
import struct
import subprocess
import sys
import tempfile
import time

import pyatspi

DEADLINE = 20.0
RECORD = 5165


def wait_for(what, check, deadline=DEADLINE):
    end = time.monotonic() + deadline
    while time.monotonic() < end:
        try:
            value = check()
        except Exception:  # an accessible object that went away while it was looked at
            value = None
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def record(nick, code, shortkey=""):
    """A macro record as the program stores it: Global, active, with some text."""
    r = bytearray(RECORD)
    for offset, text, size in ((0, nick, 50), (82, shortkey, 10), (5101, "MAIN", 12)):
        data = text.encode("cp1252")[:size]
        r[offset] = len(data)
        r[offset + 1:offset + 1 + len(data)] = data
    struct.pack_into("<hhB", r, 93, code, 1, 1)
    text = nick.encode("cp1252")
    r[100:100 + len(text)] = text
    return bytes(r)


def records(path):
    """(nickname, hotkey code) of every macro in the file."""
    data = open(path, "rb").read()
    assert len(data) % RECORD == 0, "the macro file is not a whole number of records"
    out = []
    for i in range(0, len(data), RECORD):
        r = data[i:i + RECORD]
        out.append((r[1:1 + r[0]].decode("cp1252"), struct.unpack_from("<h", r, 93)[0]))
    return out


def find(root, role, name=None):
    """The first descendant with that role (and name), depth first."""
    for child in root:
        if child is None:
            continue
        if child.getRoleName() == role and (name is None or child.name == name):
            return child
        found = find(child, role, name)
        if found is not None:
            return found
    return None


def click(acc, button=1):
    x, y, w, h = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", str(button)],
                   check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)


class Program:
    def __init__(self, orvanta, home, macro_file):
        self._next_activation = time.monotonic() + 2.0
        env = dict(os.environ, ORVANTA_HOME=home, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                   XDG_RUNTIME_DIR=os.path.join(home, "runtime"))
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
        # Not a first start: the first-time set-up would come up over the main window.
        ini = os.path.join(home, "ORVANTA.INI")
        if not os.path.exists(ini):
            with open(ini, "w", encoding="cp1252") as f:
                f.write("[Misc]\nFirst Use=No\n")
        self.process = subprocess.Popen([orvanta, "/F", macro_file], env=env)
        try:
            self.app = wait_for("the program on the accessibility bus", self._app)
            self.table = wait_for("the macro list", lambda: find(self.app, "table", "Macros"))
            # Input reaches the window once it is the active one; a loaded machine's window
            # manager may take on a new window only seconds after it was mapped, so it is asked
            # again until then.
            wait_for("the main window active", self._activated)
            wait_for("the list on screen", lambda: self.table.getState().contains(pyatspi.STATE_SHOWING))
        except BaseException:
            # A program left running keeps its hotkeys grabbed on the display for every test after.
            self.kill()
            raise

    def _app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Orvanta 99" and app.get_process_id() == self.process.pid:
                return app
        return None

    def _activated(self):
        if any(frame.getState().contains(pyatspi.STATE_ACTIVE) for frame in self.app
               if frame is not None and frame.getRoleName() == "frame"):
            return True
        now = time.monotonic()
        if now >= self._next_activation:
            self._next_activation = now + 0.5
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid)],
                                   capture_output=True, text=True)
            for window in found.stdout.split():
                subprocess.run(["xdotool", "windowactivate", window], capture_output=True)
        return False

    def kill(self):
        self.process.kill()
        self.process.wait()

    def window(self, title):
        return wait_for("the window " + title, lambda: find(self.app, "dialog", title) or
                        find(self.app, "alert", title))

    def column(self, col):
        t = self.table.queryTable()
        return [t.getAccessibleAt(r, col).name for r in range(t.nRows)]

    def cell(self, nickname, col=3):
        t = self.table.queryTable()
        for r in range(t.nRows):
            if t.getAccessibleAt(r, 3).name == nickname:
                return t.getAccessibleAt(r, col)
        raise AssertionError("no row for " + nickname)

    def header(self, col):
        return self.table.queryTable().getColumnHeader(col)

    def speed_button(self, name):
        return find(find(self.app, "tool bar", "Speed buttons"), "push button", name)

    def stop(self):
        self.process.send_signal(signal.SIGTERM)
        try:
            return self.process.wait(timeout=DEADLINE)
        except subprocess.TimeoutExpired:
            self.kill()
            raise


def main():
    if not os.environ.get("DISPLAY"):
        print("no X display")
        sys.exit(1 if os.environ.get("ORVANTA_REQUIRE_DISPLAY") == "1" else 77)
    orvanta = sys.argv[1]
    with tempfile.TemporaryDirectory() as home:
        path = os.path.join(home, "E2E.ORV")
        # "Bench hotkey" on Ctrl+Alt+N and "Bench ShortKey" (both Global), a ShortKey "zk000" and
        # "Letter 001" without activation; the program adds the four system macros when it loads.
        with open(path, "wb") as f:
            f.write(record("Bench hotkey", 144 + 13) + record("Bench ShortKey", 20000, "qq") +
                    record("Abbreviation zk000", 20000, "zk000") + record("Letter 001", 30000))
        program = Program(orvanta, home, path)
        try:
            # Sort by nickname with a right click on its header; the order is saved.
            click(program.header(3), 3)
            wanted = sorted(program.column(3), key=str.upper)
            wait_for("the list sorted by nickname", lambda: program.column(3) == wanted)
            ini = os.path.join(home, "ORVANTA.INI")
            wait_for("the sort order saved", lambda: "Primary Sort=213" in open(ini, encoding="cp1252").read())

            # Remove "Letter 001": the question first, then the file has one macro less.
            click(program.cell("Letter 001"))
            click(program.speed_button("Delete Macro"))
            question = program.window("Delete")
            assert find(question, "label", "Are you sure you want to remove this macro?") is not None
            click(find(question, "push button", "Yes"))
            wait_for("the macro removed", lambda: len(records(path)) == 7)
            assert "Letter 001" not in [n for n, _ in records(path)]
            wait_for("the list without it", lambda: "Letter 001" not in program.column(3))

            # Rename "Bench ShortKey" onto Ctrl+Alt+N, which the Global "Bench hotkey" has: refused.
            before = open(path, "rb").read()
            click(program.cell("Bench ShortKey"))
            click(program.speed_button("Rename Macro"))
            form = program.window("Move Hot Key")
            assert find(form, "label", "MOVE qq TO") is not None
            hotkeys = find(form, "list", "Hot keys")
            # Typing in the list goes to the first hotkey whose row begins with the text.
            click(hotkeys)
            type_text("Ctrl+Alt+N")
            wait_for("Ctrl+Alt+N chosen", lambda: "Ctrl+Alt+N  (1 macro in use)" in [
                item.name for item in hotkeys if item is not None and item.getState().contains(pyatspi.STATE_FOCUSED)])
            click(find(form, "push button", "Ok"))
            refusal = program.window("Error")
            assert find(refusal, "label", "A \"GLOBAL\" or \"POPUP MENU\" hot key already exists for this "
                        "selection. The \"MOVE\" did not take place.") is not None
            click(find(refusal, "push button", "OK"))
            click(find(form, "push button", "Cancel"))
            wait_for("the form closed", lambda: find(program.app, "dialog", "Move Hot Key") is None)
            assert open(path, "rb").read() == before, "a refused rename changed the file"
            assert ("Bench ShortKey", 20000) in records(path)
        finally:
            status = program.stop()
        assert status == 0, "orvanta ended with status %d" % status
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
