# The texture generator's tests draw pictures in-process and also run the tool
# itself, and compare with the files the build put beside the program.
target_link_libraries(quellor_texgen_tests PRIVATE quellor_texgen_core)
add_dependencies(quellor_texgen_tests quellor-texgen quellor_textures_files)
