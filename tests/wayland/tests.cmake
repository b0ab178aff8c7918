# The program on the Linux desktops it meets: X without a window manager,
# message boxes where SDL cannot show one, fullscreen that scales where the
# display mode cannot be switched, and the Wayland compositors weston, mutter
# and sway. Scenarios whose tools or compositor are missing report themselves
# skipped.
set(QUELLOR_WAYLAND_HARNESS ${CMAKE_CURRENT_LIST_DIR}/run-wayland-tests.sh)
foreach(scenario nowm-boxes nowm-toggle own-box no-box scaled weston-xwayland weston-xwayland-close
                 weston weston-own-box weston-close mutter mutter-close sway
                 sway-close)
  add_test(NAME wayland.${scenario}
           COMMAND ${QUELLOR_WAYLAND_HARNESS} ${scenario} $<TARGET_FILE:quellor>)
  set_tests_properties(wayland.${scenario} PROPERTIES LABELS wayland TIMEOUT 180
                       SKIP_RETURN_CODE 77
                       ENVIRONMENT QUELLOR_SNAPSHOT=$<TARGET_FILE:quellor-snapshot>)
endforeach()
# Two nested mutters, each compositing on the CPU, starve each other on a
# busy machine: they run one at a time.
set_tests_properties(wayland.mutter wayland.mutter-close PROPERTIES RESOURCE_LOCK nested-mutter)
