# Every target of ours compiles with the same strict warnings, as errors.
add_library(sorelan_warnings INTERFACE)
target_compile_options(sorelan_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference -Werror)

# The Windows program is meant to stay tiny: in its release builds every
# target of ours drops unused sections and carries no exception tables.
add_library(sorelan_small INTERFACE)
if(WIN32)
    target_compile_options(sorelan_small INTERFACE -ffunction-sections -fdata-sections
        $<$<CONFIG:MinSizeRel,Release>:-fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables>)
endif()
