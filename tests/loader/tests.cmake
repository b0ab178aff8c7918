# The loader tests compare with stb_image, through its public API.
target_link_libraries(quellor_loader_tests PRIVATE PkgConfig::STB)

# The fuzz target without libFuzzer, replaying the saved inputs of
# fuzz/regressions on every test run.
add_executable(quellor_loader_replay ${PROJECT_SOURCE_DIR}/fuzz/loader/LoaderFuzzTarget.cpp
                                     ${PROJECT_SOURCE_DIR}/fuzz/loader/ReplayMain.cpp)
target_link_libraries(quellor_loader_replay PRIVATE quellor_textures quellor_platform_headless)
add_test(NAME loader_fuzz_regressions
         COMMAND quellor_loader_replay ${PROJECT_SOURCE_DIR}/fuzz/regressions)
set_tests_properties(loader_fuzz_regressions PROPERTIES LABELS loader)

# quellor-texcheck as a user runs it: its output, its exit status and its
# picture, which ImageMagick's own decoder must agree with.
add_test(NAME loader_texcheck
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/texcheck-test.sh $<TARGET_FILE:quellor-texcheck>
                 ${PROJECT_SOURCE_DIR}/tests/data/bmpsuite)
set_tests_properties(loader_texcheck PROPERTIES LABELS loader)

# Two minutes of fuzzing the loader.
quellor_add_fuzz_test(loader_fuzz ${PROJECT_SOURCE_DIR}/fuzz/run-loader-fuzz.sh 120)

# quellor-texcheck in a control group with a memory limit, as in a container:
# a tiny file declaring a huge picture is refused, a large one still loads.
add_test(NAME loader_memory_limit
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/memory-limit-test.sh $<TARGET_FILE:quellor-texcheck>)
set_tests_properties(loader_memory_limit PROPERTIES LABELS loader SKIP_RETURN_CODE 77)
