# The scene tests render reference pictures the way quellor-snapshot does, and
# the tool itself is checked from the command line.
target_link_libraries(quellor_scene_tests PRIVATE quellor_snapshot)
# The textured scene reads the texture files the build draws; the command-line
# checks run the tool.
add_dependencies(quellor_scene_tests quellor_textures_files quellor-snapshot)
target_compile_definitions(quellor_scene_tests PRIVATE
                           QUELLOR_TEST_OUTPUT_DIR="${PROJECT_BINARY_DIR}/tests")

foreach(case help bad-options missing-textures every thread-count)
  add_test(NAME SnapshotTool.${case}
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/snapshot-tool-test.sh ${case}
                   $<TARGET_FILE:quellor-snapshot> ${QUELLOR_RUNTIME_DIR})
  set_tests_properties(SnapshotTool.${case} PROPERTIES LABELS scene)
endforeach()

# A process that ends with a frame's drawing queued in its current context,
# with Mesa's shader cache off so that flushing that drawing compiles shaders:
# the platform's clean-up at exit must not reach the driver, whose own static
# objects may be destroyed by then.
add_test(NAME scene.exit-with-drawing-queued
         COMMAND quellor_scene_tests --gtest_filter=AnimationTest.FirstFrameMovesBothCubesOneStep
         WORKING_DIRECTORY ${CMAKE_CURRENT_LIST_DIR})
set_tests_properties(scene.exit-with-drawing-queued PROPERTIES LABELS scene
                     ENVIRONMENT MESA_SHADER_CACHE_DISABLE=true)
