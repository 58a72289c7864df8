#!/bin/sh
# Only platform/ (and the build tools and tests) may include SDL, FreeType,
# fontconfig, libjpeg, libpng, libwebp, giflib and zlib; and each folder of
# the game includes only itself and the folders below it, so the rules never
# reach the screen.
#   layering_test.sh SOURCE_DIR
cd "$1"
[ "$(find . -path ./platform -prune -o -name '*.cpp' -print | wc -l)" -gt 10 ] || exit 1
if grep -rEn '^\s*#\s*include\s*[<"](SDL|ft2build|freetype|fontconfig|jpeglib|jerror|png|libpng|webp/|gif_lib|zlib)' \
  --include='*.cpp' --include='*.h' --exclude-dir=platform --exclude-dir=tools \
  --exclude-dir=tests --exclude-dir=assets --exclude-dir=docs --exclude-dir='build*' \
  --exclude-dir=node_modules -- *; then
  exit 1
fi
status=0
for rule in "platform:platform" "game:game" "sql:game|sql" "statements:game|sql|statements" \
  "ui:game|sql|statements|platform|ui" "headless:game|sql|statements|platform|ui|headless"; do
  folder=${rule%%:*}
  grep -rEn '^\s*#\s*include\s*"[a-z_]+/' "$folder" | grep -Ev "#\s*include\s*\"(${rule#*:})/" &&
    status=1
done
exit $status
