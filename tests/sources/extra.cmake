# With CB_FUZZ=ON, ctest also runs every libFuzzer target (tests/fuzz) for a fixed time.
# run-fuzz builds them with clang in a folder of its own, so the rest of the project keeps
# its compiler.
if(CB_FUZZ)
  add_test(NAME fuzz.run_fuzz COMMAND ${PROJECT_SOURCE_DIR}/tests/fuzz/run-fuzz)
  set_tests_properties(fuzz.run_fuzz PROPERTIES
    ENVIRONMENT "CB_FUZZ_BUILD_DIR=${CMAKE_BINARY_DIR}/fuzz"
    LABELS fuzz
    TIMEOUT 1800)
endif()
