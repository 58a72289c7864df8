#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora: fuzz/corpus/statements/ (statement
lines, one game per file, taken from the statement case tables and the
recorded games) and fuzz/corpus/keys/ (key sequences from the title screen,
in the byte code that keys_fuzz.cpp reads), and their dictionaries
(statements.dict, keys.dict). Run it from anywhere after changing the case
tables or the lists below; the files it writes are committed."""

import pathlib
import re
import shutil

HERE = pathlib.Path(__file__).resolve().parent

# The character grid, row by row (0x80 erases, 0x7F submits).
GRID = (b"ABCDEFGHIJKLM" b"NOPQRSTUVWXYZ" b"abcdefghijklm" b"nopqrstuvwxyz"
        b"0123456789(),"  b" +-*/='<>!.%_" b"#;^&|~\"\\  \x80 \x7f")
COLS, ROWS = 13, 7
ERASE, SUBMIT = GRID.index(0x80), GRID.index(0x7F)


BOOK = "CREATE TABLE book(e VARCHAR(8),a VARCHAR(8),n VARCHAR(8))"
TUTI = "INSERT INTO book(e,a,n) VALUES('tuti','sagasu','11')"
T3 = "CREATE TABLE t(a INT,b VARCHAR(8),d INT)"


def case_statements():
    """The statement case tables of tests/cases/ as seeds: each part of a
    table (from one "==" line to the next) is one game, its set-up and case
    statements in order. Lines the grid cannot compose are left out."""
    seeds = {}
    for table in sorted((HERE.parent / "tests" / "cases").glob("*.txt")):
        part, lines = 0, []
        for line in table.read_text().splitlines() + ["=="]:
            if line.startswith("=="):
                if lines:
                    seeds["%s_%d" % (table.stem, part)] = "\n".join(lines).encode()
                part, lines = part + 1, []
                continue
            if line.startswith(">"):
                line = line[1:].strip()
            elif " => " in line:
                line = line.split(" => ")[0]
            else:
                continue
            line = re.sub(r"\{a\*(\d+)\}", lambda m: " a" * int(m.group(1)), line)
            if len(line) <= 112 and all(b in GRID for b in line.encode()):
                lines.append(line)
    return seeds


KEY_NAMES = ["Up", "Down", "Left", "Right", "Space", "Tab", "Enter"]
KEY_BYTE = {name: 91 + i for i, name in enumerate(KEY_NAMES)}


class KeySequence:
    """Real key presses of a player, tracking the mode and the grid cursor."""

    def __init__(self):
        self.out = bytearray()
        self.mode = "title"
        self.col = self.row = 0

    def key(self, *names):
        for name in names:
            self.out.append(KEY_BYTE[name])
            if self.mode == "title":
                self.mode = "field"
            elif self.mode == "field" and name == "Enter":
                self.mode = "command"
            elif self.mode == "command" and name in ("Up", "Down"):
                self.row = (self.row + (1 if name == "Down" else -1)) % ROWS
            elif self.mode == "command" and name in ("Left", "Right"):
                self.col = (self.col + (1 if name == "Right" else -1)) % COLS
            elif self.mode == "command" and name == "Space" and self.row * COLS + self.col == SUBMIT:
                self.mode = "field"
        return self

    def walk_to(self, cell):
        row, col = divmod(cell, COLS)
        for delta, span, fwd, back in ((row - self.row, ROWS, "Down", "Up"),
                                       (col - self.col, COLS, "Right", "Left")):
            delta %= span
            if delta <= span - delta:
                self.key(*[fwd] * delta)
            else:
                self.key(*[back] * (span - delta))
        return self

    def type(self, text):
        for ch in text.encode():
            self.walk_to(GRID.index(ch)).key("Space")
        return self

    def submit(self):
        return self.walk_to(SUBMIT).key("Space")

    def statement(self, text):
        return self.key("Enter").type(text).submit()

    def raw(self, code):
        self.out += bytes([251, code]) if code < 256 else bytes([255, code & 255, code >> 8])
        if self.mode == "title":
            self.mode = "field"
        return self


def key_seeds():
    seeds = {}
    k = KeySequence().key("Enter")
    seeds["start_only"] = k
    seeds["walk_around"] = KeySequence().key("Space", *["Right"] * 6, *["Down"] * 6, "Left", "Up",
                                             *["Left"] * 8, *["Up"] * 8)
    seeds["open_and_leave"] = KeySequence().key("Up", "Enter").submit().key("Down")
    seeds["grid_wrap"] = KeySequence().key("Enter", "Enter", *["Up"] * 8, *["Left"] * 14,
                                           *["Down"] * 15, *["Right"] * 27).submit()
    seeds["erase"] = KeySequence().key("Enter", "Enter").type("SELECTX").walk_to(ERASE).key(
        "Space", "Space", "Space", "Space", "Space", "Space", "Space", "Space", "Space").submit()
    seeds["pick_limit"] = KeySequence().key("Enter", "Enter").type("A" * 105).key("Tab").submit()
    seeds["complete_limit"] = KeySequence().key("Enter", "Enter").type("S" * 100).key(
        "Tab", "Tab").submit()
    seeds["tab_words"] = (KeySequence().key("Enter", "Enter").type("S").key("Tab").type("*")
                          .key("Tab").type("F").key("Tab").type("w").key("Tab").type(" W")
                          .key("Tab").type("w").key("Tab").key("Tab").type("2").submit()
                          .key("Enter").key("Tab").submit())
    seeds["tab_last_command"] = KeySequence().key("Enter").statement("\\v").key("Enter", "Tab").type(
        "B").key("Tab").submit()
    seeds["tab_table"] = KeySequence().key("Enter", "Enter")
    for text in ("A", "AT", "ATx", "ATxA", "C", "CT", "CTtVI", "D", "DR", "G", "GS", "Gp", "R", "RI",
                 "U", "US", "Sp", "Sc", "Sr", "Sf", "Sd", "Sa", "Sx", "IV"):
        seeds["tab_table"].type(text).key("Tab").walk_to(ERASE).key(*["Space"] * 40)
    seeds["tab_table"].submit()
    for name, lines in (("travel", ["SELECT * FROM world WHERE worldid=2",
                                    "SELECT * FROM world WHERE x=32 AND y=32"]),
                        ("open_walls", ["UPDATE world SET fieldid=10 WHERE worldid=1 AND x=2 AND y=1",
                                        "DELETE FROM world", "INSERT INTO world (fieldid) VALUES (10)"]),
                        ("spell", [BOOK, TUTI, "SELECT e,a,n FROM book WHERE e='tuti'"]),
                        ("authority", ["GRANT ALL ON world2 TO player", "REVOKE ALL ON world1 FROM player",
                                       "SELECT * FROM world WHERE worldid=1"]),
                        ("schema", [T3, "ALTER TABLE t ADD hp INT", "DROP TABLE t", "\\h"])):
        k = KeySequence().key("Enter")
        for line in lines:
            k.statement(line).key("Right", "Down", "Left", "Up")
        seeds[name] = k
    seeds["edge_walk"] = KeySequence().key("Enter").statement("SELECT * FROM world WHERE x=32 AND y=32").key(
        "Right", "Right", "Down", "Down", "Left", "Up", "Up")
    seeds["odd_codes"] = KeySequence().raw(0).raw(13).raw(255).raw(65535).raw(40).raw(9).raw(32).key(
        "Enter").raw(0x80).raw(0x7F).raw(37).raw(300).raw(38)
    seeds["many_turns"] = KeySequence().key("Enter", *(["Right", "Down", "Left", "Up"] * 150))
    return {name: bytes(k.out) for name, k in seeds.items()}


def script_seeds():
    """The headless scripts of the test suite (a won game among them) as keys."""
    seeds = {}
    for script in sorted((HERE.parent / "tests" / "scripts").glob("*.txt")):
        k = KeySequence()
        for line in script.read_text().splitlines():
            word, _, rest = line.partition(" ")
            if word == "key":
                for name in rest.split():
                    if name in KEY_BYTE:
                        k.key(name)
                    else:
                        k.raw(int(name))
            elif word == "type":
                k.type(rest)
            elif word == "submit":
                k.submit()
        seeds["script_" + script.stem] = bytes(k.out)
    return seeds


def script_statements():
    """The headless scripts as statement lines: the statement target runs a
    turn before each line, as opening command entry does, so each walking
    step becomes an empty line (a turn and an answer that changes nothing)."""
    seeds = {}
    for script in sorted((HERE.parent / "tests" / "scripts").glob("*.txt")):
        if "Tab" in script.read_text():
            continue  # completion would need the game's own tables here
        lines, typed, started = [], None, False
        for line in script.read_text().splitlines():
            word, _, rest = line.partition(" ")
            if word == "key":
                for _ in rest.split():
                    if not started:
                        started = True
                    elif typed is None:
                        lines.append("")  # a step, or the turn that opens the grid
            elif word == "type":
                typed = (typed or "") + rest
            elif word == "submit":
                lines[-1] = typed or ""
                typed = None
        seeds["script_" + script.stem] = "\n".join(lines).encode()
    return seeds


# Words of the statement language for the fuzzers' dictionaries.
WORDS = ["SELECT", "INSERT", "DELETE", "UPDATE", "GRANT", "REVOKE", "CREATE", "DROP", "ALTER",
         "BEGIN", "FROM", "WHERE", "AND", "INTO", "VALUES", "SET", "TABLE", "ADD", "ON", "TO", "ALL",
         "INT", "VARCHAR", "world", "party", "worldid", "charaid", "fieldid", "reliability", "x", "y",
         "player", "world1", "world2", "tuti", "sagasu", "'tuti'", "'sagasu'", "=", "(", ")", ",",
         "'", "*", "\\v", "\\h", "\\q", " ", "32", "31", "10", "11", "-1", "0"]


def dictionaries():
    """The words as typed (statements) and as picked cells (keys)."""
    def entry(data):
        plain = lambda b: 32 <= b < 127 and b not in b'"\\'
        return '"' + "".join(chr(b) if plain(b) else "\\x%02x" % b for b in data) + '"\n'
    typed = "".join(entry(w.encode()) for w in WORDS)
    picked = "".join(entry(bytes(GRID.index(b) for b in w.encode())) for w in WORDS)
    picked += entry(bytes([SUBMIT])) + entry(bytes([ERASE])) + entry(bytes([ERASE] * 8))
    header = "# Made by make_seeds.py: words of the statement language, %s.\n"
    (HERE / "statements.dict").write_text(header % "as typed" + typed)
    (HERE / "keys.dict").write_text(header % "as grid cells to pick" + picked)


def write(folder, files):
    path = HERE / "corpus" / folder
    shutil.rmtree(path, ignore_errors=True)
    path.mkdir(parents=True)
    for name, data in files.items():
        (path / name).write_bytes(data)


def main():
    write("statements", {**case_statements(), **script_statements()})
    write("keys", {**key_seeds(), **script_seeds()})
    dictionaries()


if __name__ == "__main__":
    main()
