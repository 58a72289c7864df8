#!/bin/sh
# Only platform/ (and the build tools and tests) may include SDL, FreeType,
# fontconfig, libjpeg, libpng, libwebp, giflib and zlib; and each folder of the game includes only
# itself and the folders below it, so the rules never reach the screen. The
# platform seam: the shared part of platform/ (the seam's header, the
# application object, the headless backend, the key table, the native
# module's table and loader) includes no native library, each window backend
# lives in its own file, only the native module's files (the list
# NATIVE_SOURCES of CMakeLists.txt) include a window, font or picture library,
# and every front end starts the form through ui/form_start alone. Fonts,
# picture codecs, movie encoders and deflate live below the seam in
# platform/media/: they include only each other and the seam's plain types
# (canvas, resources, the native table), never a backend, and the floors above
# reach them through their public headers alone. The view's size is written
# once, in ui/view_size.h. One way in: a key from every backend reaches
# FormKeyDown through the one key chain of ui/ (watch, typing, the front
# end's keyPlayed hook); app/ and web/ only hand keys to it and pass their
# hooks in through startForm, so no header declares a global hook pointer,
# and neither app/ nor web/ includes the other.
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
  "worlds:game|sql|statements|worlds" "ui:game|sql|statements|worlds|platform|ui" \
  "headless:game|sql|statements|worlds|platform|ui|headless" \
  "app:game|sql|statements|worlds|platform|ui|headless|app" \
  "web:game|sql|statements|worlds|platform|ui|headless|web"; do
  folder=${rule%%:*}
  grep -rEn '^\s*#\s*include\s*"[a-z_]+/' "$folder" | grep -Ev "#\s*include\s*\"(${rule#*:})/" &&
    status=1
done

# The shared part of the seam includes no native library and no backend.
if grep -En '^\s*#\s*include\s*[<"](SDL|ft2build|freetype|fontconfig|jpeglib|png|emscripten|platform/web/)' \
  platform/backend.h platform/application.h platform/application.cpp platform/headless.cpp \
  platform/key_codes.h platform/message_box.h platform/message_box.cpp platform/native.h \
  platform/native_calls.cpp platform/native_loader.cpp; then
  status=1
fi
# Only the native module's own files include a window, font or picture library
# (and no header does, so no other file can through it).
native=$(sed -n '/^set(NATIVE_SOURCES/,/)/p' CMakeLists.txt)
for file in $(grep -lE '^\s*#\s*include\s*[<"](SDL|ft2build|freetype|fontconfig|jpeglib|png\.h|webp/|gif_lib)' \
  platform/*.cpp platform/*.h platform/media/*.cpp platform/media/*.h); do
  echo "$native" | grep -qw "$(basename "$file")" || { echo "$file is not in the native module"; status=1; }
done
# platform/media/ sits below the seam, and is reached through its few headers.
grep -En '^\s*#\s*include\s*"' platform/media/*.cpp platform/media/*.h |
  grep -Ev '#\s*include\s*"platform/(media/[a-z_]+|canvas|resources|native)\.h"' && status=1
grep -rEn '^\s*#\s*include\s*"platform/media/' --include='*.cpp' --include='*.h' \
  app bench fuzz game headless sql statements tests tools ui web |
  grep -Ev '"platform/media/(font|jpeg_decode|png_io|movie_writer|raw_deflate)\.h"' && status=1
# One window backend per build, each in its own file; the desktop's is reached
# through the native module's table.
[ "$(grep -rlE '^WindowBackend& windowBackend\(\) \{' platform | sort | tr '\n' ' ')" = \
  "platform/native_calls.cpp platform/sdl_window.cpp platform/web/browser_window.cpp " ] ||
  { echo "windowBackend"; status=1; }
# One start-up: only ui/form_start.cpp brings up the application and its form.
grep -rEn 'Application\.(initialize|createForm)' \
  --include='*.cpp' --include='*.h' app web headless ui tools bench fuzz tests/support |
  grep -v '^ui/form_start.cpp:' && status=1
# One way in: the chain a key passes before the game is written once, in
# ui/key_chain.cpp; the front ends name none of its steps, and no header
# keeps a hook as a global pointer (the hooks come in through FormStart).
grep -rEn '\b(FormKeyDown|typingKeyDown|typingCharacter|typingWalk|steerWatch|watchSteers)\b' \
  --include='*.cpp' --include='*.h' app web && status=1
grep -rlE '\b(steerWatch|watchSteers)\(' --include='*.cpp' app web headless ui |
  grep -Ev '^ui/(key_chain|replay_watch)\.cpp$' && status=1
grep -rEn '^\s*extern\b[^;]*\(\s*\*' --include='*.h' game sql statements ui headless app web && status=1
# The view's size is derived, never written out, in the code, the page and its tests.
grep -rEn '\b(576|464|584|491)\b' --include='*.cpp' --include='*.h' --include='*.html' \
  --include='*.mjs' --include='*.js' --include='*.cmake' app bench fuzz headless platform ui web \
  tests/web tests/support tools cmake | grep -Ev '^ui/view_size\.h:|TOTAL_STACK' && status=1
exit $status
