# Warnings are errors in every build; applied per target so third-party code keeps its own flags.
function(vt_set_warnings target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor
        -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference -Wdouble-promotion
        -Wimplicit-fallthrough>)
endfunction()
