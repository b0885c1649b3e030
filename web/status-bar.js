/**
 * The status line under the form (the latest notice, the phase, the speed
 * and the clock) and the live region that says every new notice aloud.
 */
import {el, setText} from './dom.js';
import {t} from './texts.js';

export class StatusBar {
  /** `speeds`: each speed's name by its index, as the module describes them. */
  constructor(api, speeds) {
    this.api = api;
    this.speeds = speeds;
    this.notices = -1;  // how many notices the module had when last shown
    this.spoken = false;
  }

  /** Shows the clock alone: most ticks change nothing else. */
  showClock() {
    setText(el('statusClock'), this.api.clockText());
  }

  /** Shows what `state` (api.state()) says, and says the notices that are new. */
  show(state) {
    setText(el('statusPhase'), state.phase);
    setText(el('statusClock'), state.clock);
    setText(el('statusSpeed'), t(this.speeds[state.speed]));
    if (state.noticeCount === this.notices) return;
    // Several notices at once (a refused rate that cleared the markers) are all heard.
    if (this.notices >= 0) this.announce(this.api.noticesSince(this.notices));
    this.notices = state.noticeCount;
    el('statusNotice').textContent = state.notice;
  }

  /** Says `text` through the live region, even when it is the same as last time. */
  announce(text) {
    this.spoken = !this.spoken;
    el('announcer').textContent = this.spoken ? text : `${text}\u00a0`;
  }
}
