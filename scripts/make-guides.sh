#!/bin/sh
# Turns Markdown guides into HTML pages with Debian's cmark: UTF-8 declared,
# the first heading as the title, ids on the headings for the guides' own
# links to their sections, links to the other guides given pointing at
# their .html pages. A link to any other local file that is not beside the
# guides fails the build rather than leaving a link that leads nowhere.
# Usage: scripts/make-guides.sh OUTDIR GUIDE.md...
set -eu
if [ $# -lt 2 ]; then
  echo "usage: scripts/make-guides.sh OUTDIR GUIDE.md..." >&2
  exit 2
fi
out=$1
shift
command -v cmark >/dev/null || { echo "make-guides.sh: cmark is missing" >&2; exit 1; }
mkdir -p "$out"
names=""
for md in "$@"; do names="$names $(basename "$md" .md)"; done

for md in "$@"; do
  name=$(basename "$md" .md)
  title=$(sed -n 's/^# //p' "$md" | head -n 1 | sed 's/&/\&amp;/g; s/</\&lt;/g; s/>/\&gt;/g')
  # Headings get the ids the guides' own links (#the-goal) expect, made as
  # Markdown hosts make them: lower case, punctuation dropped, blanks as '-'.
  body=$(cmark --safe "$md" | awk '
    match($0, /^<h[1-6]>.*<\/h[1-6]>$/) {
      level = substr($0, 3, 1)
      inner = substr($0, 5, length($0) - 9)
      slug = inner
      gsub(/<[^>]*>/, "", slug)
      gsub(/&[a-z]+;|&#[0-9]+;/, "", slug)
      slug = tolower(slug)
      gsub(/[^a-z0-9 _-]/, "", slug)
      gsub(/ /, "-", slug)
      print "<h" level " id=\"" slug "\">" inner "</h" level ">"
      next
    }
    { print }')
  for other in $names; do
    body=$(printf '%s\n' "$body" | sed "s/href=\"$other\.md\([#\"]\)/href=\"$other.html\1/g")
  done
  # Every local link left must name a file beside the page (pictures included).
  for target in $(printf '%s\n' "$body" | grep -o '\(href\|src\)="[^"#:]*[^"#:/][#"]' |
                  sed 's/^[a-z]*="//; s/[#"]$//' | sort -u); do
    case " $names " in *" ${target%.html} "*) continue ;; esac
    if [ ! -f "$(dirname "$md")/$target" ]; then
      echo "make-guides.sh: $md links $target, which is not shipped" >&2
      exit 1
    fi
  done
  tmp=$(mktemp "$out/.$name.XXXXXX")
  {
    printf '<!doctype html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
    printf '<meta name="viewport" content="width=device-width, initial-scale=1">\n'
    printf '<title>%s</title>\n' "$title"
    printf '<style>body{max-width:46em;margin:0 auto;padding:0 12px 24px;font:16px/1.5 sans-serif}'
    printf 'img{max-width:100%%;height:auto}table{border-collapse:collapse}'
    printf 'td,th{border:1px solid #999;padding:2px 6px}code{overflow-wrap:anywhere}</style>\n'
    printf '</head>\n<body>\n<main>\n%s\n</main>\n</body>\n</html>\n' "$body"
  } > "$tmp"
  chmod 644 "$tmp"  # mktemp makes it private; the guides are served to anyone
  mv -f "$tmp" "$out/$name.html"
done
