/**
 * Touch-sized twins of the form's controls for a phone, where the form is
 * shown too small for a finger: the run bar (Start/Reset, Pause/Cont and the
 * clock) and the parameters (every box). Each twin acts through the very
 * handler of the form's own control, and shows what the module says.
 */
import {el, make, setText} from './dom.js';
import {rateList} from './form-view.js';
import {t} from './texts.js';

const BOX_RATE = 0;  // a box's kind: a rate box

export class TouchControls {
  /** Builds the twins of `view`'s controls (form-view.js) from `description`. */
  constructor(view, description) {
    this.view = view;
    const runBar = el('runBar');
    this.buttons = description.controls.filter((control) => control.type === 'button').map((button) => {
      const twin = make('button', {type: 'button', id: `run${button.index}`, title: t(button.tip)}, runBar);
      twin.addEventListener('click', () => view.buttons[button.index].click());
      return twin;
    });
    this.clock = make('span', {id: 'runClock'}, runBar);
    this.boxes = description.controls.filter((control) => control.type === 'box').map((box) => {
      const label = make('label', {}, el('parameterBoxes'));
      make('span', {textContent: t(box.name)}, label);
      const input = box.editable ? this.rateBox(box, label) : this.listBox(box, label);
      input.title = t(box.tip);
      return {box, input};
    });
  }

  listBox(box, label) {
    const select = make('select', {id: `twin_${box.id}`}, label);
    for (const item of box.items) make('option', {value: item, textContent: t(item)}, select);
    select.addEventListener('change', () => this.view.setBox(box, select.value));
    return select;
  }

  /** A rate twin: typed with a decimal keypad, or chosen from the list beside it. */
  rateBox(box, label) {
    const holder = make('span', {className: 'rate'}, label);
    const input = make('input', {id: `twin_${box.id}`, type: 'text', inputMode: 'decimal',
                                 autocomplete: 'off', spellcheck: false, enterKeyHint: 'done'}, holder);
    rateList(holder, box, `twin_${box.id}List`, (text) => this.view.chooseRate(box, text));
    input.addEventListener('input', () => this.view.setBox(box, input.value));
    input.addEventListener('blur', () => this.view.finishRate(box));
    input.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') this.view.finishRate(box);
    });
    return input;
  }

  /** Shows the captions, the boxes' texts and colours and the clock of `state` (api.state()). */
  show(state) {
    state.captions.forEach((caption, n) => setText(this.buttons[n], t(caption)));
    for (const {box, input} of this.boxes) {
      const text = state.boxes[box.id];
      if (input.value !== text && document.activeElement !== input) input.value = text;
      if (box.kind === BOX_RATE) input.style.color = state.rateColours[box.link];
    }
    this.showClock(state.clock);
  }

  showClock(text) {
    setText(this.clock, text);
  }
}
