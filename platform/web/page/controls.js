// Keys by place in the browser, and the page's controls panel. The browser's SDL reads a
// key event's keyCode, which follows the keyboard layout (the key where a US keyboard has
// "a" sends "q" on a French one); before it sees the event, keyCode becomes that of the US
// key in the same place (KeyboardEvent.code), and keys the player chose in the panel
// (kept in localStorage) become the keys they stand in for. F11 stays the browser's. While
// the panel is open the game has no keys and a running level is paused.
(function () {
  'use strict';
  var STORE = 'skarnfall.controls';
  // What the panel offers, with each action's own key (as a KeyboardEvent.code). Escape
  // both leaves a level and backs out of menus; a diagonal is two arrows held together.
  var ACTIONS = [
    ['move up', 'ArrowUp'], ['move left', 'ArrowLeft'], ['move down', 'ArrowDown'],
    ['move right', 'ArrowRight'], ['fire west', 'KeyA'], ['fire east', 'KeyD'],
    ['fire south', 'KeyS'], ['fire north', 'KeyW'], ['bomb', 'KeyQ'], ['boost', 'KeyE'],
    ['pause', 'KeyP'], ['volume down', 'KeyK'], ['volume up', 'KeyL'],
    ['leave, back', 'Escape'], ['confirm', 'Space']
  ];
  var OTHER_KEY_CODES = { ArrowUp: 38, ArrowLeft: 37, ArrowDown: 40, ArrowRight: 39,
                          Escape: 27, Space: 32 };

  // The keyCode a US keyboard sends for the key at this place; undefined for keys whose
  // keyCode does not follow the layout.
  function usKeyCode(code) {
    var m = /^(?:Key([A-Z])|Digit([0-9]))$/.exec(code);
    if (m) return (m[1] || m[2]).charCodeAt(0);
    return OTHER_KEY_CODES[code];
  }

  function loadChosen() {
    try {
      var stored = JSON.parse(window.localStorage.getItem(STORE));
      return stored && typeof stored === 'object' ? stored : {};
    } catch (e) {
      return {};  // storage off or unreadable: the defaults by place
    }
  }
  var chosen = loadChosen();

  // Place (code) -> the place whose key it sends, or null for an action's own key that the
  // player moved elsewhere and nothing else took.
  function standIns() {
    var table = {};
    ACTIONS.forEach(function (a) {
      var own = chosen[a[0]];
      if (own && own !== a[1]) table[own] = a[1];
    });
    ACTIONS.forEach(function (a) {
      if (chosen[a[0]] && chosen[a[0]] !== a[1] && !(a[1] in table)) table[a[1]] = null;
    });
    return table;
  }
  var table = standIns();
  var panel = null;    // the open panel, or null
  var waiting = null;  // the action whose new key the panel waits for

  function onKey(event) {
    if (event.code === 'F11') {  // full screen is the browser's to give
      event.stopImmediatePropagation();
      return;
    }
    if (panel) {
      event.stopImmediatePropagation();
      if (event.type === 'keydown' && waiting) {
        event.preventDefault();
        choose(waiting, event.code);
      }
      return;
    }
    if (!event.isTrusted) return;  // the touch controls send each action's own key
    var code = event.code;
    if (code in table) {
      if (table[code] === null) {
        event.stopImmediatePropagation();
        event.preventDefault();
        return;
      }
      code = table[code];
    }
    var keyCode = usKeyCode(code);
    if (keyCode !== undefined && keyCode !== event.keyCode) {
      Object.defineProperty(event, 'keyCode', { value: keyCode });
      Object.defineProperty(event, 'which', { value: keyCode });
    }
  }
  window.addEventListener('keydown', onKey, true);
  window.addEventListener('keyup', onKey, true);

  function keyOf(action) { return chosen[action[0]] || action[1]; }
  function shown(code) { return code.replace(/^(Key|Digit)/, '').replace(/^Arrow/, '') || '?'; }

  function choose(action, code) {
    var note = panel.querySelector('p');
    waiting = null;
    if (code !== 'Escape' || action[1] === 'Escape') {
      var taken = ACTIONS.filter(function (a) { return a !== action && keyOf(a) === code; });
      if (taken.length) {
        note.textContent = shown(code) + ' is already the key of ' + taken[0][0] + '.';
      } else {
        chosen[action[0]] = code;
        save();
        note.textContent = '';
      }
    }
    draw();
  }

  function save() {
    table = standIns();
    try {
      window.localStorage.setItem(STORE, JSON.stringify(chosen));
    } catch (e) {
      panel.querySelector('p').textContent = 'The browser keeps no storage: for this visit only.';
    }
  }

  function draw() {
    var list = panel.querySelector('div');
    list.textContent = '';
    ACTIONS.forEach(function (a) {
      var button = document.createElement('button');
      button.type = 'button';
      button.textContent = waiting === a ? 'press a key…' : shown(keyOf(a));
      button.addEventListener('click', function () { waiting = a; draw(); });
      var row = document.createElement('label');
      row.textContent = a[0] + ' ';
      row.appendChild(button);
      list.appendChild(row);
    });
  }

  function open(event) {
    event.preventDefault();
    if (panel) return;
    panel = document.createElement('section');
    panel.id = 'keys-panel';
    panel.style.cssText = 'position:fixed;inset:10% 20%;overflow:auto;background:#111;' +
        'border:1px solid #555;padding:1em;z-index:10';
    panel.innerHTML = '<b>Keys</b> (by their place on a US keyboard)' +
        '<div style="display:grid;grid-template-columns:repeat(3,1fr);gap:4px;margin:8px 0">' +
        '</div><p></p><button type="button">Defaults</button> <button type="button">Done</button>';
    var buttons = panel.querySelectorAll(':scope > button');
    buttons[0].addEventListener('click', function () { chosen = {}; save(); draw(); });
    buttons[1].addEventListener('click', close);
    document.body.appendChild(panel);
    draw();
    // The panel takes the keyboard as another window would: the game, told it lost the
    // focus, pauses a running level and lets go of every key held (the panel swallows
    // their releases).
    window.dispatchEvent(new FocusEvent('blur'));
  }

  function close() {
    panel.remove();
    panel = null;
    waiting = null;
    var canvas = document.getElementById('canvas');
    if (canvas) canvas.focus();
  }

  function hookLink() {
    var link = document.getElementById('keys');
    if (link) link.addEventListener('click', open);
  }
  if (document.readyState === 'loading') {
    document.addEventListener('DOMContentLoaded', hookLink);
  } else {
    hookLink();
  }
})();
