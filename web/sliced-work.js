/**
 * Work the module makes a slice at a time (a lab's run, a lab's curve), as tasks of their own so
 * that the page keeps answering: slices for a few ms, then the page's turn; now and then a
 * drawing of what is made so far; then its end. A newer piece of work stops an older one.
 */
import {now} from './dom.js';

const SLICE_MS = 12;     // of slices, then the page's turn
const REDRAW_MS = 250;   // between two drawings of work being made

export class SlicedWork {
  /**
   * `hooks`: step(lab), one slice, returning whether the work goes on; shown(lab), whether its
   * lab is shown; progress(), the progress shown while slices are made; picture(), a drawing of
   * what is made so far; finish(), the end shown; unseen(), the end of work whose lab is not shown.
   */
  constructor(hooks) {
    this.hooks = hooks;
    this.count = 0;        // the pieces of work begun
    this.longestTask = 0;  // the longest of this piece's tasks, in ms
    this.lastMs = 0;       // the last piece's time from its start to its last slice
    this.started = 0;
    this.shownAt = 0;
  }

  /** Begins the work of `lab`, whose first slice is made at once. */
  begin(lab) {
    this.count += 1;
    this.started = this.shownAt = now();
    this.longestTask = 0;
    this.slice(this.count, lab);
  }

  /** Runs `task` of piece `count` as a task of its own, timed, unless a newer piece has begun. */
  later(count, task) {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => {
      if (count !== this.count) return;
      const begun = now();
      task();
      this.longestTask = Math.max(this.longestTask, now() - begun);
    };
    channel.port2.postMessage(null);
  }

  slice(count, lab) {
    const begun = now();
    let goesOn = true;
    do {
      goesOn = this.hooks.step(lab);
    } while (goesOn && now() - begun < SLICE_MS);
    this.longestTask = Math.max(this.longestTask, now() - begun);
    if (!this.hooks.shown(lab)) {  // another tab is shown: the work goes on unseen
      if (goesOn) this.later(count, () => this.slice(count, lab)); else this.hooks.unseen();
      return;
    }
    this.hooks.progress();
    if (!goesOn) {
      this.lastMs = now() - this.started;
      this.later(count, () => this.hooks.finish());
      return;
    }
    if (now() - this.shownAt < REDRAW_MS) {
      this.later(count, () => this.slice(count, lab));
      return;
    }
    this.later(count, () => {
      this.shownAt = now();
      this.hooks.picture();
      this.later(count, () => this.slice(count, lab));
    });
  }
}
