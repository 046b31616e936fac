// Pictures out of the page, as the desktop takes them out of its window: the whole layout drawn
// afresh, its panels by the program in the order of a tick, as an SVG of vector shapes and as a
// PNG at twice the layout's size, put on the clipboard or downloaded. A small menu button in a
// corner that no control takes offers them; Ctrl+C copies.

// The large label's underline has its top a pixel below the baseline, where the browser puts
// it from the font's underline position.
const underlineBelowBaseline = 1;
// Twice the layout prints sharply on a page and fills a slide.
const pngScale = 2;
// The menu button's side in CSS pixels, and its distance from the window's edges.
const menuButtonPixels = { least: 12, most: 28, gap: 2 };
// Where the fonts of the page are missing (a drawing program), these stand in for them.
const svgFonts = {
  window: `${fontFamily}, 'Liberation Sans', Arial, sans-serif`,
  readout: `'${readoutFontFamily}', 'Liberation Sans Narrow', 'Arial Narrow', sans-serif`,
};
const pictureIcon = '<svg viewBox="0 0 16 16" aria-hidden="true" focusable="false">' +
  '<rect x="1.5" y="2.5" width="13" height="11" rx="1" fill="none" stroke="currentColor"/>' +
  '<path d="M3 12l3.5-4.5 2.5 3 2-2 2.5 3.5z" fill="currentColor"/>' +
  '<circle cx="11" cy="5.5" r="1.4" fill="currentColor"/></svg>';

function xmlText(text) {
  return String(text).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
    .replace(/"/g, '&quot;');
}

// The attributes of an SVG element, numbers rounded to a thousandth of a pixel.
function svgAttributes(attributes) {
  return Object.entries(attributes).map(([name, value]) =>
    ` ${name}="${typeof value === 'number' ? +value.toFixed(3) : xmlText(value)}"`).join('');
}
const svgElement = (name, attributes, content) => content === undefined
  ? `<${name}${svgAttributes(attributes)}/>\n`
  : `<${name}${svgAttributes(attributes)}>${content}</${name}>\n`;

var tessarionPictures = {
  button: null,
  menu: null,
  message: null,
  // Per font: the height of a line of text and its baseline below the line's top, as the page
  // lays out its controls at 100 %.
  lines: new Map(),
  // The right and bottom edges of the layout's controls, in layout pixels.
  extent: [0, 0],

  say(text) {
    return (tessarionTranslations[tessarionPage.language()] || {})[text] || text;
  },

  start() {
    const texts = tessarionPageTexts;
    const area = document.createElement('div');
    area.id = 'pictures';
    this.button = document.createElement('button');
    this.button.type = 'button';
    this.button.id = 'pictures-button';
    this.button.innerHTML = pictureIcon;
    this.button.title = this.say(texts.pictures);
    this.button.setAttribute('aria-label', this.say(texts.pictures));
    this.button.setAttribute('aria-haspopup', 'menu');
    this.button.setAttribute('aria-expanded', 'false');
    this.button.setAttribute('aria-controls', 'picture-menu');
    this.menu = document.createElement('div');
    this.menu.id = 'picture-menu';
    this.menu.setAttribute('role', 'menu');
    this.menu.setAttribute('aria-label', this.say(texts.pictures));
    this.menu.hidden = true;
    const entries = [
      { id: 'copy-picture', text: texts.copyPicture, key: 'Ctrl+C', action: () => this.copy() },
      { id: 'save-picture', text: texts.savePicture, action: () => this.save('png') },
      { id: 'save-svg', text: texts.saveSvg, action: () => this.save('svg') },
    ];
    // The page's minifier loses names that a for-of destructures.
    for (const entry of entries) {
      const item = document.createElement('button');
      item.type = 'button';
      item.id = entry.id;
      item.tabIndex = -1;
      item.setAttribute('role', 'menuitem');
      item.append(this.say(entry.text));
      if (entry.key) {
        // Screen readers say the key from aria-keyshortcuts, not as part of the name.
        const shortcut = document.createElement('kbd');
        shortcut.textContent = entry.key;
        shortcut.setAttribute('aria-hidden', 'true');
        item.append(shortcut);
        item.setAttribute('aria-keyshortcuts', entry.key.replace('Ctrl', 'Control'));
      }
      item.addEventListener('click', () => {
        this.closeMenu(true);
        entry.action();
      });
      this.menu.append(item);
    }
    this.message = document.createElement('div');
    this.message.id = 'picture-message';
    this.message.setAttribute('role', 'alert');
    this.message.hidden = true;
    area.append(this.message, this.menu, this.button);
    document.body.append(area);

    this.button.addEventListener('click', () => {
      if (this.menu.hidden) this.openMenu(0);
      else this.closeMenu(true);
    });
    this.button.addEventListener('keydown', (event) => {
      if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
        event.preventDefault();
        this.openMenu(event.key === 'ArrowDown' ? 0 : -1);
      }
    });
    this.menu.addEventListener('keydown', (event) => this.menuKey(event));
    area.addEventListener('focusout', (event) => {
      if (!area.contains(event.relatedTarget)) this.closeMenu(false);
    });
    // A click or a key elsewhere closes the menu, and takes away a message once read.
    document.addEventListener('pointerdown', (event) => {
      if (!area.contains(event.target)) this.closeMenu(false);
      this.showMessage('');
    });
    document.addEventListener('keydown', (event) => {
      this.showMessage('');
      this.copyKey(event);
    });

    for (const spec of tessarionPage.layout.controls) {
      if (spec.container || spec.kind === 'timer' || spec.kind === 'lineFigure') continue;
      this.extent[0] = Math.max(this.extent[0], spec.left + spec.width);
      this.extent[1] = Math.max(this.extent[1], spec.top + spec.height);
    }
    this.place();
    window.addEventListener('resize', () => this.place());
  },

  // The button takes the corner right of every control or below them, whichever is larger:
  // the layout's own free margin, and the window's beside a layout that does not fill it.
  place() {
    const { width, height } = tessarionPage.layout;
    const zoom = Math.min(window.innerWidth / width, window.innerHeight / height);
    const freeRight = (window.innerWidth + width * zoom) / 2 - this.extent[0] * zoom;
    const freeBottom = (window.innerHeight + height * zoom) / 2 - this.extent[1] * zoom;
    const room = Math.max(freeRight, freeBottom) - 2 * menuButtonPixels.gap;
    const side = Math.max(menuButtonPixels.least, Math.min(menuButtonPixels.most, room));
    document.documentElement.style.setProperty('--menu-button', side + 'px');
    document.documentElement.style.setProperty('--menu-gap', menuButtonPixels.gap + 'px');
  },

  items() {
    return [...this.menu.querySelectorAll('[role=menuitem]')];
  },
  openMenu(index) {
    this.menu.hidden = false;
    this.button.setAttribute('aria-expanded', 'true');
    this.items().at(index).focus();
  },
  closeMenu(refocus) {
    if (this.menu.hidden) return;
    this.menu.hidden = true;
    this.button.setAttribute('aria-expanded', 'false');
    if (refocus) this.button.focus();
  },
  menuKey(event) {
    const items = this.items();
    const at = items.indexOf(document.activeElement);
    const moves = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: items.length - 1 };
    if (event.key in moves) {
      event.preventDefault();
      items[(moves[event.key] + items.length) % items.length].focus();
    } else if (event.key === 'Escape') {
      event.preventDefault();
      this.closeMenu(true);
    } else if (event.key === 'Tab') {
      this.closeMenu(false);
    }
  },

  // Ctrl+C copies the picture, unless text is selected: a read-out's selected text is copied as
  // text, as on the desktop.
  copyKey(event) {
    if (!(event.ctrlKey || event.metaKey) || event.altKey || event.shiftKey ||
        event.key.toLowerCase() !== 'c') return;
    const active = document.activeElement;
    const selectedInField = active instanceof HTMLInputElement &&
      active.selectionStart !== active.selectionEnd;
    if (selectedInField || String(window.getSelection())) return;
    event.preventDefault();
    this.copy();
  },

  // The picture is drawn at once, so that a running animation cannot move between its panels;
  // the clipboard takes the PNG as soon as it is made.
  copy() {
    let written;
    try {
      const png = this.png(this.svg(pngScale));
      written = navigator.clipboard.write([new ClipboardItem({ 'image/png': png })]);
    } catch (error) {
      written = Promise.reject(error);
    }
    written.then(() => this.showMessage(''), (error) => {
      console.warn('Tessarion: the clipboard refused the picture:', error);
      this.showMessage(this.say(tessarionPageTexts.clipboardRefused));
    });
  },

  // Downloads the picture as a PNG or an SVG, named after the phase as on the desktop.
  save(type) {
    const name = `tessarion-phase-${Module._tessarion_phase()}.${type}`;
    const svg = this.svg(type === 'png' ? pngScale : 1);
    const made = type === 'png' ? this.png(svg)
      : Promise.resolve(new Blob([svg], { type: 'image/svg+xml' }));
    made.then((blob) => {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(blob);
      link.download = name;
      link.click();
      // The download has long begun by then.
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    }).catch((error) => console.error('Tessarion:', error));
  },

  showMessage(text) {
    this.message.textContent = text;
    this.message.hidden = !text;
  },

  // The SVG rasterized on a canvas of its own size. Its fonts come with it, so that its texts
  // look as on the page.
  async png(svg) {
    const image = new Image();
    image.src = 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(svg);
    await image.decode();
    const canvas = document.createElement('canvas');
    canvas.width = image.naturalWidth;
    canvas.height = image.naturalHeight;
    canvas.getContext('2d').drawImage(image, 0, 0);
    return new Promise((resolve, reject) => canvas.toBlob((blob) =>
      (blob ? resolve(blob) : reject(new Error('the picture could not be made'))), 'image/png'));
  },

  // A line of `font` as the page lays it out: its height and its baseline below its top.
  line(font) {
    if (!this.lines.has(font)) {
      const probe = document.createElement('div');
      probe.style.cssText =
        `position:absolute; visibility:hidden; font:${font}; line-height:normal`;
      const mark = document.createElement('span');
      mark.style.cssText = 'display:inline-block; width:0; height:0';
      probe.append('X', mark);
      document.body.append(probe);
      const top = probe.getBoundingClientRect().top;
      this.lines.set(font, { height: probe.getBoundingClientRect().height,
        baseline: mark.getBoundingClientRect().top - top });
      probe.remove();
    }
    return this.lines.get(font);
  },

  // One caption or value: `box` is the control's [left, top, width, height], `inset` the room
  // its padding leaves on the left and the right; labels lie at the top, the others centred.
  caption(text, font, family, box, { centred, inset = [0, 0], top = false }) {
    const { height, baseline } = this.line(font);
    const [left, boxTop, width, boxHeight] = box;
    // Spaces count, as in the captions "   Rad:" and "F  a  z  a ".
    const attributes = {
      'xml:space': 'preserve',
      x: centred ? left + inset[0] + (width - inset[0] - inset[1]) / 2 : left + inset[0],
      // Centred lines start on a whole pixel, as the page's fields and buttons place them.
      y: boxTop + (top ? 0 : Math.round((boxHeight - height) / 2)) + baseline,
      'font-family': family,
    };
    if (centred) attributes['text-anchor'] = 'middle';
    return svgElement('text', attributes, xmlText(text));
  },

  // The layout's controls as the page shows them, in its layers: frames and labels on the
  // window, the panels, labels on the panels, then buttons and read-outs.
  controls() {
    const { border } = tessarionPage.layout;
    const layers = [[], [], [], []];
    const font = (pixels, family) => `bold ${pixels}px ${family}`;
    for (const element of document.getElementById('form1').children) {
      const spec = element.spec;
      if (element.hidden) continue;
      const left = spec.left + (element.container ? element.container.left + border : 0);
      const top = spec.top + (element.container ? element.container.top + border : 0);
      const box = [left, top, spec.width, spec.height];
      const style = getComputedStyle(element);
      switch (spec.kind) {
        case 'frame':
          layers[0].push(svgElement('rect', {
            x: left + framePixels / 2, y: top + framePixels / 2, width: spec.width - framePixels,
            height: spec.height - framePixels, rx: frameCornerPixels - framePixels / 2,
            fill: 'none', stroke: style.borderTopColor, 'stroke-width': framePixels,
          }));
          break;
        case 'label': {
          const pixels = spec.largeFont ? largeFontPixels : windowFontPixels;
          const text = this.caption(spec.caption, font(pixels, fontFamily), svgFonts.window, box,
            { centred: spec.centred, top: true });
          const layer = layers[element.container ? 2 : 0];
          layer.push(spec.largeFont ? `<g font-size="${pixels}">${text}</g>\n` : text);
          if (spec.largeFont) layer.push(this.underline(spec, box, font(pixels, fontFamily)));
          break;
        }
        case 'panel': {
          const [right, bottom] = [left + spec.width, top + spec.height];
          const points = (corners) => corners.map((corner) => corner.join(',')).join(' ');
          // The sunken border: dark at the top and left, light at the bottom and right, the
          // two meeting on the diagonals of the corners.
          layers[1].push(svgElement('polygon', { fill: style.borderTopColor, points: points([
            [left, top], [right, top], [right - border, top + border],
            [left + border, top + border], [left + border, bottom - border], [left, bottom]]) }));
          layers[1].push(svgElement('polygon', { fill: style.borderBottomColor, points: points([
            [right, top], [right, bottom], [left, bottom], [left + border, bottom - border],
            [right - border, bottom - border], [right - border, top + border]]) }));
          break;
        }
        case 'button':
          layers[3].push(svgElement('rect', {
            x: left + 0.5, y: top + 0.5, width: spec.width - 1, height: spec.height - 1,
            rx: buttonCornerPixels - 0.5, fill: 'url(#button-face)', stroke: style.borderTopColor,
          }));
          layers[3].push(this.caption(spec.caption, font(windowFontPixels, fontFamily),
            svgFonts.window, box, { centred: true }));
          break;
        case 'textField': {
          // The field cuts its value off at its edges, as an inner viewport does.
          const outline = style.boxShadow.match(/rgba?\([^)]*\)/)[0];
          const field = [0, 0, spec.width, spec.height];
          layers[3].push(`<svg${svgAttributes({ x: left, y: top, width: spec.width,
            height: spec.height, overflow: 'hidden' })}>\n` +
            svgElement('rect', { width: spec.width, height: spec.height,
              fill: style.backgroundColor }) +
            svgElement('rect', { x: 0.5, y: 0.5, width: spec.width - 1, height: spec.height - 1,
              fill: 'none', stroke: outline }) +
            this.caption(element.value, font(windowFontPixels, `"${readoutFontFamily}"`),
              svgFonts.readout, field, { centred: spec.centred,
                inset: [1, spec.centred ? 2 : 1] }) + '</svg>\n');
          break;
        }
        default:
          break;
      }
    }
    return layers;
  },

  // The large label's underline ends where the page cuts it off: at the whole pixel before the
  // end of its text.
  underline(spec, [left, top, width], font) {
    const probe = document.createElement('canvas').getContext('2d');
    probe.font = font;
    const metrics = probe.measureText(spec.caption);
    const start = left + (spec.centred ? (width - metrics.width) / 2 : 0);
    const baseline = top + this.line(font).baseline;
    return svgElement('rect', { x: start, y: baseline + underlineBelowBaseline,
      width: Math.floor(start + metrics.width) - start, height: underlinePixels, fill: '#000' });
  },

  // The page's fonts as data, so that the picture's texts look as on the page wherever the SVG
  // is shown, and at all when it is rasterized.
  fontFaces() {
    const faces = [];
    for (const sheet of document.styleSheets) {
      for (const rule of sheet.cssRules)
        if (rule instanceof CSSFontFaceRule) faces.push(rule.cssText);
    }
    return faces.join('\n');
  },

  // The whole layout, drawn afresh, as an SVG document at `scale` pixels per layout pixel.
  svg(scale) {
    const { width, height, caption } = tessarionPage.layout;
    // The panels first: their paints write the read-outs that the picture then shows.
    const panels = UTF8ToString(Module._tessarion_picture(scale, fontAscent * windowFontPixels));
    const layers = this.controls();
    const face = getComputedStyle(document.querySelector('#form1 > button')).backgroundImage
      .match(/rgba?\([^)]*\)/g);
    const inLayout = (content) => `<g transform="scale(${scale})">\n${content}</g>\n`;
    return '<?xml version="1.0" encoding="UTF-8"?>\n' +
      `<svg${svgAttributes({ xmlns: 'http://www.w3.org/2000/svg', width: width * scale,
        height: height * scale, viewBox: `0 0 ${width * scale} ${height * scale}`,
        'font-weight': 'bold', 'font-size': windowFontPixels })}>\n` +
      `<title>${xmlText(caption)}</title>\n` +
      '<!-- The fonts are Liberation Sans Bold and Liberation Sans Narrow Bold (GPL 2 with ' +
      'the font exception), cut down to the characters the page shows. -->\n' +
      `<style>\n${this.fontFaces()}\n</style>\n` +
      '<defs><linearGradient id="button-face" x1="0" y1="0" x2="0" y2="1">' +
      `<stop offset="0" stop-color="${face[0]}"/><stop offset="1" stop-color="${face[1]}"/>` +
      '</linearGradient></defs>\n' +
      inLayout(svgElement('rect', { width, height,
        fill: getComputedStyle(document.body).backgroundColor }) + layers[0].join('') +
        layers[1].join('')) +
      `<g${svgAttributes({ 'font-family': svgFonts.window,
        'font-size': windowFontPixels * scale })}>\n${panels}</g>\n` +
      inLayout(layers[2].join('') + layers[3].join('')) + '</svg>\n';
  },
};
