# The batch window's scaling bench, run by tools/bench. Not built by default: it is a
# measuring tool, not part of the program or its tests.
add_executable(batch_bench EXCLUDE_FROM_ALL bench/batch_bench.cpp $<TARGET_OBJECTS:filestamp_resources>)
target_link_libraries(batch_bench PRIVATE filestamp_ui psapi)
