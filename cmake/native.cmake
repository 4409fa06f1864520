# Native build of the platform-free logic with AddressSanitizer and UBSan, plus a libFuzzer
# target for the command-line splitter when the compiler is clang.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(filestamp_portable PRIVATE ${SANITIZE})

add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
enable_testing()

add_executable(portable_tests ${FILESTAMP_PORTABLE_TESTS})
target_compile_options(portable_tests PRIVATE ${SANITIZE})
target_link_options(portable_tests PRIVATE ${SANITIZE})
target_link_libraries(portable_tests PRIVATE filestamp_portable gtest_main)
add_test(NAME portable_tests COMMAND portable_tests)

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(FUZZ -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  add_executable(command_line_fuzz tests/fuzz/command_line_fuzz.cpp ${CMAKE_SOURCE_DIR}/app/command_line.cpp)
  target_include_directories(command_line_fuzz PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(command_line_fuzz PRIVATE ${FUZZ})
  target_link_options(command_line_fuzz PRIVATE ${FUZZ})
  add_test(NAME command_line_fuzz COMMAND command_line_fuzz -runs=300000 -max_total_time=30 -seed=1)

endif()
