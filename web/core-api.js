/**
 * The WebAssembly module's functions, bound once with their texts converted.
 * Every rule of the simulator lives behind them.
 */

/**
 * Binds the functions of `core`, the module that `createSwitchsim()` gave.
 * Times are the wall clock in ms; `heap()` is the module's memory as
 * doubles, which may be replaced when it grows, so read it anew each time.
 */
export function bind(core) {
  const f = (name, result, args) => core.cwrap(name, result, args);
  return {
    create: f('ss_create', null, []),
    applyQuery: f('ss_apply_query', 'string', ['string', 'number']),
    describe: f('ss_describe', 'string', []),
    state: f('ss_state', 'string', []),
    clockText: f('ss_clock_text', 'string', []),
    clockMs: f('ss_clock_ms', 'number', []),
    changes: f('ss_changes', 'number', []),
    noticesSince: f('ss_notices_since', 'string', ['number']),
    setBox: f('ss_set_box', null, ['number', 'number', 'string', 'number']),
    finishRate: f('ss_finish_rate', null, ['number', 'number']),
    setPacketing: f('ss_set_packeting', null, ['number', 'string']),
    sayClock: f('ss_say_clock', null, []),
    click: f('ss_click', null, ['number', 'number']),
    step: f('ss_step', null, ['number']),
    frame: f('ss_frame', 'number', ['number']),
    setSpeed: f('ss_set_speed', null, ['number', 'number']),
    drawSteps: f('ss_draw_steps', 'number', []),
    drawStepCount: f('ss_draw_step_count', 'number', []),
    takeDrawSteps: f('ss_take_draw_steps', null, []),
    linkView: f('ss_link_view', 'string', []),
    shownScale: f('ss_shown_scale', 'number', ['string', 'number', 'number']),
    setPresentation: f('ss_set_presentation', null, ['number', 'number', 'number']),
    panelText: f('ss_panel_text', 'string', ['number', 'number']),
    shareQuery: f('ss_share_query', 'string', ['string', 'number']),
    embedSnippet: f('ss_embed_snippet', 'string', ['string', 'number']),
    quoted: f('ss_quoted', 'string', ['string']),
    results: f('ss_results', 'string', []),
    resultsCsv: f('ss_results_csv', 'string', []),
    resultsText: f('ss_results_text', 'string', []),
    timing: f('ss_timing', 'string', []),
    timingCsv: f('ss_timing_csv', 'string', []),
    timingRevision: f('ss_timing_revision', 'number', []),
    runLog: f('ss_run_log', 'string', []),
    guide: f('ss_guide', 'string', []),
    svgPicture: f('ss_svg_picture', 'string', ['number', 'number', 'number']),
    sweepChoices: f('ss_sweep_choices', 'string', []),
    sweepBegin: f('ss_sweep_begin', 'string', ['string', 'string']),
    sweepStep: f('ss_sweep_step', 'number', ['number']),
    sweepTotal: f('ss_sweep_total', 'number', []),
    sweepDrawing: f('ss_sweep_drawing', 'string', []),
    sweepSvg: f('ss_sweep_svg', 'string', []),
    sweepCsv: f('ss_sweep_csv', 'string', []),
    sweepTable: f('ss_sweep_table', 'string', []),
    sweepPick: f('ss_sweep_pick', 'string', ['number', 'number', 'number', 'number']),
    sweepOpen: f('ss_sweep_open', 'string', ['number', 'number']),
    exerciseReadSheet: f('ss_exercise_read_sheet', 'string', ['string']),
    exerciseSizeRefusal: f('ss_exercise_size_refusal', 'string', ['number']),
    exerciseAddressRefusal: f('ss_exercise_address_refusal', 'string', ['string']),
    exerciseReadCourse: f('ss_exercise_read_course', null, []),
    exerciseReadLink: f('ss_exercise_read_link', 'string', []),
    exerciseHeldKey: f('ss_exercise_held_key', 'string', []),
    exerciseOpenHeld: f('ss_exercise_open_held', null, ['string']),
    exerciseClose: f('ss_exercise_close', null, []),
    exerciseState: f('ss_exercise_state', 'string', []),
    exerciseRevision: f('ss_exercise_revision', 'number', []),
    exerciseCommit: f('ss_exercise_commit', null, ['string']),
    exerciseRetry: f('ss_exercise_retry', null, []),
    exerciseNext: f('ss_exercise_next', null, []),
    exerciseStartAgain: f('ss_exercise_start_again', null, []),
    exerciseCsv: f('ss_exercise_csv', 'string', []),
    exerciseShowHint: f('ss_exercise_show_hint', null, []),
    exerciseStartAgainQuestion: f('ss_exercise_start_again_question', 'string', []),
    heap: () => core.HEAPF64,
  };
}
