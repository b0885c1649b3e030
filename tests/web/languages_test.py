#!/usr/bin/python3
"""The page in other languages, in headless Chromium. In the pseudo-language, whose every
text is the English one bracketed and a third longer, a walk through the form, its views,
menus, dialogs and notices, both courses' questions and the labs finds no text a person
reads outside the brackets and none cut off or pushing the page sideways, on a desktop and
on a phone. In German and Spanish a run, an answer and a curve speak the language and write
its decimal commas, while the files the page hands out stay the driver's, in English.

usage: /usr/bin/python3 tests/web/languages_test.py SITE_DIR [SWITCHSIM_TRACE] [unittest options]
"""
import os
import re
import tempfile

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import page_case
from page_case import PageCase, driver_log, open_page

browser = None  # the browser of page_case, once setUpModule has started it

# What the page shows that a person reads and the pseudo-language left outside its brackets,
# and what does not fit: each [where, text]. A text is a block's run of inline text, so that
# a bracket opened before a <sub> closes after it. Outside the brackets may stand numbers,
# the units ms and s, a formula's letters and functions, and the languages' own names.
LOOK_JS = r"""
const outside = (text) => {
  let depth = 0, kept = '';
  for (const c of text) {
    if (c === '[') ++depth; else if (c === ']') depth = Math.max(depth - 1, 0); else if (depth === 0) kept += c;
  }
  return kept;
};
const unmarked = (text) => outside(text).split(/[^\p{L}]+/u)
  .some((word) => word !== '' && !/^(\p{L}|ms|min|max|floor)$/u.test(word));
const shows = (e) => !!e.closest('.visually-hidden')
  || (e.checkVisibility({checkVisibilityCSS: true}) && e.getClientRects().length > 0);
const where = (e) => e.id ? `#${e.id}` : `${e.tagName.toLowerCase()} in ${where(e.parentElement)}`;
const inline = (e) => getComputedStyle(e).display === 'inline';
const found = {unmarked: [], cut: []};
const texts = new Map();  // block: its inline text
const boxes = new Set(document.querySelectorAll('button, input[type="text"], select, textarea'));
const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
for (let node = walker.nextNode(); node; node = walker.nextNode()) {
  let block = node.parentElement;
  if (['SCRIPT', 'STYLE', 'OPTION'].includes(block.tagName) || !shows(block) || node.data.trim() === '') continue;
  while (inline(block)) block = block.parentElement;
  texts.set(block, `${texts.get(block) ?? ''} ${node.data}`);  // R<sub>k</sub>: two words
  for (let e = block; e !== document.body; e = e.parentElement) boxes.add(e);
}
for (const [block, text] of texts) if (unmarked(text)) found.unmarked.push([where(block), text.trim()]);
for (const e of document.body.querySelectorAll('*')) {
  if (!shows(e)) continue;
  for (const name of ['title', 'aria-label', 'placeholder']) {
    const value = e.getAttribute(name);
    if (value && unmarked(value)) found.unmarked.push([`${where(e)} ${name}`, value]);
  }
  if (e.tagName === 'SELECT' && e.id !== 'language') {
    for (const option of e.options) if (unmarked(option.text)) found.unmarked.push([`${where(e)} option`, option.text]);
  }
}
// The curves and pictures are drawn from the module's lists: their texts are read and measured there.
const {explore, labs} = switchsim.page;
const measure = document.createElement('canvas').getContext('2d');
for (const [id, drawing] of [['curve', explore.drawing], ['labPicture', labs.drawing], ['labCurve', labs.curve.drawing]]) {
  if (!drawing || !shows(document.getElementById(id))) continue;
  for (const item of drawing.items.filter((item) => item.k === 'text')) {
    if (unmarked(item.t)) found.unmarked.push([`#${id} drawing`, item.t]);
    measure.font = `${item.b ? 'bold ' : ''}${item.size / 100}px "DejaVu Sans", sans-serif`;
    const [x, width] = [item.x / 100, measure.measureText(item.t).width];
    const from = x - width * {start: 0, middle: 0.5, end: 1}[item.a];
    if (item.r === 0 && (from < -1 || from + width > drawing.width + 1)) found.cut.push([`#${id} drawing`, item.t]);
  }
}
// A caption on a button keeps its words whole.
for (const button of document.querySelectorAll('button')) {
  const range = document.createRange();
  range.selectNodeContents(button);
  const lines = new Set([...range.getClientRects()].map((r) => Math.round(r.top))).size;
  if (shows(button) && lines > button.textContent.trim().split(/\s+/).length) found.cut.push([where(button), button.textContent]);
}
// A table may scroll within its section on a narrow screen; nothing else may. The form is shown
// at a scale that its stage's width takes and its scroll width does not, and a caption may reach
// beyond its place over the empty form: the form's parts are checked below.
for (const e of boxes) {
  if (!shows(e) || e.closest('.visually-hidden') || inline(e) || e.querySelector('table') || e.matches('#stage, #Form1 .label')) continue;
  if (e.scrollWidth > e.clientWidth + 1) found.cut.push([where(e), e.textContent.trim().slice(0, 80)]);
}
// The form keeps its places: a caption stays within it, clear of its controls and other captions.
const form = document.getElementById('Form1').getBoundingClientRect();
const parts = [...document.querySelectorAll('#Form1 :is(input, select, button, .trace, .label span)')];
const meet = (a, b) => a.left < b.right - 1 && b.left < a.right - 1 && a.top < b.bottom - 1 && b.top < a.bottom - 1;
for (const caption of document.querySelectorAll('#Form1 .label span')) {
  const r = caption.getBoundingClientRect();
  const under = parts.filter((e) => e !== caption && meet(r, e.getBoundingClientRect())).map(where);
  if (r.left < form.left - 1 || r.right > form.right + 1) under.push('the edge of the form');
  if (under.length > 0) found.cut.push([where(caption.parentElement), `${caption.textContent} over ${under.join(', ')}`]);
}
const page = document.documentElement;
if (page.scrollWidth > page.clientWidth) found.cut.push(['the page', `${page.scrollWidth} px wide in ${page.clientWidth} px`]);
return found;"""
SCREENS = (('desktop', 1280, 900, False), ('phone', 360, 740, True))
STEP_JS = 'return JSON.parse(switchsim.page.api.exerciseState()).step'
# Answers tried in turn until one is taken: a time, a packet size, a probability.
ANSWERS = ('1000', '5', '0.01')


def emulate(width, height, mobile):
    browser.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
        'width': width, 'height': height, 'deviceScaleFactor': 1, 'mobile': mobile})
    browser.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': mobile})


def setUpModule():
    global browser
    browser = page_case.set_up()


def tearDownModule():
    page_case.tear_down()


class PseudoLanguage(PageCase):
    def tearDown(self):
        browser.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
        browser.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': False})

    def look(self, step):
        """Notes what the page shows now that is unmarked or cut, with the step that shows it."""
        found = browser.execute_script(LOOK_JS)
        for kind, items in found.items():
            for where, text in items:
                self.found[kind].setdefault((where, text), f'{self.screen}: {step}')

    def click(self, element_id):
        self.press(self.node(element_id))

    def press(self, element):
        """Clicks `element` in the middle of the window, clear of a phone's run bar."""
        browser.execute_script('arguments[0].scrollIntoView({block: "center"})', element)
        element.click()

    def type_in(self, element_id, typed):
        box = self.node(element_id)
        box.send_keys(Keys.CONTROL, 'a')
        box.send_keys(typed, Keys.TAB)

    def open_sections(self):
        if self.compact and self.node('menuButton').get_attribute('aria-expanded') == 'false':
            self.click('menuButton')
        for button in ('showResults', 'showTiming', 'showExplore', 'showLabs'):
            self.click(button)

    def walk_form(self):
        open_page('?lang=pseudo&bogus=1')
        self.look('a bad link')
        open_page('?lang=pseudo&speed=4')
        browser.execute_script('localStorage.clear()')
        self.look('the page')
        self.open_sections()
        self.look('the sections')
        self.type_in('cmbBitRate0', 'abc')
        self.look('a bad rate')
        self.click('run0' if self.compact else 'cmdStart0')
        self.wait_for(lambda: self.text('statusPhase').startswith('[Ended'), 'the run never ended')
        self.look('a run')
        for button in ('showGuide', 'share', 'embed'):
            self.click(button)
            self.look(button)
            browser.execute_script("document.querySelector('dialog[open] form button').click()")

    def walk_explore(self):
        self.type_in('sweepSeeds', 'x')
        self.click('sweepRun')
        self.look('a bad sweep')
        self.type_in('sweepSeeds', '1')
        self.click('sweepRun')
        self.wait_for(lambda: self.node('curveNumbers').is_displayed(), 'the curve was never drawn')
        self.press(browser.find_element(By.CSS_SELECTOR, '#curveNumbers summary'))
        self.wait_for(lambda: browser.find_elements(By.CSS_SELECTOR, '#curveTable tbody tr'), 'no numbers listed')
        self.look('a curve')
        self.press(browser.find_element(By.CSS_SELECTOR, '#curveNumbers summary'))  # the page stops growing

    def walk_labs(self):
        for lab in ('share', 'queue'):
            self.click(f'labTab-{lab}')
            self.click('labRun')
            self.wait_for(lambda: 'Done' in self.text('labProgressText'), f'the {lab} lab never ran')
            self.click('labCurveDraw')
            self.wait_for(lambda: self.node('labCurveNumbers').is_displayed(), f'the {lab} curve was never drawn')
            self.press(browser.find_element(By.CSS_SELECTOR, '#labCurveNumbers summary'))
            self.click('labCopyLink')
            self.wait_for(lambda: self.text('labLinkNote') != '', 'the link was never said')
            self.look(f'the {lab} lab')
            self.type_in(self.node('labBoxes').find_element(By.TAG_NAME, 'input').get_attribute('id'), 'x')
            self.look(f'a bad value in the {lab} lab')

    def walk_course(self, button):
        """Answers each question of a course, looking at its question, its run and its outcome."""
        self.click(button)
        asked = 0
        while browser.execute_script(STEP_JS) != 'done':
            asked += 1
            step = f'{button}, question {asked}'
            self.look(step)
            if self.node('exerciseShowHint').is_displayed():
                self.click('exerciseShowHint')
            choices = browser.find_elements(By.CSS_SELECTOR, '#exerciseChoices button')
            if choices:
                self.press(choices[0])
            for typed in ANSWERS if not choices else ():
                self.node('exerciseAnswer').send_keys(Keys.CONTROL, 'a')
                self.node('exerciseAnswer').send_keys(typed, Keys.ENTER)
                if browser.execute_script(STEP_JS) != 'asking':
                    break
                self.look(f'{step}, refused {typed}')
            self.look(f'{step}, its run')
            self.wait_for(lambda: self.node('exerciseNext').is_displayed(), f'{step} was never graded')
            self.look(f'{step}, its outcome')
            self.click('exerciseNext')
        self.look(f'{button}, its end')
        self.click('exerciseStartAgain')
        self.look(f'{button}, starting again')
        self.click('exerciseConfirmYes')
        self.click('exerciseClose')

    def walk(self):
        for screen, width, height, mobile in SCREENS:
            emulate(width, height, mobile)
            self.screen, self.compact = screen, mobile
            self.walk_form()
            self.walk_explore()
            self.walk_labs()
            self.click('showExercises')
            self.look('the sets offered')
            for course in ('exerciseCourse', 'exerciseSharingCourse'):
                self.walk_course(course)

    def test_every_text_is_the_catalogs_and_fits_on_a_desktop_and_a_phone(self):
        self.found = {'unmarked': {}, 'cut': {}}
        try:
            self.walk()
        finally:  # a walk that a broken page stopped says what it had found too
            lines = [f'{kind} in {step}: {where}: {text!r}' for kind, items in self.found.items()
                     for (where, text), step in items.items()]
            self.assertEqual(lines, [], '\n' + '\n'.join(lines))


# Each language: its code, its decimal separator, and what it says when a run has ended, when a
# lab is done, and over an answer's outcome.
LANGUAGES = (
    ('en', '.', 'Ended at', 'Done', ['Your answer', 'Expected', 'Simulated', 'Verdict']),
    ('de', ',', 'Beendet bei', 'Fertig', ['Ihre Antwort', 'Erwartet', 'Simuliert', 'Urteil']),
    ('es', ',', 'Terminado en', 'Hecho', ['Su respuesta', 'Esperado', 'Simulado', 'Veredicto']),
)
OUTCOME_JS = "return [...document.querySelectorAll('#exerciseOutcome dt')].map((label) => label.textContent)"


class Languages(PageCase):
    def download(self, button, name):
        """The file that `button` downloads as `name`, once Chromium has written it whole."""
        self.node(button).click()
        path = os.path.join(self.folder, name)
        self.wait_for(lambda: os.path.isfile(path) and os.path.getsize(path) > 0 and not any(
            entry.endswith('.crdownload') for entry in os.listdir(self.folder)), f'{name} never arrived whole')
        with open(path, encoding='utf-8') as file:
            text = file.read()
        os.remove(path)  # the next language's file takes the same name
        return text

    def speaks(self, lang, comma):
        """The page speaks `lang`: none of the pseudo-language's brackets, and its numbers' separator."""
        self.assertEqual(browser.execute_script('return document.documentElement.lang'), lang)
        self.assertNotIn('[', browser.execute_script('return document.body.innerText'))
        self.assertRegex(self.text('statusClock'), rf'^t = \d+\{comma}\d{{3}} s$')

    def files_of_a_day(self, lang, comma, ended, done, outcome):
        """What the page hands out after a run, a curve, an answer and a lab, in `lang`; on the way,
        that the page speaks it."""
        files = {}
        open_page(f'?lang={lang}&technique=Circuit&seed=3&speed=4&start=1')
        self.wait_for(lambda: self.text('statusPhase').startswith(ended), 'the run never ended')
        self.speaks(lang, comma)
        self.node('showResults').click()
        self.node('showTiming').click()
        for button, name in (('exportLog', 'switchsim-run.jsonl'), ('exportCsv', 'switchsim-results.csv'),
                             ('exportTiming', 'switchsim-timing.csv')):
            files[name] = self.download(button, name)
        self.node('showExplore').click()
        self.node('sweepRun').click()
        self.wait_for(lambda: self.node('curveCsv').is_enabled(), 'the curve was never drawn')
        self.assertIn(f'0{comma}5', self.node('curve').get_attribute('aria-label'))  # the rate of link 2
        files['switchsim-curve.csv'] = self.download('curveCsv', 'switchsim-curve.csv')
        # A sheet's progress is kept across languages, as the same sheet: each language answers afresh.
        browser.execute_script('localStorage.clear()')
        open_page(f'?lang={lang}&technique=Circuit&predict=1&speed=4')
        self.node('exerciseAnswer').send_keys('6050', Keys.ENTER)
        self.wait_for(lambda: self.node('exerciseOutcome').is_displayed(), 'the answer was never graded')
        self.assertEqual(browser.execute_script(OUTCOME_JS)[:4], outcome)
        self.assertIn(f'/0{comma}5', self.text('exerciseOutcome'))  # the formula, filled in
        progress = self.download('exerciseCsv', 'switchsim-progress.csv')
        files['switchsim-progress.csv'] = re.sub(r'\d{4}-\d\d-\d\dT[\d:]+Z', 'TIME', progress)
        open_page(f'?lang={lang}&queue=1&intensity=0.8&buffer=20&packets=30000&seed=5')
        self.wait_for(lambda: self.text('labProgressText') == done, 'the lab never ran')
        self.assertRegex(self.text('labFigures'), rf'\d\{comma}\d')
        files['switchsim-queue.json'] = self.download('labSaveJson', 'switchsim-queue.json')
        self.speaks(lang, comma)
        return files

    def test_german_and_spanish_speak_their_language_and_hand_out_the_english_files(self):
        self.folder = self.enterContext(tempfile.TemporaryDirectory(prefix='switchsim-languages-'))
        browser.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': self.folder})
        english = None
        for lang, *said in LANGUAGES:
            with self.subTest(lang=lang):
                files = self.files_of_a_day(lang, *said)
                english = english or files
                for name, text in files.items():  # line by line: a failure names the first line apart
                    self.assertEqual(text.splitlines(), english[name].splitlines(), f'{name} in {lang}')
        self.assertEqual(english['switchsim-run.jsonl'],
                         driver_log('Circuit', '300', ('1', '0.5', '1'), ('50', '50', '50'), '3'))


if __name__ == '__main__':
    page_case.main()
