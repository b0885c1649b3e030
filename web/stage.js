/**
 * How large the form is shown on this screen. From the zoom chosen (or a
 * link's) and the space the page has, the module says the scale; this
 * applies it: the form's transform, the canvases' density, the margins'
 * text, and the compact layout of a phone, whose run bar and parameters
 * give the form's controls touch-sized twins (a tablet gets the run bar).
 */
import {el} from './dom.js';
import {setShownScale} from './drawing.js';

const COMPACT_WIDTH = 700;   // CSS px: a screen this narrow or narrower is a phone's
const COMPACT_HEIGHT = 500;  // CSS px: and one this low, a phone's on its side

export class Stage {
  /** Shows `page`'s form (its api, description, view, act() and matchDensity()) to fit the screen. */
  constructor(page) {
    this.page = page;
    this.zoom = 'auto';
    this.projector = false;
    this.embedded = false;
    this.scale = 0;
    const refit = () => this.fit();
    window.addEventListener('resize', refit);
    window.addEventListener('orientationchange', refit);
    // The bars take their height as the page settles (or the menu opens): the form takes what is left.
    const bars = new ResizeObserver(refit);
    for (const id of ['runBar', 'toolbar', 'linkNotice', 'legend']) bars.observe(el(id));
  }

  /** Shows the form at the zoom named `zoom` ("auto", "fit", "125", ...), for a projector or not. */
  set({zoom = this.zoom, projector = this.projector, embedded = this.embedded}) {
    this.zoom = zoom;
    this.projector = projector;
    this.embedded = embedded;
    document.body.classList.toggle('embedded', embedded);
    document.body.classList.toggle('projector', projector);
    this.page.view.setProjector(projector);
    this.scale = 0;
    this.fit();
  }

  /**
   * The scale the space asks for now, with the page's layout (a phone's or
   * not) set to match.
   */
  measure() {
    const body = document.body;
    const width = document.documentElement.clientWidth;
    const height = window.innerHeight;
    const compact = this.embedded || width <= COMPACT_WIDTH || height <= COMPACT_HEIGHT;
    body.classList.toggle('compact', compact);
    // A finger cannot hit the form's run buttons shown small on a tablet either.
    body.classList.toggle('run-bar', compact || matchMedia('(pointer: coarse)').matches);
    const style = getComputedStyle(body);
    const padding = parseFloat(style.paddingLeft) + parseFloat(style.paddingRight);
    const bars = el('runBar').offsetHeight + el('toolbar').offsetHeight + el('linkNotice').offsetHeight +
        this.legendUnder();
    // On its side, or asked to fit, the form fits the height left by the
    // bars; upright, the page scrolls down to what is under it.
    const fitsHeight = width > height || this.zoom === 'fit' || this.embedded;
    const spaceHeight = fitsHeight ? height - padding - bars : Number.MAX_VALUE;
    const zoom = this.embedded && this.zoom === 'auto' ? 'fit' : this.zoom;
    return this.page.api.shownScale(zoom, width - padding, spaceHeight);
  }

  /**
   * The height the marker labels take under the form (not beside it), with
   * the gap above them, in CSS px; 0 when none show there.
   */
  legendUnder() {
    const legend = el('legend');
    const stage = el('stage');
    if (legend.hidden || legend.offsetTop < stage.offsetTop + stage.offsetHeight) return 0;
    return legend.offsetTop + legend.offsetHeight - stage.offsetTop - stage.offsetHeight;
  }

  /**
   * Before the form is built: its drawings start at the density they will
   * most likely show at, not at a desktop's, since drawing them large first
   * costs a phone most of its start.
   */
  estimate() {
    setShownScale(this.measure());
  }

  /** Takes the scale the space asks for now, and everything that follows from it. */
  fit() {
    const {page} = this;
    const scale = this.measure();
    const statusPx = parseFloat(getComputedStyle(el('statusBar')).fontSize);
    page.act(() => page.api.setPresentation(scale, this.projector ? 1 : 0, statusPx));
    if (scale === this.scale) return;
    this.scale = scale;
    const {width: formWidth, height: formHeight} = page.description;
    const stage = el('stage');
    stage.style.width = `${formWidth * scale}px`;
    stage.style.height = `${formHeight * scale}px`;
    // The sections under the form take its shown width, and their text its scale.
    const root = document.documentElement.style;
    root.setProperty('--shown-width', `${formWidth * scale}px`);
    root.setProperty('--shown-scale', String(scale));
    // The panels' text by the module's rule, as the window's and Explore's.
    const text = JSON.parse(page.api.panelText(scale, this.projector ? 1 : 0));
    root.setProperty('--panel-scale', String(text.scale));
    root.setProperty('--panel-weight', text.bold ? 'bold' : 'normal');
    el('Form1').style.transform = scale === 1 ? '' : `scale(${scale})`;
    setShownScale(scale);
    page.matchDensity();
  }
}
