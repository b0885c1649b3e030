/**
 * Share and Embed: a link to the page as the user has it now (the boxes,
 * the speed, the zoom and the projector's view), or the HTML of a frame
 * showing it in a course page; shown to read and copied when the browser lets us.
 */
import {el, setText} from './dom.js';
import {t} from './texts.js';

export class ShareDialog {
  /** Binds the dialog to `page` (its api and stage). */
  constructor(page) {
    this.page = page;
    el('copyShare').addEventListener('click', () => this.copy());
  }

  /** The address of the page with the boxes, speed and view as they are now. */
  link() {
    const {api, stage} = this.page;
    const query = api.shareQuery(stage.zoom, stage.projector ? 1 : 0);
    return `${window.location.origin}${window.location.pathname}?${query}`;
  }

  /** Opens the dialog with the link, or with the frame's HTML when `embed`. */
  open(embed) {
    const link = this.link();
    // The framed page's run bar is as high as the style sheet makes it.
    const bar = parseFloat(getComputedStyle(document.documentElement).getPropertyValue('--embedded-run-bar'));
    const text = embed ? this.page.api.embedSnippet(`${link}&embed=1`, bar) : link;
    setText(el('shareTitle'), embed ? t('Embed in a course page') : t('Share this page'));
    el('shareHintLink').hidden = embed;
    el('shareHintEmbed').hidden = !embed;
    el('shareText').value = text;
    setText(el('copyNote'), '');
    const dialog = el('shareDialog');
    if (!dialog.open) dialog.showModal();
    el('shareText').select();
    this.copy();
  }

  /** Copies the dialog's text, and says whether it was copied. */
  copy() {
    const text = el('shareText').value;
    const said = (note) => setText(el('copyNote'), note);
    if (!navigator.clipboard) {
      said(t('Select the text and copy it.'));
      return;
    }
    navigator.clipboard.writeText(text).then(() => said(t('Copied.')),
                                             () => said(t('Select the text and copy it.')));
  }
}
