# sorelan_add_gtest(target): registers a GoogleTest program with CTest.
# On the host each test case is a CTest test of its own. A Windows build runs
# under Wine, where starting a process costs seconds, so there the program
# runs once as one test, in a Wine prefix of the build tree's own.
function(sorelan_add_gtest target)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
        set_tests_properties(${target} PROPERTIES
            ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix"
            TIMEOUT 600)
    else()
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
    endif()
endfunction()
