/**
 * Draws a list of drawing primitives, as the module lays a curve out, on a
 * canvas: each front end draws the same list, and this is the page's.
 */

const FACE = '"DejaVu Sans", Arial, Helvetica, sans-serif';
const ALIGN = {start: 'left', middle: 'center', end: 'right'};

function stroke(ctx, item) {
  ctx.strokeStyle = item.c;
  ctx.lineWidth = item.w;
  ctx.setLineDash(item.d ? [400, 400] : []);  // 4 px
  ctx.stroke();
}

/** Fills and outlines the path just made, as a rectangle's or circle's `item` asks. */
function paint(ctx, item) {
  if (item.f !== null) {
    ctx.fillStyle = item.f;
    ctx.fill();
  }
  if (item.s !== null) stroke(ctx, {c: item.s, w: item.w, d: false});
}

const DRAW = {
  line(ctx, item) {
    ctx.beginPath();
    ctx.moveTo(item.x1, item.y1);
    ctx.lineTo(item.x2, item.y2);
    stroke(ctx, item);
  },
  poly(ctx, item) {
    ctx.beginPath();
    for (let i = 0; i + 1 < item.p.length; i += 2) {
      if (i === 0) ctx.moveTo(item.p[i], item.p[i + 1]); else ctx.lineTo(item.p[i], item.p[i + 1]);
    }
    ctx.lineJoin = 'round';
    stroke(ctx, item);
  },
  rect(ctx, item) {
    ctx.beginPath();
    ctx.rect(item.x, item.y, item.width, item.height);
    paint(ctx, item);
  },
  circle(ctx, item) {
    ctx.beginPath();
    ctx.arc(item.x, item.y, item.r, 0, 2 * Math.PI);
    paint(ctx, item);
  },
  text(ctx, item) {
    ctx.save();
    ctx.translate(item.x, item.y);
    ctx.scale(100, 100);  // a font's size is in px
    if (item.r !== 0) ctx.rotate(item.r / 100 * Math.PI / 180);
    ctx.font = `${item.b ? 'bold ' : ''}${item.size / 100}px ${FACE}`;
    ctx.textAlign = ALIGN[item.a];
    ctx.textBaseline = 'alphabetic';
    ctx.fillStyle = item.c;
    ctx.fillText(item.t, 0, 0);
    ctx.restore();
  },
};

/** The module's JSON of a drawing with its size in px; its items stay in hundredths, as drawList() draws them. */
export function inPx(drawing) {
  return {...drawing, width: drawing.width / 100, height: drawing.height / 100};
}

/**
 * Draws `drawing` (a drawing inPx()) on `canvas`, whose
 * backing store is made `density` device pixels per px of the drawing.
 */
export function drawList(canvas, drawing, density) {
  canvas.width = Math.round(drawing.width * density);
  canvas.height = Math.round(drawing.height * density);
  const ctx = canvas.getContext('2d');
  ctx.setTransform(density, 0, 0, density, 0, 0);
  ctx.fillStyle = drawing.background;
  ctx.fillRect(0, 0, drawing.width, drawing.height);
  ctx.setTransform(density / 100, 0, 0, density / 100, 0, 0);
  for (const item of drawing.items) DRAW[item.k](ctx, item);
}
