# Every target of ours compiles with the same strict warnings, as errors.
add_library(sorelan_warnings INTERFACE)
target_compile_options(sorelan_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference -Werror)
