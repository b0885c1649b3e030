/**
 * The form on the page: built once from the module's description (captions,
 * node lines and boxes, markers, the logo, the margins and the controls in
 * tab order), then made to show what the module's state says. The controls
 * pass the user's actions on to the module; they decide nothing.
 */
import {decoration, make, now, place} from './dom.js';
import {drawCrest, drawMarkerLabels, drawTimeScale, drawWaitingSteps, formPicture, makeCanvas,
  matchDensity, redrawTrace} from './drawing.js';
import {t} from './texts.js';

const BOX_RATE = 0;  // a box's kind: a rate box, the only kind with colours of its own
const JUSTIFY = {right: 'flex-end', center: 'center'};

/**
 * The list of rates beside a rate box `box`, in `holder`: a choice from it
 * is handed to `chosen` as its text, and the list shows no item of its own.
 */
export function rateList(holder, box, id, chosen) {
  const list = make('select', {id, tabIndex: -1}, holder);
  list.setAttribute('aria-label', t('List of rates, {0}', t(box.name)));
  make('option', {value: '', textContent: '', hidden: true}, list);
  for (const item of box.items) make('option', {value: item, textContent: item}, list);
  list.addEventListener('change', () => {
    if (list.value === '') return;
    const text = list.value;
    list.selectedIndex = 0;
    chosen(text);
  });
  return list;
}

/**
 * Writes `node`'s one line of text at `font` px, or smaller where `shown()` is wider than the
 * `room()` it has (a translation's text): the form keeps its places, as the desktop form does,
 * and shows the text whole.
 */
function fitText(node, font, shown = () => node.scrollWidth, room = () => node.clientWidth) {
  node.style.fontSize = `${font}px`;
  // A smaller font is not quite narrower in proportion: measured again, until it fits.
  for (let size = font, tries = 0; shown() > room() + 1 && tries < 4; ++tries) {
    size = Math.floor(size * room() / shown() * 10) / 10;
    node.style.fontSize = `${size}px`;
  }
}

/**
 * The width the caption `label` may take at the height `height` from its top: a centred one
 * its own place (a node's box); one aligned right or left reaches over the empty form beside
 * it, up to the nearest of `others` (each [left, top, width, height]) in its line.
 */
function captionRoom(label, height, others, formWidth) {
  const [left, top, width] = label.rect;
  if (label.align === 'center') return width;
  let [from, to] = [0, formWidth];
  for (const [l, t, w, h] of others) {
    if (t >= top + height || t + h <= top || (l === left && t === top)) continue;
    if (l + w <= left) from = Math.max(from, l + w);
    if (l >= left + width) to = Math.min(to, l);
  }
  return label.align === 'right' ? left + width - from : to - left;
}

export class FormView {
  /**
   * Builds the form into `form`, an empty element, from `description` (what
   * api.describe() gives). Each user's action on a control is handed to
   * `act` as a function that calls `api`; `act` runs it and shows what changed.
   */
  constructor(form, description, api, act, legend) {
    this.form = form;
    this.legend = legend;
    this.rows = 1;  // pixel rows of the form a trace's stroke fills
    this.marginText = {font: description.marginFont, line: description.marginLineHeight,
      bold: false, fits: true};
    this.description = description;
    this.colours = description.colours;
    this.api = api;
    this.act = act;
    this.edges = true;
    this.shownMarkers = null;
    form.style.width = `${description.width}px`;
    form.style.height = `${description.height}px`;
    // The colours and the font the page's style sheet draws the form with.
    const root = document.documentElement.style;
    root.setProperty('--window', this.colours.window);
    root.setProperty('--focus', this.colours.focus);
    root.setProperty('--node-line', this.colours.nodeLine);
    root.setProperty('--trace-border', this.colours.traceBorder);
    root.setProperty('--form-font', `"${description.fontFamily}", sans-serif`);
    this.buildFigures();
    this.buildMargins();
    this.boxes = [];
    this.traces = [];
    this.buttons = [];
    this.controls = [];  // what takes the keys, in tab order
    for (const control of description.controls) {
      if (control.type === 'box') this.buildBox(control);
      if (control.type === 'trace') this.buildTrace(control);
      if (control.type === 'button') this.buildButton(control);
    }
  }

  /**
   * The captions, node lines and boxes, the frame, the markers and the logo.
   * A box's caption is the box's label, so that a click on it gives the box
   * the keys; captions and node names are left out of what assistive
   * technology reads, since each box's own name says them already.
   */
  buildFigures() {
    const d = this.description;
    const boxes = d.controls.filter((control) => control.type === 'box');
    const captioned = new Map(boxes.map((box) => [box.label, box.id]));
    this.labels = {};
    const others = [...d.labels, ...d.controls, ...d.shapes].map((part) => part.rect).filter((rect) => rect);
    for (const label of d.labels) {
      const boxId = captioned.get(label.id);
      const node = make(boxId ? 'label' : 'div', {id: label.id, className: 'label'}, this.form);
      if (boxId) node.htmlFor = boxId;
      decoration(node);
      const text = make('span', {textContent: t(label.text)}, node);
      place(node, label.rect);
      Object.assign(node.style, {
        fontWeight: label.bold ? 'bold' : 'normal',
        display: 'flex', justifyContent: JUSTIFY[label.align] || 'flex-start', alignItems: 'flex-start',
      });
      node.style.fontSize = `${label.font}px`;
      const line = text.offsetHeight;
      fitText(node, label.font, () => text.offsetWidth, () => captionRoom(label, line, others, d.width));
      // Written smaller, it keeps the middle of its line where the form's font has it.
      if (text.offsetHeight < line) node.style.paddingTop = `${(line - text.offsetHeight) / 2}px`;
      this.labels[label.id] = node;
    }
    // What only decorates is left out of what assistive technology reads.
    const part = (id, className, rect, name) => {
      const node = make('div', {id, className}, this.form);
      if (d.decoration.includes(name)) decoration(node);
      place(node, rect);
      return node;
    };
    for (const line of d.lines) {
      part(line.id, 'line', line.rect, line.id.split('_')[0]).style.background = this.colours.nodeLine;
    }
    for (const shape of d.shapes) part(shape.id, 'shape', shape.rect, 'Shape1');
    part('Frame1', '', d.frame, 'Frame1');
    // Each marker reads as its completion ("Circuit completed at 6375 ms, formula 6050 ms").
    this.markers = ['lneMessage', 'lneCircuit', 'lnePacket'].map((id) => {
      const node = make('div', {id, className: 'marker'}, this.form);
      node.setAttribute('role', 'img');
      node.hidden = true;
      return node;
    });
    const crest = make('div', {id: 'imgCrest', role: 'img'}, this.form);
    crest.setAttribute('aria-label', t('switchsim logo'));
    place(crest, d.crest);
    this.crest = makeCanvas(d.crest[2], d.crest[3], crest);
    drawCrest(this.crest, this.description);
  }

  /** The time scale and the marker labels' strip, which repeat what the traces and markers say. */
  buildMargins() {
    const d = this.description;
    const margin = (className, name) => {
      const node = make('div', {className: `margin addition ${className}`}, this.form);
      return d.decoration.includes(name) ? decoration(node) : node;
    };
    const scale = margin('time-scale', 'timeScale');
    place(scale, d.timeScale);
    this.timeScaleNode = scale;
    this.timeScale = makeCanvas(d.timeScale[2], d.timeScale[3], scale);
    drawTimeScale(this.timeScale, d, this.marginText);
    const strip = margin('marker-labels', 'markerLabels');
    place(strip, d.labelStrip);
    this.labelStripNode = strip;
    this.labelStrip = makeCanvas(d.labelStrip[2], d.labelStrip[3], strip);
  }

  /** Tells the module of the user's new text in a box. */
  setBox(box, text) {
    this.act(() => this.api.setBox(box.kind, box.link, text, now()));
  }

  /** The user's edit of a rate box ended (Enter, leaving the box). */
  finishRate(box) {
    this.act(() => this.api.finishRate(box.link, now()));
  }

  /** A rate chosen from the list (or with Up and Down) ends an edit of its box. */
  chooseRate(box, text) {
    this.act(() => {
      this.api.setBox(box.kind, box.link, text, now());
      this.api.finishRate(box.link, now());
    });
  }

  buildBox(box) {
    const input = box.editable ? this.buildRateBox(box) : make('select', {id: box.id}, this.form);
    if (!box.editable) {
      place(input, box.rect);
      // A list's items are the form's values, shown in the page's language.
      for (const item of box.items) make('option', {value: item, textContent: t(item)}, input);
      input.addEventListener('change', () => this.setBox(box, input.value));
    }
    input.style.fontSize = `${box.font}px`;
    input.title = t(box.tip);
    input.setAttribute('aria-label', t(box.name));
    this.boxes.push({box, input});
    this.controls.push(input);
  }

  /** A box that takes typed text, with its list of rates in the arrow beside it. */
  buildRateBox(box) {
    const holder = make('div', {className: 'rate'}, this.form);
    place(holder, box.rect);
    const input = make('input', {id: box.id, type: 'text', autocomplete: 'off', spellcheck: false},
                       holder);
    rateList(holder, box, `${box.id}List`, (text) => {
      input.value = text;
      this.chooseRate(box, text);
      input.focus();
    });
    input.addEventListener('input', () => this.setBox(box, input.value));
    input.addEventListener('keydown', (event) => this.rateKey(event, box, input));
    input.addEventListener('blur', () => this.finishRate(box));
    return input;
  }

  /** Up and down step through the list, Enter ends the typing, as in a desktop box. */
  rateKey(event, box, input) {
    if (event.key === 'Enter') {
      this.finishRate(box);
      return;
    }
    if (event.key !== 'ArrowUp' && event.key !== 'ArrowDown') return;
    event.preventDefault();
    const index = box.items.indexOf(input.value);
    const next = index < 0 ? 0
        : Math.min(Math.max(index + (event.key === 'ArrowDown' ? 1 : -1), 0), box.items.length - 1);
    input.value = box.items[next];
    this.chooseRate(box, input.value);
  }

  buildTrace(trace) {
    const node = make('div', {id: trace.id, className: 'trace', tabIndex: 0, title: t(trace.tip)},
                      this.form);
    node.setAttribute('role', 'img');
    node.setAttribute('aria-label', t(trace.name));
    place(node, trace.rect);
    const border = trace.border;
    node.style.padding = `${border}px`;
    node.style.background = this.colours.traceBorder;
    const drawing = makeCanvas(trace.rect[2] - 2 * border, trace.rect[3] - 2 * border, node);
    drawing.context.fillStyle = this.colours.trace;
    drawing.context.fillRect(0, 0, drawing.width, drawing.height);
    this.traces.push(drawing);
    this.controls.push(node);
  }

  buildButton(button) {
    const node = make('button', {id: button.id, type: 'button', title: t(button.tip)}, this.form);
    place(node, button.rect);
    node.style.fontSize = `${button.font}px`;
    node.dataset.font = button.font;
    node.setAttribute('aria-keyshortcuts', ['F5', 'F6'][button.index]);
    node.addEventListener('click', () => this.act(() => this.api.click(button.index, now())));
    this.buttons.push(node);
    this.controls.push(node);
  }

  /** Gives the keys to the form's first control. */
  focusFirst() {
    this.controls[0].focus();
  }

  /** Shows or hides the margins, and gives the markers thin dark edges or none. */
  setView({timeScale, markerLabels, edges}) {
    this.timeScaleNode.hidden = !timeScale;
    this.labelStripNode.hidden = !markerLabels;
    this.edges = edges;
  }

  /** Draws the strokes and clearings the module has waiting. */
  drain() {
    drawWaitingSteps(this.api, this.traces, this.colours.trace, this.rows);
  }

  /**
   * Draws for a projector, or not: heavier node lines and base line, and
   * strokes that fill more rows, as the description gives them; no control moves.
   */
  setProjector(on) {
    const {lines, projector} = this.description;
    for (const line of lines) {
      const [left, top, width, height] = line.rect;
      const node = document.getElementById(line.id);
      if (line.id === 'Line2') node.style.height = `${on ? projector.baseLine : height}px`;
      else node.style.width = `${on ? projector.nodeLine : width}px`;
      node.style.left = `${left}px`;
      node.style.top = `${top}px`;
    }
    const rows = on ? projector.strokeRows : 1;
    if (rows === this.rows) return;
    this.rows = rows;
    for (const trace of this.traces) redrawTrace(trace, this.colours.trace, rows);
  }

  /** Shows the boxes, their colours, the captions and the markers of `state` (api.state()). */
  show(state) {
    for (const {box, input} of this.boxes) {
      const text = state.boxes[box.id];
      if (input.value !== text) input.value = text;
      if (box.kind === BOX_RATE) {
        input.style.color = state.rateColours[box.link];
        const label = this.labels[box.label];
        if (label) label.style.color = state.labelColours[box.link];
      }
    }
    // A caption is the form's state, in English; it shows in the page's language.
    state.captions.forEach((caption, n) => {
      const [button, text] = [this.buttons[n], t(caption)];
      if (button.textContent === text) return;
      button.textContent = text;
      fitText(button, Number(button.dataset.font));
    });
    if (JSON.stringify(state.marginText) !== JSON.stringify(this.marginText)) {
      this.marginText = state.marginText;
      drawTimeScale(this.timeScale, this.description, this.marginText);
      this.shownMarkers = null;
    }
    // Markers move only at a completion or a clearing: most ticks leave them be.
    const markers = JSON.stringify([state.markers, state.markerLabels, this.edges]);
    if (markers === this.shownMarkers) return;
    this.shownMarkers = markers;
    state.markers.forEach((marker, m) => {
      const node = this.markers[m];
      node.hidden = !marker.visible;
      place(node, marker.rect);
      node.style.background = marker.colour;
      node.style.outline = this.edges ? `1px solid ${this.colours.markerEdge}` : 'none';
      node.setAttribute('aria-label', marker.text);
    });
    // Where the labels would be too small in the margin, they stand beside or under the form.
    const fits = this.marginText.fits;
    drawMarkerLabels(this.labelStrip, fits ? state.markerLabels : [], this.description,
                     this.marginText);
    this.showLegend(fits ? [] : state.markers.filter((marker) => marker.visible));
  }

  /** The markers named outside the form, each with its colour, top to bottom. */
  showLegend(markers) {
    this.legend.replaceChildren();
    this.legend.hidden = markers.length === 0;
    const sorted = [...markers].sort((a, b) => a.rect[1] - b.rect[1]);
    for (const marker of sorted) {
      const item = make('li', {}, this.legend);
      decoration(make('span', {className: 'swatch'}, item)).style.background = marker.colour;
      make('span', {textContent: marker.text}, item);
    }
  }

  /** After a zoom, or on another screen, the canvases follow the new density. */
  matchDensity() {
    // Everything is drawn anew, sharp at the new density: the traces from the strokes they keep.
    for (const trace of this.traces) {
      if (matchDensity(trace)) redrawTrace(trace, this.colours.trace, this.rows);
    }
    if (matchDensity(this.crest)) drawCrest(this.crest, this.description);
    if (matchDensity(this.timeScale)) drawTimeScale(this.timeScale, this.description, this.marginText);
    if (matchDensity(this.labelStrip)) this.shownMarkers = null;
  }

  /** The form as it shows now, drawn into one new canvas. */
  picture() {
    return formPicture({
      form: this.form, width: this.description.width, height: this.description.height,
      description: this.description, colours: this.colours, edges: this.edges, inputs: this.boxes.map(({input}) => input),
      buttons: this.buttons, traces: this.traces, crest: this.crest,
    });
  }
}
