# Time-zone tests of the file stamp core. A Wine process reads TZ once, when it starts, so
# they run in a core_tests process of their own with a fixed zone; in the plain core_tests
# run they skip themselves. Include after filestamp_test(core_tests core) and TEST_ENV.
if(TARGET core_tests)
  add_test(NAME core_tests_tz_berlin COMMAND core_tests --gtest_filter=TimeZoneBerlin.*)
  set_tests_properties(core_tests_tz_berlin PROPERTIES
    ENVIRONMENT "${TEST_ENV};TZ=Europe/Berlin;FILESTAMP_TEST_TZ=Europe/Berlin"
    TIMEOUT 600)
endif()
