# Native build of the platform-free logic with AddressSanitizer and UBSan, plus libFuzzer
# targets for the command-line splitter and fstamp's WHEN and journal parsers when the
# compiler is clang.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(filestamp_portable PRIVATE ${SANITIZE})
target_compile_options(fstamp_portable PRIVATE ${SANITIZE})

add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
enable_testing()

add_executable(portable_tests ${FILESTAMP_PORTABLE_TESTS})
target_compile_options(portable_tests PRIVATE ${SANITIZE})
target_link_options(portable_tests PRIVATE ${SANITIZE})
target_link_libraries(portable_tests PRIVATE filestamp_portable gtest_main)
add_test(NAME portable_tests COMMAND portable_tests)

add_executable(cli_portable_tests ${FSTAMP_PORTABLE_TESTS})
target_compile_options(cli_portable_tests PRIVATE ${SANITIZE})
target_link_options(cli_portable_tests PRIVATE ${SANITIZE})
target_link_libraries(cli_portable_tests PRIVATE fstamp_portable gtest_main)
add_test(NAME cli_portable_tests COMMAND cli_portable_tests)

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(FUZZ -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  add_executable(command_line_fuzz tests/fuzz/command_line_fuzz.cpp ${CMAKE_SOURCE_DIR}/app/command_line.cpp)
  target_include_directories(command_line_fuzz PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(command_line_fuzz PRIVATE ${FUZZ})
  target_link_options(command_line_fuzz PRIVATE ${FUZZ})
  add_test(NAME command_line_fuzz COMMAND command_line_fuzz -runs=300000 -max_total_time=30 -seed=1)

  # fstamp's sources once more, instrumented for the fuzzer's coverage feedback.
  add_library(fstamp_fuzz_objects OBJECT ${FSTAMP_PORTABLE_SOURCES} core/digit_grouping.cpp
    core/local_date_time.cpp core/journal.cpp)
  target_include_directories(fstamp_fuzz_objects PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(fstamp_fuzz_objects PRIVATE -fsanitize=fuzzer-no-link,address,undefined
    -fno-sanitize-recover=all)
  foreach(fuzz when_fuzz journal_fuzz)
    add_executable(${fuzz} tests/fuzz/${fuzz}.cpp $<TARGET_OBJECTS:fstamp_fuzz_objects>)
    target_include_directories(${fuzz} PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(${fuzz} PRIVATE ${FUZZ})
    target_link_options(${fuzz} PRIVATE ${FUZZ})
    add_test(NAME ${fuzz} COMMAND ${fuzz} -runs=200000 -max_total_time=20 -seed=1
      -dict=${CMAKE_SOURCE_DIR}/tests/fuzz/${fuzz}.dict)
  endforeach()

endif()

# The date-taken reader against exiftool on files made by ImageMagick and ExifTool; the files
# it leaves in media_samples/ seed the fuzz targets of the three container families.
add_executable(media_date_probe tests/media/media_date_probe.cpp)
target_compile_options(media_date_probe PRIVATE ${SANITIZE})
target_link_options(media_date_probe PRIVATE ${SANITIZE})
target_link_libraries(media_date_probe PRIVATE fstamp_portable)
set(MEDIA_SAMPLES ${CMAKE_BINARY_DIR}/media_samples)
add_test(NAME media_date_check COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/media/media_date_check.py
  $<TARGET_FILE:media_date_probe> ${MEDIA_SAMPLES})
set_tests_properties(media_date_check PROPERTIES FIXTURES_SETUP media_samples TIMEOUT 300)

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # One fuzz target per container family, seeded with media_date_check's files (the names
  # with the pattern table's examples); short runs, the corpus grows in the build folder.
  foreach(family exif:tiff image:image box:box name:names)
    string(REPLACE ":" ";" parts ${family})
    list(GET parts 0 fuzz)
    list(GET parts 1 seeds)
    add_executable(${fuzz}_fuzz tests/fuzz/${fuzz}_fuzz.cpp $<TARGET_OBJECTS:fstamp_fuzz_objects>)
    target_include_directories(${fuzz}_fuzz PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(${fuzz}_fuzz PRIVATE ${FUZZ})
    target_link_options(${fuzz}_fuzz PRIVATE ${FUZZ})
    set(corpus ${CMAKE_BINARY_DIR}/fuzz_corpus/${fuzz})
    file(MAKE_DIRECTORY ${corpus})
    if(fuzz STREQUAL "name")
      set(seed_dir ${CMAKE_SOURCE_DIR}/tests/fuzz/names)
    else()
      set(seed_dir ${MEDIA_SAMPLES}/${seeds})
    endif()
    add_test(NAME ${fuzz}_fuzz COMMAND ${fuzz}_fuzz -runs=100000 -max_total_time=10 -seed=1 ${corpus} ${seed_dir})
    if(NOT fuzz STREQUAL "name")
      set_tests_properties(${fuzz}_fuzz PROPERTIES FIXTURES_REQUIRED media_samples)
    endif()
  endforeach()
endif()
