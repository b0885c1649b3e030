/**
 * The Labs section: the shared link's lab and the queue's, a tab each. The module holds each lab's
 * boxes, checks what is typed, makes the run in slices and says its picture, figures, JSON and
 * link, and holds both labs while a question waits; this shows them, runs the slices as short tasks
 * and passes the user's typing on. Each lab's curve is lab-curve.js's.
 */
import {el, make, setText} from './dom.js';
import {downloadText} from './downloads.js';
import {drawList, inPx} from './curve-canvas.js';
import {LabCurve} from './lab-curve.js';
import {SlicedWork} from './sliced-work.js';
import {numberText, t} from './texts.js';

const LABS = ['share', 'queue'];  // the tabs, in the module's numbering

export class Labs {
  /** Binds the section to `page` (its api and status bar). */
  constructor(page) {
    this.page = page;
    this.api = page.api;
    this.lab = 0;          // the tab shown
    this.work = new SlicedWork({
      step: (lab) => this.api.labRunSlice(lab) !== 0,
      shown: (lab) => lab === this.lab,
      progress: () => this.showProgress(false),
      picture: () => this.takePicture(),
      finish: () => this.finish(),
      unseen: () => this.hear(),
    });
    this.heard = 0;        // the labs' notices said so far
    this.held = null;      // whether the labs were held when last shown
    this.curve = new LabCurve(this);
    this.tabs = LABS.map((name) => el(`labTab-${name}`));
    this.tabs.forEach((tab, lab) => {
      tab.addEventListener('click', () => this.choose(lab, true));
      tab.addEventListener('keydown', (event) => this.tabKey(event, lab));
    });
    el('labForm').addEventListener('submit', (event) => {
      event.preventDefault();
      this.start();
    });
    el('labCopyLink').addEventListener('click', () => this.copyLink());
    el('labSaveJson').addEventListener('click', () => {
      downloadText(`switchsim-${LABS[this.lab]}.json`, this.api.labJson(this.lab), 'application/json');
    });
    el('showLabs').addEventListener('click', () => this.toggle(el('labs').hidden));
    el('labs').addEventListener('keydown', (event) => {
      if (event.key !== 'Escape' || event.defaultPrevented) return;
      event.preventDefault();
      this.toggle(false);
    });
    window.addEventListener('resize', () => { if (!el('labs').hidden) this.drawAll(); });
    this.choose(0, false);
  }

  /** Shows the section, or hides it and gives the keys back to its button (or a phone's Menu). */
  toggle(open) {
    el('labs').hidden = !open;
    el('showLabs').setAttribute('aria-expanded', String(open));
    if (open) {
      el('labs').scrollIntoView({block: 'nearest'});
      this.tabs[this.lab].focus();
      this.drawAll();
      return;
    }
    el('showLabs').focus();
    if (document.activeElement !== el('showLabs')) el('menuButton').focus();
  }

  /** The arrow keys, Home and End move between the tabs, as a tab list's do. */
  tabKey(event, lab) {
    const to = {ArrowRight: lab + 1, ArrowLeft: lab - 1, Home: 0, End: LABS.length - 1}[event.key];
    if (to === undefined) return;
    event.preventDefault();
    const next = (to + LABS.length) % LABS.length;
    this.choose(next);
    this.tabs[next].focus();
  }

  /** Shows lab `lab`'s tab: its boxes, and its last run if it has one. */
  choose(lab, focus = false) {
    this.lab = lab;
    this.tabs.forEach((tab, n) => {
      tab.setAttribute('aria-selected', String(n === lab));
      tab.tabIndex = n === lab ? 0 : -1;
    });
    el('labPanel').setAttribute('aria-labelledby', this.tabs[lab].id);
    this.say('');
    setText(el('labLinkNote'), '');
    this.curve.choose(lab, this.fillBoxes());
    this.showRun();
    // A run left when another tab was chosen goes on where it stood.
    if (JSON.parse(this.api.labState(lab)).running) this.follow();
    if (focus) this.tabs[lab].focus();
  }

  /** Builds the boxes of the lab shown, each with its label and help, as the module lists them; returns the list. */
  fillBoxes() {
    const listed = JSON.parse(this.api.labFields(this.lab));
    const {fields} = listed;
    const boxes = el('labBoxes');
    boxes.replaceChildren();
    for (const field of fields) {
      const id = `labBox-${field.name}`;
      const row = make('div', {className: 'lab-box'}, boxes);
      make('label', {htmlFor: id, textContent: field.label}, row);
      const input = make('input', {type: 'text', id, value: field.value, autocomplete: 'off',
                                   inputMode: 'decimal'}, row);
      input.dataset.name = field.name;
      const help = make('small', {id: `${id}-help`, textContent: field.help}, row);
      input.setAttribute('aria-describedby', help.id);
      input.addEventListener('change', () => this.take(input));
    }
    return listed;
  }

  /** Passes a box's typing on; a refused value is said and the box shows the value kept. */
  take(input) {
    const refusal = this.api.labSet(this.lab, input.dataset.name, input.value);
    this.say(refusal);
    this.hear();
    const {fields} = JSON.parse(this.api.labFields(this.lab));
    const kept = fields.find((field) => field.name === input.dataset.name);
    input.value = kept.value;
    input.setAttribute('aria-invalid', String(refusal !== ''));
    setText(el('labLinkNote'), '');
    return refusal === '';
  }

  /** Takes the boxes as they show (a box still being typed in too) and starts the run. */
  start() {
    for (const input of el('labBoxes').querySelectorAll('input')) {
      if (!this.take(input)) {
        input.focus();
        return;
      }
    }
    const refusal = this.api.labStart(this.lab);
    this.say(refusal);
    this.hear();
    if (refusal === '') this.follow();
  }

  /** Opens the section on the lab a link asks for, whose run the module has started. */
  openLink() {
    const lab = this.api.labOpenLink();
    if (lab < 0) return;
    this.choose(lab);
    this.toggle(true);
    this.hear();
  }

  /** Follows the run just started: its slices as tasks of their own, then its picture and figures. */
  follow() {
    this.done = false;
    el('labSaveJson').disabled = true;
    el('labRun').disabled = true;
    this.work.begin(this.lab);
  }

  get longestTask() {
    return this.work.longestTask;
  }

  get lastMs() {
    return this.work.lastMs;
  }

  /** Shows how far the run is; "Done" once it is made and `whole`: all it shows is shown. */
  showProgress(whole = true) {
    const state = JSON.parse(this.api.labState(this.lab));
    const progress = el('labProgress');
    progress.value = state.progress;
    setText(el('labProgressText'), state.running || (state.hasRun && !whole)
      ? t('{0} %', numberText(Math.floor(state.progress * 100))) : (state.hasRun ? t('Done') : ''));
  }

  takePicture() {
    const picture = JSON.parse(this.api.labPicture(this.lab));
    this.drawing = picture === null ? null : inPx(picture);
    el('labPicture').hidden = this.drawing === null;
    if (this.drawing) this.draw();
  }

  /** The run is made: its figures and what hands it out, then its picture, each a task. */
  finish() {
    this.hear();
    this.showRun(false);
    this.work.later(this.work.count, () => {
      this.takePicture();
      this.showProgress();
      this.done = true;
    });
  }

  /**
   * Follows the module's hold as the page's state changes: while a question waits, the labs show
   * the module's note in place of their figures, pictures and curves; after, they show them again.
   */
  refresh() {
    const held = this.api.labHeld() !== 0;
    if (held === this.held) return;
    this.held = held;
    this.showRun();
    this.curve.show();
  }

  /** Shows the lab's last run as it stands: progress, figures, and its picture unless not `pictured`. */
  showRun(pictured = true) {
    const state = JSON.parse(this.api.labState(this.lab));
    setText(el('labHeldNote'), state.held);
    el('labHeldNote').hidden = state.held === '';
    el('labShown').hidden = el('labCurveShown').hidden = state.held !== '';
    this.showProgress(pictured);
    if (pictured) this.takePicture();
    const figures = el('labFigures');
    figures.replaceChildren();
    for (const line of JSON.parse(this.api.labFigures(this.lab))) {
      make('dt', {textContent: line.label}, figures);
      make('dd', {textContent: line.text}, figures);
    }
    figures.hidden = figures.childElementCount === 0;
    el('labSaveJson').disabled = !state.hasRun || state.running;
    el('labRun').disabled = state.running;
  }

  drawAll() {
    if (this.drawing) this.draw();
    this.curve.draw();
  }

  /** Draws the picture as last taken, as wide as the section lets it and no wider than its own size. */
  draw() {
    const canvas = el('labPicture');
    canvas.style.maxWidth = `${this.drawing.width}px`;
    canvas.setAttribute('aria-label', t('{0}. {1}', this.drawing.title, this.drawing.description));
    const shown = Math.min(canvas.parentNode.clientWidth || this.drawing.width, this.drawing.width);
    drawList(canvas, this.drawing, (window.devicePixelRatio || 1) * shown / this.drawing.width);
  }

  /** The address that opens this lab with its boxes as they are, and runs it. */
  link() {
    return `${window.location.origin}${window.location.pathname}?${this.api.labQuery(this.lab)}`;
  }

  /** Copies the link where the browser lets us, and says it in the status line either way. */
  copyLink() {
    const link = this.link();
    const said = (note) => setText(el('labLinkNote'), note);
    if (!navigator.clipboard) {
      said(t('Copy this link: {0}', link));
      return;
    }
    navigator.clipboard.writeText(link).then(() => said(t('Link copied: {0}', link)),
                                             () => said(t('Copy this link: {0}', link)));
  }

  /** Says the labs' new notices through the page's live region. */
  hear() {
    const count = this.api.labNoticeCount();
    if (count === this.heard) return;
    this.page.status.announce(this.api.labNoticesSince(this.heard));
    this.heard = count;
  }

  say(notice) {
    el('labNotice').hidden = notice === '';
    el('labNotice').textContent = notice;
  }
}
