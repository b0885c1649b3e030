/**
 * The frame loop, and what it keeps for measuring the pacing: each frame's
 * ticks' time, and each run's wall clock at its start, at the end of its
 * clock and at its stop. The module decides which ticks are due; this only
 * asks it once a frame.
 */
import {now} from './dom.js';

const MOST_TIMINGS = 4096;  // frames whose ticks' time is kept for measuring
const MOST_RUNS = 64;       // runs whose wall clock is kept
const RUN_END_MS = 15000;   // ms of clock: where a run's time runs out

export class Pacing {
  /** `speedFactors`: each speed's factor (1 for 1×), by the speed's index. */
  constructor(speedFactors) {
    this.speedFactors = speedFactors;
    this.timings = new Float64Array(MOST_TIMINGS);
    this.timingCount = 0;
    this.notes = [];
  }

  /**
   * Starts the frame loop of `page` (its api, matchDensity(), drain() and
   * sync()); calls `firstFrame` at the first frame with the form drawn,
   * which is the one after the next.
   */
  start(page, firstFrame) {
    this.page = page;
    requestAnimationFrame(() => requestAnimationFrame(() => {
      firstFrame();
      this.frame();
    }));
  }

  /** One animation frame: the ticks that are due, their strokes and what they changed. */
  frame() {
    const page = this.page;
    page.matchDensity();
    const started = now();
    const ran = page.api.frame(started);
    if (ran > 0) {
      page.drain();
      page.sync(true);
      this.timings[this.timingCount++ % MOST_TIMINGS] = (now() - started) / ran;
    } else {
      page.sync();
    }
    requestAnimationFrame(() => this.frame());
  }

  /**
   * Keeps the wall clock when each run started, when its clock reached the
   * end of a run (15000 ms) and when its timer first stopped, for measuring
   * the pacing. Called with what the module says after each change or tick.
   */
  noteRun(running, clockMs, speedIndex) {
    let run = this.notes[this.notes.length - 1];
    if (running && clockMs === 0 && (!run || run.end !== undefined)) {
      run = {start: now(), speed: this.speedFactors[speedIndex]};
      this.notes.push(run);
      if (this.notes.length > MOST_RUNS) this.notes.shift();
    }
    if (!run || run.end !== undefined) return;
    if (run.reached === undefined && clockMs >= RUN_END_MS) run.reached = now();
    if (!running) run.end = now();
  }

  /** Ms of work per tick, with its drawing, for the frames that ran ticks (the latest 4096). */
  tickTimings() {
    return Array.from(this.timings.slice(0, Math.min(this.timingCount, MOST_TIMINGS)));
  }

  /**
   * Copies of each run's notes: its wall clock in ms at its start (start),
   * at 15000 ms of clock (reached) and when it stopped (end); its speed's factor.
   */
  runs() {
    return this.notes.map((run) => ({...run}));
  }
}
