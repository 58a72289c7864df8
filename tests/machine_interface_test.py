# The machine interface as docs/replays.md documents it: every field of the
# `state` table is in a real state line and every field of the line is in
# the table, top-level fields in the documented order; and the page's example
# program plays through the pipe (it would wait forever on a game that kept
# its answers in a buffer).
#   machine_interface_test.py VELMORA SOURCE_DIR
import json
import re
import subprocess
import sys

velmora, source = sys.argv[1], sys.argv[2]
page = open(f"{source}/docs/replays.md", encoding="utf-8").read()
section = page[page.index("## The machine interface"):]
section = section[:section.index("\n## ", 1)]
failures = []

rows = re.findall(r"^\| `(\w+)` \| (.*) \|$", section, re.M)
documented = {name for name, _ in rows}
top_level = [name for name, text in rows if not text.startswith("(in ")]

# A game with a table, its charas on the move and a statement composed.
script = open(f"{source}/tests/scripts/spell.txt", encoding="utf-8").read()
out = subprocess.run([velmora, "--headless", "-"], input=script + "\nkey Enter\nstate\n",
                     capture_output=True, text=True, check=True).stdout
line = out.strip().splitlines()[-1]
state = json.loads(line)
# Every key at any depth: a JSON string cannot hold an unescaped quote.
found = set(re.findall(r'"(\w+)":', line))
if found - documented:
    failures.append(f"fields not documented: {sorted(found - documented)}")
if documented - found:
    failures.append(f"documented fields not in a state line: {sorted(documented - found)}")
if list(state) != top_level:
    failures.append(f"top-level order {list(state)} is not the documented {top_level}")
if not state["tables"] or not any(t["name"] for t in state["tables"]):
    failures.append("the game holds no table: the check proves too little")

example = re.search(r"```python\n(.*?)```", section, re.S).group(1)
try:
    played = subprocess.run([sys.executable, "-c", example, velmora], capture_output=True,
                            text=True, timeout=30)
    if played.returncode != 0 or not re.fullmatch(
            r"leader \[\d+, \d+, 1, 1\] score 49\d\d status 0\n", played.stdout):
        failures.append(f"the example ended with {played.returncode}: {played.stdout}"
                        f"{played.stderr}")
except subprocess.TimeoutExpired:
    failures.append("the example waited for an answer that never came")

for failure in failures:
    print(f"machine_interface_test: {failure}", file=sys.stderr)
sys.exit(1 if failures else 0)
