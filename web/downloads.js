/** Hands what the page makes to the user: as a downloaded file, or on the clipboard. */
import {make} from './dom.js';

/** Downloads `blob` as a file named `name`. */
export function downloadBlob(name, blob) {
  const url = URL.createObjectURL(blob);
  const link = make('a', {href: url, download: name}, null);
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

/** Downloads `text` as a file named `name` of the media type `type`. */
export function downloadText(name, text, type) {
  downloadBlob(name, new Blob([text], {type}));
}

/** Puts `text` on the clipboard where the browser allows it; elsewhere does nothing. */
export function copyText(text) {
  if (navigator.clipboard) navigator.clipboard.writeText(text).catch(() => {});
}
