/**
 * The timing section: the current run's timing table, a row a crossing of
 * a link, filled in from the module as the run goes while the section
 * shows, and its CSV download.
 */
import {el, make, setText} from './dom.js';
import {downloadText} from './downloads.js';
import {t} from './texts.js';

export class Timing {
  /** Fills the table's heading with `headings` and binds the section's button to `api`. */
  constructor(api, headings) {
    this.api = api;
    this.revision = -1;
    this.body = el('timingTable').tBodies[0];
    const head = el('timingTable').tHead.rows[0];
    for (const heading of headings) make('th', {textContent: t(heading), scope: 'col'}, head);
    el('exportTiming').addEventListener('click', () => {
      downloadText('switchsim-timing.csv', api.timingCsv(), 'text/csv');
    });
  }

  /** Shows the module's table anew if it changed and the section shows. */
  refresh() {
    if (el('timing').hidden) return;
    const revision = this.api.timingRevision();
    if (revision === this.revision) return;
    this.revision = revision;
    const rows = JSON.parse(this.api.timing());
    // Rows only grow and fill in during a run: only what changed is written.
    while (this.body.rows.length > rows.length) this.body.deleteRow(-1);
    rows.forEach((cells, r) => {
      const tr = this.body.rows[r] ?? make('tr', {}, this.body);
      cells.forEach((cell, c) => {
        setText(tr.cells[c] ?? make('td', {}, tr), cell);
      });
    });
    el('exportTiming').disabled = rows.length === 0 || !el('timingHiddenNote').hidden;
  }

  /** Leaves the table out, with a note, while an exercise waits for its answer. */
  setHidden(hidden) {
    el('timingTable').hidden = hidden;
    el('timingHiddenNote').hidden = !hidden;
    el('exportTiming').disabled = hidden || this.body.rows.length === 0;
  }

  /** Shows the section if hidden, hides it if shown. */
  toggle() {
    const section = el('timing');
    section.hidden = !section.hidden;
    el('showTiming').setAttribute('aria-expanded', String(!section.hidden));
    this.refresh();
    if (!section.hidden) section.scrollIntoView({block: 'nearest'});
  }
}
