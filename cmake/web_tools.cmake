# The browser build's native half: the baker that prepares the fonts and
# pictures with the desktop's platform code for the page to compile in, and
# the browser test that plays the page in headless Chromium.
add_executable(bake_web_assets tools/bake_web_assets.cpp platform/web/pixel_pack.cpp)
target_link_libraries(bake_web_assets PRIVATE velmora_ui velmora_native_objects)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/generated/web_assets.cpp
  COMMAND bake_web_assets ${CMAKE_BINARY_DIR}/generated/web_assets.cpp
          TITLE PARTS1 PARTS2 PARTS3 CHARA
  DEPENDS bake_web_assets
  COMMENT "Baking fonts and pictures for the browser")
add_custom_target(web_assets DEPENDS ${CMAKE_BINARY_DIR}/generated/web_assets.cpp
                                     ${CMAKE_BINARY_DIR}/generated/initial_maps.cpp)

# The page is built by emscripten in a directory of this build and played
# against this build's game. Not in the sanitizer or coverage builds: the
# page's code is the same there, and building it twice costs a minute.
if(VELMORA_TESTS AND NOT VELMORA_SANITIZE AND NOT VELMORA_COVERAGE)
  add_test(NAME WebPage.build COMMAND env VELMORA_NATIVE_BUILD=${CMAKE_BINARY_DIR}
           sh ${CMAKE_SOURCE_DIR}/scripts/build-web.sh ${CMAKE_BINARY_DIR}/web-page)
  # Started first, beside the memory replays: its emscripten build is the longest step.
  set_tests_properties(WebPage.build PROPERTIES FIXTURES_SETUP WebPage TIMEOUT 600 COST 2000)
  # Then the page in headless Chromium, in three parts that run side by side,
  # as they wait on the browser more than they compute: the scripts against
  # the desktop, the page round the game, the games it keeps and shares.
  function(page_test name)
    add_test(NAME WebPage.${name}
             COMMAND node ${CMAKE_SOURCE_DIR}/tests/web/play_in_browser.mjs
                     ${CMAKE_BINARY_DIR}/web-page $<TARGET_FILE:velmora>
                     ${CMAKE_BINARY_DIR}/web-test/${name} ${ARGN})
    set_tests_properties(WebPage.${name} PROPERTIES FIXTURES_REQUIRED WebPage TIMEOUT 600
                                                    COST 1500)
  endfunction()
  page_test(sameGameAsDesktop ${CMAKE_SOURCE_DIR}/tests/scripts/winning_game.txt
            ${CMAKE_SOURCE_DIR}/tests/scripts/every_mode.txt)
  page_test(pageRoundTheGame --page)
  page_test(gamesKeptAndShared --replays)
  page_test(worldEditor --editor)
endif()
