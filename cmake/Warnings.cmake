# Warnings are on for all of the project's own code and kept clean.
add_compile_options(-Wall -Wextra -Wnon-virtual-dtor -Woverloaded-virtual -Wno-missing-field-initializers)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # Replacement functions carry the platform's names, which contain '$'.
  add_compile_options(-Wno-dollar-in-identifier-extension)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-Wshadow=local)
  # GCC 12's optimiser reports std::string and std::variant internals as
  # overlapping copies and uninitialised reads (false positives in inlined
  # library code); they drown real warnings in release builds.
  add_compile_options(-Wno-restrict -Wno-maybe-uninitialized)
endif()
