"""Runs the three techniques in the web edition from the keyboard alone and
reads each completion time and the run's end from headless Chromium's
accessibility tree, as a screen reader finds them.

usage: /usr/bin/python3 web_test.py SITE_DIR
"""
import os
import re
import sys
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "web"))
import page_driver  # noqa: E402  (beside the browser checks)

SITE = sys.argv.pop(1) if len(sys.argv) > 1 else "build-web/site"
WAIT_S = 120  # generous: the machine may be slow and loaded
# Each technique's value in continuous time at the defaults. A packet run's
# completion depends on its seed; the others' take no random numbers.
FORMULAS = [("Message", 6750), ("Circuit", 6050), ("Packet", 4050)]
# Each box's caption, by the caption's id; the node names caption no box.
CAPTIONS = {"Label1_0": "cmbBitRate0", "Label1_1": "cmbDelay0", "Label1_3": "cmbBitRate1",
            "Label1_2": "cmbDelay1", "Label1_5": "cmbBitRate2", "Label1_4": "cmbDelay2",
            "lblTechnique": "cmbMethod", "lblPacketSize": "cmbMessageSize"}
NODE_NAMES = ("lblNode0", "lblNode1", "lblNode2", "lblNode3")
# Where an element lies on the screen, in CSS pixels.
ON_SCREEN_JS = """const r = arguments[0].getBoundingClientRect();
return r.width > 10 && r.height > 10 && r.left >= 0 && r.top >= 0 &&
       r.right <= innerWidth && r.bottom <= innerHeight;"""


def setUpModule():
    global server, base, driver
    server, base = page_driver.serve(SITE)
    driver = page_driver.chromium()


def tearDownModule():
    driver.quit()
    server.shutdown()


def tree():
    """(role, name) of every node of the page's accessibility tree that is not
    ignored; a live region's name is the text it holds."""
    nodes = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    by_id = {node["nodeId"]: node for node in nodes}

    def text(node):
        if node.get("role", {}).get("value") == "StaticText":
            return node.get("name", {}).get("value", "")
        return "".join(text(by_id[child]) for child in node.get("childIds", []) if child in by_id)

    found = []
    for node in nodes:
        if node.get("ignored"):
            continue
        role = node.get("role", {}).get("value")
        name = node.get("name", {}).get("value", "")
        found.append((role, text(node) if role == "status" else name))
    return found


def named(role):
    return [name for node_role, name in tree() if node_role == role]


def press(*keys):
    ActionChains(driver).send_keys(*keys).perform()


class KeyboardAlone(unittest.TestCase):
    def setUp(self):
        self.load("?speed=4&seed=3")

    def load(self, query):
        driver.get(base + query)
        self.wait = WebDriverWait(driver, WAIT_S)
        self.wait.until(lambda d: d.execute_script("return document.documentElement.dataset.ready"))

    def until(self, condition, what):
        return self.wait.until(lambda d: condition(), message=f"waited for {what}")

    def test_three_techniques_heard_from_the_keyboard(self):
        for _ in range(40):  # to the technique box, through the tool bar and the size box
            if driver.execute_script("return document.activeElement.id") == "cmbMethod":
                break
            press(Keys.TAB)
        heard = {}
        for index, (technique, formula) in enumerate(FORMULAS):
            if index > 0:
                press(Keys.ARROW_DOWN)  # the next technique in the box
            self.until(lambda: ("combobox", "Technique") in tree() and
                       driver.execute_script("return document.activeElement.value") == technique,
                       f"{technique} chosen")
            press(Keys.F5)  # Start
            ended = re.compile(rf"Ended at 15.025 s; {technique}: (\d+) ms, formula {formula} ms")
            end = self.until(lambda: next(filter(None, map(ended.search, named("status"))), None),
                             f"the end of {technique}")
            heard[technique] = f"{technique} completed at {end[1]} ms, formula {formula} ms"
            self.assertIn(heard[technique], named("image"))
            press(Keys.F5)  # Reset
            self.until(lambda: "Start" in named("button"), "Reset")
        images = named("image")
        for marker in heard.values():  # all three stay for comparison
            self.assertIn(marker, images)
        self.assertEqual([heard["Message"][:28], heard["Circuit"][:28]],
                         ["Message completed at 6900 ms", "Circuit completed at 6375 ms"])

    def test_names_not_decoration(self):
        self.load("?speed=0.25&seed=3")  # a run of a minute: the pause below finds it running
        nodes = tree()
        for decoration in ("Frame1", "Line2", "Shape1_0"):
            self.assertEqual(driver.find_element("id", decoration).get_attribute("aria-hidden"), "true")
        self.assertIn(("combobox", "Delay, Router A to Router B"), nodes)
        self.assertIn(("textbox", "Bit rate, Transmit to Router A"), nodes)
        self.assertIn(("image", "switchsim logo"), nodes)
        self.assertIn(("image", "Trace, Router B to Receive"), nodes)
        self.assertNotIn("50", [name for role, name in nodes if role == "combobox"])
        press(Keys.F5)
        self.until(lambda: "Reset" in named("button"), "the Reset caption")
        press(Keys.F6)
        self.until(lambda: "Cont" in named("button"), "the Cont caption")
        self.until(lambda: any(name.startswith("Paused at t = ") for name in named("status")),
                   "the pause heard")

    def test_captions_label_their_boxes_and_are_not_read(self):
        texts = [driver.find_element("id", id).text for id in (*CAPTIONS, *NODE_NAMES)]
        read = [name for role, name in tree() if role in ("StaticText", "LabelText")]
        self.assertEqual([text for text in texts if text in read], [])
        for caption, box in CAPTIONS.items():
            with self.subTest(caption=caption):
                driver.find_element("id", caption).click()
                self.assertEqual(driver.execute_script("return document.activeElement.id"), box)
        self.assertIn(("combobox", "Delay, Router A to Router B"), tree())

    def test_skip_link_leads_past_the_tool_bar(self):
        press(Keys.TAB)
        link = driver.switch_to.active_element
        self.assertEqual(link.text, "Skip to the form")
        self.assertTrue(driver.execute_script(ON_SCREEN_JS, link))
        press(Keys.ENTER)
        self.assertEqual(driver.execute_script("return document.activeElement.id"), "cmbMessageSize")
        self.assertFalse(driver.execute_script(ON_SCREEN_JS, link))

    def test_results_chosen_from_the_keyboard(self):
        count = "return document.querySelectorAll('#resultsTable tbody tr').length"
        for run in (1, 2):  # the link's seed, then a fresh one
            press(Keys.F5)
            self.until(lambda: driver.execute_script(count) == run, f"run {run}'s result")
            press(Keys.F5)
        driver.find_element("id", "showResults").click()
        driver.execute_script("navigator.clipboard.writeText = async (text) => { window.copied = text; };")
        chosen = """return [...document.querySelectorAll('#resultsTable tbody tr')].map(
            (row) => [row.getAttribute('aria-selected'), row === document.activeElement,
                      row.cells[9].textContent]);"""
        for _ in range(40):  # through the page to the table
            if driver.execute_script("return !!document.activeElement.closest('#resultsTable')"):
                break
            press(Keys.TAB)
        for key, row in ((None, 0), (Keys.ARROW_DOWN, 1), (Keys.ARROW_DOWN, 1), (Keys.ARROW_UP, 0),
                         (Keys.END, 1), (Keys.HOME, 0), (Keys.END, 1)):
            with self.subTest(key=key):
                if key:
                    press(key)
                rows = driver.execute_script(chosen)
                self.assertEqual([r[:2] for r in rows],
                                 [["true", True] if n == row else ["false", False] for n in range(2)])
        ActionChains(driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
        # The table is one tab stop: back from its chosen row is the last button before it.
        self.assertEqual(driver.execute_script("return document.activeElement.id"), "exportCsv")
        driver.find_element("id", "copyCommand").click()
        self.assertTrue(driver.execute_script("return window.copied").endswith(f" --seed {rows[1][2]}"))
        driver.find_element("css selector", "#resultsTable tbody tr:first-child td").click()
        driver.find_element("id", "copyCommand").click()
        self.assertTrue(driver.execute_script("return window.copied").endswith(f" --seed {rows[0][2]}"))


if __name__ == "__main__":
    unittest.main()
