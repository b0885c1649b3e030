"""Runs the three techniques in the desktop window from the keyboard alone and
reads, as a screen reader does, each completion time and the run's end from
the window's accessibility tree (AT-SPI).

usage: run_desktop_test.sh SWITCHSIM   (under Xvfb and a session bus; see there)
"""
import os
import re
import subprocess
import sys
import tempfile
import time
import unittest
import warnings

import pyatspi
from gi.repository import GLib

# pyatspi's own calls into the library it wraps are deprecated there.
warnings.simplefilter("ignore", DeprecationWarning)

PROGRAM = sys.argv.pop(1) if len(sys.argv) > 1 else "build-test/app/switchsim"
WAIT_S = 120  # generous: the machine may be slow and loaded
STARTS = 3
# Each technique's value in continuous time at the defaults. A packet run's
# completion depends on its seed; the others' take no random numbers.
FORMULAS = [("Message", 6750), ("Circuit", 6050), ("Packet", 4050)]


def find_app():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "switchsim":
            return app
    return None


def nodes(root):
    yield root
    for i in range(root.childCount):
        child = root.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def names(app, role):
    return [node.name for node in nodes(app) if node.getRoleName() == role]


CONTROL_MASK = 1 << 2


def press(keysym_name, control=False):
    keysym = {"Tab": 0xFF09, "Down": 0xFF54, "F5": 0xFFC2, "F6": 0xFFC3, "space": 0x20,
              "minus": 0x2D, "equal": 0x3D}[keysym_name]
    if control:
        pyatspi.Registry.generateKeyboardEvent(CONTROL_MASK, None, pyatspi.KEY_LOCKMODIFIERS)
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
    if control:
        pyatspi.Registry.generateKeyboardEvent(CONTROL_MASK, None, pyatspi.KEY_UNLOCKMODIFIERS)


def pump_until(condition, what):
    """Lets the accessibility bus's events arrive until `condition` holds."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + WAIT_S
    while not condition():
        if time.monotonic() > deadline:
            raise AssertionError(f"waited {WAIT_S} s for {what}")
        while context.pending():
            context.iteration(False)
        time.sleep(0.05)


def wait_for(condition, what, process=None):
    deadline = time.monotonic() + WAIT_S
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        if process is not None and process.poll() is not None:
            raise AssertionError(f"the window exited with {process.returncode} while waiting "
                                 f"for {what}")
        time.sleep(0.1)
    raise AssertionError(f"waited {WAIT_S} s for {what}")


def focused(app):
    """The name of what has the keyboard in `app`, or None."""
    for node in nodes(app):
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            return node.name
    return None


class KeyboardAlone(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.app = None
        # A loaded machine's fresh display may still turn the first client
        # away; a window that could not open it is started again.
        for attempt in range(STARTS):
            cls.errors = errors = tempfile.TemporaryFile("w+")
            cls.process = subprocess.Popen(
                [PROGRAM, "--speed", "4", "--seed", "3"], stderr=errors,
                env={**os.environ, "QT_ACCESSIBILITY": "1",
                     "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
            try:
                cls.app = wait_for(find_app, "the window in the accessibility tree", cls.process)
                break
            except AssertionError:
                errors.seek(0)
                said = errors.read()
                if "needs a display" not in said or attempt == STARTS - 1:
                    raise AssertionError(f"the window said: {said}") from None
                sys.stderr.write(said)
                time.sleep(1)
        wait_for(lambda: "Start" in names(cls.app, "push button"), "the Start button")
        # Keys go where the keyboard is: nothing is pressed before the window has it.
        wait_for(lambda: focused(cls.app) == "Message size", "the keyboard in the size box")

    @classmethod
    def tearDownClass(cls):
        cls.process.terminate()
        cls.process.wait(timeout=30)
        cls.errors.close()

    def status(self):
        return [node.name for node in nodes(self.app)
                if node.getRoleName() == "label" and node.parent is not None
                and node.parent.getRoleName() == "status bar"]

    def test_three_techniques_heard_from_the_keyboard(self):
        press("Tab")  # from the size box to the technique box
        heard = {}
        for index, (technique, formula) in enumerate(FORMULAS):
            if index > 0:
                press("Down")  # the next technique in the box
            wait_for(lambda: self.value_of_technique() == technique, f"{technique} chosen")
            press("F5")  # Start
            ended = re.compile(rf"Ended at 15.025 s; {technique}: (\d+) ms, formula {formula} ms")
            end = wait_for(lambda: next(filter(None, map(ended.search, self.status())), None),
                           f"the end of the {technique} run")
            heard[technique] = f"{technique} completed at {end[1]} ms, formula {formula} ms"
            self.assertIn(heard[technique], names(self.app, "label"))
            press("F5")  # Reset
            wait_for(lambda: "Start" in names(self.app, "push button"), "Reset")
        labels = names(self.app, "label")
        for marker in heard.values():  # all three stay for comparison
            self.assertIn(marker, labels)
        self.assertEqual([heard["Message"][:28], heard["Circuit"][:28]],
                         ["Message completed at 6900 ms", "Circuit completed at 6375 ms"])

    def set_speed(self, key, times, name):
        for _ in range(times):
            press(key, control=True)
        wait_for(lambda: f"Speed {name}" in self.status(), f"the speed {name}")

    def test_pause_is_one_key_away_and_heard(self):
        # At a quarter of the speed a run lasts a minute: F6 comes before its
        # end however loaded the machine, and the paused run's notice stays.
        self.set_speed("minus", 4, "\u00bc\u00d7")
        press("F5")
        press("F6")
        wait_for(lambda: "Cont" in names(self.app, "push button"), "the Cont caption")
        self.assertTrue(any(text.startswith("Paused at t = ") for text in self.status()))
        press("F6")
        press("F5")
        wait_for(lambda: "Start" in names(self.app, "push button"), "Reset")
        self.set_speed("equal", 4, "4\u00d7")

    def test_start_and_reset_tell_of_no_rate_change(self):
        # The rate boxes hold the texts the reset writes: nothing to hear.
        # A change of speed before and after marks where in the window's
        # stream of events the start and the reset stand.
        kinds = ("object:text-changed", "object:property-change:accessible-name")
        heard = []
        listener = lambda event: heard.append((event.type, event.source.name, event.source.parent.name))
        said = lambda name: any(source == name for _, source, _ in heard)
        pyatspi.Registry.registerEventListener(listener, *kinds)
        try:
            press("minus", control=True)
            pump_until(lambda: said("Speed 2\u00d7"), "the speed 2x heard")
            heard.clear()
            press("F5")
            wait_for(lambda: "Reset" in names(self.app, "push button"), "the Reset caption")
            press("F5")
            wait_for(lambda: "Start" in names(self.app, "push button"), "the Start caption")
            press("equal", control=True)
            pump_until(lambda: said("Speed 4\u00d7"), "the speed 4x heard")
        finally:
            pyatspi.Registry.deregisterEventListener(listener, *kinds)
        changed = [parent for kind, _, parent in heard if kind.startswith("object:text-changed")]
        self.assertEqual([name for name in changed if name.startswith("Bit rate")], [])

    def value_of_technique(self):
        for node in nodes(self.app):
            if node.getRoleName() == "combo box" and node.name == "Technique":
                return node.queryText().getText(0, -1)
        return ""


if __name__ == "__main__":
    unittest.main()
