# The reliability suite: each test drives the stores through kills, failing
# writes, concurrent processes and odd directory entries, mostly through the
# storedriver process, and prints what it tried and what it found.

# FAULTED: the test also preloads the fault shim into the driver.
function(corvane_add_driven_test name)
    cmake_parse_arguments(ARG "FAULTED" "" "" ${ARGN})
    corvane_add_test(${name} ${ARG_UNPARSED_ARGUMENTS})
    target_compile_definitions(${name} PRIVATE STORE_DRIVER="$<TARGET_FILE:storedriver>")
    add_dependencies(${name} storedriver)
    if(ARG_FAULTED)
        target_compile_definitions(${name} PRIVATE FAULT_SHIM="$<TARGET_FILE:faultshim>")
        add_dependencies(${name} faultshim)
    endif()
endfunction()

corvane_add_driven_test(tst_killmidwrite LIBS corvane_core)
target_compile_definitions(tst_killmidwrite PRIVATE CORVANE="$<TARGET_FILE:corvane>")
add_dependencies(tst_killmidwrite corvane)
corvane_add_driven_test(tst_concurrency LIBS corvane_core)

# Makes the Nth file-changing system call fail, for the full-disk test.
add_library(faultshim MODULE shim/faultshim.cpp)
target_link_libraries(faultshim PRIVATE ${CMAKE_DL_LIBS})
target_compile_options(faultshim PRIVATE -fno-sanitize=all)
target_link_options(faultshim PRIVATE -fno-sanitize=all)

# Every failure point of a change, under a full disk and a device error.
corvane_add_driven_test(tst_fulldisk FAULTED LIBS corvane_core)
target_compile_definitions(tst_fulldisk PRIVATE CORVANE="$<TARGET_FILE:corvane>")
add_dependencies(tst_fulldisk corvane)

# Odd directory entries where a list should be, and lists changed under a store.
corvane_add_driven_test(tst_oddentries FAULTED LIBS corvane_core)

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
target_compile_definitions(tst_windowsunderload PRIVATE CORVANE="$<TARGET_FILE:corvane>")
add_dependencies(tst_windowsunderload corvane)
