# The browser build, configured with emcmake: the game's rules and screens
# with the browser backend (platform/web), fonts and pictures baked by the
# native bake_web_assets, as velmora.js and velmora.wasm; scripts/build-web.sh
# drives it. VELMORA_NATIVE_BUILD is a native build directory that has made
# generated/initial_maps.cpp and generated/web_assets.cpp.
set(VELMORA_NATIVE_BUILD "" CACHE PATH "Native build directory with the generated sources")
if(NOT EXISTS ${VELMORA_NATIVE_BUILD}/generated/web_assets.cpp)
  message(FATAL_ERROR "VELMORA_NATIVE_BUILD must name a native build that made web_assets")
endif()
# nlohmann-json is header-only; em++ sees its folder alone, through a link, as
# the rest of the host's /usr/include is not for the browser.
find_path(VELMORA_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
          REQUIRED)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/json-include)
file(CREATE_LINK ${VELMORA_JSON_INCLUDE}/nlohmann ${CMAKE_BINARY_DIR}/json-include/nlohmann
     SYMBOLIC)

# The game's own sources: the one list to re-point when they move.
file(GLOB WEB_GAME_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/game/*.cpp
  ${CMAKE_SOURCE_DIR}/sql/*.cpp
  ${CMAKE_SOURCE_DIR}/statements/*.cpp
  ${CMAKE_SOURCE_DIR}/worlds/*.cpp
  ${CMAKE_SOURCE_DIR}/ui/*.cpp
  ${CMAKE_SOURCE_DIR}/headless/*.cpp)
# The movie and the packing of replay links are the desktop's: they need
# libwebp, giflib and zlib. The page unpacks links with web/replay_link.js.
# The identities' SHA-256 is nettle's on the desktop and the browser's
# WebCrypto on the page (web/page_sha256.cpp).
list(REMOVE_ITEM WEB_GAME_SOURCES ${CMAKE_SOURCE_DIR}/headless/movie_capture.cpp
     ${CMAKE_SOURCE_DIR}/headless/replay_code.cpp ${CMAKE_SOURCE_DIR}/worlds/sha256_nettle.cpp)

# The platform code shared with the desktop (the application object, the
# headless backend), and the browser's own part in place of SDL, FreeType,
# fontconfig, libjpeg and libpng: the page's backend, keys, fonts, pictures.
file(GLOB WEB_BACKEND_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/web/*.cpp)
set(WEB_PLATFORM_SOURCES
  ${CMAKE_SOURCE_DIR}/platform/application.cpp
  ${CMAKE_SOURCE_DIR}/platform/canvas.cpp
  ${CMAKE_SOURCE_DIR}/platform/media/font_table.cpp
  ${CMAKE_SOURCE_DIR}/platform/headless.cpp
  ${CMAKE_SOURCE_DIR}/platform/image_list.cpp
  ${CMAKE_SOURCE_DIR}/platform/message_box.cpp
  ${CMAKE_SOURCE_DIR}/platform/resources.cpp
  ${CMAKE_SOURCE_DIR}/platform/safe_file.cpp
  ${CMAKE_SOURCE_DIR}/platform/state_folder.cpp
  ${CMAKE_SOURCE_DIR}/platform/text_wrap.cpp
  ${WEB_BACKEND_SOURCES})

add_executable(velmora
  ${CMAKE_SOURCE_DIR}/web/main.cpp
  ${CMAKE_SOURCE_DIR}/web/page_sha256.cpp
  ${CMAKE_SOURCE_DIR}/web/page_worlds.cpp
  ${CMAKE_SOURCE_DIR}/web/page_daily.cpp
  ${WEB_GAME_SOURCES}
  ${WEB_PLATFORM_SOURCES}
  ${VELMORA_NATIVE_BUILD}/generated/initial_maps.cpp
  ${VELMORA_NATIVE_BUILD}/generated/web_assets.cpp)
target_include_directories(velmora PRIVATE ${CMAKE_SOURCE_DIR})
target_include_directories(velmora SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/json-include)
target_compile_definitions(velmora PRIVATE VELMORA_VERSION="${PROJECT_VERSION}"
                                           VELMORA_GUIDE_URL="players-guide.html")
# -O2 rather than -Os: start-up runs in the browser's baseline compiler, where
# the code -Os leaves out of line took twice as long, for 1% more bytes. No
# build folder's name in the output: the page is the same wherever it is built.
# The world-file reader refuses a file by throwing: the browser's own
# WebAssembly exceptions catch it (3% more bytes) where emscripten's default
# would stop the program at the first refusal.
target_compile_options(velmora PRIVATE -O2 -fwasm-exceptions -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
                       -ffile-prefix-map=${VELMORA_NATIVE_BUILD}=native)
target_link_options(velmora PRIVATE -O2 -fwasm-exceptions -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=0
  -sINITIAL_MEMORY=33554432 -sTOTAL_STACK=1048576
  "-sEXPORTED_FUNCTIONS=_main,_velmora_key,_velmora_state,_velmora_run_script,_velmora_close,_velmora_box_closed,_velmora_box_key,_velmora_grid_cell,_velmora_set_typing,_velmora_new_game,_velmora_resume_keys,_velmora_watch_keys,_velmora_watch_script,_velmora_watch_tick,_velmora_watch_state,_velmora_watch_summary,_malloc,_free,_velmora_edit_open,_velmora_edit_text,_velmora_edit_unsaved,_velmora_edit_takes_escape,_velmora_edit_refusal,_velmora_edit_close,_velmora_edit_leave_game,_velmora_identity_size,_velmora_worlds_identity_bytes,_velmora_played_identity_bytes,_velmora_worlds_digest,_velmora_play_worlds,_velmora_play_built_in,_velmora_worlds_refusal,_velmora_worlds_played,_velmora_played_title,_velmora_played_author,_velmora_played_identity,_velmora_worlds_lines,_velmora_played_worlds_text,_velmora_daily_version,_velmora_daily_make,_velmora_daily_text,_velmora_daily_waiting,_velmora_game_won,_velmora_tally_keys,_velmora_daily_share,_velmora_tally_score"
  "-sEXPORTED_RUNTIME_METHODS=ccall,UTF8ToString,HEAPU8")
