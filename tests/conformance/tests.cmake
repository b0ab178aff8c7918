# The conformance suite on the SDL backend: the same test code as
# quellor_conformance_tests (headless, in-process), linked with the SDL
# backend and run on a private Xvfb display with openbox. Without Xvfb it is
# reported as skipped.
file(GLOB QUELLOR_CONFORMANCE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_executable(quellor_conformance_sdl_tests ${QUELLOR_CONFORMANCE_SOURCES}
                                             ${QUELLOR_TEST_SUPPORT_SOURCES})
target_link_libraries(quellor_conformance_sdl_tests PRIVATE quellor_test_common quellor_platform_sdl
                                                            GTest::gtest_main)
set_target_properties(quellor_conformance_sdl_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                               ${PROJECT_BINARY_DIR}/tests)
add_test(NAME sdl.conformance
         COMMAND ${PROJECT_SOURCE_DIR}/tests/desktop/run-desktop-tests.sh conformance
                 $<TARGET_FILE:quellor_conformance_sdl_tests>)
set_tests_properties(sdl.conformance PROPERTIES LABELS conformance TIMEOUT 900
                     SKIP_RETURN_CODE 77)
