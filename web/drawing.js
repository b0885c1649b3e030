/**
 * What the page draws on canvases: each canvas at the screen's density, the
 * logo, the time scale, the marker labels and the traces' strokes, all as
 * the module says; and the picture of the whole form for "Save picture".
 */
import {make} from './dom.js';

const CLEAR_STEP = 0;  // a drawing step's kind: clear the trace; any other draws a stroke
const STEP_SIZE = 6;   // numbers per drawing step: kind, link, left, right, row, colour

let shownScale = 1;  // the form's shown size over its own size

/** Pixels of the screen per CSS pixel of the form as shown: the screen's density times the scale. */
export function density() {
  return (window.devicePixelRatio || 1) * shownScale;
}

/** The form is shown at `scale`; drawings made or matched from now on follow it. */
export function setShownScale(scale) {
  shownScale = scale;
}

/**
 * A drawing: a canvas of `width` × `height` CSS pixels of the form whose
 * backing store has `ratio` pixels to each of them (the shown density when
 * not given), with its context scaled to the form's pixels. Appended to
 * `parent` when one is given. Returns {canvas, context, width, height, ratio}.
 */
export function makeCanvas(width, height, parent, ratio = density()) {
  const canvas = make('canvas', {}, parent);
  canvas.style.width = `${width}px`;
  canvas.style.height = `${height}px`;
  const drawing = {canvas, context: canvas.getContext('2d'), width, height, ratio: 0, strokes: []};
  sizeBackingStore(drawing, ratio);
  return drawing;
}

function sizeBackingStore(drawing, ratio) {
  drawing.ratio = ratio;
  drawing.canvas.width = Math.max(1, Math.round(drawing.width * ratio));
  drawing.canvas.height = Math.max(1, Math.round(drawing.height * ratio));
  drawing.context.setTransform(ratio, 0, 0, ratio, 0, 0);
}

/**
 * Gives a drawing a backing store at the shown density now (after a zoom,
 * a turn of the phone, or on another screen); returns whether it changed,
 * in which case what it shows must be drawn again.
 */
export function matchDensity(drawing) {
  const ratio = density();
  if (ratio === drawing.ratio) return false;
  sizeBackingStore(drawing, ratio);
  return true;
}

/**
 * Fills a drawing with the form's own ground colour before its text: a
 * browser's automatic dark mode darkens the page around a canvas but not
 * what the canvas holds, so text drawn on its own ground stays readable.
 */
function fillGround({context, width, height}, colour) {
  context.fillStyle = colour;
  context.fillRect(0, 0, width, height);
}

/** The CSS font of the form's family at `size` px, bold if asked. */
export function font(description, size, bold = false) {
  return `${bold ? 'bold ' : ''}${size}px "${description.fontFamily}", sans-serif`;
}

/**
 * Draws the logo as `description` lays it out: four nodes on three links in
 * the techniques' colours, and the name.
 */
export function drawCrest(drawing, description) {
  const {context, width, height} = drawing;
  const {colours, logo} = description;
  fillGround(drawing, colours.window);
  const middle = height / 2;
  colours.logo.forEach((colour, k) => {
    context.fillStyle = colour;
    context.fillRect(logo.firstNode + logo.nodeSpacing * k, middle - logo.linkWidth / 2,
                     logo.nodeSpacing, logo.linkWidth);
  });
  context.lineWidth = logo.nodePen;
  context.strokeStyle = colours.nodeLine;
  context.fillStyle = '#ffffff';
  for (let node = 0; node <= colours.logo.length; ++node) {
    context.beginPath();
    context.arc(logo.firstNode + logo.nodeSpacing * node, middle, logo.nodeRadius, 0, 2 * Math.PI);
    context.fill();
    context.stroke();
  }
  context.fillStyle = colours.nodeLine;
  context.font = font(description, logo.nameFont, true);
  context.textBaseline = 'middle';
  context.fillText(logo.name, logo.nameLeft, middle, width - logo.nameLeft - 2);
}

/**
 * Draws the time scale's marks and seconds that `description` gives,
 * right-aligned, in `text` (the state's marginText: font, line and bold).
 */
export function drawTimeScale(drawing, description, text) {
  const {context, width, height} = drawing;
  const {colours, timeTickLength, timeLabelGap} = description;
  const marginLineHeight = text.line;
  fillGround(drawing, colours.window);
  context.font = font(description, text.font, text.bold);
  context.textAlign = 'right';
  context.textBaseline = 'middle';
  for (const mark of description.timeMarks) {
    context.fillStyle = colours.additionLine;
    context.fillRect(width - timeTickLength, mark.row, timeTickLength, 1);
    context.fillStyle = colours.additionText;
    const half = marginLineHeight / 2;
    const y = Math.min(Math.max(mark.row + 0.5, half), height - half);
    context.fillText(mark.label, width - timeTickLength - timeLabelGap, y);
  }
}

/**
 * Draws the marker labels as the module laid them out: each with a leader
 * from its marker's row (at the strip's left edge) to its label's row, rows
 * in CSS pixels from the strip's top, in `text` (the state's marginText).
 */
export function drawMarkerLabels(drawing, labels, description, text) {
  const {context} = drawing;
  const {colours, leader} = description;
  fillGround(drawing, colours.window);
  context.font = font(description, text.font, text.bold);
  context.textBaseline = 'middle';
  for (const label of labels) {
    context.strokeStyle = colours.additionLine;
    context.lineWidth = 1;
    context.beginPath();
    context.moveTo(0, label.markerRow + 0.5);
    context.lineTo(leader, label.labelRow + 0.5);
    context.stroke();
    context.fillStyle = colours.additionText;
    // A label longer than the strip (a translation's) is drawn narrower, whole.
    context.fillText(label.text, leader + 1, label.labelRow + 0.5, drawing.width - leader - 2);
  }
}

const colourTexts = new Map();

/** "#rrggbb" of a colour 0xRRGGBB, made once per colour: a tick draws many strokes. */
function colourText(colour) {
  let text = colourTexts.get(colour);
  if (text === undefined) {
    text = `#${colour.toString(16).padStart(6, '0')}`;
    colourTexts.set(colour, text);
  }
  return text;
}

/**
 * Draws the strokes and clearings the module has waiting onto `traces`
 * (one drawing per link), filling a cleared trace with `traceColour`, then
 * tells the module they are taken. Each trace keeps its strokes since its
 * clearing, to draw them again at another density. A stroke fills `rows`
 * rows of the form down from its own.
 */
export function drawWaitingSteps(api, traces, traceColour, rows) {
  const count = api.drawStepCount();
  if (count === 0) return;
  const steps = new Float64Array(api.heap().buffer, api.drawSteps(), count * STEP_SIZE);
  for (let i = 0; i < steps.length; i += STEP_SIZE) {
    const trace = traces[steps[i + 1]];
    if (steps[i] === CLEAR_STEP) {
      trace.strokes = [];
      clearTrace(trace, traceColour);
    } else {
      const stroke = steps.slice(i + 2, i + 6);
      trace.strokes.push(stroke);
      drawStroke(trace, stroke, rows);
    }
  }
  api.takeDrawSteps();
}

/** Draws a trace anew from the strokes it keeps: after a change of density or of `rows`. */
export function redrawTrace(trace, traceColour, rows) {
  clearTrace(trace, traceColour);
  for (const stroke of trace.strokes) drawStroke(trace, stroke, rows);
}

function clearTrace({context, width, height}, colour) {
  context.fillStyle = colour;
  context.fillRect(0, 0, width, height);
}

// A stroke fills whole pixels of the screen: from the one its top edge
// rounds to, to the one its bottom edge rounds to, at least one.
function drawStroke({context, ratio}, [left, right, row, colour], rows) {
  const top = Math.round(row * ratio);
  const bottom = Math.max(top + 1, Math.round((row + rows) * ratio));
  const x = Math.round(left * ratio);
  context.setTransform(1, 0, 0, 1, 0, 0);
  context.fillStyle = colourText(colour);
  context.fillRect(x, top, Math.max(1, Math.round(right * ratio) - x), bottom - top);
  context.setTransform(ratio, 0, 0, ratio, 0, 0);
}

/**
 * The form as it shows now, drawn into one new canvas of the form's size:
 * `view` gives the form's element and size, its colours, whether markers
 * have edges, the boxes' and buttons' elements, and the traces' and the
 * logo's drawings. The margins are drawn only where they show.
 */
export function formPicture(view) {
  const {form, width, height, colours} = view;
  const {canvas, context} = makeCanvas(width, height, null, window.devicePixelRatio || 1);
  const origin = form.getBoundingClientRect();
  // The form may be shown scaled: its parts' places are read back in its own pixels.
  const boxOf = (node) => {
    const r = node.getBoundingClientRect();
    return [(r.left - origin.left) / shownScale, (r.top - origin.top) / shownScale,
            r.width / shownScale, r.height / shownScale];
  };
  context.fillStyle = colours.window;
  context.fillRect(0, 0, width, height);
  drawFigures(context, view, boxOf);
  for (const node of form.querySelectorAll('.label span')) {
    drawText(context, node, boxOf(node), 'left', view.description);
  }
  const control = (node, fill, align) => {
    const rect = boxOf(node);
    context.fillStyle = fill;
    context.fillRect(...rect);
    context.strokeStyle = '#8a8a8a';
    context.strokeRect(rect[0] + 0.5, rect[1] + 0.5, rect[2] - 1, rect[3] - 1);
    drawText(context, node, rect, align, view.description);
  };
  for (const input of view.inputs) control(input, '#ffffff', 'left');
  for (const button of view.buttons) control(button, '#f4f4f2', 'center');
  for (const trace of view.traces) {
    context.fillStyle = colours.traceBorder;
    context.fillRect(...boxOf(trace.canvas.parentNode));
    context.drawImage(trace.canvas, ...boxOf(trace.canvas));
  }
  for (const margin of [view.crest.canvas, ...form.querySelectorAll('.margin canvas')]) {
    if (margin.closest('[hidden]') || getComputedStyle(margin).display === 'none') continue;
    context.drawImage(margin, ...boxOf(margin));
  }
  return canvas;
}

/** The node lines, the boxes around the nodes and the markers that show. */
function drawFigures(context, view, boxOf) {
  for (const node of view.form.querySelectorAll('.line, .shape, .marker')) {
    if (node.hidden) continue;
    const rect = boxOf(node);
    if (node.classList.contains('shape')) {
      context.strokeStyle = view.colours.nodeLine;
      context.strokeRect(rect[0] + 0.5, rect[1] + 0.5, rect[2] - 1, rect[3] - 1);
      continue;
    }
    if (view.edges && node.classList.contains('marker')) {
      context.fillStyle = view.colours.markerEdge;
      context.fillRect(rect[0] - 1, rect[1] - 1, rect[2] + 2, rect[3] + 2);
    }
    context.fillStyle = getComputedStyle(node).backgroundColor;
    context.fillRect(...rect);
  }
}

/** A node's value or text in its own font and colour, middle of `rect`, aligned as `align`. */
function drawText(context, node, rect, align, description) {
  const style = getComputedStyle(node);
  context.font = `${style.fontWeight} ${style.fontSize} "${description.fontFamily}", sans-serif`;
  context.fillStyle = style.color;
  context.textBaseline = 'middle';
  context.textAlign = align;
  const x = {left: rect[0] + 4, center: rect[0] + rect[2] / 2, right: rect[0] + rect[2]}[align];
  // A list shows its chosen item's text, which a value in English may not be.
  const shown = node.selectedOptions ? (node.selectedOptions[0]?.text ?? '') : (node.value ?? node.textContent);
  context.fillText(shown, x, rect[1] + rect[3] / 2);
}
