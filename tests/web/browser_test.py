#!/usr/bin/python3
"""The web edition's form in headless Chromium, driven by clicks and typing: what it
shows at start-up and from a shared link, what its buttons and boxes do, where a
run's markers land, against the native driver's completion times, and its traces
at another screen density.

usage: /usr/bin/python3 tests/web/browser_test.py SITE_DIR [SWITCHSIM_TRACE] [unittest options]
"""
import os
import re

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

import page_case
from page_case import BLUE, GREEN, MARKERS_JS, PageCase, driver_ms, open_page

# The version the page should name; the build gives it, else any version will do.
VERSION = re.escape(os.environ['SWITCHSIM_VERSION']) if 'SWITCHSIM_VERSION' in os.environ \
    else r'\d+\.\d+\.\d+'
BOX_IDS = ('cmbBitRate0', 'cmbBitRate1', 'cmbBitRate2', 'cmbDelay0', 'cmbDelay1', 'cmbDelay2',
           'cmbMethod', 'cmbMessageSize')
# The load writes each rate back in its shortest text, as the desktop form does.
DEFAULTS = dict(zip(BOX_IDS, ('1', '0.5', '1', '50', '50', '50', 'Message', '300')))
READY = {'cmdStart0': 'Start', 'cmdStart1': 'Pause', 'statusPhase': 'Ready',
         'statusClock': 't = 0.000 s'}
SHARED = 'technique=Circuit&size=500&rates=10,0.5,10&delays=20,20,20&seed=7&speed=4'
SHARED_BOXES = dict(zip(BOX_IDS, ('10', '0.5', '10', '20', '20', '20', 'Circuit', '500')))

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

browser = None  # the browser of page_case, once setUpModule has started it


def setUpModule():
    global browser
    browser = page_case.set_up()


def tearDownModule():
    page_case.tear_down()


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



if __name__ == '__main__':
    page_case.main()
