// The page round the game: sizes the screen to the window, moves the keyboard
// focus between the game and the page's controls, plays the touch keys, hosts
// the message box and the closed screen, asks before closing the game and
// registers the service worker that keeps the page for offline play. The game
// (velmora.js) calls velmoraPage, which also hands every key the game takes
// to replay_page.js; the keys reach it only while the screen has the focus.
var velmoraPage = (function () {
  var Width = @VIEW_WIDTH@;
  var Height = @VIEW_HEIGHT@;
  var screen = document.getElementById('screen');
  var box = document.getElementById('box');
  var confirmClose = document.getElementById('confirm-close');
  var listeners = [];
  var readyCalls = [];
  var keyPlayed = null;
  var lastError = '';
  var ended = false;
  var running = false;  // main has returned: the title is up
  var measure = null;  // a canvas context measuring the box's font
  var boxFont = '';

  // Whole-pixel enlargements where the screen fits at least once; below that
  // the largest size that fits, drawn with square pixels.
  function fit() {
    var stage = document.getElementById('stage');
    var panel = document.getElementById('panel');
    var main = document.querySelector('main');
    var style = getComputedStyle(main);
    var inner = main.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    var beside = inner >= Width + 12 + 240;
    var width = beside ? inner - 12 - 240 : inner;
    var above = stage.getBoundingClientRect().top + scrollY;
    var below = stage.offsetHeight - screen.offsetHeight + 16;
    var height = Math.max(Height / 2, innerHeight - above - below);
    var scale = Math.min(width / Width, height / Height);
    scale = scale >= 1 ? Math.floor(scale) : scale;
    // The height follows from the width (page.css), so that the screen has
    // its shape before this script runs.
    screen.style.width = Math.floor(Width * scale) + 'px';
    panel.style.flexBasis = beside ? '240px' : '100%';
  }

  function focusGame() {
    if (!ended) screen.focus({ preventScroll: true });
  }

  function boxShown() { return box.style.display === 'block'; }

  // Escape on the screen hands the focus to the page's first control; the
  // game has no use for it outside the message box.
  addEventListener('keydown', function (event) {
    if (event.target !== screen || event.key !== 'Escape' || boxShown()) return;
    if (window.velmoraEditor && velmoraEditor.takesEscape()) return;
    event.stopImmediatePropagation();
    event.preventDefault();
    document.getElementById('play').focus();
  }, true);

  // Whoever listens (the words panel) looks once the game is done with the
  // key or keys that drew the new frame, however they came.
  var pending = false;
  function changed() {
    if (pending) return;
    pending = true;
    queueMicrotask(function () {
      pending = false;
      listeners.forEach(function (listener) { listener(); });
    });
  }

  // A touch key is the game's key; while the message box is open it is the
  // box's, closed by the keys that close it from the keyboard.
  function press(code) {
    if (ended || !window.velmoraReady) return;
    if (boxShown()) {
      Module._velmora_box_key(code);
    } else {
      Module._velmora_key(code);
    }
  }

  document.querySelectorAll('#touch-keys button').forEach(function (button) {
    // The screen keeps the focus while a finger plays.
    button.addEventListener('pointerdown', function (event) { event.preventDefault(); });
    button.addEventListener('click', function () { press(Number(button.dataset.key)); });
  });
  if ('ontouchstart' in window || navigator.maxTouchPoints > 0)
    document.documentElement.classList.add('touch');

  screen.addEventListener('click', focusGame);
  document.getElementById('play').addEventListener('click', focusGame);
  document.getElementById('box-ok').addEventListener('click', function () {
    Module._velmora_box_closed();
    focusGame();
  });
  document.getElementById('close').addEventListener('click', function () {
    // Closing a game of the editor's world goes back to the editor.
    if (window.velmoraEditor && velmoraEditor.leaveGame()) return focusGame();
    confirmClose.showModal();
    document.getElementById('confirm-keep').focus();
  });
  document.getElementById('confirm-keep').addEventListener('click', function () {
    confirmClose.close();
    focusGame();
  });
  document.getElementById('confirm-end').addEventListener('click', function () {
    confirmClose.close();
    Module._velmora_close();
  });
  // Typing in command entry, or the grid's keys alone (velmora --grid-only).
  var typing = document.getElementById('typing');
  function applyTyping() {
    if (window.velmoraReady) Module._velmora_set_typing(typing.checked ? 1 : 0);
  }
  typing.addEventListener('change', applyTyping);
  addEventListener('resize', fit);
  fit();

  // Addresses in the message become links; the rest stays text.
  function fillWithLinks(element, text) {
    element.textContent = '';
    text.split(/([A-Za-z][\w.-]*\.(?:md|html|txt)|https?:\/\/\S+)/).forEach(function (part, i) {
      if (i % 2 === 0) { element.appendChild(document.createTextNode(part)); return; }
      var link = document.createElement('a');
      link.href = part;
      link.target = '_blank';
      link.textContent = part;
      element.appendChild(link);
    });
  }

  // The program (1.1 MB, compiled by the browser while it downloads) is
  // fetched once the page's text is on the screen, so that the title and the
  // panel never wait for it.
  // A page opened behind another tab paints nothing: it starts a moment later.
  var programAsked = false;
  function startProgram() {
    if (programAsked) return;
    programAsked = true;
    var program = document.createElement('script');
    program.src = 'velmora.js';
    document.body.appendChild(program);
  }
  requestAnimationFrame(function () { setTimeout(startProgram, 0); });
  setTimeout(startProgram, 250);

  // Registered once the game has started: installing fetches every file of
  // the page again, which would compete with the program's own start.
  function keepOffline() {
    if ('serviceWorker' in navigator && location.protocol !== 'file:')
      navigator.serviceWorker.register('service-worker.js').catch(function () {});
  }

  return {
    onChange: function (listener) { listeners.push(listener); },
    // The frames drawn while the game starts are the title, which the
    // panel's own text describes: the records are first read at the first
    // key, not while the page starts.
    frameShown: function () { if (running) changed(); },
    ready: function () {
      applyTyping();
      focusGame();
    },
    // Called once the game has started, or at once when it has.
    whenReady: function (call) {
      if (window.velmoraReady) call(); else readyCalls.push(call);
    },
    started: function () {
      running = true;
      applyTyping();
      focusGame();
      readyCalls.splice(0).forEach(function (call) { call(); });
      setTimeout(keepOffline, 0);
    },
    // Every key that goes into the game (web/main.cpp) comes here.
    keyPlayed: function (key) { if (keyPlayed) keyPlayed(key); },
    onKeyPlayed: function (listener) { keyPlayed = listener; },
    // The game's last line on standard error (a refused script), once.
    printErr: function (text) {
      lastError = text;
      console.error(text);
    },
    takeError: function () {
      var text = lastError;
      lastError = '';
      return text;
    },
    showBox: function (text, caption) {
      fillWithLinks(document.getElementById('box-text'), text);
      box.setAttribute('aria-label', caption || 'Velmora Keep 03');
      box.style.display = 'block';
    },
    hideBox: function () { box.style.display = 'none'; },
    // The room for a line of the box's text at the window's present width,
    // in 64ths of a pixel: the box laid out unseen as wide as it may grow.
    boxLineWidth: function () {
      var text = document.getElementById('box-text');
      var shown = box.style.display;
      box.style.visibility = 'hidden';
      box.style.display = 'block';
      box.style.width = '100vw';
      var width = text.clientWidth;
      boxFont = getComputedStyle(text).font;
      box.style.width = '';
      box.style.display = shown;
      box.style.visibility = '';
      return Math.floor(width * 64);
    },
    // One character's width in the box's font, in 64ths of a pixel.
    boxCharWidth: function (code) {
      if (!measure) measure = document.createElement('canvas').getContext('2d');
      measure.font = boxFont;
      return Math.ceil(measure.measureText(String.fromCodePoint(code)).width * 64);
    },
    showClosed: function () {
      ended = true;
      document.querySelectorAll('button[data-worlds]').forEach(function (button) {
        button.style.display = 'none';
      });
      box.style.display = 'none';
      screen.style.display = 'none';
      document.getElementById('touch-keys').style.display = 'none';
      ['close', 'play', 'new-game', 'save-game', 'open-game', 'open-worlds', 'own-worlds',
       'copy-link', 'make-world', 'download-world', 'leave-editor'].forEach(function (id) {
        document.getElementById(id).style.display = 'none';
      });
      document.getElementById('closed').style.display = 'block';
      document.querySelector('#closed a').focus();
    },
    showError: function (text) {
      document.getElementById('error-text').textContent = text || 'The game cannot start.';
      document.getElementById('error').style.display = 'block';
    },
  };
})();
// The module sets window.velmoraReady when the title is on the screen.
var Module = {
  // With a status to show, the program runs main a task after the one that
  // compiled and instantiated it, rather than in the same long task.
  setStatus: function () {},
  onRuntimeInitialized: function () { setTimeout(velmoraPage.started, 0); },
  printErr: function (text) { velmoraPage.printErr(text); },
};
