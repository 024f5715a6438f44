// Zemkari in a browser. The game's core, compiled to WebAssembly, decides everything;
// this module is its Board on the page: it shows what the core writes, tells it what
// the selectors hold, runs its market clock and draws its chart, and hands it the
// player's clicks and keys. The page (index.html) is laid out from the window's design,
// and carries every fact of the game this module needs (make_page.cpp). It keeps the
// game's snapshot in the tab's session storage after every tick and every click, so that
// a page the browser threw away resumes where it was, and it stops the market clock
// while the page is not seen.

const form = document.querySelector('main');
// The core's handlers (page_handlers.cpp), which the page calls by these names once it
// has checked that the core exports each.
const handlers = ['OnClick', 'OnTick', 'SnapshotGame', 'SnapshotBuffer', 'ResumeGame'];

// The controls the core addresses, indexed as its enums are (data-field, -button,
// -selector); a selector's items by their index in it.
const byIndex = (selector, key) => {
  const list = [];
  for (const element of form.querySelectorAll(selector)) list[Number(element.dataset[key])] = element;
  return list;
};
const fields = byIndex('[data-field]', 'field');
const colours = fields.map((field) => Number(field.dataset.colour));
const buttons = byIndex('[data-button]', 'button');
const selectors = [];
for (const radio of form.querySelectorAll('input[data-selector]')) {
  (selectors[Number(radio.dataset.selector)] ??= [])[Number(radio.value)] = radio;
}

// The chart keeps what was drawn on it between ticks, as the window's picture does.
// Its pen and its hatch are the window's: the hatch paints row hatchRow of every
// hatchPeriod rows.
const chart = form.querySelector('canvas');
const { lineWidth, hatchPeriod, hatchRow } = chart.dataset;
// The design's size of the chart, device pixels to a design pixel, whether the canvas
// has been fitted to the screen and whether its surface has been painted. Its drawing
// context comes with the pen, once the core is there: making one takes long enough to
// keep it out of the way of the first picture.
const painter = {
  context: null,
  width: chart.width,
  height: chart.height,
  ratio: 1,
  fitted: false,
  painted: false,
  base: null,
};
let chartEnabled = true;
// The layout tells when the size the chart is shown at changes, first before the first
// frame is painted (on a phone it scales with the screen), then whenever it changes
// (the phone turned), without the page asking for it; its box, read then, is laid out
// already and holds the zoom of a tablet's arrangement. Zooming the page changes the
// pixel density.
const shownPixels = () => chart.getBoundingClientRect().width * (window.devicePixelRatio || 1);
new ResizeObserver(() => fitChart(shownPixels())).observe(chart);
window.addEventListener('resize', () => {
  if (painter.fitted) fitChart(shownPixels());
});

// Where the page arranges the board for a finger, the chart's plot (the surface and its
// axes) keeps the window's proportions at the largest size the chart's box allows,
// --plot-width to --plot-height: the page works that size out whenever the box changes.
// A size container query would let the style sheet do it, but would have every tick's
// layout work the whole chart's style out again.
const plot = chart.parentElement;
new ResizeObserver(([entry]) => {
  const style = getComputedStyle(plot);
  const proportion = Number(style.getPropertyValue('--plot-width')) / Number(style.getPropertyValue('--plot-height'));
  if (!proportion) return;
  const { width, height } = entry.contentRect;
  plot.style.setProperty('--plot-fit', `${Math.min(width, height * proportion)}px`);
}).observe(plot.parentElement);

// The canvas holds one pixel per device pixel at the `shown` width in device pixels,
// and drawing stays in the design's pixels. A new size keeps what was drawn.
function fitChart(shown) {
  const { width, height } = painter;
  const pixels = Math.round(shown) || width;
  if (painter.fitted && pixels === chart.width) return;
  painter.fitted = true;
  let kept = null;
  if (painter.painted) {
    kept = document.createElement('canvas');
    kept.width = chart.width;
    kept.height = chart.height;
    kept.getContext('2d').drawImage(chart, 0, 0);
  }
  chart.width = pixels;
  chart.height = Math.round((height * pixels) / width);
  painter.ratio = pixels / width;
  if (!kept) return;
  takePen();
  painter.context.drawImage(kept, 0, 0, width, height);
}

// A canvas forgets its pen with its size, and its first use after that allocates its
// pixels, which on a phone takes long enough to put off until the first picture is up.
// Its colours are the page's style's, read once the core is there: read as the module
// loads, they would have the whole page's style worked out ahead of the first frame, and
// again once the board's buttons are held off.
function takePen() {
  painter.context ??= chart.getContext('2d');
  const { context, ratio } = painter;
  const style = getComputedStyle(form);
  context.setTransform(ratio, 0, 0, ratio, 0, 0);
  context.lineWidth = Number(lineWidth);
  context.lineCap = 'round';
  context.lineJoin = 'round';
  context.strokeStyle = style.getPropertyValue('--chart-line').trim();
  context.fillStyle = style.getPropertyValue('--face').trim();
}

// The surface is painted in the button face once the core is there, before it can draw
// on it, and so after the board's first picture; until then the canvas's own background
// shows the same face.
function paintSurface() {
  takePen();
  blankChart();
  painter.painted = true;
}

function blankChart() {
  painter.context.fillRect(0, 0, painter.width, painter.height);
}

// The picture of the lines before the last, kept pixel for pixel so that a tick, which
// changes only the last, draws that one alone over them. Copied whole, as it is: the
// pen's scale does not apply to the copy.
function keepChartBase() {
  if (!painter.base) {
    const base = document.createElement('canvas');
    painter.base = { canvas: base, context: base.getContext('2d') };
  }
  const { canvas, context } = painter.base;
  if (canvas.width !== chart.width || canvas.height !== chart.height) {
    canvas.width = chart.width;
    canvas.height = chart.height;
  }
  context.globalCompositeOperation = 'copy';
  context.drawImage(chart, 0, 0);
}

function restoreChartBase() {
  if (!painter.base || painter.base.canvas.width !== chart.width) return 0;
  const { context, ratio } = painter;
  context.setTransform(1, 0, 0, 1, 0, 0);
  context.globalCompositeOperation = 'copy';
  context.drawImage(painter.base.canvas, 0, 0);
  context.globalCompositeOperation = 'source-over';
  context.setTransform(ratio, 0, 0, ratio, 0, 0);
  return 1;
}

// The hatch paints one row in eight in the surface colour and leaves the rows between
// as they were, so an older day's line shows through, cut by the hatch. The core paints
// the whole picture at every drawing: the blank surface, then each line it shows.
function drawChart(points) {
  const { context, width, height } = painter;
  // One fill of all the rows: the pixels of a row each, for a fifth of the work.
  context.beginPath();
  for (let y = Number(hatchRow); y < height; y += Number(hatchPeriod)) context.rect(0, y, width, 1);
  context.fill();
  if (points.length < 4) return;
  // Through the middle of the pixels, as the window's unsmoothed pen goes.
  context.beginPath();
  context.moveTo(points[0] + 0.5, points[1] + 0.5);
  for (let i = 2; i < points.length; i += 2) context.lineTo(points[i] + 0.5, points[i + 1] + 0.5);
  context.stroke();
}

// The market clock: off, with the window's design interval, until a start. While the
// page is hidden it keeps running for the game but does not tick; shown again, it waits
// a whole interval before the next tick.
const timer = { interval: Number(form.dataset.interval), handle: 0, running: false };

function runTimer() {
  timer.handle = setInterval(() => {
    deliver('OnTick');
    keepGame();
  }, timer.interval);
}

function stopTimer() {
  if (timer.handle) clearInterval(timer.handle);
  timer.handle = 0;
}

document.addEventListener('visibilitychange', () => {
  if (document.hidden) stopTimer();
  else if (timer.running && !timer.handle) runTimer();
});

// Texts are written out once a handler has returned: only the texts present at the
// end of a tick are ever seen, and the quote board is rewritten many times per tick.
const pendingTexts = new Map();
const decoder = new TextDecoder();
let core = null;

const bytes = (pointer, size) => new Uint8Array(core.memory.buffer, pointer, size);

const boardImports = {
  PageSetText(label, pointer, size) {
    pendingTexts.set(label, decoder.decode(bytes(pointer, size)));
  },
  PageSetColour(label, colour) {
    if (colours[label] === colour) return;
    colours[label] = colour;
    fields[label].dataset.colour = String(colour);
  },
  PageSetEnabled(button, on) {
    buttons[button].disabled = !on;
  },
  PageIsEnabled(button) {
    return buttons[button].disabled ? 0 : 1;
  },
  PageSelectedIndex(selector) {
    return selectors[selector].findIndex((radio) => radio.checked);
  },
  PageSelect(selector, index) {
    selectors[selector].forEach((radio, i) => {
      if (radio.checked !== (i === index)) radio.checked = i === index;
    });
  },
  PageBlankChart: blankChart,
  PageKeepChartBase: keepChartBase,
  PageRestoreChartBase: restoreChartBase,
  // The same interval leaves the running clock alone; a new one restarts its countdown.
  PageSetTimerInterval(milliseconds) {
    if (milliseconds === timer.interval) return 1;
    timer.interval = milliseconds;
    if (timer.handle) {
      stopTimer();
      runTimer();
    }
    return 1;
  },
  PageStartTimer() {
    timer.running = true;
    if (!timer.handle && !document.hidden) runTimer();
    return 1;
  },
  PageStopTimer() {
    timer.running = false;
    stopTimer();
  },
  PageDrawChart(pointer, count) {
    drawChart(new Int32Array(core.memory.buffer, pointer, count * 2));
  },
  PageShowError(pointer, size) {
    window.alert(decoder.decode(bytes(pointer, size)));
  },
};

// The core ending itself, as its C library's abort and exit do.
class CoreExit extends Error {}

// The C library's few calls to the system: the time, read as a market starts, and none
// other in play.
const systemImports = {
  clock_time_get(clock, precision, at) {
    new DataView(core.memory.buffer).setBigUint64(at, BigInt(Date.now()) * 1000000n, true);
    return 0;
  },
  proc_exit(code) {
    throw new CoreExit(`zemkari.wasm exited with ${code}`);
  },
  fd_write: () => 0,
  fd_close: () => 0,
  fd_seek: () => 0,
};

function flushTexts() {
  for (const [label, text] of pendingTexts) {
    const field = fields[label];
    if (field.textContent !== text) field.textContent = text;
  }
  pendingTexts.clear();
}

// Runs one of the core's handlers (a click, the tick, a resume) and shows the result;
// returns what the handler returned. Without a core the board's buttons are off, and
// there is nothing to run.
function deliver(handler, ...args) {
  if (!core) return undefined;
  // An error that escapes a handler is shown, as the window shows it, and play goes on;
  // but a trap or an exit leaves the core in no state to go on from.
  try {
    return core[handler](...args);
  } catch (error) {
    if (error instanceof WebAssembly.RuntimeError || error instanceof CoreExit) stopped(error);
    else window.alert(String(error));
    return undefined;
  } finally {
    flushTexts();
  }
}

// The game's snapshot lives in the tab's session storage, as text: a reload of the tab
// finds it, a new tab starts a new game. Storage that is missing, full or refused keeps
// nothing, and the game plays on as it would without it.
const savedGame = {
  key: `zemkari ${new URL('.', import.meta.url).pathname}`,
  read() {
    try {
      return window.sessionStorage.getItem(this.key);
    } catch {
      return null;
    }
  },
  write(text) {
    try {
      window.sessionStorage.setItem(this.key, text);
    } catch {
      // Nothing kept: a reload starts a new game.
    }
  },
  drop() {
    try {
      window.sessionStorage.removeItem(this.key);
    } catch {
      // Nothing was kept to drop.
    }
  },
};

const snapshotBytes = (size) => bytes(core.SnapshotBuffer(size), size);

// Keeps the game as it stands now. Exported so that the page's measurement can time it.
export function keepGame() {
  if (!core) return;
  const size = core.SnapshotGame();
  savedGame.write(btoa(String.fromCharCode(...snapshotBytes(size))));
}

// Goes on with the kept game, if there is one; one that cannot be read is dropped, and
// the comment box says so over the new game's board. Exported so that the page's
// measurement can time it, given the text it would read.
export function resumeGame(text = savedGame.read()) {
  if (text === null || !core) return;
  let saved = null;
  try {
    saved = atob(text);
  } catch {
    // Not base64: no snapshot of ours.
  }
  if (saved !== null) {
    const view = snapshotBytes(saved.length);
    for (let i = 0; i < saved.length; ++i) view[i] = saved.charCodeAt(i);
  }
  if (saved !== null && deliver('ResumeGame', saved.length) === 1) return;
  if (!core) return;
  savedGame.drop();
  fields[Number(form.dataset.noticeField)].textContent = form.dataset.resumeDropped;
}

function bindClicks() {
  for (const button of buttons) {
    button.addEventListener('click', () => {
      deliver('OnClick', Number(button.dataset.button));
      keepGame();
    });
  }
  form.addEventListener('change', keepGame);
}

// The keys click their controls, so a key does what a click does and nothing while the
// control is disabled; a held key acts once.
function bindKeys() {
  const targets = new Map();
  for (const element of form.querySelectorAll('[data-key]')) targets.set(element.dataset.key, element);
  // Each speed item, and the speed selector for none selected, names the item one
  // step faster and one slower; the selector names the keys that step it, whatever
  // Shift it takes to type them.
  const speedSelector = form.querySelector('[role=radiogroup][data-faster]');
  const speeds = selectors[Number(speedSelector.dataset.selector)];
  const stepSpeed = (direction) => {
    const from = speeds.find((radio) => radio.checked) ?? speedSelector;
    const to = speeds[Number(from.dataset[direction])];
    if (!to.checked) to.click();
  };
  const speedKeys = new Map();
  for (const direction of ['slower', 'faster']) {
    for (const key of speedSelector.dataset[`${direction}Keys`].split(' ')) speedKeys.set(key, direction);
  }
  document.addEventListener('keydown', (event) => {
    if (event.repeat || event.ctrlKey || event.altKey || event.metaKey) return;
    let action = null;
    if (speedKeys.has(event.key)) action = () => stepSpeed(speedKeys.get(event.key));
    else {
      // In the notation of data-key: a letter as its capital, a modifier before its key.
      const key = event.key.length === 1 ? event.key.toUpperCase() : event.key;
      const target = targets.get(event.shiftKey ? `Shift+${key}` : key);
      if (target) action = () => target.click();
    }
    if (!action) return;
    event.preventDefault();
    action();
  });
}

// Compiled while it downloads where the server names it application/wasm; from its
// bytes where a static host names it otherwise. Again after a failure, the module is
// downloaded anew, whatever the browser's cache holds. Throws whatever keeps the core
// from running: no WebAssembly, a failed download, a module that does not compile, a trap.
async function loadCore(again) {
  const url = new URL('zemkari.wasm', import.meta.url);
  const imports = { env: boardImports, wasi_snapshot_preview1: systemImports };
  const response = await fetch(url, again ? { cache: 'reload' } : {});
  if (!response.ok) throw new Error(`${url}: HTTP ${response.status} ${response.statusText}`);
  const type = (response.headers.get('Content-Type') || '').split(';')[0].trim();
  const { module, instance } =
    type === 'application/wasm'
      ? await WebAssembly.instantiateStreaming(response, imports)
      : await WebAssembly.instantiate(await response.arrayBuffer(), imports);
  // The board gives exactly what the core imports (page_imports.h): a missing function
  // has already failed the instantiation, and one the core does not import is a name
  // out of step with it.
  const imported = new Set(WebAssembly.Module.imports(module).map(({ name }) => name));
  const unused = Object.keys(boardImports).filter((name) => !imported.has(name));
  if (unused.length) throw new Error(`zemkari.wasm imports no ${unused.join(', ')}`);
  const missing = handlers.filter((name) => typeof instance.exports[name] !== 'function');
  if (missing.length) throw new Error(`zemkari.wasm exports no ${missing.join(', ')}`);
  core = instance.exports;
  core._initialize();
}

// Until the core is bound the board is busy and its buttons are off, so that it never
// looks playable without it; then each button is as the design opens it.
const openingEnabled = buttons.map((button) => !button.disabled);

function holdBoard() {
  form.setAttribute('aria-busy', 'true');
  for (const button of buttons) button.disabled = true;
}

function releaseBoard() {
  form.removeAttribute('aria-busy');
  buttons.forEach((button, i) => {
    button.disabled = !openingEnabled[i];
  });
}

// What keeps the core from loading or running is told to the player, over the board,
// which stays off, with a button to try again: a new download of the core, or after it
// stopped, a new page and a new game.
const failure = document.getElementById('CoreFailure');
let retry = null;

function showFailure(kind, error) {
  console.error(error);
  core = null;
  timer.running = false;
  stopTimer();
  for (const button of buttons) button.disabled = true;
  form.removeAttribute('aria-busy');
  form.inert = true;
  for (const message of failure.querySelectorAll('[data-failure]')) message.hidden = message.dataset.failure !== kind;
  failure.hidden = false;
  failure.querySelector('button').focus();
}

// A game that stopped the core is not resumed: trying again starts a new one.
function stopped(error) {
  savedGame.drop();
  retry = () => window.location.reload();
  showFailure('run', error);
}

async function startCore(again) {
  failure.hidden = true;
  form.inert = false;
  holdBoard();
  try {
    await loadCore(again);
  } catch (error) {
    retry = () => startCore(true);
    showFailure('load', error);
    return;
  }
  paintSurface();
  releaseBoard();
  resumeGame();
  performance.mark('zemkari-core');
  import('./offline.js').then(({ keepOffline }) => keepOffline(), console.warn);
}

// The core is fetched once the board has been drawn in its font (the second animation
// frame comes after the first is painted), so that it does not hold up the first picture.
const nextFrame = () => new Promise((resolve) => requestAnimationFrame(resolve));
const drawn = document.fonts.ready.then(nextFrame).then(nextFrame);
holdBoard();
bindClicks();
bindKeys();
failure.querySelector('button').addEventListener('click', () => retry());
performance.mark('zemkari-ready');
await drawn;
// The manifest is linked once the board is drawn: linked in the page's head, the browser
// fetched it, and the icons it names, while the first picture was being drawn.
document.head.append(Object.assign(document.createElement('link'), { rel: 'manifest', href: 'zemkari.webmanifest' }));
await startCore(false);
