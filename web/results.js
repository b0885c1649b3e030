/**
 * The results section: the table of the runs whose data arrived, which row
 * is chosen (by a click, or from the keyboard: the table is one tab stop),
 * and copying or exporting them. The rows and their commands come from the
 * module.
 */
import {el, make} from './dom.js';
import {copyText, downloadText} from './downloads.js';
import {t} from './texts.js';

export class Results {
  /** Fills the table's heading with `headings` and binds the section's buttons to `api`. */
  constructor(api, headings) {
    this.api = api;
    this.chosen = 0;
    this.body = el('resultsTable').tBodies[0];
    const head = el('resultsTable').tHead.rows[0];
    for (const heading of headings) make('th', {textContent: t(heading), scope: 'col'}, head);
    el('exportCsv').addEventListener('click', () => {
      downloadText('switchsim-results.csv', api.resultsCsv(), 'text/csv');
    });
    el('copyText').addEventListener('click', () => copyText(api.resultsText()));
    el('copyCommand').addEventListener('click', () => {
      const rows = JSON.parse(api.results());
      if (rows.length > 0) copyText(rows[Math.min(this.chosen, rows.length - 1)].command);
    });
    this.body.addEventListener('click', (event) => {
      const row = event.target.closest('tr');
      if (row) this.choose(row.sectionRowIndex, false);
    });
    this.body.addEventListener('keydown', (event) => this.key(event));
  }

  /** Shows the module's results anew, the newest chosen; the keys stay in the table. */
  fill() {
    const hadKeys = this.body.contains(document.activeElement);
    this.body.replaceChildren();
    for (const row of JSON.parse(this.api.results())) {
      const tr = make('tr', {}, this.body);
      for (const cell of row.cells) make('td', {textContent: cell}, tr);
    }
    this.chosen = 0;
    this.choose(0, hadKeys);
  }

  /**
   * Makes row `index` (0 for the newest, kept within the table) the chosen
   * one and the table's only tab stop; gives it the keys if `focus`.
   */
  choose(index, focus) {
    const rows = [...this.body.rows];
    if (rows.length === 0) return;
    this.chosen = Math.min(Math.max(index, 0), rows.length - 1);
    rows.forEach((row, n) => {
      row.setAttribute('aria-selected', String(n === this.chosen));
      row.tabIndex = n === this.chosen ? 0 : -1;
    });
    if (focus) rows[this.chosen].focus();
  }

  /** Up and Down choose the next row, Home and End the first and the last. */
  key(event) {
    if (event.altKey || event.ctrlKey || event.metaKey) return;
    const last = this.body.rows.length - 1;
    const moves = {ArrowUp: this.chosen - 1, ArrowDown: this.chosen + 1, Home: 0, End: last};
    if (!(event.key in moves)) return;
    event.preventDefault();
    this.choose(moves[event.key], true);
  }

  /** Leaves the table out, with a note, while an exercise waits for its answer. */
  setHidden(hidden) {
    el('resultsTable').hidden = hidden;
    el('resultsHiddenNote').hidden = !hidden;
  }

  /** Shows the section if hidden, hides it if shown. */
  toggle() {
    const section = el('results');
    section.hidden = !section.hidden;
    el('showResults').setAttribute('aria-expanded', String(!section.hidden));
    if (!section.hidden) section.scrollIntoView({block: 'nearest'});
  }
}
