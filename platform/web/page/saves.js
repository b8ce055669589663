// The page's side of the saves: one tab at a time plays on them (a Web Lock held for the
// page's life), "Play here" moves the game between tabs, and the saves' troubles are shown
// on the page. The program's side is platform/web/browser_store.cpp; they talk through Module.
(function () {
  var LOCK = 'skarnfall-saves';
  var Module = window.Module;
  var channel = window.BroadcastChannel ? new BroadcastChannel(LOCK) : null;
  var started = false;   // the program was let run
  var waiting = false;   // the program's start is held back until the lock is ours
  var release = null;    // lets the lock go
  var moved = false;

  var line = document.createElement('div');
  line.id = 'saves';
  line.setAttribute('role', 'status');
  line.style.cssText = 'min-height: 1.2em; margin-top: 6px; text-align: center';
  var screen = document.getElementById('screen');
  screen.parentNode.insertBefore(line, screen.nextSibling);

  function say(text, button) {
    line.textContent = text;
    if (button) {
      var b = document.createElement('button');
      b.type = 'button';
      b.textContent = button.label;
      b.style.marginLeft = '1em';
      b.addEventListener('click', button.action);
      line.appendChild(b);
    }
  }

  function describe(error) {
    if (error && error.name === 'ErrnoError') return 'a stored file could not be read back';
    if (error && error.message) return error.name + ': ' + error.message;
    return String(error);
  }

  Module.onSavesOff = function (error) { say('Saves are off: ' + describe(error)); };
  Module.onSaveFailed = function (error) {
    say('Not saved: ' + describe(error) + '. What was saved before is kept.');
  };

  function start() {
    started = true;
    if (waiting) Module.removeRunDependency('saves-lock');
    waiting = false;
  }
  // The program runs only once the lock is ours (or saving is off).
  Module.preRun = [].concat(Module.preRun || [], function () {
    if (!started) {
      waiting = true;
      Module.addRunDependency('saves-lock');
    }
  });

  // Taking the lock: at once when free (ifAvailable), else after the other tab let it go.
  function take(ifAvailable, then) {
    navigator.locks.request(LOCK, {ifAvailable: ifAvailable}, function (lock) {
      if (!lock) return then(false);
      then(true);
      return new Promise(function (resolve) { release = resolve; });
    });
  }

  function playHere() {
    say('Waiting for the other tab to finish saving…');
    if (channel) channel.postMessage('play-here');
    take(false, function () {
      say('');
      start();
    });
  }

  // Another tab asked for the game: finish what is under way, stop, let the lock go.
  Module.onGameStopped = function () {
    say('Skarnfall moved to another tab. Reload this page to play here again.');
    if (release) release();
  };
  if (channel) {
    channel.onmessage = function (event) {
      if (event.data !== 'play-here' || !release || moved) return;
      moved = true;
      if (started) {
        Module.gameMoving = true;  // the program stops at its next wait, then says so
        if (Module.skarnfallWake) Module.skarnfallWake();  // a menu may sleep till input
      } else {
        Module.onGameStopped();
      }
    };
  }

  // Closing the tab while a save is on its way to the store asks first.
  window.addEventListener('beforeunload', function (event) {
    if (Module.savesInFlight > 0) {
      event.preventDefault();
      event.returnValue = '';
    }
  });

  if (!navigator.locks) {
    Module.savesOffReason = 'this browser cannot keep a second tab off them (no Web Locks)';
    start();
    return;
  }
  take(true, function (ours) {
    if (ours) return start();
    say('Skarnfall is open in another tab.', {label: 'Play here', action: playHere});
  });
})();
