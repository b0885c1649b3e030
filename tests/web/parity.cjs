// Runs the web edition's module under Node and the native driver on the same
// parameter sets and seeds, and checks that both write the same JSON Lines
// log, event for event. The module is driven as the page drives it: boxes
// set as a user sets them (picked, typed, or refused), or from a shared
// link's query, then Start and the frames that run the due ticks.
//
// usage: node parity.cjs MODULE.cjs SWITCHSIM-TRACE [SETS]
'use strict';

const {execFileSync} = require('child_process');
const assert = require('assert');

const [modulePath, tracePath, setsText] = process.argv.slice(2);
const setCount = Number(setsText || 240);
const RATE = 0;
const DELAY = 1;
const METHOD = 2;
const SIZE = 3;

const techniques = ['Message', 'Circuit', 'Packet'];
const sizes = ['100', '200', '300', '400', '500', '1000'];
const delays = ['20', '50', '100', '200'];
const pickedRates = ['0.5', '1.0', '2.0', '5.0', '10.0'];
const typedRates = ['3', '0.75', '7.5', '2abc', ' 4', '1e1', '0.3', '12', '6.25', '+2', '1.'];
const refusedRates = ['abc', '0', '-3', 'nan', '1e400', '', 'x1'];

/** A small generator, so that the sets are the same on every machine. */
function generator(seed) {
  let state = seed >>> 0;
  return (n) => {
    state = (Math.imul(state, 1664525) + 1013904223) >>> 0;
    return state % n;
  };
}

function makeSets() {
  const pick = generator(2024);
  const sets = [];
  for (let i = 0; i < setCount; ++i) {
    const rates = [0, 1, 2].map(() => (pick(3) === 0 ? typedRates[pick(typedRates.length)]
                                                     : pickedRates[pick(pickedRates.length)]));
    sets.push({
      technique: techniques[i % 3],
      size: sizes[pick(sizes.length)],
      rates,
      delays: [0, 1, 2].map(() => delays[pick(delays.length)]),
      seed: String(1 + pick(999999)),
      // how the page gets the boxes: 0 a shared link, 1 the user's picks and typing
      way: pick(2),
      // a refused rate typed into one link's box before the start, or none
      refused: pick(3) === 0 ? {link: pick(3), text: refusedRates[pick(refusedRates.length)]} : null,
      // packet and header size in blocks, from their whole ranges
      packet: String(1 + pick(50)),
      header: String(pick(11)),
    });
  }
  return sets;
}

function nativeLog(set, rates) {
  return execFileSync(tracePath, ['--technique', set.technique, '--size', set.size,
                                  `--rates=${rates.join(',')}`, '--delays', set.delays.join(','),
                                  '--packet', set.packet, '--header', set.header,
                                  '--seed', set.seed, '--json'], {encoding: 'utf8'});
}

/**
 * The rates the run starts with: Start resets the simulation, which writes
 * each rate box's number back in its shortest text ("10.0" as "10"). Checks
 * that the run starts with the set's parameters and returns those texts.
 */
function startedRates(set, log) {
  const start = JSON.parse(log.slice(0, log.indexOf('\n')));
  assert.deepStrictEqual([start.technique, start.size, start.delays, String(start.seed)],
                         [set.technique, set.size, set.delays, set.seed]);
  assert.deepStrictEqual(start.rates, set.rates.map((rate) => String(parseFloat(rate))));
  const sizes = set.packet === '2' && set.header === '0' ? [undefined, undefined] : [set.packet, set.header];
  assert.deepStrictEqual([start.packet, start.header].map((n) => n === undefined ? n : String(n)), sizes);
  return start.rates;
}

function webLog(core, set) {
  const api = {
    create: core.cwrap('ss_create', null, []),
    applyQuery: core.cwrap('ss_apply_query', 'string', ['string', 'number']),
    setBox: core.cwrap('ss_set_box', null, ['number', 'number', 'string', 'number']),
    finishRate: core.cwrap('ss_finish_rate', null, ['number', 'number']),
    click: core.cwrap('ss_click', null, ['number', 'number']),
    frame: core.cwrap('ss_frame', 'number', ['number']),
    runLog: core.cwrap('ss_run_log', 'string', []),
    state: core.cwrap('ss_state', 'string', []),
    setPacketing: core.cwrap('ss_set_packeting', null, ['number', 'string']),
  };
  let now = 0;
  api.create();
  if (set.way === 0) {
    const query = `?technique=${set.technique}&size=${set.size}` +
        `&rates=${set.rates.map(encodeURIComponent).join(',')}&delays=${set.delays.join(',')}` +
        `&packet=${set.packet}&header=${set.header}&seed=${set.seed}`;
    const notice = api.applyQuery(query, now);
    assert.strictEqual(notice, '', `${query}: ${notice}`);
  } else {
    assert.strictEqual(api.applyQuery(`seed=${set.seed}`, now), '');
    api.setBox(SIZE, 0, set.size, now);
    for (let k = 0; k < 3; ++k) {
      api.setBox(DELAY, k, set.delays[k], now);
      api.setBox(RATE, k, set.rates[k], now);
      api.finishRate(k, now);
    }
    api.setBox(METHOD, 0, set.technique, now);
    api.setPacketing(0, set.packet);
    api.setPacketing(1, set.header);
  }
  if (set.refused) {
    const {link, text} = set.refused;
    api.setBox(RATE, link, text, now);
    api.finishRate(link, now);
    const shown = JSON.parse(api.state()).boxes[`cmbBitRate${link}`];
    assert.strictEqual(shown, set.rates[link], `refusing "${text}" kept "${shown}"`);
  }
  api.click(0, now);
  // Frames at uneven times: the events must not depend on how ticks group into frames.
  while (api.frame(now += 17 + (now % 211)) > 0 || JSON.parse(api.state()).running) { /* ticks */ }
  return api.runLog();
}

// Sweeps around a link's boxes: the page's CSV against the driver's, each line ending in CRLF.
const SWEEPS = [
  {query: 'size=1000&header=1', spec: 'packet=1:50:1', seeds: '2'},
  {query: 'rates=2,0.5,5&delays=20,200,50', spec: 'size=20:1000:20', seeds: '3'},
  {query: 'size=500&packet=3', spec: 'rate2=0.5:10:0.5', seeds: '2'},
  {query: 'technique=Circuit', spec: 'delay3=20:200', seeds: '4'},
  {query: 'size=200&packet=1', spec: 'header=0:10:1', seeds: '1'},
];

function sweepFailures(core) {
  const api = {
    create: core.cwrap('ss_create', null, []),
    applyQuery: core.cwrap('ss_apply_query', 'string', ['string', 'number']),
    begin: core.cwrap('ss_sweep_begin', 'string', ['string', 'string']),
    step: core.cwrap('ss_sweep_step', 'number', ['number']),
    total: core.cwrap('ss_sweep_total', 'number', []),
    csv: core.cwrap('ss_sweep_csv', 'string', []),
  };
  let failures = 0;
  for (const sweep of SWEEPS) {
    api.create();
    assert.strictEqual(api.applyQuery(sweep.query, 0), '');
    assert.strictEqual(api.begin(sweep.spec, sweep.seeds), '');
    while (api.step(7) < api.total()) { /* slices of runs, as the page makes them */ }
    const options = sweep.query.split('&').flatMap((pair) => {
      const [name, value] = pair.split('=');
      return name === 'technique' ? [] : [`--${name}`, value];
    });
    const native = execFileSync(tracePath, ['--sweep', sweep.spec, '--seeds', sweep.seeds, '--csv',
                                            ...options], {encoding: 'utf8'});
    if (api.csv() !== native) {
      failures += 1;
      console.error(`sweep ${sweep.spec} around ${sweep.query}: the page's CSV differs from the driver's`);
    } else if (!/^([^\r\n]*\r\n)+$/.test(native)) {
      failures += 1;
      console.error(`sweep ${sweep.spec}: a line of the CSV does not end in CRLF, as RFC 4180 asks`);
    }
  }
  console.log(`${SWEEPS.length - failures} of ${SWEEPS.length} sweeps give the driver's CSV`);
  return failures;
}

// The labs from a link, run in the page's slices: the module's JSON against the driver's.
const LABS = [
  {query: 'share=1&users=35&active=0.1&slots=30000&seed=1'},
  {query: 'share=1&users=120&active=0.05&user-rate=0.2&link-rate=5&burst=20&slots=25000&seed=9'},
  {query: 'queue=1&intensity=0.9&packets=40000&seed=2'},
  {query: 'queue=1&intensity=0.6&buffer=5&packets=40000&seed=77'},
];

function labFailures(core) {
  const api = {
    create: core.cwrap('ss_create', null, []),
    applyQuery: core.cwrap('ss_apply_query', 'string', ['string', 'number']),
    openLink: core.cwrap('ss_lab_open_link', 'number', []),
    runSlice: core.cwrap('ss_lab_run_slice', 'number', ['number']),
    json: core.cwrap('ss_lab_json', 'string', ['number']),
    startCurve: core.cwrap('ss_lab_start_curve', 'string', ['number', 'string', 'string']),
    curveSlice: core.cwrap('ss_lab_curve_slice', 'number', ['number']),
    curveCsv: core.cwrap('ss_lab_curve_csv', 'string', ['number']),
  };
  let failures = 0;
  for (const {query} of LABS) {
    api.create();
    assert.strictEqual(api.applyQuery(query, 0), '');
    const lab = api.openLink();
    while (api.runSlice(lab)) { /* slices, as the page makes them */ }
    const options = query.split('&').flatMap((pair) => {
      const [name, value] = pair.split('=');
      return name === 'share' || name === 'queue' ? [`--${name}`] : [`--${name}`, value];
    });
    const jsonSame = api.json(lab) === execFileSync(tracePath, [...options, '--json'], {encoding: 'utf8'});
    if (!jsonSame) console.error(`lab ${query}: the page's JSON differs from the driver's`);
    // Its curve around the link's setting, in slices, against the driver's sweep.
    const range = lab === 0 ? '100:140:20' : '0.2:0.8:0.3';
    assert.strictEqual(api.startCurve(lab, range, '2'), '');
    while (api.curveSlice(lab)) { /* slices, as the page makes them */ }
    const sweep = [...options, '--sweep', `${lab === 0 ? 'users' : 'intensity'}=${range}`, '--seeds', '2', '--csv'];
    const curveSame = api.curveCsv(lab) === execFileSync(tracePath, sweep, {encoding: 'utf8'});
    if (!curveSame) console.error(`lab ${query}: the page's curve differs from the driver's`);
    if (!jsonSame || !curveSame) failures += 1;
  }
  console.log(`${LABS.length - failures} of ${LABS.length} labs give the driver's JSON and curve`);
  return failures;
}

require(modulePath)().then((core) => {
  let failures = sweepFailures(core) + labFailures(core);
  const before = failures;
  const sets = makeSets();
  for (const set of sets) {
    const actual = webLog(core, set);
    const expected = nativeLog(set, startedRates(set, actual));
    if (actual !== expected) {
      failures += 1;
      const a = actual.split('\n');
      const e = expected.split('\n');
      const line = e.findIndex((text, i) => text !== a[i]);
      console.error(`differs: ${JSON.stringify(set)}\n  line ${line + 1}\n  web:    ${a[line]}\n` +
                    `  native: ${e[line]}`);
    }
  }
  const counts = techniques.map((t) => sets.filter((s) => s.technique === t).length);
  console.log(`${sets.length - (failures - before)} of ${sets.length} parameter sets give the same log ` +
              `(Message ${counts[0]}, Circuit ${counts[1]}, Packet ${counts[2]}; ` +
              `${sets.filter((s) => s.refused).length} with a refused rate)`);
  process.exit(failures === 0 ? 0 : 1);
});
