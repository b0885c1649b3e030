/**
 * What the page draws on canvases: each canvas at the screen's density, the
 * logo, the time scale, the marker labels and the traces' strokes, all as
 * the module says; and the picture of the whole form for "Save picture".
 */
import {make} from './dom.js';

const CLEAR_STEP = 0;  // a drawing step's kind: clear the trace; any other draws a stroke
const STEP_SIZE = 6;   // numbers per drawing step: kind, link, left, right, row, colour

/**
 * A drawing: a canvas of `width` × `height` CSS pixels whose backing store
 * follows the screen's density, with its context scaled to CSS pixels.
 * Appended to `parent` when one is given. Returns {canvas, context, width, height}.
 */
export function makeCanvas(width, height, parent) {
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
 * Gives a drawing a backing store at the screen's density now (after a
 * zoom, or on another screen), keeping what it shows.
 */
export function matchDensity(drawing) {
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
  context.clearRect(0, 0, width, height);
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

/** Draws the time scale's marks and seconds that `description` gives, right-aligned. */
export function drawTimeScale(drawing, description) {
  const {context, width, height} = drawing;
  const {colours, timeTickLength, timeLabelGap, marginLineHeight} = description;
  context.clearRect(0, 0, width, height);
  context.font = font(description, description.marginFont);
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
 * in CSS pixels from the strip's top.
 */
export function drawMarkerLabels(drawing, labels, description) {
  const {context, width, height} = drawing;
  const {colours, leader} = description;
  context.clearRect(0, 0, width, height);
  context.font = font(description, description.marginFont);
  context.textBaseline = 'middle';
  for (const label of labels) {
    context.strokeStyle = colours.additionLine;
    context.lineWidth = 1;
    context.beginPath();
    context.moveTo(0, label.markerRow + 0.5);
    context.lineTo(leader, label.labelRow + 0.5);
    context.stroke();
    context.fillStyle = colours.additionText;
    context.fillText(label.text, leader + 1, label.labelRow + 0.5);
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
 * tells the module they are taken.
 */
export function drawWaitingSteps(api, traces, traceColour) {
  const count = api.drawStepCount();
  if (count === 0) return;
  const steps = new Float64Array(api.heap().buffer, api.drawSteps(), count * STEP_SIZE);
  for (let i = 0; i < steps.length; i += STEP_SIZE) {
    const {context, width, height} = traces[steps[i + 1]];
    if (steps[i] === CLEAR_STEP) {
      context.fillStyle = traceColour;
      context.fillRect(0, 0, width, height);
    } else {
      context.fillStyle = colourText(steps[i + 5]);
      context.fillRect(steps[i + 2], steps[i + 4], steps[i + 3] - steps[i + 2], 1);
    }
  }
  api.takeDrawSteps();
}

/**
 * The form as it shows now, drawn into one new canvas of the form's size:
 * `view` gives the form's element and size, its colours, whether markers
 * have edges, the boxes' and buttons' elements, and the traces' and the
 * logo's drawings. The margins are drawn only where they show.
 */
export function formPicture(view) {
  const {form, width, height, colours} = view;
  const {canvas, context} = makeCanvas(width, height, null);
  const origin = form.getBoundingClientRect();
  const boxOf = (node) => {
    const r = node.getBoundingClientRect();
    return [r.left - origin.left, r.top - origin.top, r.width, r.height];
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
  context.fillText(node.value ?? node.textContent, x, rect[1] + rect[3] / 2);
}
