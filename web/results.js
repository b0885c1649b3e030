/**
 * The results section: the table of the runs whose data arrived, which row
 * is chosen, and copying or exporting them. The rows and their commands
 * come from the module.
 */
import {el, make} from './dom.js';
import {copyText, downloadText} from './downloads.js';

export class Results {
  /** Fills the table's heading with `headings` and binds the section's buttons to `api`. */
  constructor(api, headings) {
    this.api = api;
    this.chosen = 0;
    this.body = el('resultsTable').tBodies[0];
    const head = el('resultsTable').tHead.rows[0];
    for (const heading of headings) make('th', {textContent: heading, scope: 'col'}, head);
    el('exportCsv').addEventListener('click', () => {
      downloadText('switchsim-results.csv', api.resultsCsv(), 'text/csv');
    });
    el('copyText').addEventListener('click', () => copyText(api.resultsText()));
    el('copyCommand').addEventListener('click', () => {
      const rows = JSON.parse(api.results());
      if (rows.length > 0) copyText(rows[Math.min(this.chosen, rows.length - 1)].command);
    });
  }

  /** Shows the module's results anew, the newest chosen. */
  fill() {
    this.chosen = 0;
    const body = this.body;
    body.replaceChildren();
    JSON.parse(this.api.results()).forEach((row, index) => {
      const tr = make('tr', {}, body);
      tr.setAttribute('aria-selected', String(index === this.chosen));
      for (const cell of row.cells) make('td', {textContent: cell}, tr);
      tr.addEventListener('click', () => {
        this.chosen = index;
        for (const other of body.rows) other.setAttribute('aria-selected', String(other === tr));
      });
    });
  }

  /** Shows the section if hidden, hides it if shown. */
  toggle() {
    const section = el('results');
    section.hidden = !section.hidden;
    el('showResults').setAttribute('aria-expanded', String(!section.hidden));
    if (!section.hidden) section.scrollIntoView({block: 'nearest'});
  }
}
