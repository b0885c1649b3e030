/**
 * The page's texts in the language it speaks: the one place that asks the
 * module for them. Every text the script composes for a person goes
 * through t() (tn() for a count, tIn() for a short text that needs its
 * context), written in English with {0}, {1}... for what it fills in; the
 * catalog's template is extracted from those calls. numberText() writes a
 * number as the module writes it for a person ("6,5" in German).
 *
 * Before the module is bound (a page that could not start), the English is
 * given back, filled in.
 */

const SEPARATOR = '\u001f';  // between the values handed to the module
// The attributes of the page's own markup that a person reads (po/html_texts.py takes the same).
const ATTRIBUTES = ['title', 'aria-label', 'placeholder', 'alt'];
const SKIPPED = new Set(['SCRIPT', 'STYLE']);

let api = null;

/** `values` as one text for the module, which takes them apart again. */
export const joined = (values) => values.join(SEPARATOR);

/** The site file that holds the catalog of `code`. */
export const catalogFile = (code) => `switchsim-${code}.mo`;

const english = (text, values) => text.replace(/\{(\d)\}/g, (whole, n) => (n < values.length ? String(values[n]) : whole));

/** `text` in the page's language, with {0}.. filled by `values`. */
export function t(text, ...values) {
  return api ? api.tr(text, values.join(SEPARATOR)) : english(text, values);
}

/** The singular or the plural text as `count` asks, filled by `values`. */
export function tn(singular, plural, count, ...values) {
  return api ? api.trN(singular, plural, count, values.join(SEPARATOR))
    : english(count === 1 ? singular : plural, values);
}

/** `text` in the page's language where `context` tells which of its meanings it has. */
export function tIn(context, text, ...values) {
  return api ? api.trIn(context, text, values.join(SEPARATOR)) : english(text, values);
}

/** A number (or its text with a decimal point) as a person of the page's language writes it. */
export function numberText(number) {
  return api ? api.peopleNumber(String(number)) : String(number);
}

/** `text` with its inner words translated, its spaces around kept: as po/html_texts.py takes it. */
function translatedRun(text) {
  const words = text.split(/\s+/).filter((word) => word !== '').join(' ');
  if (!/\p{L}/u.test(words)) return text;
  const translated = t(words);
  if (translated === words) return text;
  const lead = text.match(/^\s*/)[0];
  const trail = text.slice(lead.length).match(/\s*$/)[0];
  return `${lead}${translated}${trail}`;
}

/** Translates the page's own markup under `root`: each run of text and each attribute a person reads. */
function translateMarkup(root) {
  const walker = document.createTreeWalker(root, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT, {
    acceptNode: (node) => (node.nodeType === Node.ELEMENT_NODE && SKIPPED.has(node.tagName)
      ? NodeFilter.FILTER_REJECT : NodeFilter.FILTER_ACCEPT),
  });
  for (let node = walker.currentNode; node; node = walker.nextNode()) {
    if (node.nodeType === Node.TEXT_NODE) {
      const translated = translatedRun(node.data);
      if (translated !== node.data) node.data = translated;
      continue;
    }
    for (const name of ATTRIBUTES) {
      const value = node.getAttribute(name);
      const translated = value ? translatedRun(value) : value;
      if (translated !== value) node.setAttribute(name, translated.trim());
    }
  }
}

/**
 * Binds the texts to `bound` (core-api.js's bind()) and puts the catalog of
 * `code` in use, fetched from the site; English if there is none or it does
 * not load. Then translates the page's own markup, names its language, and
 * shows the page (hidden until then, so that no English shows first).
 * Resolves to the language in use.
 */
export async function speak(bound, code) {
  api = bound;
  if (code !== 'en') {
    try {
      const response = await fetch(catalogFile(code));
      if (!response.ok) throw new Error(`${response.status}`);
      const bytes = new Uint8Array(await response.arrayBuffer());
      const at = api.catalogBuffer(bytes.length);
      api.bytes().set(bytes, at);
      api.useCatalog();
    } catch { /* the page speaks English */ }
  }
  const language = api.language();
  if (language !== 'en') translateMarkup(document.documentElement);
  document.documentElement.lang = language;
  document.documentElement.classList.remove('speaking');
  return language;
}
