# The Windows program, its libraries and its tests (run under Wine when cross-compiling).
set(WIN32_DEFINES _WIN32_WINNT=0x0A00 WINVER=0x0A00 NOMINMAX STRICT)
target_compile_definitions(filestamp_portable PUBLIC ${WIN32_DEFINES})

if(NOT MSVC)
  # One self-contained exe: no MinGW runtime DLL beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
else()
  # Each exe's resources embed its own manifest; a second one from the linker would collide.
  add_link_options(/MANIFEST:NO)
endif()

# The manifests name the processor architecture of the build they are linked into.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(FILESTAMP_MANIFEST_ARCH x86)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(ARM64|arm64|aarch64)$" OR CMAKE_GENERATOR_PLATFORM STREQUAL "ARM64")
  set(FILESTAMP_MANIFEST_ARCH arm64)
else()
  set(FILESTAMP_MANIFEST_ARCH amd64)
endif()

set(PORTABLE_ABS)
foreach(src ${FILESTAMP_PORTABLE_SOURCES})
  list(APPEND PORTABLE_ABS ${CMAKE_SOURCE_DIR}/${src})
endforeach()

file(GLOB CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/core/*.cpp)
list(REMOVE_ITEM CORE_SOURCES ${PORTABLE_ABS})
add_library(filestamp_core STATIC ${CORE_SOURCES})
target_link_libraries(filestamp_core PUBLIC filestamp_portable shlwapi shell32 ole32 uuid)

file(GLOB APP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.cpp)
list(REMOVE_ITEM APP_SOURCES ${PORTABLE_ABS})
file(GLOB_RECURSE UI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/ui/*.cpp)
add_library(filestamp_ui STATIC ${APP_SOURCES} ${UI_SOURCES})
target_include_directories(filestamp_ui PUBLIC ${CMAKE_SOURCE_DIR}/resources ${FILESTAMP_GENERATED_DIR})
target_link_libraries(filestamp_ui PUBLIC filestamp_core
  comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 uuid gdi32 user32 kernel32)

# The manifest, icons and version information: linked into the program and into every
# test executable, so tests run with the same code page and common controls.
configure_file(resources/filestamp.manifest.in ${FILESTAMP_GENERATED_DIR}/filestamp.manifest @ONLY)
add_library(filestamp_resources OBJECT resources/filestamp.rc)
target_include_directories(filestamp_resources PRIVATE ${CMAKE_SOURCE_DIR}/resources ${FILESTAMP_GENERATED_DIR})
set_source_files_properties(resources/filestamp.rc PROPERTIES OBJECT_DEPENDS
  "${FILESTAMP_GENERATED_DIR}/filestamp.manifest;${FILESTAMP_GENERATED_DIR}/version.h;${CMAKE_SOURCE_DIR}/resources/filestamp.ico;${CMAKE_SOURCE_DIR}/resources/speaker.ico;${CMAKE_SOURCE_DIR}/resources/banner.gif")

# The composition root above app/ and ui/: start-up and the wiring of the two windows.
add_library(filestamp_program STATIC program/window_wiring.cpp)
target_link_libraries(filestamp_program PUBLIC filestamp_ui)

add_executable(filestamp WIN32 program/main.cpp $<TARGET_OBJECTS:filestamp_resources>)
target_link_libraries(filestamp PRIVATE filestamp_program)

# Tests ----------------------------------------------------------------------------------
enable_testing()
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
add_library(filestamp_test_support STATIC ${TEST_SUPPORT})
target_include_directories(filestamp_test_support PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(filestamp_test_support PUBLIC filestamp_program gtest)

set(TEST_ENV
  "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix"
  "WINEDEBUG=-all"
  "WINEDLLOVERRIDES=mscoree,mshtml=")

# One executable per test folder; CTest runs each under Wine.
function(filestamp_test name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources} $<TARGET_OBJECTS:filestamp_resources>)
  target_link_libraries(${name} PRIVATE filestamp_test_support)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${TEST_ENV}" TIMEOUT 600 ${ARGN})
endfunction()

filestamp_test(core_tests core)
include(cmake/core_tests_extra.cmake)
filestamp_test(app_tests app RESOURCE_LOCK display)
filestamp_test(main_window_tests ui/main RESOURCE_LOCK display)
filestamp_test(batch_window_tests ui/batch RESOURCE_LOCK display)
include(cmake/dpi_tests.cmake)
filestamp_test(end_to_end_tests e2e RESOURCE_LOCK display)
if(TARGET end_to_end_tests)
  add_dependencies(end_to_end_tests filestamp fstamp)
  target_link_libraries(end_to_end_tests PRIVATE version)
endif()
# The windows' history tests take their changes back with fstamp undo.
add_dependencies(main_window_tests fstamp)
add_dependencies(batch_window_tests fstamp)

# app/ serves both windows and knows neither: only program/ includes ui/.
add_test(NAME app_includes_no_ui COMMAND bash -c "! grep -rn '#include \"ui/' '${CMAKE_SOURCE_DIR}/app'")

# The programs must import nothing but Windows' own DLLs.
add_test(NAME exe_imports_only_system_dlls
  COMMAND bash ${CMAKE_SOURCE_DIR}/tools/check_imports.sh $<TARGET_FILE:filestamp> $<TARGET_FILE:fstamp>)
include(cmake/bench.cmake)
