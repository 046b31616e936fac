// The thin browser layer: builds the controls from the layout the program hands over, places
// them crisply at any size, schedules the tick on the clock, and draws what the program asks
// on the panels' canvases. Every rule of the oscillation lives in the program.
'use strict';

const fontFamily = 'Tessarion';
const readoutFontFamily = 'Tessarion Narrow';
const windowFontPixels = 13; // 9.75 points
// Liberation Sans Bold's ascender (hhea, in 2048ths of the size). The desktop puts a panel
// text's baseline this far below its top without rounding; the canvas metrics round it.
const fontAscent = 1854 / 2048;
const largeFontPixels = 16; // 12 points
const framePixels = 2;
// The large label's underline: the font's thickness at 12 points, whole pixels as on the desktop.
const underlinePixels = 2;
const frameCornerPixels = 6;
const buttonCornerPixels = 2;

function cssRgb(rgb) {
  return '#' + rgb.toString(16).padStart(6, '0');
}

// The canvas calls of the program's drawing device, in device pixels of canvas `target`: a
// panel's, or its kept image's.
var tessarionCanvas = {
  contexts: [],
  fontPixels: windowFontPixels,
  ascent: 0,
  context(target, rgb, fill) {
    const context = this.contexts[target];
    const colour = cssRgb(rgb);
    if (fill) context.fillStyle = colour;
    else context.strokeStyle = colour;
    return context;
  },
  fillRect(target, x, y, width, height, rgb) {
    this.context(target, rgb, true).fillRect(x, y, width, height);
  },
  strokeLine(target, x1, y1, x2, y2, width, rgb) {
    const context = this.context(target, rgb, false);
    context.lineWidth = width;
    context.beginPath();
    context.moveTo(x1, y1);
    context.lineTo(x2, y2);
    context.stroke();
  },
  fillDisc(target, x, y, radius, rgb) {
    const context = this.context(target, rgb, true);
    context.beginPath();
    context.arc(x, y, radius, 0, 2 * Math.PI);
    context.fill();
  },
  strokeEllipse(target, x, y, radiusX, radiusY, width, rgb) {
    const context = this.context(target, rgb, false);
    context.lineWidth = width;
    context.beginPath();
    context.ellipse(x, y, Math.max(radiusX, 0), Math.max(radiusY, 0), 0, 0, 2 * Math.PI);
    context.stroke();
  },
  fillText(target, x, y, text, scale, rgb) {
    const context = this.context(target, rgb, true);
    context.font = `bold ${this.fontPixels * scale}px ${fontFamily}`;
    context.fillText(text, x, y + this.ascent * scale);
  },
  // A canvas of the page's own, off the document (a panel's kept image), made ready to draw on.
  prepare(target, width, height) {
    let context = this.contexts[target];
    if (!context) {
      const canvas = document.createElement('canvas');
      context = this.contexts[target] = canvas.getContext('2d', { alpha: false });
    }
    if (context.canvas.width !== width) context.canvas.width = width;
    if (context.canvas.height !== height) context.canvas.height = height;
  },
  put(target, from) {
    this.contexts[target].drawImage(this.contexts[from].canvas, 0, 0);
  },
};

var tessarionPage = {
  layout: null,
  fields: new Map(),
  panels: [],
  pendingPaints: new Set(),
  frameRequest: 0,
  fragment: '',
  fragmentWrite: 0,

  // The tick: each one is due a whole number of intervals after the start, so that slow
  // callbacks never add up to drift; when stopped nothing is scheduled.
  ticker: {
    interval: 50,
    enabled: false,
    due: 0,
    handle: 0,
    setEnabled(on) {
      const enabled = Boolean(on);
      if (enabled === this.enabled) return;
      this.enabled = enabled;
      if (enabled) {
        this.due = performance.now() + this.interval;
        this.schedule();
      } else {
        clearTimeout(this.handle);
        this.handle = 0;
      }
    },
    setInterval(milliseconds) {
      // Re-applied on every paint; only a new value moves the next tick.
      if (milliseconds === this.interval) return;
      this.interval = milliseconds;
      if (this.enabled) {
        clearTimeout(this.handle);
        this.due = performance.now() + milliseconds;
        this.schedule();
      }
    },
    schedule() {
      this.handle = setTimeout(() => this.fire(), Math.max(0, this.due - performance.now()));
    },
    fire() {
      // The next tick is due before this one runs, so that no error in it loses the schedule;
      // a tick that stops the timer or changes its interval cancels or moves this one.
      this.due += this.interval;
      // A hidden tab's timers are throttled: go on from now, without a burst of catch-up ticks.
      const now = performance.now();
      if (this.due < now) this.due = now + this.interval;
      this.schedule();
      tessarionPage.guarded(() => Module._tessarion_tick());
    },
  },
  reportedErrors: new Set(),

  // Runs a call into the program; an error is reported on the console once, and the ticks
  // and paints after it go on.
  guarded(call) {
    try {
      call();
    } catch (error) {
      const text = String((error && error.stack) || error);
      if (this.reportedErrors.has(text)) return;
      this.reportedErrors.add(text);
      console.error('Tessarion:', error);
    }
  },

  setText(name, text) {
    const field = this.fields.get(name);
    if (field.value === text) return;
    field.value = text;
    // Show the start of a value that is wider than the field, not its end.
    field.scrollLeft = 0;
  },
  // A panel's description: its fixed text, then one sentence about what it shows now, worded in
  // the user's language around the numbers the program wrote, one a line.
  setStatement(index, wording, numbers) {
    const panel = this.panels[index];
    const sentence = numbers.split('\n').reduce(
      (text, number, i) => text.replace(`%${i + 1}`, number), this.say(wording));
    const text = `${this.say(panel.spec.description)}. ${sentence}`;
    if (panel.description.textContent !== text) panel.description.textContent = text;
  },
  setBackColor(name, rgb) {
    this.fields.get(name).style.backgroundColor = cssRgb(rgb);
  },
  scheduleRepaint(panel) {
    this.pendingPaints.add(panel);
    if (this.frameRequest) return;
    this.frameRequest = requestAnimationFrame(() => {
      this.frameRequest = 0;
      const panels = [...this.pendingPaints].sort();
      this.pendingPaints.clear();
      for (const index of panels) this.guarded(() => Module._tessarion_paint(index));
    });
  },

  languageTags() {
    return navigator.languages && navigator.languages.length ? navigator.languages
      : [navigator.language || 'en'];
  },
  language() {
    for (const tag of this.languageTags()) {
      const primary = String(tag).toLowerCase().split('-')[0];
      if (primary === 'en') return 'en';
      if (tessarionTranslations[primary]) return primary;
    }
    return 'en';
  },
  // Tags that Intl rejects (a browser under the C locale reports "C") are passed over;
  // with none left the separator is ".".
  decimalSeparator() {
    const known = this.languageTags().filter((tag) => {
      try {
        return Intl.NumberFormat.supportedLocalesOf(tag).length > 0;
      } catch {
        return false;
      }
    });
    if (known.length === 0) return '.';
    const parts = new Intl.NumberFormat(known).formatToParts(1.5);
    const decimal = parts.find((part) => part.type === 'decimal');
    return decimal ? decimal.value : '.';
  },

  build() {
    this.layout = JSON.parse(UTF8ToString(Module._tessarion_layout()));
    const language = this.language();
    const translations = tessarionTranslations[language] || {};
    const say = (text) => translations[text] || text;
    this.say = say;
    document.documentElement.lang = language;
    document.title = this.layout.caption;
    const root = document.getElementById('form1');
    const byName = new Map(this.layout.controls.map((spec) => [spec.name, spec]));
    // Focusable controls join the page in tab order; labels, frames and panels lie beneath.
    const controls = [...this.layout.controls].sort((a, b) => a.tabIndex - b.tabIndex);
    for (const spec of controls) {
      let element;
      switch (spec.kind) {
        case 'panel': {
          element = document.createElement('div');
          element.className = 'panel';
          element.tabIndex = 0;
          element.setAttribute('role', 'img');
          element.setAttribute('aria-label', say(spec.accessibleName));
          const description = document.createElement('span');
          description.id = spec.name + '-description';
          description.className = 'hidden';
          description.textContent = say(spec.description);
          element.append(description);
          element.setAttribute('aria-describedby', description.id);
          const canvas = document.createElement('canvas');
          canvas.setAttribute('aria-hidden', 'true');
          element.append(canvas);
          // The program knows each panel by its number in the layout.
          const index = spec.panel;
          tessarionCanvas.contexts[index] = canvas.getContext('2d', { alpha: false });
          this.panels[index] = { spec, element, canvas, description, scaleX: 1, scaleY: 1 };
          // A panel that takes the focus says what it shows now, whatever the pace.
          element.addEventListener('focus', () =>
            this.guarded(() => Module._tessarion_describe(index)));
          break;
        }
        case 'textField':
          element = document.createElement('input');
          element.type = 'text';
          element.spellcheck = false;
          element.autocomplete = 'off';
          element.value = spec.caption;
          element.setAttribute('aria-label', say(spec.accessibleName));
          if (spec.centred) element.classList.add('centred');
          this.fields.set(spec.name, element);
          break;
        case 'button':
          element = document.createElement('button');
          element.type = 'button';
          element.textContent = spec.caption;
          element.setAttribute('aria-label', say(spec.accessibleName));
          element.title = say(spec.toolTip).replace('%1', String(spec.toolTipNumber));
          element.addEventListener('click', () => {
            ccall('tessarion_click', null, ['string'], [spec.name]);
            this.keepFragment();
          });
          break;
        case 'label':
          element = document.createElement(spec.buddy ? 'label' : 'div');
          if (spec.buddy) element.htmlFor = spec.buddy;
          element.className = 'label';
          if (spec.container) element.classList.add('on-panel');
          element.textContent = spec.caption;
          if (spec.centred) element.classList.add('centred');
          if (spec.largeFont) element.classList.add('large');
          if (!spec.visible) element.hidden = true;
          break;
        case 'frame':
          element = document.createElement('div');
          element.className = 'frame';
          element.style.borderColor = cssRgb(spec.foreColor);
          break;
        default:
          continue; // line figures are the panels' own; the timer is the ticker
      }
      element.id = spec.name;
      element.spec = spec;
      element.container = spec.container ? byName.get(spec.container) : null;
      root.append(element);
    }
  },

  // Places every control at the zoom that fits the layout into the viewport, on whole device
  // pixels, and gives each canvas a backing store of the panel's device pixels.
  place() {
    const ratio = window.devicePixelRatio || 1;
    const { width, height, border } = this.layout;
    // A message line takes its room under the window; without one the window has it all.
    const message = document.getElementById('message');
    const room = window.innerHeight - (message.hidden ? 0 : message.offsetHeight);
    const zoom = Math.min(window.innerWidth / width, room / height);
    const device = (value) => Math.round(value * zoom * ratio);
    const offsetX = Math.round(((window.innerWidth - width * zoom) / 2) * ratio);
    const offsetY = Math.round(((room - height * zoom) / 2) * ratio);
    message.style.top = offsetY / ratio + height * zoom + 'px';
    const box = (element, left, top, right, bottom) => {
      element.style.left = (offsetX + left) / ratio + 'px';
      element.style.top = (offsetY + top) / ratio + 'px';
      element.style.width = (right - left) / ratio + 'px';
      element.style.height = (bottom - top) / ratio + 'px';
    };
    const deviceLine = (pixels) => Math.max(1, device(pixels)) / ratio + 'px';
    document.documentElement.style.setProperty('--font', windowFontPixels * zoom + 'px');
    document.documentElement.style.setProperty('--large-font', largeFontPixels * zoom + 'px');
    document.documentElement.style.setProperty('--frame', deviceLine(framePixels));
    // The outlines of buttons and read-outs, and the cursor's room after centred text.
    document.documentElement.style.setProperty('--line', deviceLine(1));
    document.documentElement.style.setProperty('--underline', deviceLine(underlinePixels));
    document.documentElement.style.setProperty('--corner', frameCornerPixels * zoom + 'px');
    document.documentElement.style.setProperty('--button-corner', buttonCornerPixels * zoom + 'px');
    for (const element of document.getElementById('form1').children) {
      const spec = element.spec;
      // Inside a panel, places count from the inner area, within the border.
      const originX = element.container ? element.container.left + border : 0;
      const originY = element.container ? element.container.top + border : 0;
      const left = originX + spec.left;
      const top = originY + spec.top;
      if (spec.kind !== 'panel') {
        box(element, device(left), device(top), device(left + spec.width), device(top + spec.height));
        if (spec.largeFont) this.endUnderline(element, (device(left + spec.width) - device(left)) / ratio);
        continue;
      }
      // The border is whole device pixels; the canvas is the inner area exactly.
      const edge = Math.max(1, device(border));
      const inner = [device(left + border), device(top + border),
        device(left + spec.width - border), device(top + spec.height - border)];
      box(element, inner[0] - edge, inner[1] - edge, inner[2] + edge, inner[3] + edge);
      element.style.borderWidth = edge / ratio + 'px';
      const panel = this.panels[spec.panel];
      const canvas = panel.canvas;
      canvas.width = inner[2] - inner[0];
      canvas.height = inner[3] - inner[1];
      canvas.style.width = canvas.width / ratio + 'px';
      canvas.style.height = canvas.height / ratio + 'px';
      panel.scaleX = canvas.width / (spec.width - 2 * border);
      panel.scaleY = canvas.height / (spec.height - 2 * border);
      Module._tessarion_set_place(spec.panel, panel.scaleX, panel.scaleY,
        offsetX + inner[0], offsetY + inner[1]);
    }
  },

  // Qt ends an underline at the whole pixel before its text's end, the browser at the nearest
  // device pixel: the label is cut off there, where nothing of its text is left but a space.
  endUnderline(label, width) {
    const probe = document.createElement('canvas').getContext('2d');
    probe.font = getComputedStyle(label).font;
    const advance = probe.measureText(label.textContent).width;
    const start = label.spec.centred ? (width - advance) / 2 : 0;
    label.style.clipPath = `inset(0 ${width - Math.floor(start + advance)}px 0 0)`;
  },

  // The settings of the address that were refused, under the window and on the console, in
  // the user's language.
  showProblems(problems) {
    const lines = problems.map(({ text, written, lowest, highest }) =>
      this.say(text).replace(/%([1-3])/g, (_, n) => [written, lowest, highest][n - 1]));
    for (const line of lines) console.warn('Tessarion:', line);
    const message = document.getElementById('message');
    message.textContent = lines.join('\n');
    message.hidden = lines.length === 0;
  },

  // While the page is open its address opens it in the state it shows: every press rewrites
  // the fragment to the state it leaves, in place, so the history gains no entries; a tick does
  // not. Browsers refuse more than 100 rewrites in 10 s, so a burst of presses is written once,
  // a quarter second after its first.
  keepFragment() {
    const running = this.ticker.enabled ? 1 : 0;
    this.fragment = '#' + ccall('tessarion_fragment', 'string', ['number'], [running]);
    this.fragmentWrite ||= setTimeout(() => this.guarded(() => {
      this.fragmentWrite = 0;
      if (location.hash !== this.fragment) history.replaceState(history.state, '', this.fragment);
    }), 250);
  },

  // The window system's paint of every panel, as when the window is shown or resized.
  paintAll() {
    this.place();
    for (let index = 0; index < this.panels.length; ++index)
      this.guarded(() => Module._tessarion_paint(index));
  },

  // The device pixel ratio changes with the browser's zoom and with the screen.
  watchRatio() {
    const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
    query.addEventListener('change', () => {
      this.paintAll();
      this.watchRatio();
    }, { once: true });
  },

  toggleFullScreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen();
  },

  async start() {
    await Promise.all([fontFamily, readoutFontFamily].map((family) =>
      document.fonts.load(`bold ${windowFontPixels}px "${family}"`)));
    const probe = document.createElement('canvas').getContext('2d');
    probe.font = `bold ${windowFontPixels}px ${fontFamily}`;
    const metrics = probe.measureText('Ag');
    tessarionCanvas.ascent = fontAscent * windowFontPixels;
    const lineHeight = metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent;
    this.build();
    ccall('tessarion_start', null, ['string', 'number'], [this.decimalSeparator(), lineHeight]);
    this.showProblems(JSON.parse(
      ccall('tessarion_read_preset', 'string', ['string'], [location.hash.slice(1)])));
    this.paintAll();
    Module._tessarion_apply_preset();
    this.keepFragment();
    // A fragment typed into the address opens the page afresh with it.
    window.addEventListener('hashchange', () => location.reload());
    this.watchRatio();
    window.addEventListener('resize', () => this.paintAll());
    document.addEventListener('keydown', (event) => {
      if (event.key === 'F11' && document.fullscreenEnabled) {
        event.preventDefault();
        this.toggleFullScreen();
      }
    });
    document.body.addEventListener('dblclick', (event) => {
      if (event.target === document.body && document.fullscreenEnabled) this.toggleFullScreen();
    });
    tessarionPictures.start();
    // The first stop of the tab order has the focus when the page opens.
    document.querySelector('#form1 [tabindex], #form1 button, #form1 input').focus();
    document.body.dataset.ready = 'true';
  },
};

Module.onRuntimeInitialized = () => tessarionPage.start();
