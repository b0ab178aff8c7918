# The Windows program under Wine, from the build in QUELLOR_WINDOWS_BUILD_DIR.
set(QUELLOR_WINDOWS_BIN ${QUELLOR_WINDOWS_BUILD_DIR}/bin)

foreach(case windowed-escape windowed-close fallback-yes fallback-no fullscreen toggle
             missing-texture bad-texture same-pixels zip-package)
  add_test(NAME Wine.${case}
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/run-wine-tests.sh ${case} ${QUELLOR_WINDOWS_BIN}
                   $<TARGET_FILE:quellor-snapshot>)
endforeach()

add_test(NAME Wine.compare-loaders
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/compare-loaders.sh
                 ${QUELLOR_WINDOWS_BIN}/quellor-texcheck.exe $<TARGET_FILE:quellor-texcheck>
                 ${CMAKE_CURRENT_LIST_DIR}/loader-differences.txt
                 ${PROJECT_SOURCE_DIR}/tests/data/bmpsuite)

# Each check boots a Wine prefix of its own; one at a time keeps the timing of
# the desktop checks beside them steady.
get_property(wine_tests DIRECTORY PROPERTY TESTS)
list(FILTER wine_tests INCLUDE REGEX "^Wine\\.")
set_tests_properties(${wine_tests} PROPERTIES LABELS wine SKIP_RETURN_CODE 77 TIMEOUT 400
                                              RESOURCE_LOCK wine)

# The window probe on our platform (headless), compared with the Windows
# build of the same source under Wine.
add_executable(quellor-window-probe-native
               ${CMAKE_CURRENT_LIST_DIR}/probe/WindowProbe.cpp
               ${CMAKE_CURRENT_LIST_DIR}/probe/ProbeInputCore.cpp
               ${CMAKE_CURRENT_LIST_DIR}/probe/ProbeMain.cpp)
target_link_libraries(quellor-window-probe-native PRIVATE quellor_platform_headless)
# It asks for the program's pixel format.
target_include_directories(quellor-window-probe-native PRIVATE ${PROJECT_SOURCE_DIR}/app)
set_target_properties(quellor-window-probe-native PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                             ${PROJECT_BINARY_DIR}/tests)
add_test(NAME Wine.compare-windows
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/compare-windows.sh
                 ${QUELLOR_WINDOWS_BIN}/quellor-window-probe.exe
                 $<TARGET_FILE:quellor-window-probe-native>
                 ${CMAKE_CURRENT_LIST_DIR}/window-differences.txt)
set_tests_properties(Wine.compare-windows PROPERTIES LABELS wine SKIP_RETURN_CODE 77 TIMEOUT 400
                                                     RESOURCE_LOCK wine)
