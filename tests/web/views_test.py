#!/usr/bin/python3
"""The web edition's views beside the form in headless Chromium: Explore's curve and
numbers against the native driver's sweep and its points run in the form, the
downloads against the driver's files, and the timing table against its table.

usage: /usr/bin/python3 tests/web/views_test.py SITE_DIR [SWITCHSIM_TRACE] [unittest options]
"""
import os
import struct
import subprocess
import tempfile

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

import page_case
from page_case import PageCase, driver_log, open_page

browser = None  # the browser of page_case, once setUpModule has started it


def setUpModule():
    global browser
    browser = page_case.set_up()


def tearDownModule():
    page_case.tear_down()


# Presses the curve's canvas `right` CSS px right of where run `run` of the sweep is
# drawn, with a mouse or a finger (`pointer`), as a click.
CLICK_RUN_JS = """const [run, right = 0, pointer = 'mouse'] = arguments;
const canvas = document.getElementById('curve');
const drawing = switchsim.page.explore.drawing;
// The runs' points are the drawing's first circles, in the order of the runs, in hundredths of a px.
const point = drawing.items.filter((item) => item.k === 'circle')[run];
const [x, y] = [point.x / 100, point.y / 100];
const r = canvas.getBoundingClientRect();
const scale = drawing.width / canvas.clientWidth;
canvas.dispatchEvent(new PointerEvent('click', {bubbles: true, clientX: r.left + x / scale + right,
                                                clientY: r.top + y / scale, pointerType: pointer}));"""
# What the last run started in the form was started with: the run log's start event, which stays.
STARTED_JS = """const starts = switchsim.page.api.runLog().split('\\n').filter((l) => l.startsWith('{"event":"start"'));
return starts.length ? JSON.parse(starts[starts.length - 1]) : null;"""


class Exploring(PageCase):
    def draw(self, parameter, start, end, step, seeds):
        Select(self.node('sweepParameter')).select_by_value(parameter)
        for box, value in (('sweepFrom', start), ('sweepTo', end), ('sweepStep', step),
                           ('sweepSeeds', seeds)):
            self.node(box).clear()
            self.node(box).send_keys(value)
        self.node('sweepRun').click()

    def started(self):
        return browser.execute_script(STARTED_JS)

    def test_a_curve_is_drawn_listed_and_its_points_run_in_the_form(self):
        open_page('?speed=4&packet=3')
        self.node('showExplore').click()
        self.assertFalse(self.node('curveNumbers').is_displayed(), 'an empty table before the first curve')
        self.draw('size', '100', '1000', 'x', '2')
        self.assertIn('"x"', self.text('sweepNotice'))
        self.draw('size', '100', '1000', '100', '2')
        self.wait_for(lambda: self.text('sweepProgress') == '60 runs', 'the sweep never ended')
        self.assertFalse(self.node('sweepNotice').is_displayed())
        # The table says what the driver says, row by row: x, technique, formula, each seed.
        native = subprocess.run([page_case.TRACE, '--sweep', 'size=100:1000:100', '--seeds', '2',
                                 '--packet', '3', '--csv'], check=True, capture_output=True, text=True).stdout
        rows = [line.split(',') for line in native.splitlines()[1:]]
        expected = [[x, t, f] + [r[3] or '> 15 s' for r in rows if r[:2] == [x, t]]
                    for x, t, _, _, f in rows[::2]]
        self.node('curveNumbers').click()  # opened, it lists its rows a few a frame
        rows_js = ("return [...document.querySelectorAll('#curveTable tbody tr')]"
                   ".map((tr) => [...tr.cells].map((c) => c.textContent))")
        self.wait_for(lambda: len(browser.execute_script(rows_js)) == len(expected), 'the numbers were not listed')
        self.assertEqual(browser.execute_script(rows_js), expected)
        # A point the form can show starts its run there; one it cannot names the driver's command.
        browser.execute_script(CLICK_RUN_JS, 8 * 3 * 2 + 2)  # size 900, circuit, seed 1
        self.assertIn('The size box has no 900; the driver runs it: switchsim-trace', self.text('sweepNotice'))
        self.assertEqual(self.text('cmdStart0'), 'Start')
        browser.execute_script(CLICK_RUN_JS, 0)  # size 100, message, seed 1
        self.assertFalse(self.node('sweepNotice').is_displayed())
        self.assertEqual(self.text('cmdStart0'), 'Reset')
        # A message's seeds all land on one point: either is that point's run.
        started = self.started()
        self.assertEqual((started['technique'], started['size'], started['packet']), ('Message', '100', 3))
        self.assertIn(started['seed'], (1, 2))
        # A time in the table runs its own point (size 200, packet, seed 2); Enter on a row its
        # first seed's (size 100, circuit).
        browser.find_element(By.CSS_SELECTOR, '#curveTable tbody tr:nth-child(6) td:nth-child(5)').click()
        started = self.started()
        self.assertEqual((started['technique'], started['size'], started['seed']), ('Packet', '200', 2))
        browser.find_element(By.CSS_SELECTOR, '#curveTable tbody tr:nth-child(2)').send_keys(Keys.ENTER)
        started = self.started()
        self.assertEqual((started['technique'], started['size'], started['seed']), ('Circuit', '100', 1))

    def test_a_finger_picks_a_point_a_mouse_would_miss_and_escape_closes(self):
        open_page('?speed=4')
        self.node('showExplore').click()
        self.draw('size', '300', '300', '20', '1')  # one size: the techniques' points lie far apart
        self.wait_for(lambda: self.text('sweepProgress') == '3 runs', 'the sweep never ended')
        browser.execute_script(CLICK_RUN_JS, 1, 15)  # 15 CSS px right of circuit's point
        self.assertIsNone(self.started(), 'a mouse 15 px off a point ran it')
        browser.execute_script(CLICK_RUN_JS, 1, 15, 'touch')
        self.assertEqual(self.started()['technique'], 'Circuit')
        self.node('sweepSeeds').send_keys(Keys.ESCAPE)
        self.assertFalse(self.node('explore').is_displayed())
        self.assertEqual(self.node('showExplore').get_attribute('aria-expanded'), 'false')
        self.assertEqual(browser.switch_to.active_element, self.node('showExplore'))

    def test_a_mark_says_what_it_marks_and_runs_no_point_under_it(self):
        open_page('?size=400&rates=0.5,0.5,0.5&header=1')
        self.node('showExplore').click()
        self.draw('packet', '1', '20', '1', '1')
        self.wait_for(lambda: self.text('sweepProgress') == '60 runs', 'the sweep never ended')
        # Circuit's run at 3 blocks lies under the square of the least packet formula.
        browser.execute_script(CLICK_RUN_JS, 7, 0, 'touch')
        self.assertEqual(self.text('sweepNotice'), 'Mark 1: Least packet formula: 3 blocks, 7750 ms')
        self.assertIsNone(self.started())


class Downloads(PageCase):
    def test_picture_and_run_log_download_whole(self):
        folder = self.enterContext(tempfile.TemporaryDirectory(prefix='switchsim-downloads-'))
        browser.execute_cdp_cmd('Browser.setDownloadBehavior',
                                {'behavior': 'allow', 'downloadPath': folder})
        open_page('?technique=Packet&seed=5&speed=4&start=1')
        self.run_to_end(start=False)

        def downloaded(name, button):
            self.node(button).click()
            path = os.path.join(folder, name)

            # Chromium writes a download under a .crdownload name and renames it once whole.
            def whole():
                return (os.path.isfile(path) and os.path.getsize(path) > 0
                        and not any(entry.endswith('.crdownload') for entry in os.listdir(folder)))
            self.wait_for(whole, f'{name} never arrived whole')
            with open(path, 'rb') as file:
                return file.read()

        picture = downloaded('switchsim.png', 'savePicture')
        self.assertEqual(picture[:8], b'\x89PNG\r\n\x1a\n')
        self.assertEqual(struct.unpack('>II', picture[16:24]), (916, 657))
        log = downloaded('switchsim-run.jsonl', 'exportLog').decode()
        self.assertEqual(log, driver_log('Packet', '300', ('1', '0.5', '1'), ('50', '50', '50'), '5'))
        # The vector picture is the driver's, with the additions the view shows.
        svg = downloaded('switchsim.svg', 'savePictureSvg')
        subprocess.run([page_case.TRACE, '--technique', 'Packet', '--seed', '5', '--additions',
                        '--svg', os.path.join(folder, 'driver.svg')], check=True, capture_output=True)
        with open(os.path.join(folder, 'driver.svg'), 'rb') as file:
            self.assertEqual(svg, file.read())


class Timing(PageCase):
    ROWS_JS = """return [...document.querySelectorAll('#timingTable tbody tr')]
        .map((row) => [...row.cells].map((cell) => cell.textContent));"""

    def test_timing_is_the_drivers_table_downloads_as_csv_and_fits_a_phone(self):
        folder = self.enterContext(tempfile.TemporaryDirectory(prefix='switchsim-timing-'))
        browser.execute_cdp_cmd('Browser.setDownloadBehavior',
                                {'behavior': 'allow', 'downloadPath': folder})
        open_page('?technique=Circuit&seed=1&speed=4')
        self.node('showTiming').click()  # open before the run: it fills in as the run goes
        self.assertEqual(self.node('showTiming').get_attribute('aria-expanded'), 'true')
        self.assertEqual(browser.execute_script(self.ROWS_JS), [])
        self.assertFalse(self.node('exportTiming').is_enabled())
        self.run_to_end()
        csv = subprocess.run([page_case.TRACE, '--technique', 'Circuit', '--seed', '1', '--timing', '--csv'],
                             check=True, capture_output=True).stdout.decode()
        lines = csv.split('\r\n')[1:-1]
        self.assertEqual(browser.execute_script(self.ROWS_JS),
                         [[cell or '-' for cell in line.split(',')] for line in lines])

        self.node('exportTiming').click()
        path = os.path.join(folder, 'switchsim-timing.csv')
        self.wait_for(lambda: os.path.isfile(path) and os.path.getsize(path) == len(csv.encode()),
                      'the timing table never arrived whole')
        with open(path, encoding='utf-8', newline='') as file:
            self.assertEqual(file.read(), csv)

        wider = 'return document.documentElement.scrollWidth - document.documentElement.clientWidth'
        browser.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': 390, 'height': 844, 'deviceScaleFactor': 1, 'mobile': True})
        try:
            self.wait_for(lambda: 'compact' in browser.execute_script('return document.body.className'),
                          'a phone never got the compact page')
            self.assertTrue(self.node('timing').is_displayed())
            self.assertLessEqual(browser.execute_script(wider), 0, 'the page scrolls sideways')
        finally:
            browser.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})


if __name__ == '__main__':
    page_case.main()
