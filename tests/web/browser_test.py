#!/usr/bin/python3
"""The web edition's page in headless Chromium, driven by clicks and typing: what it
shows at start-up and from a shared link, what its buttons and boxes do, and where a
run's markers land, against the native driver's completion times.

usage: /usr/bin/python3 tests/web/browser_test.py SITE_DIR [SWITCHSIM_TRACE] [unittest options]
"""
import json
import math
import os
import re
import shutil
import subprocess
import struct
import sys
import tempfile
import time
import unittest

from selenium.common.exceptions import TimeoutException
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

import page_driver

WAIT = 60  # s: how long any awaited condition may take on a slow, loaded machine
SITE = None
TRACE = 'build-test/tools/switchsim-trace'
# The version the page should name; the build gives it, else any version will do.
VERSION = re.escape(os.environ['SWITCHSIM_VERSION']) if 'SWITCHSIM_VERSION' in os.environ \
    else r'\d+\.\d+\.\d+'
GREEN, BLUE = 'rgb(0, 192, 0)', 'rgb(0, 0, 192)'
BOX_IDS = ('cmbBitRate0', 'cmbBitRate1', 'cmbBitRate2', 'cmbDelay0', 'cmbDelay1', 'cmbDelay2',
           'cmbMethod', 'cmbMessageSize')
# The load writes each rate back in its shortest text, as the desktop form does.
DEFAULTS = dict(zip(BOX_IDS, ('1', '0.5', '1', '50', '50', '50', 'Message', '300')))
READY = {'cmdStart0': 'Start', 'cmdStart1': 'Pause', 'statusPhase': 'Ready',
         'statusClock': 't = 0.000 s'}
SHARED = 'technique=Circuit&size=500&rates=10,0.5,10&delays=20,20,20&seed=7&speed=4'
SHARED_BOXES = dict(zip(BOX_IDS, ('10', '0.5', '10', '20', '20', '20', 'Circuit', '500')))

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

# The marker labels' strip as drawn: in CSS pixel rows from the strip's top, the rows
# inked in its first column (where the leaders start) and right of the leaders (the
# labels' text); whether its last column is inked; each visible marker's middle row.
LABEL_STRIP_JS = """const c = document.querySelector('.marker-labels canvas');
const strip = c.parentNode;
const ratio = c.width / strip.offsetWidth;
const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
// The strip is drawn on the form's own ground: ink is any other colour.
const ground = switchsim.page.description.colours.window;
const g = [1, 3, 5].map((i) => parseInt(ground.slice(i, i + 2), 16));
const inked = (i) => data[i] !== g[0] || data[i + 1] !== g[1] || data[i + 2] !== g[2];
const rows = (from, to) => [...new Set(Array.from({length: c.height}, (_, y) => y).filter((y) => {
  for (let x = from; x < to; ++x) if (inked((y * c.width + x) * 4)) return true;
  return false;
}).map((y) => Math.floor(y / ratio)))];
return {leaders: rows(0, 1), text: rows(Math.round(5 * ratio), c.width), height: strip.offsetHeight,
        lastColumn: rows(c.width - 1, c.width).length > 0,
        markers: [...document.querySelectorAll('.marker')].filter((m) => !m.hidden)
            .map((m) => m.offsetTop + 1 - strip.offsetTop)};"""
LINE = 12  # px: a line of the margins' 10 px font

server = browser = base = None


def setUpModule():
    global server, browser, base
    server, base = page_driver.serve(SITE)
    try:
        browser = page_driver.chromium()
        open_page()  # here first, so that a page that never starts stops the suite at once
    except BaseException:
        tearDownModule()
        raise


def tearDownModule():
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


class StartUp(PageCase):
    def assert_untouched(self):
        self.assertEqual(self.shown(*DEFAULTS, *READY), {**DEFAULTS, **READY})
        self.assert_markers({})

    def test_defaults(self):
        open_page()
        self.assert_untouched()
        self.assertFalse(self.node('linkNotice').is_displayed())
        self.assertEqual(self.inked_rows(), [[], [], []])
        self.assertRegex(self.node('about').get_attribute('textContent'),
                         f'^switchsim {VERSION}\\. Free software under the GNU General Public')

    def test_bad_link_names_the_parameter_and_keeps_defaults(self):
        for query, named in (('?size=250', ('size', '"250"')), ('?bogus=1', ('"bogus"',))):
            with self.subTest(query=query):
                open_page(query)
                self.assertTrue(self.node('linkNotice').is_displayed())
                for word in named:
                    self.assertIn(word, self.text('linkNotice'))
                self.assert_untouched()

    def test_long_notices_keep_the_page_in_its_window(self):
        wider = 'return document.documentElement.scrollWidth - document.documentElement.clientWidth'
        open_page('?size=' + '5' * 20000)
        self.assertTrue(self.node('linkNotice').is_displayed())
        self.assertLessEqual(browser.execute_script(wider), 0)
        self.type_rate(0, '9' * 2000 + 'x')
        self.assertIn('"99999', self.text('statusNotice'))
        self.assertLessEqual(browser.execute_script(wider), 0)

    def test_shared_link_fills_the_boxes_and_speed(self):
        open_page('?' + SHARED)
        self.assertFalse(self.node('linkNotice').is_displayed())
        self.assertEqual(self.shown(*SHARED_BOXES, *READY), {**SHARED_BOXES, **READY})
        self.assertEqual(Select(self.node('speed')).first_selected_option.text, '4×')
        self.assertEqual(self.text('statusSpeed'), '4×')

    def test_shared_link_starts_its_run(self):
        open_page(f'?{SHARED}&start=1')
        self.assertEqual(self.text('cmdStart0'), 'Reset')
        self.run_to_end(start=False)
        # A circuit run shows the slowest rate in the faster links' boxes; the rest keep the link's.
        kept = BOX_IDS[3:]
        self.assertEqual(self.shown(*kept), {box: SHARED_BOXES[box] for box in kept})
        expected = driver_ms('Circuit', '500', ['10', '0.5', '10'], ['20'] * 3, '7')
        self.assert_markers({'lneCircuit': (expected, BLUE)})
        self.node('showResults').click()
        row = [cell.get_attribute('textContent') for cell in browser.find_elements(
            By.CSS_SELECTOR, '#resultsTable tbody tr:first-child td')]
        self.assertEqual(row[:7] + row[9:10],
                         ['Circuit', '500', '10 / 0.5 / 10', '20 / 20 / 20', '2', '0', str(expected), '7'])


class Buttons(PageCase):
    CLICKS = (  # button, then the captions and the phase after its click
        ('cmdStart1', 'Start', 'Pause', 'Clock running without a message'),
        ('cmdStart1', 'Start', 'Cont', 'Ready'),
        ('cmdStart0', 'Reset', 'Pause', 'Running'),
        ('cmdStart1', 'Reset', 'Cont', 'Paused'),
        ('cmdStart1', 'Reset', 'Pause', 'Running'),
        ('cmdStart1', 'Reset', 'Cont', 'Paused'),
        ('cmdStart0', 'Start', 'Pause', 'Ready'),
    )

    def test_captions_follow_clicks(self):
        open_page('?speed=0.25')  # a run of a minute: it cannot end between the clicks
        for n, (button, *after) in enumerate(self.CLICKS):
            with self.subTest(click=n, button=button):
                self.node(button).click()
                shown = self.shown('cmdStart0', 'cmdStart1', 'statusPhase')
                self.assertEqual(list(shown.values()), after)

    def test_step_while_paused_advances_one_tick(self):
        open_page('?speed=0.25')
        self.node('cmdStart0').click()
        self.assertFalse(self.node('step').is_enabled())
        self.node('cmdStart1').click()
        self.wait_for(lambda: self.text('statusPhase') == 'Paused', 'the run never paused')
        for _ in range(2):
            before = self.text('statusClock')
            self.node('step').click()
            self.wait_for(lambda: self.text('statusClock') != before, 'Step never moved the clock')
            ms = [round(float(t.split()[2]) * 1000) for t in (before, self.text('statusClock'))]
            self.assertEqual(ms[1] - ms[0], 25)
            self.assertEqual(self.text('statusPhase'), 'Paused')


class Runs(PageCase):
    FULL_RUNS = (('Message', 'lneMessage', 6900, GREEN), ('Circuit', 'lneCircuit', 6375, BLUE))

    def test_markers_mark_completion_and_stay_for_later_runs(self):
        open_page('?speed=4')
        placed = {}
        for technique, marker, ms, colour in self.FULL_RUNS:
            with self.subTest(technique=technique):
                Select(self.node('cmbMethod')).select_by_visible_text(technique)
                if self.text('cmdStart0') == 'Reset':
                    self.node('cmdStart0').click()
                self.run_to_end()
                self.assertIn(f'{technique}: {ms} ms,', self.text('statusNotice'))
                placed[marker] = (ms, colour)
                self.assert_markers(placed)

    def test_close_markers_get_labels_a_line_apart(self):
        parameters = ('200', ['1', '1', '1'], ['50'] * 3)
        open_page('?technique=Message&size=200&rates=1,1,1&delays=50,50,50&speed=4&start=1')
        self.run_to_end(start=False)
        Select(self.node('cmbMethod')).select_by_visible_text('Circuit')
        self.node('cmdStart0').click()  # Reset
        self.run_to_end()
        self.assert_markers({'lneMessage': (driver_ms('Message', *parameters), GREEN),
                             'lneCircuit': (driver_ms('Circuit', *parameters), BLUE)})
        strip = browser.execute_script(LABEL_STRIP_JS)
        rows = strip['text']
        labels = [row for n, row in enumerate(rows) if n == 0 or rows[n - 1] != row - 1]
        self.assertEqual(len(labels), 2, f'the labels\' inked rows {rows}')
        self.assertGreaterEqual(labels[1] - labels[0], LINE - 1)  # a glyph may overshoot a row
        self.assertLess(abs(strip['markers'][0] - strip['markers'][1]), LINE)
        for marker in strip['markers']:
            self.assertIn(marker, strip['leaders'])
        self.assertFalse(strip['lastColumn'])
        self.assertGreater(rows[0], 0)
        self.assertLess(rows[-1], strip['height'] - 1)

    def test_changed_delay_clears_traces_and_markers_while_running(self):
        open_page('?speed=4')
        self.run_to_end()
        self.assert_markers({'lneMessage': (6900, GREEN)})
        Select(self.node('speed')).select_by_visible_text('¼×')  # a run of a minute for the rest
        self.node('cmdStart0').click()
        self.node('cmdStart0').click()
        self.wait_for(lambda: len(self.inked_rows()[0]) >= 10, 'the run never drew on trace 0')
        drawn = self.inked_rows()[0][-1]
        Select(self.node('cmbDelay1')).select_by_visible_text('20')
        phase, clock = self.text('statusPhase'), self.text('statusClock')
        # The rows drawn before the change are white again; later ticks draw further down.
        earlier = [[row for row in rows if row < drawn] for rows in self.inked_rows()]
        self.assertEqual(earlier, [[], [], []])
        self.assert_markers({})
        self.assertEqual(phase, 'Running')
        self.wait_for(lambda: self.text('statusClock') != clock, 'the clock stopped at the change')


class RateBoxes(PageCase):
    def test_typed_rate_is_kept_and_used(self):
        open_page('?speed=4')
        self.type_rate(0, '2')
        self.assertEqual(self.text('cmbBitRate0'), '2')
        rates = [self.text(f'cmbBitRate{k}') for k in range(3)]
        self.run_to_end()
        expected = driver_ms('Message', '300', rates, ['50'] * 3)
        self.assert_markers({'lneMessage': (expected, GREEN)})
        self.assertIn(f'Message: {expected} ms,', self.text('statusNotice'))

    def test_refused_rate_brings_back_previous_text(self):
        open_page('?speed=4')
        for typed in ('abc', '0', '-3', '1e400'):  # "1e40" is usable on the way
            with self.subTest(typed=typed):
                before = self.text('cmbBitRate0')
                self.type_rate(0, typed)
                self.assertEqual(self.text('cmbBitRate0'), before)
                self.assertIn(f'"{typed}"', self.text('statusNotice'))


    def test_a_choice_from_the_list_ends_an_edit_and_F9_reads_the_clock(self):
        open_page()
        Select(self.node('cmbBitRate1List')).select_by_visible_text('5.0')
        self.type_rate(1, 'x')
        self.assertEqual(self.text('cmbBitRate1'), '5.0')
        self.type_rate(1, '1,5')
        self.assertIn('"1,5" is read as 1; write 1.5 with a decimal point', self.text('statusNotice'))
        self.node('cmbBitRate1').send_keys(Keys.F9)
        self.wait_for(lambda: self.text('statusNotice') == 't = 0.000 s, Ready', 'F9 said no clock')


class PacketSizes(PageCase):
    def type_size(self, element_id, typed):
        box = self.node(element_id)
        box.click()
        box.send_keys(Keys.CONTROL, 'a')
        box.send_keys(typed, Keys.TAB)

    def test_sizes_from_a_link_or_typed_are_taken_or_refused_and_used(self):
        open_page('?speed=4&technique=Packet&packet=4&seed=3')
        self.assertEqual(self.node('packetSize').get_attribute('value'), '4')
        self.type_size('headerSize', 'x')
        self.assertIn('Header size: "x" is not a header size', self.text('statusNotice'))
        self.assertEqual(self.node('headerSize').get_attribute('value'), '0')
        self.type_size('headerSize', '1')
        self.assertEqual(self.text('statusNotice'), 'Packets of 4 blocks, header 1 block: from the next Start')
        self.run_to_end()
        expected = driver_ms('Packet', '300', ['1.0', '0.5', '1.0'], ['50'] * 3, '3',
                             ('--packet', '4', '--header', '1'))
        self.assert_markers({'lnePacket': (expected, browser.execute_script(MARKERS_JS)['lnePacket']['colour'])})
        self.assertIn(f'Packet: {expected} ms,', self.text('statusNotice'))


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
        native = subprocess.run([TRACE, '--sweep', 'size=100:1000:100', '--seeds', '2', '--packet', '3',
                                 '--csv'], check=True, capture_output=True, text=True).stdout
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
            self.wait_for(lambda: os.path.isfile(path) and os.path.getsize(path) > 0,
                          f'{name} never arrived')
            time.sleep(0.5)  # let the browser finish writing it
            with open(path, 'rb') as file:
                return file.read()

        picture = downloaded('switchsim.png', 'savePicture')
        self.assertEqual(picture[:8], b'\x89PNG\r\n\x1a\n')
        self.assertEqual(struct.unpack('>II', picture[16:24]), (916, 657))
        log = downloaded('switchsim-run.jsonl', 'exportLog').decode()
        self.assertEqual(log, driver_log('Packet', '300', ('1', '0.5', '1'), ('50', '50', '50'), '5'))
        # The vector picture is the driver's, with the additions the view shows.
        svg = downloaded('switchsim.svg', 'savePictureSvg')
        subprocess.run([TRACE, '--technique', 'Packet', '--seed', '5', '--additions',
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
        csv = subprocess.run([TRACE, '--technique', 'Circuit', '--seed', '1', '--timing', '--csv'],
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


class Density(PageCase):
    def test_traces_keep_their_strokes_when_the_density_changes(self):
        open_page('?technique=Circuit&speed=4&start=1')
        self.run_to_end(start=False)
        before = self.inked_rows()
        browser.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': 1100, 'height': 1000, 'deviceScaleFactor': 2, 'mobile': False})
        try:
            widths = "return [0, 1, 2].map((k) => document.querySelector(`#picTrace${k} canvas`).width)"
            self.wait_for(lambda: browser.execute_script(widths) == [478, 478, 478],
                          'the traces never followed the density')
            self.assertEqual(self.inked_rows(), before)
        finally:
            browser.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})


# A set of three at the form's defaults: Circuit delivers at 6375 ms (6050 ms in continuous
# time), Message at 6900 ms (6750 ms); the markers of one stay while the next is asked.
SHEET = {'title': 'Checks', 'exercises': [
    {'question': 'How long does Circuit take?', 'ask': 'completion', 'technique': 'Circuit',
     'size': 300, 'rates': '1,0.5,1', 'delays': '50,50,50', 'tolerance': 10},
    {'question': 'How long does Message take?', 'ask': 'completion', 'technique': 'Message',
     'size': 300, 'rates': '1,0.5,1', 'delays': '50,50,50', 'explain': 'Each router waits for the whole message.',
     'hint': 'Add each link.'},
    {'question': 'Which arrives first?', 'ask': 'fastest', 'size': 300, 'rates': '1,0.5,1',
     'delays': '50,50,50'},
]}
# Whether the page shows the readouts that give a time away: each marker label drawn in
# the margin, the results table, the guide's numbers.
READOUTS_JS = """const strip = document.querySelector('.marker-labels canvas');
const data = strip.getContext('2d').getImageData(0, 0, strip.width, strip.height).data;
const ground = switchsim.page.description.colours.window;
const g = [1, 3, 5].map((i) => parseInt(ground.slice(i, i + 2), 16));
let labels = false;
for (let i = 0; i < data.length && !labels; i += 4) {
  labels = data[i] !== g[0] || data[i + 1] !== g[1] || data[i + 2] !== g[2];
}
return {labels, results: !document.getElementById('resultsTable').hidden,
        curves: !document.getElementById('curveShown').hidden,
        guide: switchsim.page.api.guide().includes(' ms</td>')};"""

# A sheet whose texts are as long as a sheet's texts may be, with no space to break at.
LONG = {'title': 'T' * 4000, 'exercises': [
    {'question': 'Q' * 4000, 'ask': 'completion', 'technique': 'Circuit', 'size': 300,
     'rates': '1,0.5,1', 'delays': '50,50,50', 'explain': 'E' * 4000}]}
# How far the page, and the Exercises section within it, would scroll sideways; how far the
# section reaches past the page's width.
OVERFLOW_JS = """const page = document.documentElement;
const section = document.getElementById('exercises');
return [page.scrollWidth - page.clientWidth, section.scrollWidth - section.clientWidth,
        section.getBoundingClientRect().right - page.clientWidth];"""
# The question's text size, and the widths of the Exercises and Timing sections and of the form shown.
SIZES_JS = """return [parseFloat(getComputedStyle(document.getElementById('exerciseQuestion')).fontSize),
        ...['exercises', 'timing', 'stage'].map((id) => document.getElementById(id).offsetWidth)];"""

# Drops files on the Exercises section, as a file manager does: each a name and its text.
DROP_JS = """const files = new DataTransfer();
arguments[0].forEach(([name, text]) => files.items.add(new File([text], name)));
document.getElementById('exercises').dispatchEvent(
    new DragEvent('drop', {dataTransfer: files, bubbles: true, cancelable: true}));"""


class ExerciseTest(PageCase):
    """A set of exercises answered by typing, from a sheet on the site, a file or a link."""

    @classmethod
    def setUpClass(cls):
        # The site with sheets beside the page, served on a port of its own.
        cls.folder = tempfile.mkdtemp(prefix='switchsim-exercises-')
        cls.site = os.path.join(cls.folder, 'site')
        shutil.copytree(SITE, cls.site)
        os.mkdir(os.path.join(cls.site, 'sheets'))
        for name, sheet in (('checks.json', SHEET), ('long.json', LONG)):
            with open(os.path.join(cls.site, 'sheets', name), 'w', encoding='utf-8') as file:
                json.dump(sheet, file)
        cls.bad = os.path.join(cls.folder, 'bad.json')
        with open(cls.bad, 'w', encoding='utf-8') as file:
            file.write('{"title": "Bad",\n "exercises": [\n  {"question": "?", "ask": "slowest"}]}\n')
        cls.server, cls.base = page_driver.serve(cls.site)

    @classmethod
    def tearDownClass(cls):
        cls.server.shutdown()
        cls.server.server_close()
        shutil.rmtree(cls.folder)

    def open(self, query, forget=True):
        browser.get(self.base + 'sheets/checks.json')  # the site's storage, before the page reads it
        if forget:
            browser.execute_script('localStorage.clear()')
        browser.get(self.base + query)
        self.wait_for(lambda: browser.execute_script(
            "return document.documentElement.dataset.ready === 'true'"), 'the page never started')

    def readouts(self):
        return browser.execute_script(READOUTS_JS)

    def focused(self):
        return browser.execute_script('return document.activeElement.id')

    def answer(self, typed):
        box = self.node('exerciseAnswer')
        box.send_keys(Keys.CONTROL, 'a')
        box.send_keys(typed, Keys.ENTER)

    def outcome(self):
        self.wait_for(lambda: self.node('exerciseOutcome').is_displayed(), 'no outcome was shown')
        return (self.node('exerciseOutcome').get_attribute('class'),
                self.node('exerciseOutcome').get_attribute('textContent'))

    def progress_csv(self):
        """The progress as Export progress CSV downloads it."""
        return browser.execute_script('return switchsim.page.api.exerciseCsv()')

    def test_answers_are_graded_with_the_readouts_hidden_until_then(self):
        self.open('?speed=4&exercises=sheets/checks.json')
        self.wait_for(lambda: self.text('exerciseTitle').startswith('Exercise 1 of 3'), 'no first question')
        self.assertEqual(self.text('exerciseQuestion'), 'How long does Circuit take?')
        self.assertEqual(self.focused(), 'exerciseAnswer')
        self.assertEqual(self.readouts(), {'labels': False, 'results': False, 'curves': False, 'guide': False})
        # A student who starts the run by hand, or reads the progress, to learn the answer learns nothing.
        self.node('cmdStart0').click()
        self.node('exerciseAnswer').send_keys(Keys.F5)
        self.assertEqual(self.text('statusNotice'), 'A question waits: the run starts when you check your answer')
        self.assertEqual(self.shown('cmdStart0', 'statusClock'), {'cmdStart0': 'Start', 'statusClock': 't = 0.000 s'})
        self.assertEqual(self.inked_rows(), [[], [], []])
        self.assert_markers({})
        self.assertNotIn('6050', self.progress_csv())
        self.assertFalse(self.node('exerciseShowHint').is_displayed())  # the sheet gives this one no hint
        # No answer: the hint, the text kept, the keys where they were, no attempt used.
        self.answer('abc')
        self.wait_for(lambda: self.node('exerciseHint').is_displayed(), 'no hint for "abc"')
        self.assertEqual(self.node('exerciseAnswer').get_attribute('value'), 'abc')
        self.assertEqual(self.focused(), 'exerciseAnswer')
        self.assertIn('0 of 3 answered', self.text('exerciseSummary'))
        self.assertEqual(self.text('cmdStart0'), 'Start')
        # Written leniently, within this exercise's 10 %: the run goes, the readouts come back.
        self.answer('6 375 ms')
        within, lines = self.outcome()
        self.assertEqual(within, 'within')
        self.assertIn('6375 ms', lines)
        self.assertEqual(browser.execute_script(
            "return [...document.querySelectorAll('#exerciseOutcome dt')].map((label) => label.textContent)")[:4],
            ['Your answer', 'Expected', 'Simulated', 'Verdict'])
        self.assertEqual(self.focused(), 'exerciseNext')
        self.assertIn('6050', self.progress_csv())
        self.assertEqual(self.readouts(), {'labels': True, 'results': True, 'curves': True, 'guide': True})
        self.assert_markers({'lneCircuit': (6375, BLUE)})
        # The next question hides the circuit's label while its marker stays.
        self.node('exerciseNext').send_keys(Keys.ENTER)
        self.wait_for(lambda: self.text('exerciseTitle').startswith('Exercise 2 of 3'), 'Next asked nothing')
        self.assertIn('How long does Message take?', self.text('announcer'))
        self.assertEqual(self.focused(), 'exerciseAnswer')
        self.assertEqual(self.readouts()['labels'], False)
        self.assertNotIn('6375', self.node('lneCircuit').get_attribute('aria-label'))
        self.node('exerciseShowHint').click()
        self.wait_for(lambda: self.text('exerciseTeacherHint') == 'Add each link.', 'the hint never showed')
        self.assertFalse(self.node('exerciseShowHint').is_displayed())
        self.assertEqual(self.focused(), 'exerciseAnswer')
        self.answer('9000')
        within, lines = self.outcome()
        self.assertEqual(within, 'outside')
        self.assertIn('Each router waits for the whole message.', lines)
        self.assertIn('2 of 3 answered, 1 within tolerance', self.text('exerciseSummary'))
        # A reload keeps the progress and asks the first question not yet answered.
        self.open('?speed=4&exercises=sheets/checks.json', forget=False)
        self.wait_for(lambda: self.text('exerciseTitle').startswith('Exercise 3 of 3'), 'the progress was lost')
        self.assertIn('2 of 3 answered, 1 within tolerance', self.text('exerciseSummary'))
        self.assertEqual(self.readouts()['results'], False)
        # A question of techniques is answered from its buttons; its three runs go in turn.
        self.assertEqual(self.focused(), '')  # the first choice has the keys, and no id
        self.assertEqual(browser.execute_script('return document.activeElement.textContent'), 'Message')
        browser.switch_to.active_element.send_keys(Keys.TAB, Keys.TAB, Keys.ENTER)  # Packet
        within, lines = self.outcome()
        self.assertEqual(within, 'within')
        self.assertIn('3 of 3 answered, 2 within tolerance', self.text('exerciseSummary'))
        self.node('exerciseNext').send_keys(Keys.ENTER)
        self.wait_for(lambda: self.focused() == 'exerciseStartAgain', 'the end of the set took no keys')
        # Start again asks in the section, never in the browser's own dialog, before it forgets.
        browser.execute_script('window.confirm = () => { window.confirmed = true; return true; }')
        browser.switch_to.active_element.send_keys(Keys.ENTER)
        self.assertIn('answers to 3 exercises', self.text('exerciseConfirmText'))
        self.assertEqual(self.focused(), 'exerciseConfirmNo')
        browser.switch_to.active_element.send_keys(Keys.ENTER)  # Keep my answers
        self.assertFalse(self.node('exerciseConfirm').is_displayed())
        self.assertIn('3 of 3 answered', self.text('exerciseSummary'))
        self.node('exerciseStartAgain').click()
        self.node('exerciseConfirmYes').click()
        self.wait_for(lambda: self.text('exerciseTitle').startswith('Exercise 1 of 3'), 'the set never started again')
        self.assertIn('0 of 3 answered', self.text('exerciseSummary'))
        self.assertIsNone(browser.execute_script('return window.confirmed'))

    def test_the_tool_bar_opens_the_section_with_its_keys_and_the_course(self):
        self.open('')
        self.node('showExercises').send_keys(Keys.ENTER)
        self.assertEqual(self.focused(), 'exerciseCourse')
        browser.switch_to.active_element.send_keys(Keys.ENTER)
        self.wait_for(lambda: self.focused() == 'exerciseAnswer', 'the course asked nothing')
        self.assertRegex(self.text('exerciseTitle'), r'^Exercise 1 of \d+ · ')
        self.assertEqual(self.readouts()['results'], False)

    def test_a_link_opens_the_course_and_long_texts_wrap_within_the_section_at_any_zoom(self):
        self.open('?exercises=builtin')
        self.wait_for(lambda: re.match(r'Exercise 1 of \d+ · Switching', self.text('exerciseTitle')),
                      'the link opened no course')
        self.assertFalse(self.node('exerciseChooser').is_displayed())  # no one asked for another set
        self.open('?speed=4&exercises=sheets/long.json')
        self.wait_for(lambda: self.node('exerciseBody').is_displayed(), 'the long sheet never opened')
        self.assertLessEqual(max(browser.execute_script(OVERFLOW_JS)), 0, 'the question')
        self.answer('y' * 4000)
        self.wait_for(lambda: self.node('exerciseHint').is_displayed(), 'no hint')
        self.assertLessEqual(max(browser.execute_script(OVERFLOW_JS)), 0, 'the hint')
        self.answer('6375')
        self.outcome()
        self.assertLessEqual(max(browser.execute_script(OVERFLOW_JS)), 0, 'the outcome')
        # The sections' text follows the zoom and the projector's view, and they are as wide as the form.
        self.node('showTiming').click()
        plain = browser.execute_script(SIZES_JS)
        Select(self.node('zoom')).select_by_value('200')
        zoomed = browser.execute_script(SIZES_JS)
        self.assertAlmostEqual(zoomed[0], 2 * plain[0], places=1)
        width = browser.execute_script('return document.body.clientWidth - 16')  # within its padding
        self.assertEqual(zoomed[1:3], [min(zoomed[3], width)] * 2)
        self.node('projector').click()
        self.assertGreater(browser.execute_script(SIZES_JS)[0], zoomed[0])

    def test_bad_sheets_and_addresses_are_refused_and_nothing_loaded(self):
        for query, said in (('?exercises=https://example.org/a.json', 'another site'),
                            ('?exercises=//example.org/a.json', 'another site'),
                            ('?exercises=sheets/../../a.json', "outside the page's folder"),
                            ('?exercises=sheets/none.json', '404')):
            with self.subTest(query=query):
                self.open(query)
                self.wait_for(lambda: self.node('exerciseNotice').is_displayed(), 'nothing was said')
                self.assertIn(said, self.text('exerciseNotice'))
                self.assertFalse(self.node('exerciseBody').is_displayed())
        self.node('exerciseFile').send_keys(self.bad)
        self.wait_for(lambda: 'bad.json' in self.text('exerciseNotice'), 'the bad sheet was not refused')
        self.assertRegex(self.text('exerciseNotice'), r'line 3, column \d+')
        self.assertFalse(self.node('exerciseBody').is_displayed())
        self.assertEqual(self.readouts()['results'], True)
        browser.execute_script(DROP_JS, [['a.json', '{}'], ['b.json', '{}']])
        self.assertEqual(self.text('exerciseNotice'), 'Drop one sheet at a time.')
        # A name is quoted as any value is, abridged; the size is said as everywhere on the page.
        for text, said in (('{}', 'no "title" here'), ('x' * (1024 * 1024 + 1), 'at most 1 MiB')):
            browser.execute_script(DROP_JS, [['n' * 5000 + '.json', text]])
            self.wait_for(lambda: said in self.text('exerciseNotice'), f'no "{said}" said')
            notice = self.text('exerciseNotice')
            self.assertRegex(notice[:50], '^"n{40}…"')
            self.assertLess(len(notice), 300)
        # A sheet dropped on the section after a refusal opens; a bad one then leaves it as it was.
        browser.execute_script(DROP_JS, [['checks.json', json.dumps(SHEET)]])
        self.wait_for(lambda: self.text('exerciseTitle').startswith('Exercise 1 of 3'), 'the good sheet never opened')
        self.assertFalse(self.node('exerciseNotice').is_displayed())
        self.node('exerciseFile').send_keys(self.bad)
        self.wait_for(lambda: self.node('exerciseNotice').is_displayed(), 'the bad sheet was not refused')
        self.assertTrue(self.text('exerciseTitle').startswith('Exercise 1 of 3'))

    def test_a_link_asks_one_prediction_of_its_run_where_the_browser_keeps_nothing(self):
        self.open('')
        refuse = browser.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': (
            "Object.defineProperty(window, 'localStorage', "
            "{get() { throw new DOMException('refused', 'SecurityError'); }});")})
        try:
            browser.get(self.base + '?technique=Circuit&ask=completion&predict=1&speed=4')
            self.wait_for(lambda: self.text('exerciseTitle').startswith('Exercise 1 of 1'),
                          'no question from the link')
            self.answer('6050')
            within, _ = self.outcome()
            self.assertEqual(within, 'within')
            self.assertIn('1 of 1 answered, 1 within tolerance', self.text('exerciseSummary'))
        finally:
            browser.execute_cdp_cmd('Page.removeScriptToEvaluateOnNewDocument', refuse)

if __name__ == '__main__':
    if len(sys.argv) < 2 or not os.path.isdir(sys.argv[1]):
        sys.exit('usage: browser_test.py SITE_DIR [SWITCHSIM_TRACE] [unittest options]')
    SITE = sys.argv.pop(1)
    if len(sys.argv) > 1 and os.path.isfile(sys.argv[1]):
        TRACE = sys.argv.pop(1)
    unittest.main()
