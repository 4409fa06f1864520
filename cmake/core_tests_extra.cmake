# Time-zone tests of the file stamp core. A Wine process reads TZ once, when it starts, so
# they run in core_tests processes of their own, one per fixed zone; in the plain core_tests
# run they skip themselves. Cuiaba has daylight saving in force at New Year (southern summer),
# and years whose rules differ there. Include after filestamp_test(core_tests core) and TEST_ENV.
if(TARGET core_tests)
  foreach(zone IN ITEMS "Berlin;Europe/Berlin" "NewYork;America/New_York" "Cuiaba;America/Cuiaba")
    list(GET zone 0 name)
    list(GET zone 1 tz)
    string(TOLOWER "${name}" lower)
    add_test(NAME core_tests_tz_${lower} COMMAND core_tests --gtest_filter=TimeZone${name}.*)
    set_tests_properties(core_tests_tz_${lower} PROPERTIES
      ENVIRONMENT "${TEST_ENV};TZ=${tz};FILESTAMP_TEST_TZ=${tz}"
      TIMEOUT 600)
  endforeach()
endif()
