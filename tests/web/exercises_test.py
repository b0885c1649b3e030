#!/usr/bin/python3
"""The web edition's exercises in headless Chromium: a set answered by typing, from a
sheet on the site, a file or a link, with the readouts hidden until the answer, its
hints and progress, and the sheets and addresses it refuses.

usage: /usr/bin/python3 tests/web/exercises_test.py SITE_DIR [SWITCHSIM_TRACE] [unittest options]
"""
import json
import os
import re
import shutil
import tempfile

from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

import page_case
import page_driver
from page_case import BLUE, PageCase

browser = None  # the browser of page_case, once setUpModule has started it


def setUpModule():
    global browser
    browser = page_case.set_up()


def tearDownModule():
    page_case.tear_down()


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
        shutil.copytree(page_case.SITE, cls.site)
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
    page_case.main()
