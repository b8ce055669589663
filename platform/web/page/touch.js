// Touch controls for phones and tablets: a direction pad and buttons beside or below the
// canvas that press the keyboard keys the game already reads. Shown on a touch screen only.
(function () {
  'use strict';
  // Keys as the browser reports them: DOM key, DOM code, key code.
  var UP = ['ArrowUp', 'ArrowUp', 38], DOWN = ['ArrowDown', 'ArrowDown', 40];
  var LEFT = ['ArrowLeft', 'ArrowLeft', 37], RIGHT = ['ArrowRight', 'ArrowRight', 39];
  var FIRE_UP = ['w', 'KeyW', 87], FIRE_DOWN = ['s', 'KeyS', 83];
  var FIRE_LEFT = ['a', 'KeyA', 65], FIRE_RIGHT = ['d', 'KeyD', 68];
  var BOMB = ['q', 'KeyQ', 81], BOOST = ['e', 'KeyE', 69], PAUSE = ['p', 'KeyP', 80];
  var CONFIRM = [' ', 'Space', 32], BACK = ['Escape', 'Escape', 27];

  // Each panel is a grid of 3 by 4 cells: a row of buttons over a round pad of 3 by 3.
  // A button: [label, key, column, row]; a pad: [name, up, down, left, right, arrow glyphs].
  var PANELS = [
    {id: 'touch-left', buttons: [['Back', BACK, 1, 1], ['Pause', PAUSE, 3, 1]],
     pad: ['move', UP, DOWN, LEFT, RIGHT, '\u25b2\u25bc\u25c0\u25b6']},
    {id: 'touch-right', buttons: [['Bomb', BOMB, 1, 1], ['Boost', BOOST, 2, 1],
                                  ['OK', CONFIRM, 3, 1]],
     pad: ['fire', FIRE_UP, FIRE_DOWN, FIRE_LEFT, FIRE_RIGHT, '\u2191\u2193\u2190\u2192']}
  ];
  var MAX_CELL = 72, MIN_CELL = 32, MARGIN = 8;  // CSS pixels

  var CSS = [
    'html.touch, html.touch body { touch-action: none; overscroll-behavior: none;',
    '  user-select: none; -webkit-user-select: none; -webkit-touch-callout: none;',
    '  -webkit-tap-highlight-color: transparent; }',
    'html.touch #controls { display: none; }',
    'html.touch #stage { box-sizing: border-box;',
    '  padding: 0 var(--touch-side) var(--touch-below); }',
    '.touch-panel { position: fixed; bottom: ' + MARGIN + 'px; display: grid;',
    '  grid-template-columns: repeat(3, var(--touch-cell));',
    '  grid-template-rows: repeat(4, var(--touch-cell)); touch-action: none; }',
    '#touch-left { left: ' + MARGIN + 'px; } #touch-right { right: ' + MARGIN + 'px; }',
    '.touch-button, .touch-pad b { display: flex; align-items: center;',
    '  justify-content: center; box-sizing: border-box; color: #ccd;',
    '  border: 2px solid #556; background: rgba(136, 170, 204, 0.12); }',
    '.touch-button { margin: 5px; border-radius: 10px;',
    '  font: bold calc(var(--touch-cell) * 0.22) sans-serif; }',
    '.touch-pad { grid-column: 1 / span 3; grid-row: 2 / span 3; position: relative;',
    '  border-radius: 50%; background: rgba(136, 170, 204, 0.06); display: grid;',
    '  grid-template-columns: repeat(3, 1fr); grid-template-rows: repeat(3, 1fr); }',
    '.touch-pad i { align-self: center; text-align: center; color: #778;',
    '  font: calc(var(--touch-cell) * 0.2) sans-serif; }',
    '.touch-pad b { margin: 6px; border-radius: 12px;',
    '  font: calc(var(--touch-cell) * 0.4) sans-serif; }',
    '#touch-right .touch-pad b { border-radius: 50%; border-color: #866; color: #fcc; }',
    '.touch-button.held, .touch-pad b.held { background: rgba(136, 170, 204, 0.5); }'
  ].join('\n');

  var root = document.documentElement;
  var stage = document.getElementById('stage') || document.body;
  var canvas = document.getElementById('canvas');
  var cell = 0;        // the size of one grid cell, CSS pixels; 0 until the controls show
  var controls = [];   // {element, parts: [{element, key}], keys(x, y) -> parts held}
  var touches = {};    // touch identifier -> {control, x, y}
  var held = {};       // key code -> key, for the keys pressed now

  // The game reads keys where the browser's SDL emulation listens (the document); the
  // event starts at the canvas and bubbles there, carrying both code and key code.
  function send(type, key) {
    var event = new KeyboardEvent(type, {key: key[0], code: key[1], keyCode: key[2],
                                         which: key[2], bubbles: true, cancelable: true});
    if (event.keyCode !== key[2]) {  // browsers that ignore the legacy fields
      Object.defineProperty(event, 'keyCode', {value: key[2]});
      Object.defineProperty(event, 'which', {value: key[2]});
    }
    (canvas || document).dispatchEvent(event);
  }

  function showHeld(control, on) { control.element.classList.toggle('held', on); }

  // Presses what the touches now hold and releases what they no longer hold.
  function update() {
    var want = {};
    controls.forEach(function (c) { c.parts.forEach(function (p) { p.on = false; }); });
    for (var id in touches) {
      var t = touches[id];
      t.control.keys(t.x, t.y).forEach(function (part) {
        part.on = true;
        want[part.key[2]] = part.key;
      });
    }
    controls.forEach(function (c) { c.parts.forEach(function (p) { showHeld(p, p.on); }); });
    for (var code in held) if (!want[code]) { send('keyup', held[code]); delete held[code]; }
    for (code in want) if (!held[code]) { held[code] = want[code]; send('keydown', want[code]); }
  }

  function button(panel, label, key, column, row) {
    var element = document.createElement('div');
    element.className = 'touch-button';
    element.textContent = label;
    element.dataset.code = key[1];
    element.style.gridArea = row + ' / ' + column;
    panel.appendChild(element);
    var part = {element: element, key: key};
    controls.push({element: element, parts: [part], keys: function () { return [part]; }});
  }

  // A round pad: the direction from its centre to the finger picks one of eight sectors,
  // so one thumb holds one key or two neighbouring ones; the middle holds nothing.
  function pad(panel, desc) {
    var element = document.createElement('div');
    element.className = 'touch-pad';
    element.setAttribute('aria-label', desc[0]);
    panel.appendChild(element);
    var parts = [];
    [[2, 1], [2, 3], [1, 2], [3, 2]].forEach(function (place, i) {
      var arrow = document.createElement('b');
      arrow.textContent = desc[5].charAt(i);
      arrow.dataset.code = desc[i + 1][1];
      arrow.style.gridArea = place[1] + ' / ' + place[0];
      element.appendChild(arrow);
      parts.push({element: arrow, key: desc[i + 1]});
    });
    var name = document.createElement('i');
    name.textContent = desc[0];
    name.style.gridArea = '2 / 2';
    element.appendChild(name);
    controls.push({element: element, parts: parts, keys: function (x, y) {
      var r = element.getBoundingClientRect();
      var dx = x - (r.left + r.width / 2), dy = y - (r.top + r.height / 2);
      if (dx * dx + dy * dy < r.width * r.width / 64) return [];
      var angle = Math.atan2(dy, dx) * 180 / Math.PI;  // 0 is right, 90 is down
      var out = [];
      if (angle < -22.5 && angle > -157.5) out.push(parts[0]);
      if (angle > 22.5 && angle < 157.5) out.push(parts[1]);
      if (Math.abs(angle) > 112.5) out.push(parts[2]);
      if (Math.abs(angle) < 67.5) out.push(parts[3]);
      return out;
    }});
  }

  function controlAt(x, y) {
    for (var i = 0; i < controls.length; i++) {
      var r = controls[i].element.getBoundingClientRect();
      if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return controls[i];
    }
    return null;
  }

  // A touch belongs to the control it began on until it ends; on a pad it steers by
  // where it is now, even past the pad's edge.
  function onTouch(event) {
    event.preventDefault();
    var list = event.changedTouches;
    for (var i = 0; i < list.length; i++) {
      var t = list[i];
      if (event.type === 'touchend' || event.type === 'touchcancel') {
        delete touches[t.identifier];
      } else if (touches[t.identifier]) {
        touches[t.identifier].x = t.clientX;
        touches[t.identifier].y = t.clientY;
      } else if (event.type === 'touchstart') {
        var control = controlAt(t.clientX, t.clientY);
        if (control) touches[t.identifier] = {control: control, x: t.clientX, y: t.clientY};
      }
    }
    update();
  }

  function releaseAll() {
    touches = {};
    update();
  }

  function build() {
    var style = document.createElement('style');
    style.textContent = CSS;
    document.head.appendChild(style);
    PANELS.forEach(function (desc) {
      var panel = document.createElement('div');
      panel.id = desc.id;
      panel.className = 'touch-panel';
      desc.buttons.forEach(function (b) { button(panel, b[0], b[1], b[2], b[3]); });
      pad(panel, desc.pad);
      ['touchstart', 'touchmove', 'touchend', 'touchcancel'].forEach(function (type) {
        panel.addEventListener(type, onTouch, {passive: false});
      });
      stage.appendChild(panel);
    });
    window.addEventListener('blur', releaseAll);
    // A phone's browser without full screen for pages (Safari on an iPhone) gets no button.
    var full = document.getElementById('full');
    if (full && !document.fullscreenEnabled) full.style.display = 'none';
    // No scrolling or pinch zoom anywhere on the page (Safari's pinch is a gesture event).
    ['touchmove', 'gesturestart'].forEach(function (type) {
      document.addEventListener(type, function (e) { e.preventDefault(); }, {passive: false});
    });
  }

  // The room the controls keep, in CSS pixels: [beside the canvas, both sides together,
  // below it]. In landscape the two panels stand left and right of the canvas, in
  // portrait both stand below it. The page's fit() calls this before scaling the canvas.
  window.touchControlsRoom = function () {
    if (!cell) return [0, 0];
    var w = window.innerWidth, h = window.innerHeight, side = 0, below = 0;
    if (w > h) {
      cell = Math.min(MAX_CELL, (h - 2 * MARGIN) / 4, (w - 320 - 4 * MARGIN) / 6);
    } else {
      cell = Math.min(MAX_CELL, (w - 3 * MARGIN) / 6, (h - 240 - 60 - 2 * MARGIN) / 4);
    }
    cell = Math.floor(Math.max(MIN_CELL, cell));
    if (w > h) side = 3 * cell + 2 * MARGIN;
    else below = 4 * cell + 2 * MARGIN;
    root.style.setProperty('--touch-cell', cell + 'px');
    root.style.setProperty('--touch-side', side + 'px');
    root.style.setProperty('--touch-below', below + 'px');
    return [2 * side, below];
  };

  function show() {
    if (cell) return;
    cell = MIN_CELL;
    build();
    root.classList.add('touch');
    window.dispatchEvent(new Event('resize'));  // the page fits the canvas again
  }

  if (window.matchMedia && window.matchMedia('(pointer: coarse)').matches) show();
  else window.addEventListener('touchstart', show, {capture: true, passive: true});
})();
