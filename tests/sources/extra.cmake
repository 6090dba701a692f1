# With CB_FUZZ=ON, ctest also runs the .xls fuzz target for a fixed minute. run-fuzz builds
# it with clang in a folder of its own, so the rest of the project keeps its compiler.
if(CB_FUZZ)
  add_test(NAME sources.fuzz_xls
           COMMAND ${PROJECT_SOURCE_DIR}/tests/sources/fuzz/run-fuzz 60)
  set_tests_properties(sources.fuzz_xls PROPERTIES
    ENVIRONMENT "CB_FUZZ_BUILD_DIR=${CMAKE_BINARY_DIR}/fuzz-xls"
    LABELS fuzz
    TIMEOUT 900)
endif()
