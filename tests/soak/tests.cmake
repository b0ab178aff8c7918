# The SDL2 program's soaks on a private Xvfb display. Without a sanitizer: 50
# F1 recreations with resident memory and open descriptors flat. With
# AddressSanitizer (the asan preset): a whole session that LeakSanitizer must
# find clean; memory figures of such a build say nothing, so the recreation
# soak is left to the other builds.
set(QUELLOR_SOAK_HARNESS ${CMAKE_CURRENT_LIST_DIR}/run-desktop-soak.sh)
if(CMAKE_CXX_FLAGS MATCHES "sanitize=address")
  add_test(NAME soak.desktop-leak-session
           COMMAND ${QUELLOR_SOAK_HARNESS} leak-session $<TARGET_FILE:quellor>)
  set_tests_properties(soak.desktop-leak-session PROPERTIES LABELS "soak;desktop" TIMEOUT 900)
else()
  add_test(NAME soak.desktop-recreations
           COMMAND ${QUELLOR_SOAK_HARNESS} recreations $<TARGET_FILE:quellor> 50)
  set_tests_properties(soak.desktop-recreations PROPERTIES LABELS "soak;desktop" TIMEOUT 900)
endif()
