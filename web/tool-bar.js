/**
 * The tool bar above the form and what it opens: Step and Speed, the view's
 * choices (remembered in the browser), the zoom and the projector's view,
 * Save picture, Export run log, the results and timing sections, Share and Embed, the
 * guide; the page's keys, and the link that skips the tool bar. On a phone
 * it folds behind Menu.
 */
import {el, make, now} from './dom.js';
import {downloadBlob, downloadText} from './downloads.js';
import {ShareDialog} from './share.js';
import {joined, numberText, t, tIn} from './texts.js';

const VIEW_CHOICES = ['timeScale', 'markerLabels', 'markerEdges', 'bareForm'];

/** A choice kept in the browser from an earlier visit, or null. */
function setting(name) {
  try { return window.localStorage.getItem(`switchsim.${name}`); } catch { return null; }
}

function saveSetting(name, value) {
  try {
    window.localStorage.setItem(`switchsim.${name}`, value);
  } catch { /* kept for this visit only */ }
}

/**
 * The language the page speaks, by the module's rule: the address's lang=,
 * else the one chosen in the menu on an earlier visit, else the browser's.
 */
export function pageLanguage(api) {
  const asked = new URLSearchParams(window.location.search).get('lang') ?? '';
  return api.pageLanguage(asked, setting('language') ?? '', joined(navigator.languages ?? [navigator.language]));
}

export class ToolBar {
  /**
   * Binds the tool bar to `page` (its api, description, view, results,
   * act(), showAnew() and picture()) and takes the page's keys.
   */
  constructor(page) {
    this.page = page;
    this.shownControls = null;
    const {api, description} = page;
    const speed = el('speed');
    description.speeds.forEach((name, value) => make('option', {value, textContent: t(name)}, speed));
    speed.addEventListener('change', () => {
      page.act(() => api.setSpeed(Number(speed.value), now()));
      saveSetting('speed', speed.value);
    });
    el('step').addEventListener('click', () => page.act(() => api.step(now())));
    ['packetSize', 'headerSize'].forEach((id, header) => {
      el(id).addEventListener('change', () => {
        page.act(() => api.setPacketing(header, el(id).value));
        this.showPacketing(page.state, true);
      });
    });
    for (const id of VIEW_CHOICES) {
      el(id).addEventListener('change', () => {
        saveSetting(id, el(id).checked ? '1' : '0');
        this.applyView();
      });
    }
    const zoom = el('zoom');
    make('option', {value: 'auto', textContent: tIn('zoom', 'Auto')}, zoom);
    for (const percent of description.zooms) {
      make('option', {value: String(percent), textContent: t('{0} %', numberText(percent))}, zoom);
    }
    make('option', {value: 'fit', textContent: tIn('zoom', 'Fit')}, zoom);
    zoom.addEventListener('change', () => {
      saveSetting('zoom', zoom.value);
      page.stage.set({zoom: zoom.value});
    });
    el('projector').addEventListener('change', () => {
      saveSetting('projector', el('projector').checked ? '1' : '0');
      page.stage.set({projector: el('projector').checked});
    });
    const menu = el('menuButton');
    menu.addEventListener('click', () => {
      const open = el('toolbar').classList.toggle('open');
      menu.setAttribute('aria-expanded', String(open));
    });
    this.share = new ShareDialog(page);
    el('share').addEventListener('click', () => this.share.open(false));
    el('embed').addEventListener('click', () => this.share.open(true));
    el('savePicture').addEventListener('click', () => this.savePicture());
    el('savePictureSvg').addEventListener('click', () => this.savePictureSvg());
    el('exportLog').addEventListener('click', () => {
      downloadText('switchsim-run.jsonl', api.runLog(), 'application/jsonl');
    });
    el('showResults').addEventListener('click', () => page.results.toggle());
    el('showTiming').addEventListener('click', () => page.timing.toggle());
    el('showGuide').addEventListener('click', () => this.showGuide());
    el('skipLink').addEventListener('click', (event) => {
      event.preventDefault();  // the address keeps no fragment
      page.view.focusFirst();
    });
    el('about').textContent = t('switchsim {0}. Free software under the {1}.', description.version, description.licence);
    this.bindLanguages();
    document.addEventListener('keydown', (event) => this.key(event));
  }

  /**
   * The language menu: the languages in their own names, the one in use
   * chosen. A choice is kept for later visits, and the page starts again in
   * it, its boxes, speed and view as they are (a link's lang= gives way).
   */
  bindLanguages() {
    const {api, stage} = this.page;
    const menu = el('language');
    const languages = JSON.parse(api.languages());
    // A language not offered (the pseudo-language of the tests) still shows by its code while in use.
    if (!languages.some(({code}) => code === api.language())) languages.push({code: api.language(), name: api.language()});
    for (const {code, name} of languages) make('option', {value: code, textContent: name, lang: code}, menu);
    menu.value = api.language();
    menu.addEventListener('change', () => {
      saveSetting('language', menu.value);
      const query = new URLSearchParams(api.shareQuery(stage.zoom, stage.projector ? 1 : 0));
      query.delete('lang');
      window.location.assign(`${window.location.pathname}?${query}`);
    });
  }

  /** The page's keys, as the desktop window's: F1, F5 to F9 and Ctrl+S. */
  key(event) {
    if (event.altKey || event.metaKey) return;
    const buttons = this.page.view.buttons;
    const keys = {
      F1: () => this.showGuide(),
      F5: () => buttons[0].click(),
      F6: () => buttons[1].click(),
      F7: () => el('step').click(),
      F8: () => el('bareForm').click(),
      F9: () => this.page.act(() => this.page.api.sayClock()),
    };
    let action = event.ctrlKey ? null : keys[event.key];
    if (event.ctrlKey && !event.shiftKey && event.key === 's') action = () => this.savePicture();
    if (!action) return;
    event.preventDefault();
    action();
  }

  /** Takes the view's choices kept from an earlier visit, then shows the view. */
  readSettings() {
    for (const id of VIEW_CHOICES) {
      const value = setting(id);
      if (value !== null) el(id).checked = value === '1';
    }
    const zoom = setting('zoom');
    if (zoom !== null && [...el('zoom').options].some((option) => option.value === zoom)) {
      el('zoom').value = zoom;
    }
    el('projector').checked = setting('projector') === '1';
    this.applyView();
  }

  /**
   * Takes what a link asks of the view (api.linkView()): its zoom and
   * projector win over the kept ones for this visit; a frame's page shows
   * the form and its run bar only.
   */
  takeLinkView(view) {
    if (view.zoom !== null) el('zoom').value = view.zoom;
    if (view.projector !== null) el('projector').checked = view.projector;
    this.page.stage.set({zoom: el('zoom').value, projector: el('projector').checked,
                         embedded: view.embed});
  }

  /** The speed's index kept from an earlier visit, or null. */
  savedSpeed() {
    const speed = setting('speed');
    return speed === null ? null : Number(speed);
  }

  /** Shows the form bare or with the additions that are chosen. */
  applyView() {
    const bare = el('bareForm').checked;
    document.body.classList.toggle('bare', bare);
    this.page.view.setView({
      timeScale: el('timeScale').checked, markerLabels: el('markerLabels').checked,
      edges: el('markerEdges').checked && !bare,
    });
    this.shownControls = null;
    this.page.showAnew();
  }

  /** Shows the speed of `state` (api.state()) and enables what it allows. */
  show(state) {
    this.showPacketing(state, false);
    const controls = `${state.speed} ${state.canStep} ${state.hasLog} ${state.results} ${JSON.stringify(state.shown)}`;
    if (controls === this.shownControls) return;
    this.shownControls = controls;
    el('speed').value = String(state.speed);
    el('step').disabled = !state.canStep;
    // While an exercise waits for its answer, nothing that gives a time away is handed out.
    el('exportLog').disabled = !state.hasLog || !state.shown.runLog;
    for (const id of ['exportCsv', 'copyText', 'copyCommand']) {
      el(id).disabled = state.results === 0 || !state.shown.results;
    }
  }

  /**
   * Shows the packet and header size the next Start uses, taken or refused;
   * a box being typed in keeps its text unless `edited` ends the edit.
   */
  showPacketing(state, edited) {
    for (const [id, value] of [['packetSize', state.packet], ['headerSize', state.header]]) {
      if (edited || document.activeElement !== el(id)) el(id).value = String(value);
    }
  }

  /** Shows the guide anew if it is open: its numbers hide and show with the readouts. */
  refreshGuide() {
    if (el('guide').open) this.showGuide();
  }

  showGuide() {
    // The guide is the module's own markup, made by this program, not the user's text.
    el('guideText').innerHTML = this.page.api.guide();
    const dialog = el('guide');
    if (!dialog.open) dialog.showModal();
  }

  savePicture() {
    this.page.picture().toBlob((blob) => downloadBlob('switchsim.png', blob), 'image/png');
  }

  /** Downloads the form's own drawing as SVG, with the additions the view shows. */
  savePictureSvg() {
    const bare = el('bareForm').checked;
    const shown = (id) => Number(el(id).checked && !bare);
    const svg = this.page.api.svgPicture(shown('timeScale'), shown('markerLabels'), shown('markerEdges'));
    downloadText('switchsim.svg', svg, 'image/svg+xml');
  }
}
