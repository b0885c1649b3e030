/**
 * The Explore section: a curve of each technique's completion time against
 * one parameter. The module makes the runs, a few at a time between frames
 * so that the page keeps answering, and lays the curve out; this draws it,
 * lists its numbers in a table, saves it, and starts a chosen point's run
 * in the form.
 */
import {el, make, now} from './dom.js';
import {downloadBlob, downloadText} from './downloads.js';
import {drawList, inPx} from './curve-canvas.js';

/** How long one slice of runs may take before the page gets its turn, in ms. */
const SLICE_MS = 12;
/** Runs made between two looks at the clock. */
const RUNS_PER_LOOK = 3;
/** The curve is drawn again at most this often while its runs are made, in ms. */
const REDRAW_MS = 150;

export class Explore {
  /** Binds the section to `page` (its api, act() and density). */
  constructor(page) {
    this.page = page;
    this.api = page.api;
    this.sweep = 0;       // counts the sweeps begun, so that an older one stops
    this.drawing = null;  // the curve as last drawn
    this.choices = JSON.parse(this.api.sweepChoices());
    const parameter = el('sweepParameter');
    for (const choice of this.choices) {
      make('option', {value: choice.name, textContent: choice.label}, parameter);
    }
    parameter.addEventListener('change', () => this.fillRange());
    this.fillRange();
    el('sweepForm').addEventListener('submit', (event) => {
      event.preventDefault();
      this.begin();
    });
    el('curve').addEventListener('click', (event) => this.choosePoint(event));
    el('curveSvg').addEventListener('click', () => {
      downloadText('switchsim-curve.svg', this.api.sweepSvg(), 'image/svg+xml');
    });
    el('curvePng').addEventListener('click', () => {
      el('curve').toBlob((blob) => downloadBlob('switchsim-curve.png', blob), 'image/png');
    });
    el('curveCsv').addEventListener('click', () => {
      downloadText('switchsim-curve.csv', this.api.sweepCsv(), 'text/csv');
    });
    el('showExplore').addEventListener('click', () => this.toggle());
  }

  toggle() {
    const section = el('explore');
    section.hidden = !section.hidden;
    el('showExplore').setAttribute('aria-expanded', String(!section.hidden));
    if (!section.hidden) section.scrollIntoView({block: 'nearest'});
  }

  /** Puts the chosen parameter's usual range in the boxes; a delay takes the list's values. */
  fillRange() {
    const choice = this.choices.find((c) => c.name === el('sweepParameter').value);
    el('sweepFrom').value = choice.from;
    el('sweepTo').value = choice.to;
    el('sweepStep').value = choice.step;
    el('sweepStepLabel').hidden = choice.step === '';
  }

  /** Begins the sweep the boxes ask for, around the form's boxes as they are now. */
  begin() {
    if (this.hidden) return;
    const step = el('sweepStepLabel').hidden ? '' : `:${el('sweepStep').value}`;
    const spec = `${el('sweepParameter').value}=${el('sweepFrom').value}:${el('sweepTo').value}${step}`;
    const notice = this.api.sweepBegin(spec, el('sweepSeeds').value);
    this.say(notice);
    if (notice !== '') return;
    this.sweep += 1;
    this.started = now();
    this.longestSlice = 0;
    this.total = this.api.sweepTotal();
    this.shownAt = this.started;  // the first runs come too quickly to be worth drawing
    this.slice(this.sweep);
  }

  /** Makes runs for a slice of time, shows the curve so far, and yields to the page. */
  slice(sweep) {
    if (sweep !== this.sweep) return;
    const begun = now();
    let made = 0;
    do {
      made = this.api.sweepStep(RUNS_PER_LOOK);
    } while (made < this.total && now() - begun < SLICE_MS);
    if (made === this.total || now() - this.shownAt >= REDRAW_MS) this.show();
    el('sweepProgress').textContent = `${made} of ${this.total} runs`;
    this.longestSlice = Math.max(this.longestSlice, now() - begun);
    if (made < this.total) {
      // A message comes back sooner than a timer, and still lets the page draw and answer.
      const channel = new MessageChannel();
      channel.port1.onmessage = () => this.slice(sweep);
      channel.port2.postMessage(null);
      return;
    }
    this.lastMs = now() - this.started;
    el('sweepProgress').textContent = `${this.total} runs`;
    this.fillTable();
    for (const id of ['curveSvg', 'curvePng', 'curveCsv']) el(id).disabled = false;
  }

  /** Draws the curve of the runs made so far. */
  show() {
    this.shownAt = now();
    this.drawing = inPx(JSON.parse(this.api.sweepDrawing()));
    const canvas = el('curve');
    canvas.hidden = false;
    canvas.style.maxWidth = `${this.drawing.width}px`;
    canvas.setAttribute('aria-label', `${this.drawing.title}. ${this.drawing.description}`);
    drawList(canvas, this.drawing, window.devicePixelRatio || 1);
  }

  /** The curve's numbers, row by row, for those who read rather than look. */
  fillTable() {
    const table = JSON.parse(this.api.sweepTable());
    const head = el('curveTable').tHead.rows[0];
    head.replaceChildren();
    for (const heading of table.heading) make('th', {textContent: heading, scope: 'col'}, head);
    const body = el('curveTable').tBodies[0];
    body.replaceChildren();
    for (const row of table.rows) {
      const tr = make('tr', {}, body);
      row.forEach((cell, n) => make(n === 0 ? 'th' : 'td', {textContent: cell}, tr));
    }
    el('curveCaption').textContent = this.drawing ? this.drawing.title : '';
  }

  /** Starts the run of the point under a click or tap in the form, or says why it cannot. */
  choosePoint(event) {
    if (!this.drawing) return;
    const canvas = el('curve');
    const scale = this.drawing.width / canvas.clientWidth;
    const run = this.api.sweepRunAt(event.offsetX * scale, event.offsetY * scale);
    if (run < 0) return;
    let notice = '';
    this.page.act(() => { notice = this.api.sweepOpen(run, now()); });
    this.say(notice);
    if (notice === '') el('Form1').scrollIntoView({block: 'nearest'});
  }

  /**
   * Leaves the curve and its numbers out, with a note, while an exercise
   * waits for its answer; a curve is not drawn then.
   */
  setHidden(hidden) {
    this.hidden = hidden;
    if (hidden) this.sweep += 1;  // a curve being made stops
    el('curveShown').hidden = hidden;
    el('exploreHiddenNote').hidden = !hidden;
    el('sweepRun').disabled = hidden;
  }

  say(notice) {
    el('sweepNotice').hidden = notice === '';
    el('sweepNotice').textContent = notice;
  }
}
