// Zemkari in a browser. The game's core, compiled to WebAssembly, decides everything;
// this module is its Board on the page: it shows what the core writes, tells it what
// the selectors hold, runs its market clock and draws its chart, and hands it the
// player's clicks and keys. The page (index.html) is laid out from the window's design.

const form = document.querySelector('main');
const handlers = { click: form.dataset.onClick, tick: form.dataset.onTick };

// The controls the core addresses, indexed as its enums are (data-field, -button).
const byIndex = (selector, key) => {
  const list = [];
  for (const element of form.querySelectorAll(selector)) list[Number(element.dataset[key])] = element;
  return list;
};
const fields = byIndex('[data-field]', 'field');
const buttons = byIndex('[data-button]', 'button');
const radios = [...form.querySelectorAll('input[type=radio]')];
const itemsOf = (selector) => radios.filter((radio) => Number(radio.dataset.selector) === selector);
const selectors = [itemsOf(0), itemsOf(1)];

// The chart keeps what was drawn on it between ticks, as the window's picture does.
const chart = form.querySelector('canvas');
const faceColour = getComputedStyle(form).getPropertyValue('--face').trim();
const kLineColour = 'rgb(0, 255, 0)';
const kLineWidth = 3;
const kHatchRow = 4; // the row of every eight that the hatch paints, as the window's pattern does
const kHatchPeriod = 8;
const painter = setUpChart();
let chartEnabled = true;

function setUpChart() {
  const width = chart.width;
  const height = chart.height;
  // On a high-density screen the chart draws at full resolution, in its own pixels.
  const ratio = window.devicePixelRatio || 1;
  chart.width = Math.round(width * ratio);
  chart.height = Math.round(height * ratio);
  const context = chart.getContext('2d');
  context.scale(ratio, ratio);
  context.lineWidth = kLineWidth;
  context.lineCap = 'round';
  context.lineJoin = 'round';
  context.strokeStyle = kLineColour;
  context.fillStyle = faceColour;
  context.fillRect(0, 0, width, height);
  return { context, width, height };
}

function blankChart() {
  painter.context.fillRect(0, 0, painter.width, painter.height);
}

// The hatch paints one row in eight in the surface colour and leaves the rows between
// as they were, so an older day's line shows through, cut by the hatch.
function drawChart(points) {
  const { context, width, height } = painter;
  for (let y = kHatchRow; y < height; y += kHatchPeriod) context.fillRect(0, y, width, 1);
  if (points.length < 4) return;
  // Through the middle of the pixels, as the window's unsmoothed pen goes.
  context.beginPath();
  context.moveTo(points[0] + 0.5, points[1] + 0.5);
  for (let i = 2; i < points.length; i += 2) context.lineTo(points[i] + 0.5, points[i + 1] + 0.5);
  context.stroke();
}

// The market clock: off, with the window's design interval, until a start.
const timer = { interval: Number(form.dataset.interval), handle: 0 };

function runTimer() {
  timer.handle = setInterval(() => deliver(handlers.tick), timer.interval);
}

function stopTimer() {
  if (timer.handle) clearInterval(timer.handle);
  timer.handle = 0;
}

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
  // Switching the surface off blanks it, the first time only.
  PageDisableChart() {
    if (!chartEnabled) return;
    chartEnabled = false;
    blankChart();
  },
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
    if (!timer.handle) runTimer();
    return 1;
  },
  PageStopTimer: stopTimer,
  PageDrawChart(pointer, count) {
    drawChart(new Int32Array(core.memory.buffer, pointer, count * 2));
  },
  PageMillisecondOfUtcDay() {
    return Date.now() % 86400000;
  },
  PageShowError(pointer, size) {
    window.alert(decoder.decode(bytes(pointer, size)));
  },
};

// The C library's few calls to the system; the core makes none in play.
const systemImports = {
  proc_exit(code) {
    throw new Error(`zemkari.wasm exited with ${code}`);
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

// Runs one of the core's handlers (a click or the tick) and shows the result.
// The board is on screen before the core has loaded: what the player does meanwhile
// waits for it, in order.
let waiting = null;
function deliver(handler, ...args) {
  if (!core) {
    waiting = waiting.then(() => deliver(handler, ...args));
    return;
  }
  // An error that escapes a handler is shown, as the window shows it, and play goes on.
  try {
    core[handler](...args);
  } catch (error) {
    window.alert(String(error));
  } finally {
    flushTexts();
  }
}

function bindClicks() {
  for (const button of buttons) button.addEventListener('click', () => deliver(handlers.click, Number(button.dataset.button)));
}

// The keys click their controls, so a key does what a click does and nothing while the
// control is disabled; a held key acts once.
function bindKeys() {
  const targets = new Map();
  for (const element of form.querySelectorAll('[data-key]')) targets.set(element.dataset.key, element);
  const speeds = [...selectors[1]].sort((a, b) => a.dataset.rank - b.dataset.rank);
  const stepSpeed = (step) => {
    const current = speeds.findIndex((radio) => radio.checked);
    const last = speeds.length - 1;
    // With no item selected, + picks the fastest and - the slowest.
    const rank = current < 0 ? (step < 0 ? 0 : last) : Math.min(Math.max(current + step, 0), last);
    if (rank !== current) speeds[rank].click();
  };
  document.addEventListener('keydown', (event) => {
    if (event.repeat || event.ctrlKey || event.altKey || event.metaKey) return;
    let action = null;
    if (event.key === '-') action = () => stepSpeed(+1);
    else if (event.key === '+' || event.key === '=') action = () => stepSpeed(-1);
    else {
      const name = event.key === 'F5' && event.shiftKey ? 'Shift+F5' : event.shiftKey ? '' : event.key.toUpperCase();
      const target = targets.get(name);
      if (target) action = () => target.click();
    }
    if (!action) return;
    event.preventDefault();
    action();
  });
}

// Compiled while it downloads where the server names it application/wasm; from its
// bytes where a static host names it otherwise.
async function loadCore() {
  const url = new URL('zemkari.wasm', import.meta.url);
  const imports = { env: boardImports, wasi_snapshot_preview1: systemImports };
  let instance;
  try {
    ({ instance } = await WebAssembly.instantiateStreaming(fetch(url), imports));
  } catch {
    const response = await fetch(url);
    ({ instance } = await WebAssembly.instantiate(await response.arrayBuffer(), imports));
  }
  core = instance.exports;
  core._initialize();
}

// The core is fetched once the board has been drawn in its font (the second animation
// frame comes after the first is painted), so that it does not hold up the first
// picture; a click before it is there waits for it.
const nextFrame = () => new Promise((resolve) => requestAnimationFrame(resolve));
const drawn = document.fonts.ready.then(nextFrame).then(nextFrame);
waiting = drawn.then(loadCore);
bindClicks();
bindKeys();
performance.mark('zemkari-ready');
await waiting;
performance.mark('zemkari-core');
