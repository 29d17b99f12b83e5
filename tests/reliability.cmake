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
