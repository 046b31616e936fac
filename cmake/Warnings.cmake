# The project's warning flags, applied to its own targets only; presets make them errors
# through CMAKE_COMPILE_WARNING_AS_ERROR.
function(tessarion_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()
