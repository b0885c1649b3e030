/**
 * The page of the web edition: it builds the form that the module
 * describes, shows what the module says, and passes the user's actions on.
 * Every rule of the simulator lives in the module; the parts of the page
 * live in modules of their own, and this one keeps them in step.
 */
import {el, now} from './dom.js';
import {density} from './drawing.js';
import {Exercises} from './exercises.js';
import {Explore} from './explore.js';
import {FormView} from './form-view.js';
import {Labs} from './labs.js';
import {Pacing} from './pacing.js';
import {Results} from './results.js';
import {Stage} from './stage.js';
import {Timing} from './timing.js';
import {StatusBar} from './status-bar.js';
import {ToolBar} from './tool-bar.js';
import {TouchControls} from './touch-controls.js';
import {t} from './texts.js';

export class Page {
  /** Builds the page around `api` (core-api.js's bind() of a created module) and shows it. */
  constructor(api) {
    this.api = api;
    this.description = JSON.parse(api.describe());
    this.shown = {changes: -1, results: -1, readouts: ''};
    this.pacing = new Pacing(this.description.speedFactors);
    this.stage = new Stage(this);
    this.stage.estimate();
    this.view = new FormView(el('Form1'), this.description, api, (action) => this.act(action),
                             el('legend'));
    this.touch = new TouchControls(this.view, this.description);
    this.status = new StatusBar(api, this.description.speeds);
    this.results = new Results(api, this.description.resultHeadings);
    this.timing = new Timing(api, this.description.timingHeadings);
    this.density = density();
    this.toolBar = new ToolBar(this);
    this.explore = new Explore(this);
    this.exercises = new Exercises(this);
    this.labs = new Labs(this);
    this.toolBar.readSettings();
  }

  /** Runs a user's action on the module, then shows what changed. */
  act(action) {
    action();
    this.drain();
    this.sync();
  }

  /** Draws the strokes and clearings the module has waiting. */
  drain() {
    this.view.drain();
  }

  /** Shows everything the module says, changed or not. */
  showAnew() {
    this.shown.changes = -1;
    this.sync();
  }

  /**
   * Shows what changed since last time; after a frame that `ticked` with
   * nothing else changed, only the clock.
   */
  sync(ticked = false) {
    this.timing.refresh();
    this.showState(ticked);
    this.labs.refresh();
    // Last, so that what the section scrolls to stays where the status line above left it.
    this.exercises.refresh();
  }

  /** Shows the form, the status line and the tool bar where the module says they changed. */
  showState(ticked) {
    const changes = this.api.changes();
    if (changes === this.shown.changes) {
      // Most ticks change only the clock.
      if (ticked) {
        this.status.showClock();
        this.touch.showClock(this.api.clockText());
        this.pacing.noteRun(this.state.running, this.api.clockMs(), this.state.speed);
      }
      return;
    }
    this.shown.changes = changes;
    const s = JSON.parse(this.api.state());
    this.state = s;
    this.view.show(s);
    this.touch.show(s);
    this.status.show(s);
    this.toolBar.show(s);
    const readouts = JSON.stringify(s.shown);
    if (readouts !== this.shown.readouts) {
      // What the module says may show: while an exercise waits for its answer, nothing that gives a time away.
      this.shown.readouts = readouts;
      this.results.setHidden(!s.shown.results);
      this.timing.setHidden(!s.shown.timing);
      this.explore.setHidden(!s.shown.curves);
      this.toolBar.refreshGuide();
    }
    if (s.results !== this.shown.results) {
      this.shown.results = s.results;
      this.results.fill();
    }
    this.pacing.noteRun(s.running, s.clockMs, s.speed);
  }

  /** After a zoom, a new scale, or on another screen, the canvases follow the new density. */
  matchDensity() {
    if (density() === this.density) return;
    this.density = density();
    this.view.matchDensity();
  }

  /** The form as it shows now, drawn into one new canvas. */
  picture() {
    return this.view.picture();
  }

  /**
   * Takes the address's parameters; a bad one leaves the defaults and says
   * why. The view a link gives (zoom, projector, a frame) wins over the one
   * kept from an earlier visit, and is not kept.
   */
  applyAddress() {
    const notice = this.api.applyQuery(window.location.search, now());
    const shown = el('linkNotice');
    shown.hidden = notice === '';
    shown.textContent = notice === '' ? '' : t('{0}. The page starts with its defaults.', notice);
    const view = JSON.parse(this.api.linkView());
    this.toolBar.takeLinkView(view);
    const speed = this.toolBar.savedSpeed();
    if (notice === '' && !/[?&]speed=/.test(window.location.search) && speed !== null) {
      this.api.setSpeed(speed, now());
    }
    this.drain();
    this.sync();
    // A link may ask questions: the built-in course, a sheet of this site, or one prediction of its own run.
    if (view.course) {
      this.exercises.openCourse(view.courseName);
    } else if (view.exercises !== null) {
      this.exercises.readAddress(view.exercises, this.api.exerciseAddressRefusal(view.exercises));
    } else if (view.predict) {
      this.exercises.open(() => this.api.exerciseReadLink());
    } else if (view.lab !== null) {
      this.labs.openLink();
    }
  }
}
