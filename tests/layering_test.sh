#!/bin/sh
# Only platform/ (and the build tools and tests) may include SDL, FreeType,
# fontconfig, libjpeg and libpng.   layering_test.sh SOURCE_DIR
cd "$1"
[ "$(find . -path ./platform -prune -o -name '*.cpp' -print | wc -l)" -gt 10 ] || exit 1
! grep -rEn '^\s*#\s*include\s*[<"](SDL|ft2build|freetype|fontconfig|jpeglib|jerror|png|libpng)' \
  --include='*.cpp' --include='*.h' --exclude-dir=platform --exclude-dir=tools \
  --exclude-dir=tests --exclude-dir=assets --exclude-dir=docs --exclude-dir='build*' -- *
