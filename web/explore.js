/**
 * The Explore section: each technique's completion time against one parameter. The module makes the
 * runs, lays the curve out and says what a press picks; this asks in short tasks, draws and lists.
 */
import {el, make, now} from './dom.js';
import {downloadBlob, downloadText} from './downloads.js';
import {drawList, inPx} from './curve-canvas.js';
import {t, tn} from './texts.js';

const SLICE_MS = 12;        // of runs, then the page's turn
const RUNS_PER_LOOK = 3;    // between two looks at the clock
const REDRAW_MS = 150;      // between two drawings of a curve being made
const BESIDE_PX = 640;      // the room needed beside the form, at the usual text
const ROWS_PER_FRAME = 10;  // of the numbers: a whole long table at once holds a phone up

export class Explore {
  /** Binds the section to `page` (its api, act() and stage). */
  constructor(page) {
    this.page = page;
    this.api = page.api;
    this.sweep = 0;       // counts the sweeps begun, so that an older one stops
    this.drawing = null;
    this.longestTask = 0;
    this.choices = JSON.parse(this.api.sweepChoices());
    const parameter = el('sweepParameter');
    for (const choice of this.choices) make('option', {value: choice.name, textContent: choice.label}, parameter);
    parameter.addEventListener('change', () => this.fillRange());
    this.fillRange();
    el('sweepForm').addEventListener('submit', (event) => {
      event.preventDefault();
      this.begin();
    });
    el('curve').addEventListener('click', (event) => this.choosePoint(event));
    el('curveNumbers').addEventListener('toggle', () => this.listNumbers(this.sweep));
    // A row runs its first seed's point, a time its own seed's.
    const body = el('curveTable').tBodies[0];
    body.addEventListener('click', (event) => {
      const cell = event.target.closest('td, th');
      if (cell) this.open(Number(cell.parentNode.dataset.run) + Math.max(cell.cellIndex - 3, 0));
    });
    body.addEventListener('keydown', (event) => {
      if (event.key === 'Enter' && event.target.dataset.run) this.open(Number(event.target.dataset.run));
    });
    el('curveSvg').addEventListener('click', () => {
      downloadText('switchsim-curve.svg', this.api.sweepSvg(), 'image/svg+xml');
    });
    el('curvePng').addEventListener('click', () => {
      el('curve').toBlob((blob) => downloadBlob('switchsim-curve.png', blob), 'image/png');
    });
    el('curveCsv').addEventListener('click', () => {
      downloadText('switchsim-curve.csv', this.api.sweepCsv(), 'text/csv');
    });
    el('showExplore').addEventListener('click', () => this.toggle(el('explore').hidden));
    el('explore').addEventListener('keydown', (event) => {
      if (event.key !== 'Escape' || event.defaultPrevented) return;
      event.preventDefault();
      this.toggle(false);
    });
    const follow = () => this.follow();
    new ResizeObserver(follow).observe(el('stage'));
    window.addEventListener('resize', follow);
    el('projector').addEventListener('change', follow);
  }

  /** Shows the section, or hides it and gives the keys back to its button (or a phone's Menu). */
  toggle(open) {
    el('explore').hidden = !open;
    el('showExplore').setAttribute('aria-expanded', String(open));
    if (open) {
      this.follow();
      if (!document.body.classList.contains('explore-beside')) el('explore').scrollIntoView({block: 'nearest'});
      return;
    }
    el('showExplore').focus();
    if (document.activeElement !== el('showExplore')) el('menuButton').focus();
  }

  /** Takes the module's panel text for the form's scale and projector; stands beside the form if it can. */
  follow() {
    const {scale, projector} = this.page.stage;
    const text = JSON.parse(this.api.panelText(scale || 1, projector ? 1 : 0));
    const section = el('explore');
    Object.assign(section.style, {fontSize: `${text.scale}em`, fontWeight: text.bold ? 'bold' : ''});
    this.textScale = text.scale;
    const left = el('stage').getBoundingClientRect().right + 8;
    const beside = !document.body.classList.contains('compact')
      && document.documentElement.clientWidth - left >= BESIDE_PX * text.scale + 8;
    document.body.classList.toggle('explore-beside', beside);
    section.style.left = beside ? `${left}px` : '';
    if (this.drawing && !section.hidden) this.draw();
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
    this.started = this.shownAt = now();
    this.longestTask = 0;
    this.done = false;
    this.total = this.api.sweepTotal();
    // An earlier curve's numbers would run this one's points.
    el('curveNumbers').hidden = true;
    this.numbers = null;
    this.listNumbers(this.sweep);
    for (const id of ['curveSvg', 'curvePng', 'curveCsv']) el(id).disabled = true;
    this.slice(this.sweep);
  }

  /** Runs `task` of sweep `sweep` as a task of its own (in the next frame if `nextFrame`), timed. */
  later(sweep, task, nextFrame = false) {
    const run = () => {
      if (sweep !== this.sweep) return;
      const begun = now();
      task();
      this.longestTask = Math.max(this.longestTask, now() - begun);
    };
    if (nextFrame) {
      requestAnimationFrame(run);
    } else {
      const channel = new MessageChannel();
      channel.port1.onmessage = run;
      channel.port2.postMessage(null);
    }
  }

  /** Makes runs for a slice of time; now and then takes the curve and draws it, each a task. */
  slice(sweep) {
    const begun = now();
    let made = 0;
    do {
      made = this.api.sweepStep(RUNS_PER_LOOK);
    } while (made < this.total && now() - begun < SLICE_MS);
    this.longestTask = Math.max(this.longestTask, now() - begun);
    el('sweepProgress').textContent = tn('{0} of {1} run', '{0} of {1} runs', this.total, made, this.total);
    if (made === this.total) this.lastMs = now() - this.started;
    const next = made === this.total ? () => this.finish(sweep) : () => this.slice(sweep);
    if (made < this.total && now() - this.shownAt < REDRAW_MS) {
      this.later(sweep, next);
      return;
    }
    this.later(sweep, () => {
      this.shownAt = now();
      this.drawing = inPx(JSON.parse(this.api.sweepDrawing()));
      el('curve').hidden = false;  // laid out before it is drawn
      this.later(sweep, () => {
        this.draw();
        this.later(sweep, next);
      });
    });
  }

  /** Draws the curve as last laid out, as sharp as it shows and no sharper. */
  draw() {
    const canvas = el('curve');
    const largest = this.drawing.width * (this.textScale || 1);
    canvas.style.maxWidth = `${largest}px`;
    canvas.setAttribute('aria-label', t('{0}. {1}', this.drawing.title, this.drawing.description));
    const shown = Math.min(canvas.parentNode.clientWidth || largest, largest);
    drawList(canvas, this.drawing, (window.devicePixelRatio || 1) * shown / this.drawing.width);
  }

  /** Takes the finished curve's numbers, listed while they are open. */
  finish(sweep) {
    this.numbers = JSON.parse(this.api.sweepTable());
    this.listing = null;
    const head = el('curveTable').tHead.rows[0];
    head.replaceChildren(...this.numbers.heading.map((text) => make('th', {textContent: text, scope: 'col'})));
    el('curveCaption').textContent = this.drawing.title;
    el('curveNumbers').hidden = false;
    for (const id of ['curveSvg', 'curvePng', 'curveCsv']) el(id).disabled = false;
    el('sweepProgress').textContent = tn('{0} run', '{0} runs', this.total, this.total);
    this.done = true;
    this.listNumbers(sweep);
  }

  /**
   * Lists the numbers while open, a few rows a frame, in plain cells (a phone
   * lays them out soonest); closed, they are dropped, to be listed anew.
   */
  listNumbers(sweep) {
    const body = el('curveTable').tBodies[0];
    const open = el('curveNumbers').open && this.numbers;
    if (!open) {
      body.replaceChildren();
      this.listing = null;
    }
    if (!open || this.listing) return;
    const listing = {rows: 0};
    this.listing = listing;
    const {rows, runs} = this.numbers;
    const list = () => {
      if (this.listing !== listing) return;  // closed, or a new curve
      const end = Math.min(listing.rows + ROWS_PER_FRAME, rows.length);
      for (let row = listing.rows; row < end; ++row) {
        const tr = make('tr', {tabIndex: 0}, body);
        tr.dataset.run = runs[row];
        rows[row].forEach((cell, n) => make(n ? 'td' : 'th', n ? {textContent: cell} : {textContent: cell, scope: 'row'}, tr));
      }
      listing.rows = end;
      if (end < rows.length) this.later(sweep, list, true);
    };
    this.later(sweep, list, true);
  }

  /** Runs the point a press picks, or says the mark. */
  choosePoint(event) {
    if (!this.drawing) return;
    const shown = el('curve').clientWidth / this.drawing.width;
    const touch = event.pointerType === 'touch' ? 1 : 0;
    const pick = JSON.parse(this.api.sweepPick(event.offsetX / shown, event.offsetY / shown, touch, shown));
    if (pick.say !== undefined) this.say(pick.say);
    if (pick.run !== undefined) this.open(pick.run);
  }

  /** Starts run `run` of the sweep in the form, or says why it cannot. */
  open(run) {
    let notice = '';
    this.page.act(() => { notice = this.api.sweepOpen(run, now()); });
    this.say(notice);
    if (notice === '') el('Form1').scrollIntoView({block: 'nearest'});
  }

  /** Leaves the curve and its numbers out, with a note, while an exercise waits for its answer. */
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
