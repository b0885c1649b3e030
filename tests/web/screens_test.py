#!/usr/bin/python3
"""The page on any screen, in headless Chromium: a phone upright and on its side, a
tablet and a desktop, with no sideways scrolling and every part of the form in reach;
offline and installable after one visit; readable under the browser's automatic dark
mode; in a course page's frame.
usage: /usr/bin/python3 tests/web/screens_test.py SITE_DIR SWITCHSIM_TRACE [unittest options]
"""
import os
import re
import sys
import tempfile
import unittest

from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import page_case
import page_driver

WAIT = 60  # s: how long any awaited condition may take on a slow, loaded machine
SITE = None
TOUCH_PX = 44  # CSS px: the least a control a finger taps may measure
SCREENS = (  # name, width, height, device pixels per CSS px, a phone or tablet
    ('phone', 390, 844, 3, True),
    ('phone_on_its_side', 844, 390, 3, True),
    ('tablet', 820, 1180, 2, True),
    ('desktop', 1920, 1080, 1, False),
)
# Every part of the form a user must see or reach: its controls, traces, markers and
# the marker labels (in the form's margin, or beside or under the form).
PARTS_JS = """const parts = [...document.querySelectorAll(
    '#Form1 input, #Form1 select, #Form1 button, #Form1 .trace, #Form1 .marker:not([hidden])')];
const labels = document.getElementById('legend').hidden
    ? document.querySelector('.marker-labels canvas') : document.getElementById('legend');
return [...parts, labels].map((e) => {
  const r = e.getBoundingClientRect();
  return {id: e.id || e.className, left: r.left, right: r.right, top: r.top + scrollY,
          bottom: r.bottom + scrollY};
});"""
# The controls a finger uses outside the form that show now, with their sizes.
TOUCH_JS = """return [...document.querySelectorAll(
    '#toolbar button, #toolbar select, #toolbar label, #runBar button, #parameters input, #parameters select')]
  .filter((e) => e.checkVisibility()).map((e) => {
    const r = e.getBoundingClientRect();
    return {id: e.id || e.textContent.trim(), width: r.width, height: r.height};
  });"""
# Whether each element given by id shows whole within the window, clear of the run bar.
IN_VIEW_JS = """const bar = document.getElementById('runBar').getBoundingClientRect();
return arguments[0].map((id) => {
  const r = document.getElementById(id).getBoundingClientRect();
  const clear = id === 'runBar' || r.bottom <= bar.top + 1 || r.top >= bar.bottom - 1;
  return r.height > 0 && r.top >= 0 && r.bottom <= innerHeight && clear;
});"""
# A framed page: the form's scale, how far it scrolls, how far its run bar's bottom lies
# below the frame's (or above it, negative), and the frame's height left beside the form and the bar.
FRAME_JS = """const bar = document.getElementById('runBar').getBoundingClientRect();
return [switchsim.page.stage.scale, document.documentElement.scrollHeight - innerHeight,
        Math.round(bar.bottom - innerHeight),
        Math.round(innerHeight - bar.height - document.getElementById('stage').offsetHeight)];"""
browser = base = server = None


def setUpModule():
    global server, browser, base
    server, base = page_driver.serve(SITE)
    browser = page_driver.chromium()
    page_case.browser, page_case.base = browser, base


def tearDownModule():
    browser.quit()
    server.shutdown()
    server.server_close()


def emulate(width, height, ratio, mobile):
    browser.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
        'width': width, 'height': height, 'deviceScaleFactor': ratio, 'mobile': mobile})
    browser.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': mobile})


def wait_for(condition, what):
    WebDriverWait(browser, WAIT).until(lambda b: condition(), message=what)


def run_to_end(start_id):
    browser.find_element('id', start_id).click()
    wait_for(lambda: browser.find_element('id', 'statusPhase').get_attribute('textContent')
             .startswith('Ended'), 'the run never ended')


class Screens(unittest.TestCase):
    def tearDown(self):
        browser.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})

    def test_the_form_fits_each_screen_and_a_tap_on_start_runs_it(self):
        expected = page_case.driver_ms('Packet', '300', ('1', '0.5', '1'), ('50', '50', '50'), '3')
        for name, width, height, ratio, mobile in SCREENS:
            with self.subTest(name):
                emulate(width, height, ratio, mobile)
                page_case.open_page('?technique=Packet&seed=3&speed=4')
                compact = 'compact' in browser.execute_script('return document.body.className')
                self.assertEqual(compact, width <= 700 or height <= 500, 'only a phone gets the compact page')
                run_to_end('run0' if mobile else 'cmdStart0')  # a finger taps the run bar
                self.assertIn(f'Packet: {expected} ms', browser.find_element('id', 'statusNotice').text)
                self.assertLessEqual(browser.execute_script(
                    'return document.documentElement.scrollWidth'), width, 'it scrolls sideways')
                for part in browser.execute_script(PARTS_JS):
                    self.assertGreaterEqual(part['left'], 0, part)
                    self.assertLessEqual(part['right'], width, part)
                    if width > height:  # on its side, nothing needs scrolling at all
                        self.assertLessEqual(part['bottom'], height, part)
                self.assertEqual(browser.find_element('id', 'runBar').is_displayed(), mobile,
                                 'a run bar is for a finger')
                if name == 'desktop':
                    self.assertEqual(browser.execute_script('return switchsim.page.stage.scale'), 1)
                if mobile:
                    if compact:
                        browser.find_element('id', 'menuButton').click()
                    for control in browser.execute_script(TOUCH_JS):
                        self.assertGreaterEqual(min(control['width'], control['height']), TOUCH_PX,
                                                control)
                    runbar = browser.find_element('id', 'runBar').rect
                    self.assertLessEqual(runbar['y'] + runbar['height'], height, 'Start is out of reach')
                if compact and width > height:  # the open menu takes height: the form makes room
                    wait_for(lambda: all(part['bottom'] <= height
                                         for part in browser.execute_script(PARTS_JS)),
                             'the form did not make room for the open menu')

    def test_explore_draws_its_curve_within_a_phones_screen_for_a_finger(self):
        emulate(390, 844, 3, True)
        page_case.open_page('?seed=3')
        browser.find_element('id', 'menuButton').click()
        browser.find_element('id', 'showExplore').click()
        for box, value in (('sweepTo', '200'), ('sweepSeeds', '1')):
            browser.find_element('id', box).clear()
            browser.find_element('id', box).send_keys(value)
        browser.find_element('id', 'sweepRun').click()
        wait_for(lambda: browser.find_element('id', 'sweepProgress').text == '30 runs', 'no curve')
        self.assertLessEqual(browser.execute_script('return document.documentElement.scrollWidth'), 390)
        curve = browser.find_element('id', 'curve').rect
        self.assertLessEqual(curve['x'] + curve['width'], 390)
        self.assertGreater(curve['width'], 300)
        for control in browser.execute_script(
                "return [...document.querySelectorAll('#explore button, #explore select, #explore input')]"
                ".filter((e) => e.checkVisibility()).map((e) => {const r = e.getBoundingClientRect();"
                " return {id: e.id, width: r.width, height: r.height}; })"):
            self.assertGreaterEqual(min(control['width'], control['height']), TOUCH_PX, control)

    def test_explore_stands_beside_the_form_on_a_desktop_with_its_text_at_the_zoom(self):
        emulate(1920, 1080, 1, False)
        page_case.open_page('?seed=3')
        browser.find_element('id', 'showExplore').click()
        browser.find_element('id', 'sweepRun').click()
        wait_for(lambda: browser.find_element('id', 'sweepProgress').text == '450 runs', 'no curve')
        # The form's boxes stay in view; the curve stands whole beside them.
        self.assertEqual(browser.execute_script('return scrollY'), 0)
        for part in browser.execute_script(PARTS_JS):
            self.assertLessEqual(part['bottom'], 1080, part)
        form = browser.find_element('id', 'stage').rect
        curve = browser.find_element('id', 'curve').rect
        self.assertGreaterEqual(curve['x'], form['x'] + form['width'])
        self.assertLessEqual(curve['x'] + curve['width'], 1920)
        self.assertLessEqual(curve['y'] + curve['height'], 1080)
        style = "const s = getComputedStyle(document.getElementById('sweepRun')); return [s.fontSize, s.fontWeight]"
        self.assertEqual(browser.execute_script(style), ['14px', '400'])
        for query, shown in (('?zoom=200', ['28px', '400']), ('?projector=1', ['17.5px', '700'])):
            page_case.open_page(query)
            browser.find_element('id', 'showExplore').click()
            self.assertEqual(browser.execute_script(style), shown, query)

    def test_a_rate_twin_takes_a_decimal_through_the_forms_own_rule(self):
        emulate(390, 844, 3, True)
        page_case.open_page('?seed=3')
        twin = browser.find_element('id', 'twin_cmbBitRate1')
        self.assertEqual(twin.get_attribute('inputmode'), 'decimal')
        for typed, kept in (('2.5', '2.5'), ('abc', '2.5')):
            twin.click()
            twin.send_keys(Keys.CONTROL, 'a')
            twin.send_keys(typed)
            browser.find_element('id', 'twin_cmbMethod').click()  # leaves the box: the edit ends
            wait_for(lambda: browser.find_element('id', 'cmbBitRate1').get_attribute('value') == kept,
                     f'{typed} did not leave the form at {kept}')
            self.assertEqual(twin.get_attribute('value'), kept)

    def test_the_margins_text_stays_readable_under_automatic_dark_mode(self):
        emulate(1100, 900, 1, False)
        page_case.open_page('?technique=Circuit&seed=3&speed=4&start=1')
        wait_for(lambda: browser.find_element('id', 'statusPhase').get_attribute('textContent')
                 .startswith('Ended'), 'the run never ended')
        # Automatic dark mode off and on, with the system preferring light or dark.
        for dark, scheme in ((False, 'light'), (True, 'light'), (True, 'dark')):
            browser.execute_cdp_cmd('Emulation.setEmulatedMedia', {
                'features': [{'name': 'prefers-color-scheme', 'value': scheme}]})
            browser.execute_cdp_cmd('Emulation.setAutoDarkModeOverride', {'enabled': dark})
            try:
                for margin in ('.time-scale canvas', '.marker-labels canvas'):
                    self.assertGreaterEqual(contrast(margin), 4.5, f'{margin}, dark mode {dark}, {scheme}')
            finally:
                browser.execute_cdp_cmd('Emulation.setAutoDarkModeOverride', {})
                browser.execute_cdp_cmd('Emulation.setEmulatedMedia', {'features': []})

    def test_after_one_visit_the_page_runs_offline_and_is_installable(self):
        emulate(1100, 900, 1, False)
        page_case.open_page()
        wait_for(lambda: browser.execute_script(
            'return !!navigator.serviceWorker.controller || (location.reload(), false)'),
            'no service worker took the page')
        errors = browser.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors']
        self.assertEqual(errors, [])
        page_case.open_page('?lang=de')  # its catalog is kept from now on
        wait_for(lambda: browser.execute_async_script(
            "caches.match('switchsim-de.mo').then((hit) => arguments[0](!!hit))"), 'the catalog was not kept')
        browser.execute_cdp_cmd('Network.enable', {})
        browser.execute_cdp_cmd('Network.emulateNetworkConditions', {
            'offline': True, 'latency': 0, 'downloadThroughput': -1, 'uploadThroughput': -1})
        try:
            page_case.open_page('?technique=Circuit&seed=3&speed=4')
            run_to_end('cmdStart0')
            expected = page_case.driver_ms('Circuit', '300', ('1', '0.5', '1'), ('50', '50', '50'), '3')
            self.assertIn(f'Circuit: {expected} ms', browser.find_element('id', 'statusNotice').text)
            page_case.open_page('?lang=de')
            self.assertEqual(browser.execute_script('return document.documentElement.lang'), 'de')
        finally:
            browser.execute_cdp_cmd('Network.emulateNetworkConditions', {
                'offline': False, 'latency': 0, 'downloadThroughput': -1, 'uploadThroughput': -1})

    def test_the_page_loads_every_module_at_once_and_its_worker_keeps_every_file(self):
        page = open(os.path.join(SITE, 'index.html'), encoding='utf-8').read()
        files = set(os.listdir(SITE))
        modules = {name for name in files if name.endswith('.js')} - {'switchsim.js', 'switchsim-core.js', 'sw.js'}
        self.assertEqual(set(re.findall(r'rel="modulepreload" href="([^"]+)"', page)), modules)
        worker = open(os.path.join(SITE, 'sw.js'), encoding='utf-8').read()
        kept = set(re.findall(r"'([^']+)'", worker.split('const FILES = ')[1].split(';')[0]))
        # A language's catalog is kept once a page that speaks it has fetched it, not before.
        catalogs = {name for name in files if name.endswith('.mo')}
        self.assertEqual(kept, (files - {'sw.js'} - catalogs) | {'./'})

    def test_on_a_phone_an_answer_checked_plays_its_run_in_view_and_the_outcome_follows(self):
        emulate(390, 844, 3, True)
        page_case.open_page('?technique=Circuit&predict=1&speed=4')
        browser.find_element('id', 'run0').click()  # Start, to read the answer off the run: nothing runs
        self.assertEqual([browser.find_element('id', id).get_attribute('textContent') for id in ('run0', 'runClock')],
                         ['Start', 't = 0.000 s'])
        browser.find_element('id', 'exerciseAnswer').send_keys('6050')
        # Checked and paused at once: the view is read while the run waits.
        browser.execute_script("document.getElementById('exerciseForm').requestSubmit();"
                               "document.getElementById('run1').click();")
        self.assertEqual(browser.execute_script(IN_VIEW_JS, ['picTrace0', 'picTrace1', 'picTrace2', 'runBar']),
                         [True] * 4, 'the traces and the run bar')
        browser.find_element('id', 'run1').click()  # Cont
        wait_for(lambda: browser.find_element('id', 'exerciseOutcome').is_displayed(), 'no outcome')
        self.assertEqual(browser.execute_script(IN_VIEW_JS, ['exerciseOutcome', 'runBar']), [True] * 2,
                         'the outcome and the run bar')

    def test_a_course_pages_frames_keep_their_run_bar_and_leave_the_host_page_alone(self):
        emulate(1100, 900, 1, False)
        page_case.open_page('?rates=2,2,2&speed=2&zoom=fit&projector=1')
        link = browser.execute_script('return switchsim.page.toolBar.share.link()')
        self.assertTrue(link.endswith('?technique=Message&size=300&rates=2,2,2&delays=50,50,50'
                                      '&speed=2&zoom=fit&projector=1'), link)
        browser.find_element('id', 'embed').click()
        snippet = browser.find_element('id', 'shareText').get_attribute('value')
        self.assertIn('&amp;projector=1&amp;embed=1"', snippet)
        # A course page of another site holds the snippet's frame as given, a 700 × 500 frame
        # whose link starts a run, and one that asks a prediction, further down than the
        # host's scroll shows whole; the host's own box has the keys before the frames start.
        frame = '<iframe src="{}" width="700" height="500" style="display:block"></iframe>'
        host = (f'<!DOCTYPE html><body style="margin:0"><input id="hostBox"><div style="height:1200px"></div>'
                f'{snippet.replace("<iframe ", "<iframe style=display:block ")}'
                + frame.format(base + '?technique=Circuit&seed=1&speed=4&start=1&embed=1')
                + frame.format(base + '?technique=Circuit&predict=1&speed=4&embed=1')
                + '<div style="height:2000px"></div><script>document.getElementById("hostBox").focus();'
                'scrollTo(0, document.querySelectorAll("iframe")[2].offsetTop - 800);</script></body>')
        folder = self.enterContext(tempfile.TemporaryDirectory(prefix='switchsim-host-'))
        with open(os.path.join(folder, 'host.html'), 'w', encoding='utf-8') as file:
            file.write(host)
        host_server, host_base = page_driver.serve(folder)
        self.addCleanup(host_server.server_close)
        self.addCleanup(host_server.shutdown)
        browser.get(host_base + 'host.html')
        host_view = "return [document.activeElement.id, scrollY]"
        before = ['hostBox', browser.execute_script("return document.querySelectorAll('iframe')[2].offsetTop - 800")]

        def in_frame(index, script='return true'):
            browser.switch_to.default_content()
            browser.switch_to.frame(index)
            ready = browser.execute_script("return document.documentElement.dataset.ready === 'true'")
            return ready and browser.execute_script(script)
        try:
            for index in range(3):
                wait_for(lambda: in_frame(index), f'framed page {index} never started')
            in_frame(0)
            shown = browser.execute_script("""return ['toolbar', 'statusBar', 'results', 'parameters', 'runBar', 'stage']
                .map((id) => document.getElementById(id).checkVisibility())""")
            self.assertEqual(shown, [False, False, False, False, True, True])
            self.assertEqual(browser.find_element('id', 'cmbBitRate0').get_attribute('value'), '2')
            # The snippet's frame shows the form at its own size and the run bar, and no more.
            self.assertEqual(browser.execute_script(FRAME_JS), [1, 0, 0, 0])
            # After a run, the marker's label beside the form still leaves the run bar in the frame.
            wait_for(lambda: in_frame(1, "return document.getElementById('statusPhase').textContent"
                                         ".startsWith('Ended')"), 'the run never ended')
            scale, scrolls, bar_below, _ = browser.execute_script(FRAME_JS)
            self.assertLess(scale, 1)
            self.assertEqual([scrolls, bar_below], [0, 0])
            self.assertTrue(browser.find_element('id', 'legend').is_displayed())
            # A question asked in a frame neither takes the keys nor moves the host page, nor after its run.
            wait_for(lambda: in_frame(2, "return !document.getElementById('exerciseBody').hidden"), 'no question')
            self.assertFalse(browser.find_element('id', 'exerciseChooser').is_displayed())
            browser.execute_script("document.getElementById('exerciseAnswer').value = '6050';"
                                   "document.getElementById('exerciseForm').requestSubmit();")
            wait_for(lambda: browser.find_element('id', 'exerciseOutcome').is_displayed(), 'no outcome')
            self.assertLessEqual(browser.execute_script(FRAME_JS)[2], 0, 'the run bar left the frame')
            browser.switch_to.default_content()
            self.assertEqual(browser.execute_script(host_view), before)
        finally:
            browser.switch_to.default_content()


# The lightest and darkest relative luminance of a PNG picture given as a data address.
LUMINANCE_JS = """const done = arguments[arguments.length - 1];
const image = new Image();
image.onload = () => {
  const c = document.createElement('canvas');
  c.width = image.width;
  c.height = image.height;
  const context = c.getContext('2d');
  context.drawImage(image, 0, 0);
  const data = context.getImageData(0, 0, c.width, c.height).data;
  const linear = (v) => (v /= 255) <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4;
  let low = 1, high = 0;
  for (let i = 0; i < data.length; i += 4) {
    const l = 0.2126 * linear(data[i]) + 0.7152 * linear(data[i + 1]) + 0.0722 * linear(data[i + 2]);
    low = Math.min(low, l);
    high = Math.max(high, l);
  }
  done([low, high]);
};
image.src = arguments[0];"""


def contrast(selector):
    """The contrast of the darkest and lightest pixels on screen where the canvas
    `selector` shows: its text against what it is drawn on."""
    rect = browser.execute_script(
        'const r = document.querySelector(arguments[0]).getBoundingClientRect();'
        'return {x: r.left, y: r.top, width: r.width, height: r.height, scale: 1};', selector)
    shot = browser.execute_cdp_cmd('Page.captureScreenshot', {'format': 'png', 'clip': rect})
    low, high = browser.execute_async_script(LUMINANCE_JS, 'data:image/png;base64,' + shot['data'])
    return (high + 0.05) / (low + 0.05)


if __name__ == '__main__':
    if len(sys.argv) < 3 or not os.path.isdir(sys.argv[1]):
        sys.exit('usage: screens_test.py SITE_DIR SWITCHSIM_TRACE [unittest options]')
    SITE = sys.argv.pop(1)
    page_case.TRACE = sys.argv.pop(1)
    unittest.main()
