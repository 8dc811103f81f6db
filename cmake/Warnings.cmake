# Warnings stay on for all project code and the build is kept free of them.
function(navelo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
endfunction()
