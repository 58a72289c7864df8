// The words panel: after every key, what the screen shows as text read from
// the game's records (velmora_state): the turns left, the leader's world, the
// statement being composed, the strip's answer to each statement (appended
// to a polite live region, so that a screen reader reads it once) and one
// line on what the keys do where the game stands.
(function () {
  var ModeField = 0;
  var ModeCommand = 1;
  var ModeCleared = 254;
  var ModeTitle = 255;
  var AnswersKept = 4;
  var EraseCode = 0x80;  // the grid's two command cells
  var SubmitCode = 0x7f;
  var KeyLines = {};
  KeyLines[ModeTitle] = 'Press any key to start.';
  KeyLines[ModeField] = 'Arrow keys walk the leader, one turn each; Enter opens command entry. ' +
    'Escape leaves the game.';
  KeyLines[ModeCommand] = 'Type the statement, or move the cursor on the character grid with ' +
    'the arrow keys and pick the character under it with Space; Backspace erases, Tab ' +
    'completes a word, Enter sends the statement. Escape leaves the game.';
  KeyLines[ModeCleared] = 'The game is over: every key is ignored.';
  var last = null;

  function text(id, value) {
    var element = document.getElementById(id);
    if (element.textContent !== value) element.textContent = value;
  }

  function answer(line) {
    var answers = document.getElementById('answers');
    var p = document.createElement('p');
    p.textContent = line;
    answers.appendChild(p);
    while (answers.childNodes.length > AnswersKept) answers.removeChild(answers.firstChild);
  }

  function cellName(cursor) {
    var code = Module._velmora_grid_cell(cursor[0], cursor[1]);
    if (code === EraseCode) return 'the erase cell';
    if (code === SubmitCode) return 'the submit cell';
    if (code === 32) return 'a space';
    return code < 0 ? 'no cell' : '"' + String.fromCharCode(code) + '"';
  }

  function update() {
    if (!window.Module || !Module._velmora_state) return;
    var state;
    try {
      state = JSON.parse(UTF8ToString(Module._velmora_state()));
    } catch (e) {
      return;  // the game has ended
    }
    // The world editor says where its cursor is and what the checker thinks.
    var editor = state.editor;
    text('editor-words', editor && !editor.playing ? editor.cell + '. ' + editor.verdict + '.' +
         (editor.note ? ' ' + editor.note + '.' : '') : '');
    if (editor && !editor.playing) {
      text('where', 'The world editor.');
      text('statement', '');
      text('keys-line', 'Arrows move the cursor, Space toggles wall and floor, G the goal, S the ' +
           'start, C the wall piece, Page Up and Page Down the floor, W the world, Z undo, Y redo, ' +
           'F2 saves, T the title, Enter plays. Escape leaves the editor\'s screen.');
      last = state;
      return;
    }
    var mode = state.mode;
    if (mode === ModeTitle) {
      text('where', 'The title picture.');
    } else {
      text('where', 'Turns left: ' + state.score + '. The leader is in world ' +
           state.leader[3] + ', floor ' + state.leader[2] + ', at x ' + state.leader[0] +
           ', y ' + state.leader[1] + '.');
    }
    text('statement', mode === ModeCommand ? 'Statement: ' + (state.command || '(empty)') +
         '. The cursor is on ' + cellName(state.cursor) + '.' : '');
    // A statement was sent (command entry closed), or the game was won.
    if (last && ((last.mode === ModeCommand && mode !== ModeCommand) ||
                 (mode === ModeCleared && last.mode !== ModeCleared)))
      answer(state.status);
    text('keys-line', KeyLines[mode] || '');
    last = state;
  }

  velmoraPage.onChange(update);
})();
