# The reliability suite: each test drives the stores through kills, failing
# writes, concurrent processes and odd directory entries, mostly through the
# storedriver process, and prints what it tried and what it found.

function(corvane_add_driven_test name)
    corvane_add_test(${name} ${ARGN})
    target_compile_definitions(${name} PRIVATE STORE_DRIVER="$<TARGET_FILE:storedriver>")
    add_dependencies(${name} storedriver)
endfunction()

corvane_add_driven_test(tst_killmidwrite LIBS corvane_core)
corvane_add_driven_test(tst_concurrency LIBS corvane_core)

# Makes the Nth file-changing system call fail, for the full-disk test.
add_library(faultshim MODULE shim/faultshim.cpp)
target_link_libraries(faultshim PRIVATE ${CMAKE_DL_LIBS})
target_compile_options(faultshim PRIVATE -fno-sanitize=all)
target_link_options(faultshim PRIVATE -fno-sanitize=all)

# Every failure point of a change, under a full disk and a device error.
add_executable(tst_fulldisk tst_fulldisk.cpp)
target_link_libraries(tst_fulldisk PRIVATE Qt5::Test corvane_core)
target_compile_definitions(tst_fulldisk PRIVATE STORE_DRIVER="$<TARGET_FILE:storedriver>"
                                                FAULT_SHIM="$<TARGET_FILE:faultshim>")
add_dependencies(tst_fulldisk storedriver faultshim)
add_test(NAME tst_fulldisk COMMAND tst_fulldisk)
set_tests_properties(tst_fulldisk PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# Odd directory entries where a list should be, and lists changed under a store.
add_executable(tst_oddentries tst_oddentries.cpp)
target_link_libraries(tst_oddentries PRIVATE Qt5::Test corvane_core)
target_compile_definitions(tst_oddentries PRIVATE STORE_DRIVER="$<TARGET_FILE:storedriver>"
                                                  FAULT_SHIM="$<TARGET_FILE:faultshim>")
add_dependencies(tst_oddentries storedriver faultshim)
add_test(NAME tst_oddentries COMMAND tst_oddentries)
set_tests_properties(tst_oddentries PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# The loader fuzz target, built only in a clang build configured with
# -DCORVANE_FUZZ=ON and -fsanitize=fuzzer-no-link (scripts/run-fuzz does).
option(CORVANE_FUZZ "Build the libFuzzer target (needs clang)" OFF)
if(CORVANE_FUZZ)
    add_executable(fuzz_tasklist fuzz/fuzz_tasklist.cpp)
    target_link_libraries(fuzz_tasklist PRIVATE corvane_core)
    target_link_options(fuzz_tasklist PRIVATE -fsanitize=fuzzer)
endif()

# Windows kept in step with files that other windows, another process or
# another program change.
corvane_add_driven_test(tst_windowsunderload LIBS corvane_ui)
