# Native tree: headless unit tests of the portable code.
korimba_add_gtest()

file(GLOB KORIMBA_FAKE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fakes/*.cpp)
file(GLOB KORIMBA_UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)

add_executable(unit_tests ${KORIMBA_UNIT_SOURCES} ${KORIMBA_FAKE_SOURCES})
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(unit_tests PRIVATE korimba_core gtest gtest_main)
target_compile_options(unit_tests PRIVATE ${KORIMBA_WARNINGS})

include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST)

# Not a test: scripts/bench.sh runs it and prints its figures.
add_executable(list_script_bench ${CMAKE_SOURCE_DIR}/bench/ListScriptBench.cpp)
target_link_libraries(list_script_bench PRIVATE korimba_core)
target_compile_options(list_script_bench PRIVATE ${KORIMBA_WARNINGS})
