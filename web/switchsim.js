/**
 * The entry of the web page: starts the module that switchsim-core.js
 * loads (a classic script defining createSwitchsim), puts the page's
 * language in use (its catalog fetched when it is not English), builds the page, and
 * publishes window.switchsim (page, tickTimings(), runs(), firstFrameMs)
 * for the browser checks and the bench; marks the document ready.
 */
import {bind} from './core-api.js';
import {el, now} from './dom.js';
import {Page} from './page.js';
import {pageLanguage} from './tool-bar.js';
import {speak, t} from './texts.js';

createSwitchsim().then(async (core) => {
  const api = bind(core);
  await speak(api, pageLanguage(api));
  api.create();
  const page = new Page(api);
  page.applyAddress();
  window.switchsim = {
    page,
    /** Ms of work per tick, with its drawing, for the frames that ran ticks. */
    tickTimings: () => page.pacing.tickTimings(),
    /** Each run's wall clock in ms at its start, at 15000 ms of clock and at its stop; speed. */
    runs: () => page.pacing.runs(),
  };
  document.documentElement.dataset.ready = 'true';
  page.pacing.start(page, () => {
    window.switchsim.firstFrameMs = now();
    // After the first frame: the worker that keeps the site for visits with no network.
    if ('serviceWorker' in navigator && window.isSecureContext) {
      navigator.serviceWorker.register('sw.js').catch(() => {});
    }
  });
}).catch((error) => {
  el('Form1').textContent = t('switchsim could not start in this browser: {0}', error);
  document.documentElement.classList.remove('speaking');
});
