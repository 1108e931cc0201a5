# Warnings for our own targets only; third-party sources keep their own flags.
function(tarvik_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror=return-type)
endfunction()
