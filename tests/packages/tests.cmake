# The packages: the .deb from this build, the .zip from the Windows build.
add_test(NAME Package.deb COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-packages.sh deb
                                  ${PROJECT_BINARY_DIR})
add_test(NAME Package.zip COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-packages.sh zip
                                  ${QUELLOR_WINDOWS_BUILD_DIR})
set_tests_properties(Package.deb Package.zip PROPERTIES LABELS packages SKIP_RETURN_CODE 77
                                                        TIMEOUT 120)
