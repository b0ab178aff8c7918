# quellor_fixedgl checked on Mesa's OpenGL ES 2.0 (label fixedgl): unit tests
# that draw and read back, and the scene's frames drawn through the library
# compared with the same frames from Mesa's fixed-function pipeline.
set(fixedgl_dir ${CMAKE_CURRENT_LIST_DIR})

add_library(quellor_fixedgl_surface STATIC ${fixedgl_dir}/support/Es2Surface.cpp)
target_include_directories(quellor_fixedgl_surface PUBLIC ${fixedgl_dir}/support)
target_link_libraries(quellor_fixedgl_surface PUBLIC quellor_fixedgl PRIVATE quellor_platform_egl)

file(GLOB fixedgl_unit_sources CONFIGURE_DEPENDS ${fixedgl_dir}/unit/*.cpp)
add_executable(quellor_fixedgl_tests ${fixedgl_unit_sources})
target_link_libraries(quellor_fixedgl_tests PRIVATE quellor_fixedgl_surface GTest::gtest_main)
set_target_properties(quellor_fixedgl_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                       ${PROJECT_BINARY_DIR}/tests)
gtest_discover_tests(quellor_fixedgl_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS fixedgl)

# The scene, the texture loader and the program state compiled again against
# the library's <GL/gl.h> and <GL/glu.h>, linked with no other OpenGL. The
# platform's and the headless backend's objects provide the Win32 names (files,
# message boxes, Sleep); they are taken as objects so that the system OpenGL
# the backend's target brings does not come too: the library provides every
# OpenGL function they call.
file(GLOB fixedgl_scene_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/scene/*.cpp
     ${PROJECT_SOURCE_DIR}/textures/*.cpp)
add_executable(quellor-fixedgl-frames
               ${fixedgl_dir}/scene/FixedGlFramesMain.cpp ${fixedgl_scene_sources}
               ${PROJECT_SOURCE_DIR}/app/AppState.cpp
               ${PROJECT_SOURCE_DIR}/tools/quellor-snapshot/SnapshotOptions.cpp
               ${PROJECT_SOURCE_DIR}/tools/quellor-snapshot/SnapshotCommandLine.cpp
               ${PROJECT_SOURCE_DIR}/tools/quellor-snapshot/PngWriter.cpp
               $<TARGET_OBJECTS:quellor_platform_hook> $<TARGET_OBJECTS:quellor_platform_os>
               $<TARGET_OBJECTS:quellor_platform_gdi>
               $<TARGET_OBJECTS:quellor_platform_core>
               $<TARGET_OBJECTS:quellor_platform_headless_objects>)
target_include_directories(quellor-fixedgl-frames BEFORE PRIVATE
                           ${PROJECT_SOURCE_DIR}/platform/fixedgl/include)
target_include_directories(quellor-fixedgl-frames PRIVATE
  ${PROJECT_SOURCE_DIR}/platform/include ${PROJECT_SOURCE_DIR}/scene
  ${PROJECT_SOURCE_DIR}/textures ${PROJECT_SOURCE_DIR}/app
  ${PROJECT_SOURCE_DIR}/tools/quellor-snapshot)
target_link_libraries(quellor-fixedgl-frames PRIVATE quellor_fixedgl_surface PkgConfig::PNG)

add_executable(quellor-picture-diff ${fixedgl_dir}/scene/PictureDiffMain.cpp)
target_link_libraries(quellor-picture-diff PRIVATE PkgConfig::PNG)

# Measured on Mesa 22.3 (llvmpipe), 5/6/5: 99.85% to 99.89% of pixels within
# 8, a mean difference of 0.02 and single pixels up to 50 along edges. The
# pixels that differ differ by one step of a 5- or 6-bit channel.
set(fixedgl_channel_step 8)
set(fixedgl_min_fraction 0.995)
set(fixedgl_max_mean 0.1)
foreach(case "0001;--frames;1" "0001-follow;--frames;1;--space-at;1"
        "0250;--frames;250" "0250-follow;--frames;250;--space-at;100"
        "1300;--frames;1300" "1300-follow;--frames;1300;--space-at;1")
  list(POP_FRONT case name)
  add_test(NAME FixedGlScene.frame-${name}
           COMMAND bash ${fixedgl_dir}/scene/compare-frames.sh ${name}
                   ${PROJECT_BINARY_DIR}/tests/fixedgl-frames ${QUELLOR_RUNTIME_DIR}
                   $<TARGET_FILE:quellor-snapshot> $<TARGET_FILE:quellor-fixedgl-frames>
                   $<TARGET_FILE:quellor-picture-diff> ${fixedgl_channel_step}
                   ${fixedgl_min_fraction} ${fixedgl_max_mean} -- ${case})
  set_tests_properties(FixedGlScene.frame-${name} PROPERTIES LABELS fixedgl)
endforeach()
add_dependencies(quellor-fixedgl-frames quellor_textures_files)
