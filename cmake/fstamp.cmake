# The console companion fstamp.exe: the Windows half of cli/ on top of the core, the program
# with its own resources, and cli_tests, which runs every tests/cli test under Wine. Never
# links app/ or ui/; of app/ it includes only the header-only COM scope.
set(FSTAMP_WINDOWS_SOURCES
  cli/console.cpp
  cli/progress.cpp
  cli/path_walk.cpp
  cli/drive_relative.cpp
  cli/stop_request.cpp
  cli/volume_precision.cpp
  cli/platform_time.cpp
  cli/run_report.cpp
  cli/stamp_run.cpp
  cli/program.cpp
  cli/run_show.cpp
  cli/run_set.cpp
  cli/run_undo.cpp
  cli/history_record.cpp
  cli/run_history.cpp
  cli/send_to.cpp
  cli/media_file.cpp
)
add_library(fstamp_windows STATIC ${FSTAMP_WINDOWS_SOURCES})
target_include_directories(fstamp_windows PUBLIC ${CMAKE_SOURCE_DIR} PRIVATE ${FILESTAMP_GENERATED_DIR})
target_link_libraries(fstamp_windows PUBLIC fstamp_portable filestamp_core shell32 ole32 uuid kernel32)

# Manifest (UTF-8 code page, long paths, Windows 10) and version information.
configure_file(resources/fstamp.manifest.in ${FILESTAMP_GENERATED_DIR}/fstamp.manifest @ONLY)
add_library(fstamp_resources OBJECT resources/fstamp.rc)
target_include_directories(fstamp_resources PRIVATE ${CMAKE_SOURCE_DIR}/resources ${FILESTAMP_GENERATED_DIR})
set_source_files_properties(resources/fstamp.rc PROPERTIES OBJECT_DEPENDS
  "${FILESTAMP_GENERATED_DIR}/fstamp.manifest;${FILESTAMP_GENERATED_DIR}/version.h;${CMAKE_SOURCE_DIR}/resources/filestamp.ico")

add_executable(fstamp cli/main.cpp $<TARGET_OBJECTS:fstamp_resources>)
target_link_libraries(fstamp PRIVATE fstamp_windows)
if(NOT MSVC)
  # wmain as the entry point; a deep stack for the walk through deeply nested folders.
  target_link_options(fstamp PRIVATE -municode -Wl,--stack,16777216)
endif()

filestamp_test(cli_tests cli)
if(TARGET cli_tests)
  target_link_libraries(cli_tests PRIVATE fstamp_windows)
  add_dependencies(cli_tests fstamp)
  # The photos of tests/data as byte arrays, for tests that write them into a temp folder.
  set(media_header "// Generated from tests/data by cmake/fstamp.cmake.\n#pragma once\n")
  foreach(photo taken_offset taken_local)
    set(photo_file ${CMAKE_SOURCE_DIR}/tests/data/${photo}.jpg)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${photo_file})
    file(READ ${photo_file} bytes HEX)
    string(REGEX REPLACE "(..)" "0x\\1," bytes "${bytes}")
    string(APPEND media_header "inline constexpr unsigned char k_${photo}_jpg[] = {${bytes}};\n")
  endforeach()
  file(CONFIGURE OUTPUT ${FILESTAMP_GENERATED_DIR}/test_photos.h CONTENT "${media_header}")
  target_include_directories(cli_tests PRIVATE ${FILESTAMP_GENERATED_DIR})
  # A Wine process reads TZ once, when it starts: the time-zone tests run in processes of
  # their own (the fstamp.exe they start inherit the zone); in the plain run they skip.
  add_test(NAME cli_tests_tz_berlin COMMAND cli_tests --gtest_filter=TimeZoneBerlin*)
  set_tests_properties(cli_tests_tz_berlin PROPERTIES
    ENVIRONMENT "${TEST_ENV};TZ=Europe/Berlin;FILESTAMP_TEST_TZ=Europe/Berlin" TIMEOUT 600)
  add_test(NAME cli_tests_tz_new_york COMMAND cli_tests --gtest_filter=TimeZoneNewYork*)
  set_tests_properties(cli_tests_tz_new_york PROPERTIES
    ENVIRONMENT "${TEST_ENV};TZ=America/New_York;FILESTAMP_TEST_TZ=America/New_York" TIMEOUT 600)
endif()

# The bare floor fstamp's bench row is measured against (tools/bench); not built by default.
add_executable(apply_floor EXCLUDE_FROM_ALL bench/apply_floor.cpp)
if(NOT MSVC)
  target_link_options(apply_floor PRIVATE -municode)
endif()
