# Desktop end-to-end checks, each on a private Xvfb display with openbox: the
# program with its SDL2 backend driven as a user would, and the backend's own
# GoogleTest program (kept apart from the headless test groups, which link the
# headless backend in its place).
set(QUELLOR_DESKTOP_HARNESS ${CMAKE_CURRENT_LIST_DIR}/run-desktop-tests.sh)

foreach(scenario windowed-escape windowed-close fallback-yes fallback-no fullscreen toggle sigterm alt-f4
                 missing-textures no-display stalled-f1)
  add_test(NAME desktop.${scenario}
           COMMAND ${QUELLOR_DESKTOP_HARNESS} ${scenario} $<TARGET_FILE:quellor>)
  set_tests_properties(desktop.${scenario} PROPERTIES LABELS desktop TIMEOUT 180)
endforeach()

# What the user sees: pictures of the window compared with frames that
# quellor-snapshot renders (made once per run by the desktop.scene-reference
# fixture), and broken textures, whose boxes are compared with boxes of the
# expected texts.
set(QUELLOR_SCENE_REFERENCE ${CMAKE_CURRENT_BINARY_DIR}/desktop-scene-reference)
set(QUELLOR_DESKTOP_USER_ENVIRONMENT
    QUELLOR_SNAPSHOT=$<TARGET_FILE:quellor-snapshot>
    QUELLOR_SCENE_REFERENCE=${QUELLOR_SCENE_REFERENCE}
    QUELLOR_SHOW_MESSAGE_BOX=$<TARGET_FILE:quellor_show_message_box>)
foreach(scenario scene-reference textured-scene space-follows toggle-textured missing-tex2 bad-tex3
                 empty-tex1)
  add_test(NAME desktop.${scenario}
           COMMAND ${QUELLOR_DESKTOP_HARNESS} ${scenario} $<TARGET_FILE:quellor>)
  set_tests_properties(desktop.${scenario} PROPERTIES LABELS desktop TIMEOUT 180
                       ENVIRONMENT "${QUELLOR_DESKTOP_USER_ENVIRONMENT}")
endforeach()
set_tests_properties(desktop.scene-reference PROPERTIES FIXTURES_SETUP desktop_scene_reference)
set_tests_properties(desktop.textured-scene desktop.space-follows desktop.toggle-textured
                     PROPERTIES FIXTURES_REQUIRED desktop_scene_reference)

# A message box with a given text, shown as the program shows its own.
add_executable(quellor_show_message_box ${CMAKE_CURRENT_LIST_DIR}/message-box/ShowMessageBox.cpp)
target_link_libraries(quellor_show_message_box PRIVATE quellor_platform_sdl)
set_target_properties(quellor_show_message_box PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                          ${PROJECT_BINARY_DIR}/tests)

file(GLOB QUELLOR_SDL_BACKEND_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/backend/*.cpp)
add_executable(quellor_sdl_backend_tests ${QUELLOR_SDL_BACKEND_TEST_SOURCES})
target_include_directories(quellor_sdl_backend_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../support
                                                    ${PROJECT_SOURCE_DIR}/app)
target_link_libraries(quellor_sdl_backend_tests PRIVATE quellor_platform_sdl GTest::gtest_main)
# A library the tests load and close themselves, to see whether it stays mapped.
add_library(quellor_loadable_module MODULE ${CMAKE_CURRENT_LIST_DIR}/loadable/Loadable.c)
add_dependencies(quellor_sdl_backend_tests quellor_loadable_module)
target_compile_definitions(quellor_sdl_backend_tests PRIVATE
                           QUELLOR_LOADABLE_MODULE="$<TARGET_FILE:quellor_loadable_module>")
set_target_properties(quellor_sdl_backend_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                           ${PROJECT_BINARY_DIR}/tests)
add_test(NAME desktop.backend
         COMMAND ${QUELLOR_DESKTOP_HARNESS} backend $<TARGET_FILE:quellor_sdl_backend_tests>)
set_tests_properties(desktop.backend PROPERTIES LABELS desktop TIMEOUT 300)

# Key translation needs no display, so it runs without the Xvfb harness.
add_executable(quellor_sdl_key_tests ${CMAKE_CURRENT_LIST_DIR}/keys/SdlKeyCodesTest.cpp)
target_link_libraries(quellor_sdl_key_tests PRIVATE quellor_platform_sdl GTest::gtest_main)
set_target_properties(quellor_sdl_key_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                       ${PROJECT_BINARY_DIR}/tests)
gtest_discover_tests(quellor_sdl_key_tests TEST_PREFIX "sdl." DISCOVERY_TIMEOUT 60
                     PROPERTIES LABELS desktop)

# The display mode comes back however a fullscreen run ends: signals that kill
# (the display guard restores it, after the program for SIGKILL), SIGINT as a
# normal quit, and no guard for a windowed run.
foreach(case HUP QUIT SEGV BUS ABRT FPE ILL PIPE KILL INT windowed)
  add_test(NAME desktop.signal-${case}
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-signal-tests.sh ${case} $<TARGET_FILE:quellor>)
  set_tests_properties(desktop.signal-${case} PROPERTIES LABELS desktop TIMEOUT 180)
endforeach()
