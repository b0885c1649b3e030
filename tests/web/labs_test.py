#!/usr/bin/python3
"""The page's Labs section in headless Chromium: a link opens a lab and runs it, and the
JSON it saves is the native driver's byte for byte; a box refuses a bad value, says why and
keeps its value; a lab's curve saves the driver's CSV and SVG; while a question waits the
labs show and start nothing; the tool bar, the tabs and Escape by keys; a phone shows it all
without sideways scrolling.

usage: /usr/bin/python3 tests/web/labs_test.py SITE_DIR SWITCHSIM_TRACE [unittest options]
"""
import json
import os
import subprocess
import sys
import tempfile
import unittest

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import page_driver

WAIT = 60  # s: how long any awaited condition may take on a slow, loaded machine
SITE = None
TRACE = 'build-test/tools/switchsim-trace'
# A link of each lab, and the driver's options for the same run.
LINKS = (
    ('share', 'share=1&users=35&active=0.1&user-rate=0.1&link-rate=1&slots=20000&seed=3',
     ['--share', '--users', '35', '--active', '0.1', '--user-rate', '0.1', '--link-rate', '1',
      '--slots', '20000', '--seed', '3']),
    ('queue', 'queue=1&intensity=0.8&buffer=20&packets=30000&seed=5',
     ['--queue', '--intensity', '0.8', '--buffer', '20', '--packets', '30000', '--seed', '5']),
)
WIDER_JS = 'return document.documentElement.scrollWidth - document.documentElement.clientWidth'
BOXES_JS = """return [...document.querySelectorAll('#labBoxes input')].map((input) =>
  [input.dataset.name, input.value]);"""

server = browser = base = None


def setUpModule():
    global server, browser, base
    server, base = page_driver.serve(SITE)
    try:
        browser = page_driver.chromium()
    except BaseException:
        server.shutdown()
        raise


def tearDownModule():
    if browser is not None:
        browser.quit()
    server.shutdown()
    server.server_close()


class LabsTest(unittest.TestCase):
    def node(self, element_id):
        return browser.find_element(By.ID, element_id)

    def text(self, element_id):
        return self.node(element_id).get_attribute('textContent')

    def wait_for(self, condition, what):
        WebDriverWait(browser, WAIT).until(lambda b: condition(), message=what)

    def open_page(self, query=''):
        browser.get(base + query)
        self.wait_for(lambda: browser.execute_script(
            "return document.documentElement.dataset.ready === 'true'"), f'the page {query} never started')

    def wait_done(self):
        self.wait_for(lambda: self.text('labProgressText') == 'Done', 'the lab never finished its run')

    def boxes(self):
        """The boxes' names and values, in order."""
        return browser.execute_script(BOXES_JS)

    def type_box(self, name, typed):
        box = self.node(f'labBox-{name}')
        box.send_keys(Keys.CONTROL, 'a')
        box.send_keys(typed, Keys.TAB)

    def test_a_link_opens_its_lab_runs_it_and_saves_the_drivers_json(self):
        folder = self.enterContext(tempfile.TemporaryDirectory(prefix='switchsim-labs-'))
        browser.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': folder})
        for lab, query, options in LINKS:
            with self.subTest(lab=lab):
                self.open_page('?' + query)
                self.assertTrue(self.node('labs').is_displayed())
                self.assertFalse(self.node('linkNotice').is_displayed())
                self.assertEqual(self.node(f'labTab-{lab}').get_attribute('aria-selected'), 'true')
                self.assertEqual(self.node('showLabs').get_attribute('aria-expanded'), 'true')
                self.wait_done()
                # The picture shown is the finished run's, as the module draws it.
                picture = json.loads(browser.execute_script(
                    'return switchsim.page.api.labPicture(arguments[0])', int(lab == 'queue')))
                self.assertTrue(self.node('labPicture').is_displayed())
                self.assertEqual(self.node('labPicture').get_attribute('aria-label'),
                                 f"{picture['title']}. {picture['description']}")
                self.assertGreater(len(browser.find_elements(By.CSS_SELECTOR, '#labFigures dt')), 3)
                self.assertIn('done', self.text('announcer'))
                self.node('labSaveJson').click()
                path = os.path.join(folder, f'switchsim-{lab}.json')
                expected = subprocess.run([TRACE, *options, '--json'], check=True, capture_output=True).stdout
                self.wait_for(lambda: os.path.isfile(path) and os.path.getsize(path) == len(expected),
                              'the JSON never arrived whole')
                with open(path, 'rb') as file:
                    self.assertEqual(file.read(), expected)
                # Its link opens the same run again, the values as the link gave them.
                self.node('labCopyLink').click()
                self.wait_for(lambda: '?' in self.text('labLinkNote'), 'the link was not said')
                link = self.text('labLinkNote').split(': ', 1)[1]
                self.assertEqual(link, base + '?' + query)

    def test_a_bad_value_is_refused_with_its_message_and_the_box_keeps_its_value(self):
        self.open_page()
        self.node('showLabs').click()
        self.assertEqual(browser.execute_script('return document.activeElement.id'), 'labTab-share')
        kept = self.boxes()
        for name, typed, said in (('users', 'many', '"many"'), ('active', 'often', '"often"'),
                                  ('slots', '1e99', '"1e99"')):
            with self.subTest(box=name):
                self.type_box(name, typed)
                self.wait_for(lambda: self.node('labNotice').is_displayed(), 'the bad value was not refused')
                self.assertIn(said, self.text('labNotice'))
                self.assertIn(said, self.text('announcer'))
                self.assertEqual(self.boxes(), kept)
                self.assertEqual(self.node(f'labBox-{name}').get_attribute('aria-invalid'), 'true')
        # A good value is taken, and the run follows the boxes.
        self.type_box('users', '20')
        self.assertFalse(self.node('labNotice').is_displayed())
        self.node('labRun').click()
        self.wait_done()
        self.assertIn('users=20&', browser.execute_script('return switchsim.page.api.labQuery(0)'))
        # A link's bad value names it, and the page starts as it would without it.
        self.open_page('?share=1&users=abc')
        self.assertIn('"abc"', self.text('linkNotice'))
        self.assertFalse(self.node('labs').is_displayed())

    def test_a_curve_is_the_drivers_and_a_waiting_question_holds_the_labs(self):
        folder = self.enterContext(tempfile.TemporaryDirectory(prefix='switchsim-curve-'))
        browser.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': folder})
        self.open_page()
        self.node('showLabs').click()
        self.node('labTab-queue').click()
        self.assertEqual(self.node('labCurveRange').get_attribute('value'), '0.1:0.95:0.05')
        self.node('labTab-share').click()
        self.assertEqual(self.node('labCurveRange').get_attribute('value'), '5:60:5')
        # A bad range or number of seeds is refused and said, naming what was typed.
        for box, typed, said in (('labCurveRange', '5:sixty:5', '"sixty"'), ('labCurveSeeds', '0', '"0"')):
            with self.subTest(box=box):
                self.node(box).send_keys(Keys.CONTROL, 'a')
                self.node(box).send_keys(typed)
                self.node('labCurveDraw').click()
                self.wait_for(lambda: self.node('labCurveNotice').is_displayed(), f'{typed} was not refused')
                self.assertIn(said, self.text('labCurveNotice'))
                self.assertIn(said, self.text('announcer'))
        for box, typed in (('labCurveRange', '10:40:10'), ('labCurveSeeds', '2')):
            self.node(box).send_keys(Keys.CONTROL, 'a')
            self.node(box).send_keys(typed)
        self.node('labCurveDraw').click()
        self.wait_for(lambda: self.text('labCurveProgressText') == 'Done', 'the curve was never drawn')
        self.assertFalse(self.node('labCurveNotice').is_displayed())
        self.assertTrue(self.node('labCurve').is_displayed())
        self.assertIn('Congestion', self.node('labCurve').get_attribute('aria-label'))
        self.assertIn('Circuits serve 10 users', self.text('labCurveTable'))
        # Saved, it is the driver's curve byte for byte.
        sweep = [TRACE, '--share', '--sweep', 'users=10:40:10', '--seeds', '2']
        svg = os.path.join(folder, 'driver.svg')
        subprocess.run([*sweep, '--svg', svg], check=True, capture_output=True)
        with open(svg, 'rb') as file:
            expected = {'csv': subprocess.run([*sweep, '--csv'], check=True, capture_output=True).stdout,
                        'svg': file.read()}
        for kind in ('csv', 'svg'):
            with self.subTest(saved=kind):
                self.node(f'labCurve{kind.capitalize()}').click()
                path = os.path.join(folder, f'switchsim-share-curve.{kind}')
                self.wait_for(lambda: os.path.isfile(path) and os.path.getsize(path) == len(expected[kind]),
                              f'the {kind} never arrived whole')
                with open(path, 'rb') as file:
                    self.assertEqual(file.read(), expected[kind])
        # While the course's first question waits, the labs show no figure and start nothing.
        self.open_page('?exercises=sharing')
        self.wait_for(lambda: self.node('exerciseAnswer').is_displayed(), 'the course asked nothing')
        self.node('showLabs').click()
        self.assertIn('a question waits', self.text('labHeldNote'))
        for shown in ('labShown', 'labCurveShown'):
            self.assertFalse(self.node(shown).is_displayed())
        for button, notice in (('labRun', 'labNotice'), ('labCurveDraw', 'labCurveNotice')):
            with self.subTest(held=button):
                self.node(button).click()
                self.wait_for(lambda: self.node(notice).is_displayed(), f'{button} said nothing')
                self.assertIn('a question waits', self.text(notice))
                self.assertIn('a question waits', self.text('announcer'))
        self.assertEqual(self.text('labProgressText'), '')
        # Answered, the labs run and show their figures again.
        answer = self.node('exerciseAnswer')
        answer.send_keys('10', Keys.ENTER)
        self.wait_for(lambda: not self.node('labHeldNote').is_displayed(), 'the labs stayed held')
        self.node('labRun').click()
        self.wait_done()
        self.assertTrue(self.node('labShown').is_displayed())
        self.assertGreater(len(browser.find_elements(By.CSS_SELECTOR, '#labFigures dt')), 3)

    def test_keys_reach_the_tabs_and_escape_closes_the_section(self):
        self.open_page()
        self.node('showLabs').click()
        tab = self.node('labTab-share')
        tab.send_keys(Keys.ARROW_RIGHT)
        self.assertEqual(browser.execute_script('return document.activeElement.id'), 'labTab-queue')
        self.assertEqual(self.node('labTab-queue').get_attribute('aria-selected'), 'true')
        names = [name for name, _ in self.boxes()]
        self.assertEqual(names, ['intensity', 'buffer', 'packets', 'seed'])
        help_id = self.node('labBox-intensity').get_attribute('aria-describedby')
        self.assertIn('0.05', self.text(help_id))
        self.node('labBox-intensity').send_keys(Keys.ESCAPE)
        self.assertFalse(self.node('labs').is_displayed())
        self.assertEqual(browser.execute_script('return document.activeElement.id'), 'showLabs')

    def test_a_phone_shows_the_section_without_sideways_scrolling(self):
        browser.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': 375, 'height': 812, 'deviceScaleFactor': 2, 'mobile': True})
        try:
            self.open_page('?' + LINKS[0][1])
            self.wait_for(lambda: 'compact' in browser.execute_script('return document.body.className'),
                          'a phone never got the compact page')
            self.wait_done()
            self.assertTrue(self.node('labPicture').is_displayed())
            self.node('labCurveDraw').send_keys(Keys.ENTER)  # the run bar stands over the page's foot
            self.wait_for(lambda: self.text('labCurveProgressText') == 'Done', 'the curve was never drawn')
            browser.find_element(By.CSS_SELECTOR, '#labCurveNumbers summary').send_keys(Keys.ENTER)
            self.assertTrue(self.node('labCurveTable').is_displayed())
            self.assertLessEqual(browser.execute_script(WIDER_JS), 0, 'the page scrolls sideways')
            curve = self.node('labCurve').rect
            self.assertLessEqual(curve['x'] + curve['width'], 375)
            picture = self.node('labPicture').rect
            self.assertLessEqual(picture['x'] + picture['width'], 375)
        finally:
            browser.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})


if __name__ == '__main__':
    if len(sys.argv) < 3 or not os.path.isdir(sys.argv[1]):
        sys.exit('usage: labs_test.py SITE_DIR SWITCHSIM_TRACE [unittest options]')
    SITE = sys.argv.pop(1)
    TRACE = sys.argv.pop(1)
    unittest.main()
