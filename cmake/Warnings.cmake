# Every target of ours compiles with warnings as errors; third-party code is not ours to police.
function(zarvelin_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /permissive-)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion -Werror)
    # GCC 12 reports overlapping memcpy inside std::string's own inline code at -O3 (its bug
    # 105651); the warning says nothing about our code.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
  endif()
endfunction()
