# The window tests at display scales. Each entry runs the *AtScale suite of a window's test
# executable in a Wine prefix whose LogPixels is the DPI: the plain prefix for 96,
# build/wineprefix-DPI for the others (tools/test prepares them from SCALED_DPIS in
# tools/common.sh; keep the two lists alike). FILESTAMP_TEST_DPI tells the tests which DPI to
# expect; in the plain runs they skip themselves. Include after the window tests.
foreach(dpi IN ITEMS 96 144 192)
  if(dpi EQUAL 96)
    set(prefix "${CMAKE_BINARY_DIR}/wineprefix")
  else()
    set(prefix "${CMAKE_BINARY_DIR}/wineprefix-${dpi}")
  endif()
  foreach(window IN ITEMS main batch)
    if(NOT TARGET ${window}_window_tests)
      continue()
    endif()
    add_test(NAME ${window}_window_tests_dpi${dpi}
      COMMAND ${window}_window_tests --gtest_filter=*AtScale.*)
    set_tests_properties(${window}_window_tests_dpi${dpi} PROPERTIES
      ENVIRONMENT "WINEPREFIX=${prefix};WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=;FILESTAMP_TEST_DPI=${dpi}"
      TIMEOUT 600 RESOURCE_LOCK display)
  endforeach()
endforeach()
