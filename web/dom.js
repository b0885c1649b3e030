/**
 * Small helpers the page's modules share for making, placing and updating
 * elements. They hold no rule of the simulator.
 */

/** The element with `id`, or null. */
export const el = (id) => document.getElementById(id);

/** The wall clock in ms, as the module's pacing takes it. */
export const now = () => performance.now();

/** Places an absolutely positioned `node` at `rect`, [left, top, width, height] in CSS pixels. */
export function place(node, rect) {
  const [left, top, width, height] = rect;
  Object.assign(node.style, {left: `${left}px`, top: `${top}px`, width: `${width}px`,
                             height: `${height}px`});
}

/** A new `tag` element with `props` assigned, appended to `parent` when one is given. */
export function make(tag, props, parent) {
  const node = Object.assign(document.createElement(tag), props);
  if (parent) parent.appendChild(node);
  return node;
}

/** Leaves `node` out of what assistive technology reads; returns it. */
export function decoration(node) {
  node.setAttribute('aria-hidden', 'true');
  return node;
}

/** Sets `node`'s text, as text, only when it differs: an unchanged text is not read again. */
export function setText(node, text) {
  if (node.textContent !== text) node.textContent = text;
}

/**
 * Scrolls this page's own window, never a page around it (a course page
 * that holds it in a frame), so that `node` shows whole, or from its top
 * when it is taller than the view; `bars` may stand over an edge of the
 * view, and what they cover is left out.
 */
export function reveal(node, bars = []) {
  let top = 0;
  let bottom = window.innerHeight;
  for (const bar of bars) {
    const r = bar.getBoundingClientRect();
    if (r.height === 0) continue;
    if (r.top <= top + 1 && r.bottom > top) top = r.bottom;
    else if (r.bottom >= bottom - 1 && r.top < bottom) bottom = r.top;
  }
  const box = node.getBoundingClientRect();
  let by = 0;
  if (box.top < top || box.height > bottom - top) by = box.top - top;
  else if (box.bottom > bottom) by = box.bottom - bottom;
  if (by !== 0) window.scrollBy(0, by);
}
