# Warnings for the project's own targets; third-party code (GoogleTest) is built without them.
add_library(corvalin_warnings INTERFACE)
target_compile_options(corvalin_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion-null
  # Off: options structs are passed with designated initializers ({.ignoreCase = true}) and
  # every member has a default; GCC 12 still warns about the members left out.
  -Wno-missing-field-initializers)
if(CORVALIN_WERROR)
  target_compile_options(corvalin_warnings INTERFACE -Werror)
endif()

# corvalin_add_library(NAME DIR DEPS...): a static library of every .cc file in DIR.
function(corvalin_add_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS "${dir}/*.cc")
  if(sources)
    add_library(${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} ${scope} ${ARGN})
  if(sources)
    target_link_libraries(${name} PRIVATE corvalin_warnings)
  endif()
endfunction()
