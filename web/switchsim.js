// The page of the web edition: it builds the form that the module
// describes, shows what the module says, and passes the user's actions on.
// Every rule of the simulator lives in the module.
'use strict';

(() => {
  const BOX_RATE = 0;
  const MOST_TIMINGS = 4096;  // frames whose ticks' time is kept for measuring
  const RUN_END_MS = 15000;   // ms of clock: where a run's time runs out

  const el = (id) => document.getElementById(id);
  const now = () => performance.now();

  /** The module's functions, with texts converted. */
  function bind(core) {
    const f = (name, result, args) => core.cwrap(name, result, args);
    return {
      create: f('ss_create', null, []),
      applyQuery: f('ss_apply_query', 'string', ['string', 'number']),
      describe: f('ss_describe', 'string', []),
      state: f('ss_state', 'string', []),
      clockText: f('ss_clock_text', 'string', []),
      clockMs: f('ss_clock_ms', 'number', []),
      changes: f('ss_changes', 'number', []),
      noticesSince: f('ss_notices_since', 'string', ['number']),
      setBox: f('ss_set_box', null, ['number', 'number', 'string', 'number']),
      finishRate: f('ss_finish_rate', null, ['number', 'number']),
      click: f('ss_click', null, ['number', 'number']),
      step: f('ss_step', null, ['number']),
      frame: f('ss_frame', 'number', ['number']),
      setSpeed: f('ss_set_speed', null, ['number', 'number']),
      drawSteps: f('ss_draw_steps', 'number', []),
      drawStepCount: f('ss_draw_step_count', 'number', []),
      takeDrawSteps: f('ss_take_draw_steps', null, []),
      results: f('ss_results', 'string', []),
      resultsCsv: f('ss_results_csv', 'string', []),
      resultsText: f('ss_results_text', 'string', []),
      runLog: f('ss_run_log', 'string', []),
      guide: f('ss_guide', 'string', []),
      heap: () => core.HEAPF64,
    };
  }

  function place(node, rect) {
    const [left, top, width, height] = rect;
    Object.assign(node.style, {left: `${left}px`, top: `${top}px`, width: `${width}px`,
                               height: `${height}px`});
  }

  function make(tag, props, parent) {
    const node = Object.assign(document.createElement(tag), props);
    if (parent) parent.appendChild(node);
    return node;
  }

  /** A canvas of `width` × `height` CSS pixels whose backing store follows the screen's density. */
  function makeCanvas(width, height, parent) {
    const canvas = make('canvas', {}, parent);
    const ratio = window.devicePixelRatio || 1;
    canvas.width = Math.round(width * ratio);
    canvas.height = Math.round(height * ratio);
    canvas.style.width = `${width}px`;
    canvas.style.height = `${height}px`;
    const context = canvas.getContext('2d');
    context.setTransform(ratio, 0, 0, ratio, 0, 0);
    return {canvas, context, width, height};
  }

  /**
   * Gives a canvas a backing store at the screen's density now (after a zoom,
   * or on another screen), keeping what it shows.
   */
  function matchDensity(drawing) {
    const ratio = window.devicePixelRatio || 1;
    const {canvas, context, width, height} = drawing;
    if (canvas.width === Math.round(width * ratio)) return;
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    copy.getContext('2d').drawImage(canvas, 0, 0);
    canvas.width = Math.round(width * ratio);
    canvas.height = Math.round(height * ratio);
    // Each old pixel becomes a block of new ones: a stroke keeps its rows.
    context.imageSmoothingEnabled = false;
    context.drawImage(copy, 0, 0, canvas.width, canvas.height);
    context.imageSmoothingEnabled = true;
    context.setTransform(ratio, 0, 0, ratio, 0, 0);
  }

  function drawCrest(context, colours, width, height) {
    const middle = height / 2;
    colours.logo.forEach((colour, k) => {
      context.fillStyle = colour;
      context.fillRect(14 + 40 * k, middle - 2.5, 40, 5);
    });
    context.lineWidth = 2.5;
    context.strokeStyle = colours.nodeLine;
    context.fillStyle = '#ffffff';
    for (let node = 0; node < 4; ++node) {
      context.beginPath();
      context.arc(14 + 40 * node, middle, 7, 0, 2 * Math.PI);
      context.fill();
      context.stroke();
    }
    context.fillStyle = colours.nodeLine;
    context.font = 'bold 30px "DejaVu Sans", sans-serif';
    context.textBaseline = 'middle';
    context.fillText('switchsim', 150, middle, width - 152);
  }

  class Page {
    constructor(api) {
      this.api = api;
      this.form = el('Form1');
      this.description = JSON.parse(api.describe());
      this.colours = this.description.colours;
      this.shown = {changes: -1, notices: -1, results: -1};
      this.timings = new Float64Array(MOST_TIMINGS);
      this.timingCount = 0;
      this.runs = [];
      this.colourTexts = new Map();
      this.selectedResult = 0;
      this.build();
      this.buildBars();
      this.readSettings();
      this.ratio = window.devicePixelRatio || 1;
    }

    /** After a zoom, or on another screen, the canvases follow the new density. */
    matchDensity() {
      const ratio = window.devicePixelRatio || 1;
      if (ratio === this.ratio) return;
      this.ratio = ratio;
      for (const drawing of [...this.traces, this.crest, this.timeScaleDrawing, this.labelStrip]) {
        matchDensity(drawing);
      }
      // What is not a trace is drawn anew, sharp at the new density.
      this.crest.context.clearRect(0, 0, this.crest.width, this.crest.height);
      drawCrest(this.crest.context, this.colours, this.crest.width, this.crest.height);
      this.drawTimeScale();
      this.shown.markers = null;
    }

    build() {
      const d = this.description;
      this.form.style.width = `${d.width}px`;
      this.form.style.height = `${d.height}px`;
      this.labels = {};
      for (const label of d.labels) {
        const node = make('div', {id: label.id, className: 'label'}, this.form);
        make('span', {textContent: label.text}, node);
        place(node, label.rect);
        Object.assign(node.style, {
          fontSize: `${label.font}px`, fontWeight: label.bold ? 'bold' : 'normal',
          display: 'flex', justifyContent: {right: 'flex-end', center: 'center'}[label.align] || 'flex-start',
        });
        this.labels[label.id] = node;
      }
      for (const line of d.lines) {
        const node = make('div', {id: line.id, className: 'line'}, this.form);
        decoration(node);
        place(node, line.rect);
        node.style.background = this.colours.nodeLine;
      }
      for (const shape of d.shapes) {
        place(decoration(make('div', {id: shape.id, className: 'shape'}, this.form)), shape.rect);
      }
      place(decoration(make('div', {id: 'Frame1'}, this.form)), d.frame);
      // Each marker reads as its completion ("Circuit completed at 6375 ms, formula 6050 ms").
      this.markers = ['lneMessage', 'lneCircuit', 'lnePacket'].map((id) => {
        const node = make('div', {id, className: 'marker'}, this.form);
        node.setAttribute('role', 'img');
        node.hidden = true;
        return node;
      });
      const crest = make('div', {id: 'imgCrest', role: 'img'}, this.form);
      crest.setAttribute('aria-label', 'switchsim logo');
      place(crest, d.crest);
      this.crest = makeCanvas(d.crest[2], d.crest[3], crest);
      drawCrest(this.crest.context, this.colours, d.crest[2], d.crest[3]);
      this.buildMargins();

      this.boxes = [];
      this.traces = [];
      this.buttons = [];
      for (const control of d.controls) {
        if (control.type === 'box') this.buildBox(control);
        if (control.type === 'trace') this.buildTrace(control);
        if (control.type === 'button') this.buildButton(control);
      }
    }

    buildMargins() {
      const d = this.description;
      // The margins draw what the traces and markers say already.
      const scale = decoration(make('div', {className: 'margin addition time-scale'}, this.form));
      place(scale, d.timeScale);
      this.timeScale = scale;
      const [, , width, height] = d.timeScale;
      this.timeScaleDrawing = makeCanvas(width, height, scale);
      this.drawTimeScale();
      const strip = decoration(make('div', {className: 'margin addition marker-labels'}, this.form));
      place(strip, d.labelStrip);
      this.labelStrip = makeCanvas(d.labelStrip[2], d.labelStrip[3], strip);
      this.labelStripNode = strip;
    }

    drawTimeScale() {
      const d = this.description;
      const {context, width, height} = this.timeScaleDrawing;
      context.clearRect(0, 0, width, height);
      context.font = `${d.marginFont}px "DejaVu Sans", sans-serif`;
      context.textAlign = 'right';
      context.textBaseline = 'middle';
      for (const mark of d.timeMarks) {
        context.fillStyle = this.colours.additionLine;
        context.fillRect(width - 5, mark.row, 5, 1);
        context.fillStyle = this.colours.additionText;
        const y = Math.min(Math.max(mark.row + 0.5, 6), height - 6);
        context.fillText(mark.label, width - 8, y);
      }
    }

    buildBox(box) {
      let input;
      if (box.editable) {
        const holder = make('div', {className: 'rate'}, this.form);
        place(holder, box.rect);
        input = make('input', {id: box.id, type: 'text', autocomplete: 'off', spellcheck: false},
                     holder);
        const list = make('select', {id: `${box.id}List`, tabIndex: -1}, holder);
        list.setAttribute('aria-label', `List of rates, ${box.name}`);
        make('option', {value: '', textContent: '', hidden: true}, list);
        for (const item of box.items) make('option', {value: item, textContent: item}, list);
        list.addEventListener('change', () => {
          if (list.value === '') return;
          input.value = list.value;
          list.selectedIndex = 0;
          this.act(() => this.api.setBox(box.kind, box.link, input.value, now()));
          input.focus();
        });
        input.addEventListener('input', () => {
          this.act(() => this.api.setBox(box.kind, box.link, input.value, now()));
        });
        input.addEventListener('keydown', (event) => this.rateKey(event, box, input));
        input.addEventListener('blur', () => this.act(() => this.api.finishRate(box.link, now())));
      } else {
        input = make('select', {id: box.id}, this.form);
        place(input, box.rect);
        for (const item of box.items) make('option', {value: item, textContent: item}, input);
        input.addEventListener('change', () => {
          this.act(() => this.api.setBox(box.kind, box.link, input.value, now()));
        });
      }
      input.style.fontSize = `${box.font}px`;
      input.title = box.tip;
      input.setAttribute('aria-label', box.name);
      const label = this.labels[box.label];
      if (label) label.setAttribute('data-for', box.id);
      this.boxes.push({box, input});
    }

    /** Up and down step through the list, Enter ends the typing, as in a desktop box. */
    rateKey(event, box, input) {
      if (event.key === 'Enter') {
        this.act(() => this.api.finishRate(box.link, now()));
        return;
      }
      if (event.key !== 'ArrowUp' && event.key !== 'ArrowDown') return;
      event.preventDefault();
      const index = box.items.indexOf(input.value);
      const next = index < 0 ? 0
          : Math.min(Math.max(index + (event.key === 'ArrowDown' ? 1 : -1), 0), box.items.length - 1);
      input.value = box.items[next];
      this.act(() => this.api.setBox(box.kind, box.link, input.value, now()));
    }

    buildTrace(trace) {
      const node = make('div', {id: trace.id, className: 'trace', tabIndex: 0, title: trace.tip}, this.form);
      node.setAttribute('role', 'img');
      node.setAttribute('aria-label', trace.name);
      place(node, trace.rect);
      const border = trace.border;
      node.style.padding = `${border}px`;
      node.style.background = this.colours.traceBorder;
      const drawing = makeCanvas(trace.rect[2] - 2 * border, trace.rect[3] - 2 * border, node);
      drawing.context.fillStyle = this.colours.trace;
      drawing.context.fillRect(0, 0, drawing.width, drawing.height);
      this.traces.push(drawing);
    }

    buildButton(button) {
      const node = make('button', {id: button.id, type: 'button', title: button.tip}, this.form);
      place(node, button.rect);
      node.style.fontSize = `${button.font}px`;
      node.setAttribute('aria-keyshortcuts', ['F5', 'F6'][button.index]);
      node.addEventListener('click', () => this.act(() => this.api.click(button.index, now())));
      this.buttons.push(node);
    }

    buildBars() {
      const d = this.description;
      const speed = el('speed');
      d.speeds.forEach((name, index) => make('option', {value: index, textContent: name}, speed));
      speed.addEventListener('change', () => {
        this.act(() => this.api.setSpeed(Number(speed.value), now()));
        this.saveSetting('speed', speed.value);
      });
      el('step').addEventListener('click', () => this.act(() => this.api.step(now())));
      for (const id of ['timeScale', 'markerLabels', 'markerEdges', 'bareForm']) {
        el(id).addEventListener('change', () => {
          this.saveSetting(id, el(id).checked ? '1' : '0');
          this.applyView();
        });
      }
      el('savePicture').addEventListener('click', () => this.savePicture());
      el('exportLog').addEventListener('click', () => {
        download('switchsim-run.jsonl', this.api.runLog(), 'application/jsonl');
      });
      el('showResults').addEventListener('click', () => this.toggleResults());
      el('showGuide').addEventListener('click', () => this.showGuide());
      el('exportCsv').addEventListener('click', () => {
        download('switchsim-results.csv', this.api.resultsCsv(), 'text/csv');
      });
      el('copyText').addEventListener('click', () => copy(this.api.resultsText()));
      el('copyCommand').addEventListener('click', () => {
        const rows = JSON.parse(this.api.results());
        if (rows.length > 0) copy(rows[Math.min(this.selectedResult, rows.length - 1)].command);
      });
      const head = el('resultsTable').tHead.rows[0];
      for (const heading of d.resultHeadings) make('th', {textContent: heading, scope: 'col'}, head);
      el('about').textContent = `switchsim ${d.version}. Free software under the ${d.licence}.`;
      document.addEventListener('keydown', (event) => this.key(event));
    }

    key(event) {
      if (event.altKey || event.metaKey) return;
      const keys = {
        F1: () => this.showGuide(),
        F5: () => this.buttons[0].click(),
        F6: () => this.buttons[1].click(),
        F7: () => el('step').click(),
        F8: () => el('bareForm').click(),
      };
      let action = event.ctrlKey ? null : keys[event.key];
      if (event.ctrlKey && !event.shiftKey && event.key === 's') action = () => this.savePicture();
      if (!action) return;
      event.preventDefault();
      action();
    }

    readSettings() {
      for (const id of ['timeScale', 'markerLabels', 'markerEdges', 'bareForm']) {
        const value = this.setting(id);
        if (value !== null) el(id).checked = value === '1';
      }
      this.applyView();
    }

    setting(name) {
      try { return window.localStorage.getItem(`switchsim.${name}`); } catch { return null; }
    }

    saveSetting(name, value) {
      try { window.localStorage.setItem(`switchsim.${name}`, value); } catch { /* kept for this visit only */ }
    }

    applyView() {
      const bare = el('bareForm').checked;
      document.body.classList.toggle('bare', bare);
      this.timeScale.hidden = !el('timeScale').checked;
      this.labelStripNode.hidden = !el('markerLabels').checked;
      this.edges = el('markerEdges').checked && !bare;
      this.shown = {changes: -1, notices: this.shown.notices, results: this.shown.results};
      this.sync();
    }

    /** Runs a user's action on the module, then shows what changed. */
    act(action) {
      action();
      this.drain();
      this.sync();
    }

    /** Says `text` through the live region, even when it is the same as last time. */
    announce(text) {
      this.spoken = !this.spoken;
      el('announcer').textContent = this.spoken ? text : `${text}\u00a0`;
    }

    /** "#rrggbb" of a colour 0xRRGGBB, made once per colour: a tick draws many strokes. */
    colourText(colour) {
      let text = this.colourTexts.get(colour);
      if (text === undefined) {
        text = `#${colour.toString(16).padStart(6, '0')}`;
        this.colourTexts.set(colour, text);
      }
      return text;
    }

    /** Draws the strokes and clearings the module has waiting. */
    drain() {
      const count = this.api.drawStepCount();
      if (count === 0) return;
      const steps = new Float64Array(this.api.heap().buffer, this.api.drawSteps(), count * 6);
      for (let i = 0; i < steps.length; i += 6) {
        const {context, width, height} = this.traces[steps[i + 1]];
        if (steps[i] === 0) {
          context.fillStyle = this.colours.trace;
          context.fillRect(0, 0, width, height);
        } else {
          context.fillStyle = this.colourText(steps[i + 5]);
          context.fillRect(steps[i + 2], steps[i + 4], steps[i + 3] - steps[i + 2], 1);
        }
      }
      this.api.takeDrawSteps();
    }

    sync(ticked = false) {
      const changes = this.api.changes();
      if (changes === this.shown.changes) {
        // Most ticks change only the clock.
        if (ticked) {
          setText(el('statusClock'), this.api.clockText());
          this.noteRun(this.state.running, this.api.clockMs(), this.state.speed);
        }
        return;
      }
      this.shown.changes = changes;
      const s = JSON.parse(this.api.state());
      this.state = s;
      for (const {box, input} of this.boxes) {
        const text = s.boxes[box.id];
        if (input.value !== text) input.value = text;
        if (box.kind === BOX_RATE) {
          input.style.color = s.rateColours[box.link];
          const label = this.labels[box.label];
          if (label) label.style.color = s.labelColours[box.link];
        }
      }
      s.captions.forEach((caption, n) => {
        if (this.buttons[n].textContent !== caption) this.buttons[n].textContent = caption;
      });
      // Markers move only at a completion or a clearing: most ticks leave them be.
      const markers = JSON.stringify([s.markers, s.markerLabels, this.edges]);
      if (markers !== this.shown.markers) {
        this.shown.markers = markers;
        s.markers.forEach((marker, m) => {
          const node = this.markers[m];
          node.hidden = !marker.visible;
          place(node, marker.rect);
          node.style.background = marker.colour;
          node.style.outline = this.edges ? `1px solid ${this.colours.markerEdge}` : 'none';
          node.setAttribute('aria-label', marker.text);
        });
        this.drawMarkerLabels(s.markerLabels);
      }
      setText(el('statusPhase'), s.phase);
      setText(el('statusClock'), s.clock);
      setText(el('statusSpeed'), this.description.speeds[s.speed]);
      if (s.noticeCount !== this.shown.notices) {
        // Several notices at once (a refused rate that cleared the markers) are all heard.
        if (this.shown.notices >= 0) this.announce(this.api.noticesSince(this.shown.notices));
        this.shown.notices = s.noticeCount;
        el('statusNotice').textContent = s.notice;
      }
      const controls = `${s.speed} ${s.canStep} ${s.hasLog} ${s.results}`;
      if (controls !== this.shown.controls) {
        this.shown.controls = controls;
        el('speed').value = String(s.speed);
        el('step').disabled = !s.canStep;
        el('exportLog').disabled = !s.hasLog;
        for (const id of ['exportCsv', 'copyText', 'copyCommand']) el(id).disabled = s.results === 0;
      }
      if (s.results !== this.shown.results) {
        this.shown.results = s.results;
        this.selectedResult = 0;
        this.fillResults();
      }
      this.noteRun(s.running, s.clockMs, s.speed);
    }

    /**
     * Keeps the wall clock when each run started, when its clock reached the
     * end of a run (15000 ms) and when its timer first stopped, for measuring
     * the pacing.
     */
    noteRun(running, clockMs, speedIndex) {
      let run = this.runs[this.runs.length - 1];
      if (running && clockMs === 0 && (!run || run.end !== undefined)) {
        run = {start: now(), speed: this.description.speedFactors[speedIndex]};
        this.runs.push(run);
        if (this.runs.length > 64) this.runs.shift();
      }
      if (!run || run.end !== undefined) return;
      if (run.reached === undefined && clockMs >= RUN_END_MS) run.reached = now();
      if (!running) run.end = now();
    }

    drawMarkerLabels(labels) {
      const {context, width, height} = this.labelStrip;
      context.clearRect(0, 0, width, height);
      context.font = `${this.description.marginFont}px "DejaVu Sans", sans-serif`;
      context.textBaseline = 'middle';
      for (const label of labels) {
        context.strokeStyle = this.colours.additionLine;
        context.lineWidth = 1;
        context.beginPath();
        context.moveTo(0, label.markerRow + 0.5);
        context.lineTo(3, label.labelRow + 0.5);
        context.stroke();
        context.fillStyle = this.colours.additionText;
        context.fillText(label.text, 4, label.labelRow + 0.5);
      }
    }

    fillResults() {
      const body = el('resultsTable').tBodies[0];
      body.replaceChildren();
      JSON.parse(this.api.results()).forEach((row, index) => {
        const tr = make('tr', {}, body);
        tr.setAttribute('aria-selected', String(index === this.selectedResult));
        for (const cell of row.cells) make('td', {textContent: cell}, tr);
        tr.addEventListener('click', () => {
          this.selectedResult = index;
          for (const other of body.rows) other.setAttribute('aria-selected', String(other === tr));
        });
      });
    }

    toggleResults() {
      const section = el('results');
      section.hidden = !section.hidden;
      el('showResults').setAttribute('aria-expanded', String(!section.hidden));
      if (!section.hidden) section.scrollIntoView({block: 'nearest'});
    }

    showGuide() {
      el('guideText').innerHTML = this.api.guide();
      const dialog = el('guide');
      if (!dialog.open) dialog.showModal();
    }

    /** One animation frame: the ticks that are due, their strokes and what they changed. */
    frame() {
      this.matchDensity();
      const started = now();
      const ran = this.api.frame(started);
      if (ran > 0) {
        this.drain();
        this.sync(true);
        this.timings[this.timingCount++ % MOST_TIMINGS] = (now() - started) / ran;
      } else {
        this.sync();
      }
      requestAnimationFrame(() => this.frame());
    }

    /** The form as it shows now, drawn into one canvas. */
    picture() {
      const d = this.description;
      const {canvas, context} = makeCanvas(d.width, d.height, null);
      const origin = this.form.getBoundingClientRect();
      context.fillStyle = this.colours.window;
      context.fillRect(0, 0, d.width, d.height);
      const boxOf = (node) => {
        const r = node.getBoundingClientRect();
        return [r.left - origin.left, r.top - origin.top, r.width, r.height];
      };
      const text = (node, rect, align) => {
        const style = getComputedStyle(node);
        context.font = `${style.fontWeight} ${style.fontSize} "DejaVu Sans", sans-serif`;
        context.fillStyle = style.color;
        context.textBaseline = 'middle';
        context.textAlign = align;
        const x = {left: rect[0] + 4, center: rect[0] + rect[2] / 2, right: rect[0] + rect[2]}[align];
        context.fillText(node.value ?? node.textContent, x, rect[1] + rect[3] / 2);
      };
      for (const node of this.form.querySelectorAll('.line, .shape, .marker')) {
        if (node.hidden) continue;
        const rect = boxOf(node);
        if (node.classList.contains('shape')) {
          context.strokeStyle = this.colours.nodeLine;
          context.strokeRect(rect[0] + 0.5, rect[1] + 0.5, rect[2] - 1, rect[3] - 1);
        } else {
          if (this.edges && node.classList.contains('marker')) {
            context.fillStyle = this.colours.markerEdge;
            context.fillRect(rect[0] - 1, rect[1] - 1, rect[2] + 2, rect[3] + 2);
          }
          context.fillStyle = getComputedStyle(node).backgroundColor;
          context.fillRect(...rect);
        }
      }
      for (const node of this.form.querySelectorAll('.label span')) text(node, boxOf(node), 'left');
      const control = (node, fill, align) => {
        const rect = boxOf(node);
        context.fillStyle = fill;
        context.fillRect(...rect);
        context.strokeStyle = '#8a8a8a';
        context.strokeRect(rect[0] + 0.5, rect[1] + 0.5, rect[2] - 1, rect[3] - 1);
        text(node, rect, align);
      };
      for (const {input} of this.boxes) control(input, '#ffffff', 'left');
      for (const button of this.buttons) control(button, '#f4f4f2', 'center');
      this.traces.forEach((trace) => {
        const rect = boxOf(trace.canvas.parentNode);
        context.fillStyle = this.colours.traceBorder;
        context.fillRect(...rect);
        const inner = boxOf(trace.canvas);
        context.drawImage(trace.canvas, ...inner);
      });
      for (const margin of [this.crest.canvas, ...this.form.querySelectorAll('.margin canvas')]) {
        if (margin.closest('[hidden]') || getComputedStyle(margin).display === 'none') continue;
        context.drawImage(margin, ...boxOf(margin));
      }
      return canvas;
    }

    savePicture() {
      this.picture().toBlob((blob) => downloadBlob('switchsim.png', blob), 'image/png');
    }

    /** Takes the address's parameters; a bad one leaves the defaults and says why. */
    applyAddress() {
      const notice = this.api.applyQuery(window.location.search, now());
      const shown = el('linkNotice');
      shown.hidden = notice === '';
      shown.textContent = notice === '' ? '' : `${notice}. The page starts with its defaults.`;
      const speed = this.setting('speed');
      if (notice === '' && !/[?&]speed=/.test(window.location.search) && speed !== null) {
        this.api.setSpeed(Number(speed), now());
      }
      this.drain();
      this.sync();
    }
  }

  /** Leaves `node` out of what assistive technology reads. */
  function decoration(node) {
    node.setAttribute('aria-hidden', 'true');
    return node;
  }

  function setText(node, text) {
    if (node.textContent !== text) node.textContent = text;
  }

  function downloadBlob(name, blob) {
    const url = URL.createObjectURL(blob);
    const link = make('a', {href: url, download: name}, null);
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  }

  function download(name, text, type) {
    downloadBlob(name, new Blob([text], {type}));
  }

  function copy(text) {
    if (navigator.clipboard) navigator.clipboard.writeText(text).catch(() => {});
  }

  createSwitchsim().then((core) => {
    const api = bind(core);
    api.create();
    const page = new Page(api);
    page.applyAddress();
    window.switchsim = {
      page,
      /** Ms of work per tick, with its drawing, for the frames that ran ticks. */
      tickTimings: () => Array.from(page.timings.slice(0, Math.min(page.timingCount, MOST_TIMINGS))),
      /** Each run's wall clock in ms at its start, at 15000 ms of clock and when it stopped; its speed. */
      runs: () => page.runs.map((run) => ({...run})),
    };
    document.documentElement.dataset.ready = 'true';
    // The first frame with the form drawn is the one after the next.
    requestAnimationFrame(() => requestAnimationFrame(() => {
      window.switchsim.firstFrameMs = now();
      page.frame();
    }));
  }).catch((error) => {
    el('Form1').textContent = `switchsim could not start in this browser: ${error}`;
  });
})();
