# The fault sweeps also check the decoding of the program's fuzz inputs.
target_sources(quellor_faults_tests PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/program/ProgramSequence.cpp)
target_include_directories(quellor_faults_tests PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/program)

# The program's fuzz target without libFuzzer, replaying its seeds and the
# inputs that once found a fault on every test run.
add_executable(quellor_program_replay
               ${PROJECT_SOURCE_DIR}/fuzz/program/ProgramFuzzTarget.cpp
               ${PROJECT_SOURCE_DIR}/fuzz/program/ProgramSequence.cpp
               ${PROJECT_SOURCE_DIR}/fuzz/program/ReplayMain.cpp
               ${PROJECT_SOURCE_DIR}/tests/support/ScratchDirectory.cpp
               ${PROJECT_SOURCE_DIR}/tests/support/BitmapBytes.cpp)
target_include_directories(quellor_program_replay PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(quellor_program_replay PRIVATE quellor_app quellor_platform_headless)
add_test(NAME program_fuzz_regressions
         COMMAND quellor_program_replay ${PROJECT_SOURCE_DIR}/fuzz/program-seeds
                 ${PROJECT_SOURCE_DIR}/fuzz/program-regressions)
set_tests_properties(program_fuzz_regressions PROPERTIES LABELS faults)

# A minute of fuzzing the whole program.
quellor_add_fuzz_test(program_fuzz ${PROJECT_SOURCE_DIR}/fuzz/run-program-fuzz.sh 60)
