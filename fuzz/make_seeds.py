#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora: fuzz/corpus/statements/ (statement
lines, one game per file) and fuzz/corpus/keys/ (key sequences from the title
screen, in the byte code that keys_fuzz.cpp reads), and their dictionaries
(statements.dict, keys.dict). Run it from anywhere after changing the lists
below; the files it writes are committed."""

import pathlib
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
WHERE_1_5_6 = "WHERE worldid=1 AND x=5 AND y=6"

# Each entry is one seed: its lines run in order on one fresh game.
STATEMENTS = {
    # dispatcher and tokenizer
    "backslash": ["\\v", "\\q", "\\h", "\\V", "\\", "\\hx", "\\v more words"],
    "unsupported": ["BEGIN TRANSACTION", "COMMIT", "ROLLBACK", "RENAME a b", "SET x=1",
                    "SP_ADDLOGIN", "SP_DROPLOGIN", "SP_RENAME", "TRUNCATE TABLE t"],
    "command_error": ["", "   ", "SELECTX", "HELLO world", "(", ")", ",", "="],
    "word_15": ["SELECT abcdefghijklmno FROM world"],
    "word_16": ["SELECT abcdefghijklmnop FROM world WHERE worldid=2"],
    "symbols_only": ["((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((("
                     "((((((((((((((((((((((((((((((((((((((((((((("],
    "many_tokens": ["a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z,a,b,c,d,e,f,g,h,i,"
                    "j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z,1,2,3,4,5,6,7,8,9,0,a,b,c,d,e,f,g"[:112]],
    "equals_run": ["SELECT = = = = = = = = = = = = = = = = = = = = = = = = = = = = = = = = ="
                   " = = = = = = = = = = = = = = = = = = ="],
    "blanks_between": ["SELECT    *    FROM    world    WHERE    worldid   =   3"],
    "all_grid_1": ["ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789(),"
                   " +-*/='<>!.%_#;^&|~\"\\"],
    "all_grid_2": ["SELECT +-*/'<>!.%_#;^&|~\"\\ FROM world WHERE x=1 AND y=1"],
    "long_112": ["SELECT reliability,x,y,z,w,a,b,c,d,e,f,g,h,i,j FROM world WHERE "
                 "worldid=1 AND charaid=1                         "],
    "quotes": ["SELECT 'a b' FROM \"world\" WHERE worldid='2'"],
    # SELECT on world and party
    "select_world_id": ["SELECT * FROM world WHERE worldid=2", "select * from world where worldid = 3",
                        "SELECT reliability FROM world WHERE worldid = 1"],
    "select_world_id_bad": ["SELECT * FROM world WHERE worldid=4", "SELECT * FROM world WHERE worldid=5",
                            "SELECT * FROM world WHERE worldid=6", "SELECT * FROM world WHERE worldid=0",
                            "SELECT * FROM world WHERE worldid=x", "SELECT * FROM world WHERE worldid=-1",
                            "SELECT * FROM world WHERE worldid=2 AND x=3",
                            "SELECT * FROM World WHERE worldid = 2"],
    "select_world_pos": ["SELECT * FROM world WHERE worldid=3 AND x=12 AND y=16",
                         "SELECT * FROM party WHERE charaid=1"],
    "select_pos_edge": ["SELECT * FROM world WHERE x=32 AND y=32", "SELECT * FROM party WHERE charaid=1",
                        "SELECT * FROM world WHERE x=0 AND y=1", "SELECT * FROM world WHERE x=33 AND y=1",
                        "SELECT * FROM world WHERE x=3 and y=4", "SELECT * FROM world WHERE X = 3 AND Y = 4"],
    "select_pos_world_edge": ["SELECT * FROM world WHERE worldid=2 AND x=32 AND y=1",
                              "SELECT * FROM party WHERE charaid=1", "DELETE FROM world",
                              "UPDATE world SET fieldid=10", "INSERT INTO world (fieldid) VALUES (4)"],
    "select_reliability": ["SELECT reliability FROM world WHERE worldid=1 AND charaid=1",
                           "SELECT reliability FROM world WHERE worldid=2 AND charaid=5",
                           "SELECT reliability FROM world WHERE worldid=3 AND charaid=6",
                           "SELECT reliability FROM world WHERE worldid=4 AND charaid=1",
                           "SELECT reliability FROM world WHERE worldid=1 AND charaid=7"],
    "select_party": ["SELECT * FROM party WHERE charaid=%d" % k for k in range(0, 8)],
    "select_errors": ["SELECT", "SELECT x y z", "SELECT x FROM", "SELECT x FROM party",
                      "SELECT x FROM world", "SELECT x , y FROM world", "SELECT * FROM world WHERE",
                      "SELECT WHERE x=1 FROM world", "SELECT( FROM world WHERE worldid=2"],
    # player tables and spells
    "spell_search": [BOOK, TUTI, "SELECT e,a,n FROM book WHERE e='tuti'",
                     "SELECT * FROM world WHERE worldid=3", "SELECT e , a , n FROM book WHERE e = 'tuti'"],
    "spell_variants": [BOOK, TUTI, "INSERT INTO book(e,a,n) VALUES('tuti','sagasu','5')",
                       "INSERT INTO book(e,a,n) VALUES('Tuti','sagasu','-1')",
                       "SELECT a,e,n FROM book WHERE e='tuti'", "SELECT e,a,n FROM book WHERE e=tuti",
                       "SELECT e,a,n FROM book WHERE e='", "SELECT e,a,n FROM book WHERE e=''",
                       "SELECT e,a,n FROM book WHERE e='Tu'", "SELECT e,a FROM book WHERE e='tuti'",
                       "SELECT e,a,n FROM book WHERE e=", "SELECT e,a,n FROM book WHERE q='tuti'",
                       "SELECT e,a,n FROM Book WHERE e='tuti'"],
    "spell_int": ["CREATE TABLE s(e VARCHAR(4),a VARCHAR(6),n INT)",
                  "INSERT INTO s(e,a,n) VALUES('tuti','sagasu',256)",
                  "INSERT INTO s(e,a,n) VALUES('tuti','sagasu',12345)",
                  "SELECT e,a,n FROM s WHERE n=256", "SELECT e,a,n FROM s WHERE n=1234",
                  "SELECT e,a,n FROM s WHERE n=7", "SELECT n,n,n FROM s WHERE n=12345678901234"],
    # INSERT
    "insert_world": ["INSERT INTO world (fieldid) VALUES (10)", "DELETE FROM world",
                     "INSERT INTO world (fieldid) VALUES (3)",
                     "INSERT INTO world (x,y,fieldid) VALUES (5,6,10)",
                     "INSERT INTO world (worldid,x,y,fieldid) VALUES (2,5,6,10)"],
    "insert_world_range": ["INSERT INTO world (x,y,fieldid) VALUES (-1,99999,10)",
                           "INSERT INTO world (x,y,fieldid) VALUES (31,31,10)",
                           "INSERT INTO world (x,y,fieldid) VALUES (32,32,10)",
                           "INSERT INTO world (worldid,x,y,fieldid) VALUES (1,32,32,10)",
                           "INSERT INTO world (worldid,x,y,fieldid) VALUES (5,0,0,1)",
                           "INSERT INTO world (x,y,fieldid) VALUES (-2147483648,2147483647,1)",
                           "SELECT * FROM party WHERE charaid=1"],
    "insert_world_bad": ["INSERT", "INSERT x", "INSERT INTO world", "INSERT INTO world (fieldid)",
                         "INSERT INTO world (fieldid) VALUES (0)", "INSERT INTO world (fieldid) VALUES (11)",
                         "INSERT INTO world (worldid,x,y,fieldid) VALUES (0,5,6,10)",
                         "INSERT INTO world (worldid,x,y,fieldid) VALUES (6,5,6,10)",
                         "INSERT INTO world (worldid,x,y,fieldid) VALUES (1,5,6,10) )",
                         "INSERT INTO World (fieldid) VALUES (10)", "INSERT INTO world VALUES"],
    "insert_table": [T3, "INSERT INTO t (a,b,d) VALUES (1,'x',2)", "INSERT INTO t (b,a,d) VALUES ('x',1,2)",
                     "insert into t (a,b,d) values (007,'',2)", "INSERT INTO t (a,b,d) VALUES (1,'y',2)",
                     "INSERT INTO t (a,b,d) VALUES (1,x,2)", "SELECT a,b,d FROM t WHERE a=1"],
    "insert_table_bad": [T3, "INSERT INTO t (a,b) VALUES (1,'x')", "INSERT INTO t (a,b,d,a) VALUES (1,'x',2,3)",
                         "INSERT INTO t (a,b,q) VALUES (1,'x',2)", "INSERT INTO t (a,b,d) VALUES ('1','x',2)",
                         "INSERT INTO t (a,b,d) VALUES (1,'x',2) x", "INSERT INTO", "INSERT INTO t",
                         "INSERT INTO t (a,b,d) VALUES (1,'abcdefghijklm',2)",
                         "INSERT INTO t (a,b,d) VALUES (-1,'x',2)"],
    # DELETE
    "delete": ["DELETE FROM world", "DELETE FROM world " + WHERE_1_5_6,
               "DELETE FROM world WHERE worldid=3 AND x=32 AND y=32",
               "SELECT * FROM party WHERE charaid=1", "INSERT INTO world (fieldid) VALUES (10)"],
    "delete_bad": ["DELETE", "DELETE world", "DELETE FROM world junk", "DELETE FROM t",
                   "DELETE FROM world WHERE x=5 AND y=6 AND worldid=1",
                   "DELETE FROM world WHERE worldid=1 AND x=0 AND y=6",
                   "DELETE FROM world WHERE worldid=1 AND x=5 AND y=6 AND",
                   "DELETE FROM world WHERE worldid=6 AND x=5 AND y=6"],
    # UPDATE
    "update": ["UPDATE world SET fieldid=10 " + WHERE_1_5_6, "UPDATE world SET fieldid = 5",
               "update world set fieldid = 10 where worldid = 2 and x = 3 and y = 4",
               "UPDATE world SET fieldid=1 WHERE worldid=3 AND x=32 AND y=32",
               "SELECT * FROM party WHERE charaid=1"],
    "update_walls_under_charas": ["UPDATE world SET fieldid=3 WHERE worldid=1 AND x=1 AND y=1",
                                  "UPDATE world SET fieldid=9 WHERE worldid=2 AND x=1 AND y=1",
                                  "UPDATE world SET fieldid=5 WHERE worldid=3 AND x=1 AND y=1",
                                  "SELECT * FROM party WHERE charaid=2", "SELECT * FROM party WHERE charaid=3"],
    "update_bad": ["UPDATE", "UPDATE world", "UPDATE world SET", "UPDATE world SET fieldid",
                   "UPDATE world SET fieldid=11 " + WHERE_1_5_6, "UPDATE world SET fieldid=0",
                   "UPDATE world SET fieldid=10 WHERE x=3 AND y=4 AND worldid=2", "UPDATE t SET a=1",
                   "DELETE FROM world " + WHERE_1_5_6, "UPDATE world SET fieldid=10 " + WHERE_1_5_6],
    # GRANT and REVOKE
    "grant": ["GRANT %s ON world%d TO player" % (p, w)
              for w in (1, 2) for p in ("ALL", "SELECT", "INSERT", "DELETE", "UPDATE")],
    "revoke": ["REVOKE %s ON world%d FROM player" % (p, w)
               for w in (1, 2) for p in ("SELECT", "INSERT", "DELETE", "UPDATE", "ALL")]
              + ["SELECT * FROM world WHERE worldid=2", "DELETE FROM world", "UPDATE world SET fieldid=3",
                 "INSERT INTO world (fieldid) VALUES (4)"],
    "authority_bad": ["GRANT", "GRANT SELECT ON world1", "REVOKE SELECT ON world1 TO player",
                      "GRANT SELECT ON world3 TO player", "GRANT SELECT ON World1 TO player",
                      "GRANT SELECT ON world1 TO PLAYER", "GRANT SELECT, INSERT ON world1 TO player",
                      "grant select on world1 to player", "GRANT TO ON"],
    "reliability_low": ["GRANT ALL ON world2 TO player"] * 40
                       + ["SELECT reliability FROM world WHERE worldid=2 AND charaid=1",
                          "SELECT * FROM world WHERE worldid=2"],
    # CREATE, DROP, ALTER
    "create": ["create table t1 ( spell varchar ( 8 ) , word Varchar ( 8 ) , code INT )",
               "CREATE TABLE t(a INT,b INT,c INT)", "CREATE TABLE t(a INT,b INT,c INT)",
               "CREATE TABLE u(a INT,b INT,c INT)", "CREATE TABLE ADD_MONTHS(a INT,b INT,c INT)"],
    "create_bad": ["CREATE", "CREATE VIEW v", "CREATE TABLE world(a INT,b INT,c INT)",
                   "CREATE TABLE abcdefghi(a INT,b INT,c INT)", "CREATE TABLE 1t(a INT,b INT,c INT)",
                   "CREATE TABLE t_1(a INT,b INT,c INT)", "CREATE TABLE t(a VARCHAR(0),b INT,c INT)",
                   "CREATE TABLE t(a VARCHAR(33),b INT,c INT)", "CREATE TABLE t(a VARCHAR(1),b INT,c INT)",
                   "CREATE TABLE u(a VARCHAR(32),b INT,c INT)", "CREATE TABLE v(a INT,b INT)",
                   "CREATE TABLE v(a INT,b INT,c INT,d INT)", "CREATE TABLE v(a INT,b INT,c INT) x",
                   "CREATE TABLE v('ab' INT,b INT,c INT)", "CREATE TABLE v(a FLOAT,b INT,c INT)",
                   "CREATE TABLE v(a VARCHAR(-5),b INT,c INT)", "CREATE TABLE v a INT,b INT,c INT)"],
    "drop": [T3, "DROP TABLE T", "DROP TABLE t", "DROP TABLE t", "DROP TABLE", "DROP x",
             "CREATE TABLE t(a INT,b INT,c INT)", "CREATE TABLE t(a INT,b INT,c INT)", "DROP TABLE t",
             "DROP TABLE t more words"],
    "drop_full": [T3, T3, T3, "DROP TABLE", "CREATE TABLE w(a INT,b INT,c INT)", "DROP TABLE t"],
    "alter": [T3, "INSERT INTO t (a,b,d) VALUES (1,'x',2)", "ALTER TABLE t ADD hp INT",
              "alter table t add note varchar(32)", "ALTER TABLE t ADD z9 VARCHAR ( 1 )",
              "ALTER TABLE t ADD more INT", "INSERT INTO t (hp,note,z9) VALUES (5,'n','z')",
              "SELECT hp,note,z9 FROM t WHERE hp=5"],
    "alter_bad": [T3, "ALTER", "ALTER VIEW t", "ALTER TABLE nope ADD a INT", "ALTER TABLE t DROP x",
                  "ALTER TABLE t ADD 1a INT", "ALTER TABLE t ADD note VARCHAR ( 33 )",
                  "ALTER TABLE t ADD note VARCHAR (", "ALTER TABLE t ADD", "ALTER TABLE ADD a INT",
                  "ALTER TABLE"],
}

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
    for name, lines in STATEMENTS.items():
        for line in lines:
            assert all(b in GRID for b in line.encode()), (name, line)
            assert len(line) <= 112, (name, len(line))
    statements = {n: "\n".join(lines).encode() for n, lines in STATEMENTS.items()}
    write("statements", {**statements, **script_statements()})
    write("keys", {**key_seeds(), **script_seeds()})
    dictionaries()


if __name__ == "__main__":
    main()
