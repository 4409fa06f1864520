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
