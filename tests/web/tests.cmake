# The browser page (label web), from the page's folder that the web preset
# builds (cmake --preset web): its behaviour, its main paths with real X input
# (xdotool into headful browsers on an Xvfb of their own) and its frames
# against quellor-snapshot's on Mesa, each in Chromium and Firefox ESR through
# puppeteer-core (Firefox headful on an Xvfb of its own); and its bitmap
# loader, built for node, compared file by file with the native one.
# Without the page, node's packages (scripts/setup installs them) or Chromium
# they are reported as skipped; without Firefox or Xvfb, their Firefox half
# is.
set(QUELLOR_WEB_PAGE_DIR ${PROJECT_SOURCE_DIR}/build/web
    CACHE PATH "The page's folder (cmake --preset web) that the web checks drive")
set(QUELLOR_WEB_TOOLS_DIR ${PROJECT_SOURCE_DIR}/build/emscripten/tools
    CACHE PATH "The node tools of the web build (quellor-texcheck.js)")
set(web_dir ${CMAKE_CURRENT_LIST_DIR})
set(web_run bash ${web_dir}/run-web-check.sh ${QUELLOR_WEB_PAGE_DIR} ${QUELLOR_WEB_TOOLS_DIR})

add_test(NAME web.page COMMAND ${web_run} node --test --test-concurrency=1 ${web_dir}/page)
add_test(NAME web.frames COMMAND ${web_run} node --test ${web_dir}/frames)
add_test(NAME web.engines COMMAND ${web_run} node --test --test-concurrency=1 ${web_dir}/engines)
add_test(NAME web.loader COMMAND ${web_run} bash ${web_dir}/loader/compare-loaders.sh
                                 $<TARGET_FILE:quellor-texcheck> ${PROJECT_SOURCE_DIR})

add_test(NAME web.zip
         COMMAND ${web_run} bash ${web_dir}/check-web-zip.sh
                 ${QUELLOR_WEB_TOOLS_DIR}/../quellor-${PROJECT_VERSION}-web.zip ${QUELLOR_WEB_PAGE_DIR})

get_property(web_tests DIRECTORY PROPERTY TESTS)
list(FILTER web_tests INCLUDE REGEX "^web\\.")
# Each starts Chromium or many node processes; one at a time keeps the
# machine's two cores for the rest of the suite.
set_tests_properties(
  ${web_tests}
  PROPERTIES LABELS web SKIP_RETURN_CODE 77 TIMEOUT 900 RESOURCE_LOCK browser
             ENVIRONMENT
             "QUELLOR_WEB_PAGE_DIR=${QUELLOR_WEB_PAGE_DIR};QUELLOR_WEB_TOOLS_DIR=${QUELLOR_WEB_TOOLS_DIR};QUELLOR_SNAPSHOT=$<TARGET_FILE:quellor-snapshot>;QUELLOR_PICTURE_DIFF=$<TARGET_FILE:quellor-picture-diff>;QUELLOR_TEXCHECK=$<TARGET_FILE:quellor-texcheck>;QUELLOR_TEXTURES_DIR=${QUELLOR_RUNTIME_DIR}")
