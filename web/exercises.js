/**
 * The Exercises section: a set of questions asked over the form, one at a
 * time. The module reads the sheets, asks, grades, runs and keeps the
 * progress; this shows what it says, passes the student's answers and
 * choices on, reads sheets from a file, a drop or the address, and keeps
 * each set's progress in the browser.
 */
import {el, make, reveal, setText} from './dom.js';
import {downloadText} from './downloads.js';
import {t} from './texts.js';

/** What the browser keeps under `key`; "" where it keeps nothing (a private window, a frame). */
function stored(key) {
  try { return window.localStorage.getItem(key) ?? ''; } catch { return ''; }
}

function keep(key, value) {
  try { window.localStorage.setItem(key, value); } catch { /* kept for this visit only */ }
}

/** Whether the page is shown in a frame of another page (a course page). */
const framed = () => window.self !== window.top;

export class Exercises {
  /** Binds the section to `page` (its api and act()). */
  constructor(page) {
    this.page = page;
    this.api = page.api;
    this.revision = -1;
    this.step = 'closed';
    this.heading = '';
    el('showExercises').addEventListener('click', () => {
      // Opened from the tool bar, the section offers the sets and takes the keys: the form lies between them.
      if (this.toggle(undefined, true)) this.focusStep(true);
    });
    this.bindSets();
    this.bindSteps();
  }

  /** The ways in of a set: the built-in course, a sheet chosen, or one dropped on the section. */
  bindSets() {
    el('exerciseCourse').addEventListener('click', () => this.openCourse('builtin'));
    el('exerciseSharingCourse').addEventListener('click', () => this.openCourse('sharing'));
    const file = el('exerciseFile');
    file.addEventListener('change', () => {
      if (file.files.length > 0) this.readFile(file.files[0]);
      file.value = '';  // the same file again is read again
    });
    const section = el('exercises');
    section.addEventListener('dragover', (event) => {
      if (![...event.dataTransfer.types].includes('Files')) return;
      event.preventDefault();
      event.dataTransfer.dropEffect = 'copy';
      section.classList.add('dropping');
    });
    section.addEventListener('dragleave', (event) => {
      if (!section.contains(event.relatedTarget)) section.classList.remove('dropping');
    });
    section.addEventListener('drop', (event) => {
      event.preventDefault();
      section.classList.remove('dropping');
      const files = event.dataTransfer.files;
      if (files.length !== 1) {
        this.say(files.length === 0 ? t('Drop a file: a set of exercises as a .json sheet.')
          : t('Drop one sheet at a time.'));
        return;
      }
      this.readFile(files[0]);
    });
  }

  /** The answer, the hint, and the buttons after an outcome. */
  bindSteps() {
    el('exerciseForm').addEventListener('submit', (event) => {
      event.preventDefault();
      this.commit(el('exerciseAnswer').value);
    });
    const act = (id, action) => el(id).addEventListener('click', () => this.act(action));
    act('exerciseRetry', () => this.api.exerciseRetry());
    act('exerciseNext', () => this.api.exerciseNext());
    el('exerciseShowHint').addEventListener('click', () => {
      this.act(() => this.api.exerciseShowHint());
      this.focusStep();  // the button is gone: the keys go back to the answer
    });
    el('exerciseStartAgain').addEventListener('click', () => this.askStartAgain());
    el('exerciseConfirmYes').addEventListener('click', () => {
      this.hideConfirm();
      this.act(() => this.api.exerciseStartAgain());
    });
    el('exerciseConfirmNo').addEventListener('click', () => {
      this.hideConfirm();
      el('exerciseStartAgain').focus();
    });
    el('exerciseConfirm').addEventListener('keydown', (event) => {
      if (event.key === 'Escape') el('exerciseConfirmNo').click();
    });
    el('exerciseClose').addEventListener('click', () => {
      this.act(() => this.api.exerciseClose());
      // A set a link opened leaves nothing to show once closed.
      if (el('exerciseChooser').hidden) this.toggle(false);
    });
    el('exerciseCsv').addEventListener('click', () => {
      downloadText('switchsim-progress.csv', this.api.exerciseCsv(), 'text/csv');
    });
  }

  /**
   * Starts the set again at once where that forgets nothing; else asks
   * first, in the section, what would be forgotten, with the keys on the
   * choice that keeps it.
   */
  askStartAgain() {
    const question = this.api.exerciseStartAgainQuestion();
    if (question === '') {
      this.act(() => this.api.exerciseStartAgain());
      return;
    }
    setText(el('exerciseConfirmText'), question);
    el('exerciseConfirm').hidden = false;
    el('exerciseConfirmNo').focus({preventScroll: true});
    this.reveal(el('exerciseConfirm'));
  }

  hideConfirm() {
    el('exerciseConfirm').hidden = true;
  }

  /**
   * Shows the section if `show` (or if hidden, when not given), else hides
   * it; whether it shows. The built-in course and the sheets are offered
   * when `offer` asks for them (the tool bar's button), not when a link
   * opens a set of its own.
   */
  toggle(show, offer = false) {
    const section = el('exercises');
    const opening = section.hidden;
    section.hidden = show === undefined ? !section.hidden : !show;
    el('showExercises').setAttribute('aria-expanded', String(!section.hidden));
    if (offer || opening) el('exerciseChooser').hidden = !offer;
    if (!section.hidden) this.reveal(section);
    return !section.hidden;
  }

  /** Scrolls the page, never a course page around it, to show `node` clear of the run bar. */
  reveal(node) {
    reveal(node, [el('runBar')]);
  }

  /** Opens a course the program comes with, by its name: "builtin" or "sharing". */
  openCourse(name = 'builtin') {
    return this.open(() => {
      this.api.exerciseReadCourse(name);
      return '';
    });
  }

  /**
   * Gives the keys to what the step asks for: the answer (or the first
   * choice) of a question, Next after an outcome, Start again at the end;
   * with no set open, if `opening`, the built-in course.
   */
  focusStep(opening = false) {
    const targets = {
      asking: () => el('exerciseChoices').querySelector('button:not([hidden])') ?? el('exerciseAnswer'),
      answered: () => el('exerciseNext'),
      done: () => el('exerciseStartAgain'),
      closed: () => (opening ? el('exerciseCourse') : null),
    };
    const target = targets[this.step]?.();
    // In a course page's frame the keys stay where the reader has them.
    if (!target || target.hidden || target.disabled || (framed() && !document.hasFocus())) return;
    target.focus({preventScroll: true});
    this.reveal(target);
  }

  /** Runs `action` on the module, then shows what changed: the form and this section. */
  act(action) {
    this.page.act(action);
    this.refresh();
  }

  /**
   * Opens the set that `read` holds aside in the module (it returns "" or
   * why not), with the progress kept for it in the browser; a refused set
   * leaves the open one as it was, and says why.
   */
  open(read) {
    const error = read();
    this.say(error);
    if (error !== '') return false;
    const progress = stored(this.api.exerciseHeldKey());
    this.toggle(true);
    this.act(() => this.api.exerciseOpenHeld(progress));
    return true;
  }

  /** Reads a sheet from a file the user chose or dropped. */
  async readFile(file) {
    const name = this.api.quoted(file.name);
    const refusal = this.api.exerciseSizeRefusal(file.size);
    if (refusal !== '') {
      this.say(t('{0}: {1}.', name, refusal));
      return;
    }
    let text;
    try {
      text = await file.text();
    } catch (error) {
      this.say(t('{0} could not be read: {1}.', name, error.message));
      return;
    }
    this.open(() => {
      const error = this.api.exerciseReadSheet(text);
      return error === '' ? '' : t('{0}: {1}.', name, error);
    });
  }

  /**
   * Reads the sheet `name` names from this site (the address's exercises=);
   * `refusal` is the module's reason not to fetch it, if any.
   */
  async readAddress(address, refusal) {
    this.toggle(true);
    const name = this.api.quoted(address);
    if (refusal) {
      this.say(refusal);
      return;
    }
    let text;
    try {
      const response = await fetch(new URL(address, window.location.href), {credentials: 'same-origin'});
      // A redirect may lead elsewhere: only this site's own files are read.
      if (new URL(response.url).origin !== window.location.origin) {
        this.say(t('The sheet {0} led to another site, and is not read.', name));
        return;
      }
      if (!response.ok) {
        this.say(t('The sheet {0} could not be loaded: {1} {2}.', name, response.status, response.statusText));
        return;
      }
      const length = Number(response.headers.get('Content-Length') ?? 0);
      const early = this.api.exerciseSizeRefusal(length);
      if (early !== '') {
        this.say(t('{0}: {1}.', name, early));
        return;
      }
      text = await response.text();
    } catch (error) {
      this.say(t('The sheet {0} could not be loaded: {1}.', name, error.message));
      return;
    }
    const late = this.api.exerciseSizeRefusal(new Blob([text]).size);
    this.open(() => {
      if (late !== '') return t('{0}: {1}.', name, late);
      const error = this.api.exerciseReadSheet(text);
      return error === '' ? '' : t('{0}: {1}.', name, error);
    });
  }

  /** Passes a typed or chosen answer on; a hint leaves the text and the keys where they are. */
  commit(typed) {
    this.act(() => this.api.exerciseCommit(typed));
  }

  /** Shows the notice `text` above the set, or none for "". */
  say(text) {
    const notice = el('exerciseNotice');
    notice.hidden = text === '';
    notice.textContent = text;
  }

  /** Shows the module's state of the set if it changed; keeps the progress. */
  refresh() {
    const revision = this.api.exerciseRevision();
    if (revision === this.revision) return;
    this.revision = revision;
    const s = JSON.parse(this.api.exerciseState());
    if (s.progressKey !== '') keep(s.progressKey, s.progressText);
    this.show(s);
  }

  show(s) {
    const open = s.step !== 'closed';
    const asking = s.step === 'asking';
    const answered = s.step === 'answered';
    el('exerciseBody').hidden = !open;
    el('exerciseCsv').disabled = !open;
    setText(el('exerciseTitle'), s.step === 'done' ? s.title : s.heading);
    setText(el('exerciseQuestion'), s.question);
    el('exerciseForm').hidden = !(asking || s.step === 'running');
    setText(el('exercisePrompt'), s.prompt);
    const input = el('exerciseAnswer');
    input.hidden = s.choices.length > 0;
    el('exerciseCheck').hidden = s.choices.length > 0;
    input.disabled = !asking;
    el('exerciseCheck').disabled = !asking;
    this.showChoices(s.choices, asking);
    setText(el('exerciseHint'), s.hint);
    el('exerciseHint').hidden = s.hint === '';
    el('exerciseShowHint').hidden = !s.hasHint;
    setText(el('exerciseTeacherHint'), s.teacherHint);
    el('exerciseTeacherHint').hidden = s.teacherHint === '';
    // A label and its text a line, as the module lays the outcome out.
    const outcome = el('exerciseOutcome');
    outcome.replaceChildren();
    for (const {label, text} of s.outcome) {
      make('dt', {textContent: label}, outcome);
      make('dd', {textContent: text}, outcome);
    }
    outcome.hidden = s.outcome.length === 0;
    // What Start again would forget has changed: it is asked anew.
    this.hideConfirm();
    outcome.className = s.within === null ? '' : (s.within ? 'within' : 'outside');
    el('exerciseRunning').hidden = s.step !== 'running';
    el('exerciseRetry').hidden = !answered;
    el('exerciseNext').hidden = !answered;
    el('exerciseStartAgain').hidden = !open;
    el('exerciseClose').hidden = !open;
    setText(el('exerciseSummary'), s.summary);

    // A new question takes the keys to its answer; an outcome to Next.
    const moved = s.step !== this.step || s.heading !== this.heading;
    const was = this.step;
    this.step = s.step;
    this.heading = s.heading;
    if (!moved) return;
    if (asking) input.value = '';
    // The run plays in view, and its outcome follows it (on a phone, far below the form).
    if (s.step === 'running' && was === 'asking') this.reveal(el('stage'));
    if (el('exercises').hidden) return;
    this.focusStep();
    if (!answered) return;
    this.reveal(el('exerciseActions'));
    this.reveal(outcome);
  }

  /** A button for each choice of a question of techniques. */
  showChoices(choices, enabled) {
    const box = el('exerciseChoices');
    box.hidden = choices.length === 0;
    const shown = [...box.children].map((button) => button.textContent);
    if (JSON.stringify(shown) !== JSON.stringify(choices)) {
      box.replaceChildren();
      for (const choice of choices) {
        const button = make('button', {type: 'button', textContent: choice}, box);
        button.addEventListener('click', () => this.commit(choice));
      }
    }
    for (const button of box.children) button.disabled = !enabled;
  }
}
