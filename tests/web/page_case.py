"""What the page's browser checks share: the site served and one headless Chromium
for a test module's run, the page opened and read through its DOM, and the native
driver's runs to compare it with.

A test module starts them in its setUpModule with set_up() and stops them with
tear_down(); run as a program, it hands its command line to main().
"""
import json
import math
import os
import subprocess
import sys
import unittest

from selenium.common.exceptions import TimeoutException
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import page_driver

WAIT = 60  # s: how long any awaited condition may take on a slow, loaded machine
SITE = None
TRACE = 'build-test/tools/switchsim-trace'
GREEN, BLUE = 'rgb(0, 192, 0)', 'rgb(0, 0, 192)'

# What elements show, by id: a box's value, anything else's text.
SHOWN_JS = """return Object.fromEntries(arguments[0].map((id) => {
  const e = document.getElementById(id);
  return [id, e.matches('input, select') ? e.value : e.textContent];
}));"""
MARKERS_JS = """return Object.fromEntries(['lneMessage', 'lneCircuit', 'lnePacket'].map((id) => {
  const m = document.getElementById(id);
  const colour = getComputedStyle(m).backgroundColor;
  return [id, {visible: m.checkVisibility(), top: m.offsetTop, colour}];
}));"""
# For each trace, the rows (in CSS pixels) holding any pixel that is not white.
INKED_ROWS_JS = """const ratio = window.devicePixelRatio || 1;
return [0, 1, 2].map((k) => {
  const c = document.querySelector(`#picTrace${k} canvas`);
  const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  const rows = new Set();
  for (let i = 0; i < data.length; i += 4) {
    const row = Math.floor(Math.floor(i / 4 / c.width) / ratio);
    if (data[i] < 255 || data[i + 1] < 255 || data[i + 2] < 255) rows.add(row);
  }
  return [...rows].sort((a, b) => a - b);
});"""


server = browser = base = None


def set_up():
    """Serves SITE and starts the browser, then opens the page once, so that a page that
    never starts stops the module at once; returns the browser."""
    global server, browser, base
    server, base = page_driver.serve(SITE)
    try:
        browser = page_driver.chromium()
        open_page()
    except BaseException:
        tear_down()
        raise
    return browser


def tear_down():
    if browser is not None:
        browser.quit()
    server.shutdown()
    server.server_close()


def open_page(query=''):
    """Loads the page and waits until it is ready, or has said that it cannot start."""
    browser.get(base + query)
    ready = "return document.documentElement.dataset.ready === 'true' && !!window.switchsim"
    try:
        WebDriverWait(browser, WAIT).until(lambda b: b.execute_script(ready) or 'could not start'
                                           in b.find_element(By.ID, 'Form1').text)
    except TimeoutException:
        pass
    if not browser.execute_script(ready):
        form = browser.find_element(By.ID, 'Form1').text
        raise AssertionError(f'the page {base + query} never became ready (waited up to {WAIT} s); '
                             f'its form shows {form!r}')


def driver_log(technique, size, rates, delays, seed=None, more=()):
    """The JSON Lines log the native driver writes for the same parameters."""
    command = [TRACE, '--technique', technique, '--size', size, '--rates', ','.join(rates),
               '--delays', ','.join(delays), '--json', *more] + (['--seed', seed] if seed else [])
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def driver_ms(technique, size, rates, delays, seed=None, more=()):
    """The completion time the native driver gives for the same parameters."""
    events = map(json.loads, driver_log(technique, size, rates, delays, seed, more).splitlines())
    return next(e['completed_ms'] for e in events if e['event'] == 'end')


class PageCase(unittest.TestCase):
    """Reads the page through its DOM and acts on it as a user does."""

    def node(self, element_id):
        return browser.find_element(By.ID, element_id)

    def shown(self, *ids):
        return browser.execute_script(SHOWN_JS, ids)

    def text(self, element_id):
        return self.shown(element_id)[element_id]

    def inked_rows(self):
        return browser.execute_script(INKED_ROWS_JS)

    def wait_for(self, condition, what):
        WebDriverWait(browser, WAIT).until(lambda b: condition(), message=what)

    def run_to_end(self, start=True):
        if start:
            self.node('cmdStart0').click()
        self.wait_for(lambda: self.text('statusPhase').startswith('Ended'), 'the run never ended')

    def type_rate(self, link, typed):
        box = self.node(f'cmbBitRate{link}')
        box.click()
        box.send_keys(Keys.CONTROL, 'a')
        box.send_keys(typed, Keys.TAB)

    def assert_markers(self, placed):
        """Exactly the markers in `placed` (name: (ms, colour)) show, each 3 px line centred
        on the row of its completion time."""
        shown = browser.execute_script(MARKERS_JS)
        for name, (ms, colour) in placed.items():
            top = math.floor((1360 + ms / 2) / 15 + 0.5) - 1
            self.assertEqual(shown[name], {'visible': True, 'top': top, 'colour': colour}, name)
        self.assertEqual([n for n in shown if shown[n]['visible'] and n not in placed], [])



def main():
    """Runs the tests of the module run as a program, with the command line
    SITE_DIR [SWITCHSIM_TRACE] [unittest options]."""
    global SITE, TRACE
    if len(sys.argv) < 2 or not os.path.isdir(sys.argv[1]):
        sys.exit(f'usage: {os.path.basename(sys.argv[0])} SITE_DIR [SWITCHSIM_TRACE] [unittest options]')
    SITE = sys.argv.pop(1)
    if len(sys.argv) > 1 and os.path.isfile(sys.argv[1]):
        TRACE = sys.argv.pop(1)
    unittest.main(module='__main__')
