/**
 * A lab's curve in the Labs section: the shared link's congestion against its users, or the queue's
 * mean wait against the intensity. The module checks the range and the seeds, makes the runs in
 * slices and lays the curve out; this runs the slices as short tasks, draws the curve and hands out
 * its SVG, its CSV and its numbers.
 */
import {el, setText} from './dom.js';
import {downloadText} from './downloads.js';
import {drawList, inPx} from './curve-canvas.js';
import {SlicedWork} from './sliced-work.js';
import {numberText, t} from './texts.js';

const LABS = ['share', 'queue'];  // the tabs, in the module's numbering

export class LabCurve {
  /** Binds the curve's part of the section to `labs` (its api and what it says aloud). */
  constructor(labs) {
    this.labs = labs;
    this.api = labs.api;
    this.lab = 0;
    this.work = new SlicedWork({
      step: (lab) => this.api.labCurveSlice(lab) !== 0,
      shown: (lab) => lab === this.lab,
      progress: () => this.showProgress(),
      picture: () => this.takePicture(),
      finish: () => this.finish(),
      unseen: () => this.labs.hear(),
    });
    this.drawing = null;
    this.typed = LABS.map(() => null);  // each lab's range and seeds as last typed
    el('labCurveForm').addEventListener('submit', (event) => {
      event.preventDefault();
      this.begin();
    });
    for (const id of ['labCurveRange', 'labCurveSeeds']) el(id).addEventListener('input', () => this.keep());
    el('labCurveSvg').addEventListener('click', () => {
      downloadText(`switchsim-${LABS[this.lab]}-curve.svg`, this.api.labCurveSvg(this.lab), 'image/svg+xml');
    });
    el('labCurveCsv').addEventListener('click', () => {
      downloadText(`switchsim-${LABS[this.lab]}-curve.csv`, this.api.labCurveCsv(this.lab), 'text/csv');
    });
  }

  /** Shows lab `lab`'s curve: its boxes as last typed, else as the module's `fields` offer them. */
  choose(lab, fields) {
    this.lab = lab;
    const typed = this.typed[lab] || {range: fields.curveRange, seeds: fields.curveSeeds};
    el('labCurveRange').value = typed.range;
    el('labCurveSeeds').value = typed.seeds;
    this.say('');
    this.show();
    // A curve left when another tab was chosen goes on where it stood.
    if (JSON.parse(this.api.labState(lab)).curveRunning) this.follow();
  }

  keep() {
    this.typed[this.lab] = {range: el('labCurveRange').value, seeds: el('labCurveSeeds').value};
  }

  /** Asks the module for the curve the boxes ask for; a refusal is shown and said. */
  begin() {
    const refusal = this.api.labStartCurve(this.lab, el('labCurveRange').value, el('labCurveSeeds').value);
    this.say(refusal);
    this.labs.hear();
    if (refusal === '') this.follow();
  }

  /** Follows the curve just started: its slices as tasks of their own, then its numbers. */
  follow() {
    this.done = false;
    el('labCurveSvg').disabled = el('labCurveCsv').disabled = true;
    el('labCurveNumbers').hidden = true;
    this.work.begin(this.lab);
  }

  finish() {
    this.labs.hear();
    this.show();
    this.done = true;
  }

  /** Shows how far the curve is: a share while it is made, then "Done". */
  showProgress() {
    const state = JSON.parse(this.api.labState(this.lab));
    el('labCurveProgress').value = state.curveProgress;
    setText(el('labCurveProgressText'), state.curveRunning
      ? t('{0} %', numberText(Math.floor(state.curveProgress * 100))) : (state.hasCurve ? t('Done') : ''));
    return state;
  }

  /** Shows the lab's curve as it stands (none while the lab is held): picture, numbers, downloads. */
  show() {
    const state = this.showProgress();
    this.takePicture();
    const whole = state.hasCurve && !state.curveRunning;
    setText(el('labCurveTable'), whole ? this.api.labCurveTable(this.lab) : '');
    el('labCurveNumbers').hidden = !whole;
    el('labCurveSvg').disabled = el('labCurveCsv').disabled = !whole;
  }

  takePicture() {
    const picture = JSON.parse(this.api.labCurvePicture(this.lab));
    this.drawing = picture === null ? null : inPx(picture);
    el('labCurve').hidden = this.drawing === null;
    if (this.drawing) this.draw();
  }

  /** Draws the curve as last laid out, as wide as the section lets it and no wider than its own size. */
  draw() {
    if (!this.drawing) return;
    const canvas = el('labCurve');
    canvas.style.maxWidth = `${this.drawing.width}px`;
    canvas.setAttribute('aria-label', t('{0}. {1}', this.drawing.title, this.drawing.description));
    const shown = Math.min(canvas.parentNode.clientWidth || this.drawing.width, this.drawing.width);
    drawList(canvas, this.drawing, (window.devicePixelRatio || 1) * shown / this.drawing.width);
  }

  say(notice) {
    el('labCurveNotice').hidden = notice === '';
    el('labCurveNotice').textContent = notice;
  }
}
