# GoogleTest: Debian's installed package for the host build; for the Windows
# builds, its sources from /usr/src/googletest compiled with the same
# cross compiler.
if(WIN32)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest REQUIRED)
endif()
include(GoogleTest)
include(${CMAKE_CURRENT_LIST_DIR}/SorelanTest.cmake)
