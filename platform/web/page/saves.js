// The page's side of the saves: one tab at a time plays on them (a Web Lock held for the
// page's life), "Play here" moves the game between tabs (the last press wins), and the saves'
// troubles are shown on the page. The program's side is platform/web/browser_store.cpp; they talk through Module.
(function () {
  var LOCK = 'skarnfall-saves';
  var Module = window.Module;
  var channel = window.BroadcastChannel ? new BroadcastChannel(LOCK) : null;
  var started = false;   // the program was let run
  var waiting = false;   // the program's start is held back until the lock is ours
  var release = null;    // lets the lock go
  var moved = false;     // the game went to another tab: this one is out for good
  var claim = null;      // this tab's "Play here": [when, a tie-break], the newest wins
  var asking = null;     // aborts this tab's wait for the lock

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

  // Every tab that played or pressed earlier stops or gives its wait up; the lock's queue
  // then reaches this tab, which starts unless a newer press came meanwhile.
  function playHere() {
    claim = [Date.now(), Math.random()];
    say('Waiting for the other tab to finish saving…');
    if (channel) channel.postMessage({playHere: claim});
    asking = window.AbortController ? new AbortController() : null;
    var options = asking ? {signal: asking.signal} : {};
    navigator.locks.request(LOCK, options, function () {
      asking = null;
      if (moved) return;  // let go at once
      say('');
      start();
      return new Promise(function (resolve) { release = resolve; });
    }).catch(function () {});  // a wait given up
  }
  function newer(a, b) { return !b || a[0] > b[0] || (a[0] === b[0] && a[1] > b[1]); }

  // Another tab asked for the game: finish what is under way, stop, let the lock go.
  Module.onGameStopped = function () {
    say('Skarnfall moved to another tab. Reload this page to play here again.');
    if (release) release();
  };
  if (channel) {
    channel.onmessage = function (event) {
      var other = event.data && event.data.playHere;
      if (!other || moved || !newer(other, claim) || !(release || claim)) return;
      moved = true;
      if (!release) {  // still waiting for the lock: give the wait up
        if (asking) asking.abort();
        Module.onGameStopped();
      } else if (started) {
        Module.gameMoving = true;  // the program stops at its next wait, then says so
        // Woken now, not at a hidden tab's throttled timer: a menu sleeps till input, a
        // level (paused or not) till its next tick.
        if (Module.skarnfallWake) Module.skarnfallWake();
        if (Module.skarnfallEndTick) Module.skarnfallEndTick();
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
  // The lock at once when free; else the offer to move the game here.
  navigator.locks.request(LOCK, {ifAvailable: true}, function (lock) {
    if (!lock) {
      say('Skarnfall is open in another tab.', {label: 'Play here', action: playHere});
      return;
    }
    start();
    return new Promise(function (resolve) { release = resolve; });
  });
})();
