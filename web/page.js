// Builds the window from the program's description, draws the stage on a canvas, passes presses,
// clicks, Esc and the clock to the game, and shows the captions that the game writes.
'use strict';

(() => {
  // The family name that the embedded face is registered under in this page only.
  const EMBEDDED_FAMILY = 'Vintello Embedded Face';

  const labels = new Map();
  let module = null;
  let canvas = null;
  let context = null;
  let running = false;
  let frameRequested = false;

  function problem(text) {
    const p = document.createElement('p');
    p.id = 'problem';
    p.textContent = text;
    document.body.replaceChildren(p);
  }

  // The draws from ?draws=..., for tests that need the same boards as the desktop program.
  function scriptedDraws() {
    return new URLSearchParams(window.location.search).get('draws') || '';
  }

  async function loadEmbeddedFace(layout) {
    const face = new FontFace(EMBEDDED_FAMILY, `url(${layout.labelFontFile})`, {
      // One bold face serves every weight, as on the desktop: nothing is made bolder or thinner.
      weight: '100 900',
    });
    document.fonts.add(await face.load());
  }

  function place(element, control) {
    element.style.left = `${control.left}px`;
    element.style.top = `${control.top}px`;
    element.style.width = `${control.width}px`;
    element.style.height = `${control.height}px`;
    if (!control.visible) element.hidden = true;
  }

  function makeLabel(layout, control) {
    const label = document.createElement('div');
    label.className = `label ${control.alignment}`;
    label.dataset.name = control.name;
    place(label, control);
    label.style.font = `${control.fontWeight} ${control.fontPixelHeight}px ` +
        `"${layout.labelFontFace}", "${EMBEDDED_FAMILY}"`;
    label.style.color = control.textColour;
    const text = document.createElement('span');
    text.textContent = control.text;
    label.append(text);
    labels.set(control.name, text);
    return label;
  }

  function makeButton(control) {
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.name = control.name;
    button.textContent = control.text;
    place(button, control);
    if (!control.tabStop) button.tabIndex = -1;
    button.addEventListener('click', () => {
      if (!running) return;
      module._vintello_restart(performance.now());
      showStageChanges();
    });
    // 按钮1 is not the default button, and Enter does not press it.
    button.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') event.preventDefault();
    });
    return button;
  }

  function makeStage(control) {
    const stage = document.createElement('canvas');
    stage.dataset.name = control.name;
    stage.width = control.width;
    stage.height = control.height;
    place(stage, control);
    if (control.tabStop) stage.tabIndex = 0;
    stage.addEventListener('mousedown', (event) => {
      if (event.button !== 0 || !running) return;
      const box = stage.getBoundingClientRect();
      const x = Math.floor((event.clientX - box.left) * stage.width / box.width);
      const y = Math.floor((event.clientY - box.top) * stage.height / box.height);
      // detail counts the presses of a multiple click: every second one is a double-click's.
      const second = event.detail >= 2 && event.detail % 2 === 0;
      module._vintello_press(x, y, second ? 1 : 0, performance.now());
      showStageChanges();
    });
    // The desktop stage has no menu of its own.
    stage.addEventListener('contextmenu', (event) => event.preventDefault());
    return stage;
  }

  function buildWindow(layout) {
    document.title = layout.caption;
    const win = document.createElement('div');
    win.id = 'window';
    win.setAttribute('role', 'application');
    win.setAttribute('aria-label', layout.caption);
    // No frame or title bar on a page: the whole outer size is client area.
    win.style.width = `${layout.outerWidth}px`;
    win.style.height = `${layout.outerHeight}px`;
    // In creation order, so that a later control lies above an earlier one, as on the desktop.
    for (const control of layout.controls) {
      if (control.kind === 'label') win.append(makeLabel(layout, control));
      else if (control.kind === 'button') win.append(makeButton(control));
      else if (control.kind === 'stage') win.append(canvas = makeStage(control));
      // The droplet template is never shown.
    }
    document.body.replaceChildren(win);
    return win;
  }

  // The face colour that the page's platform gives the window, as 0xRRGGBB for the stage.
  function faceColour(win) {
    const parts = getComputedStyle(win).backgroundColor.match(/\d+/g).map(Number);
    return ((parts[0] << 16) | (parts[1] << 8) | parts[2]) >>> 0;
  }

  function showCaption(name, text) {
    const label = labels.get(name);
    if (label) label.textContent = text;
  }

  function drawChangedAreas() {
    const count = module._vintello_take_changed_areas();
    if (count === 0) return;
    const width = module._vintello_canvas_width();
    const height = module._vintello_canvas_height();
    // Views are made afresh each time: memory growth replaces the buffer under old ones.
    const bytes = new Uint8ClampedArray(module.HEAPU8.buffer, module._vintello_canvas_bytes(),
                                        width * height * 4);
    const image = new ImageData(bytes, width, height);
    const areas = new Int32Array(module.HEAP32.buffer, module._vintello_changed_areas(),
                                 count * 4);
    for (let i = 0; i < count; ++i) {
      const [left, top, w, h] = areas.subarray(i * 4, i * 4 + 4);
      if (w > 0 && h > 0) context.putImageData(image, 0, 0, left, top, w, h);
    }
  }

  function frame(now) {
    frameRequested = false;
    if (!running) return;
    const moving = module._vintello_tick(now) !== 0;
    drawChangedAreas();
    if (moving) requestFrame();
  }

  function requestFrame() {
    if (frameRequested) return;
    frameRequested = true;
    requestAnimationFrame(frame);
  }

  // After anything acted on the stage: draw what changed and keep the clock going while
  // something moves.
  function showStageChanges() {
    drawChangedAreas();
    if (module._vintello_tick(performance.now()) !== 0) requestFrame();
  }

  // A page cannot close itself: the window goes and a line says that the game has ended.
  function close() {
    if (!running) return;
    running = false;
    module._vintello_close();
    const note = document.createElement('p');
    note.id = 'closed';
    note.textContent = 'Vintello has been closed. Reload the page to play again.';
    document.body.replaceChildren(note);
  }

  async function start() {
    if (typeof createVintello !== 'function') {
      problem('The game could not be loaded.');
      return;
    }
    module = await createVintello({showCaption});
    const layout = JSON.parse(module.UTF8ToString(module._vintello_layout_json()));
    await loadEmbeddedFace(layout).catch(() => {});
    const win = buildWindow(layout);
    context = canvas.getContext('2d', {alpha: false});
    const started = module.ccall('vintello_start', 'number', ['number', 'string', 'number'],
                                 [faceColour(win), scriptedDraws(), performance.now()]);
    if (started !== 0) {
      problem('The list of draws in the address does not read.');
      return;
    }
    running = true;
    document.addEventListener('keydown', (event) => {
      if (event.key === 'Escape' && !event.ctrlKey && !event.shiftKey && !event.altKey) close();
    });
    showStageChanges();
    // Read-only hooks for the page's tests.
    window.vintello = Object.freeze({
      ready: true,
      closed: () => !running,
      objectCount: () => (running ? module._vintello_object_count() : -1),
      cell: (index) => (running ? module._vintello_cell(index) : -1),
      water: () => (running ? module._vintello_water() : -1),
      level: () => (running ? module._vintello_level() : -1),
    });
  }

  start().catch((error) => problem(`The game could not start: ${error}`));
})();
