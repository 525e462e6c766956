# The layers point one way: encoder (no Qt) <- render (Qt Gui) <- app and cli.
# A target does not get the repository root as an include directory; it gets a
# folder of links to exactly the layers it may use, so that "app/..." included
# from render/, say, is not found and the build stops there.
function(quirvane_layer_includes target scope)
  set(root "${PROJECT_BINARY_DIR}/layers/${target}")
  file(MAKE_DIRECTORY "${root}")
  foreach(layer IN LISTS ARGN)
    if(NOT EXISTS "${root}/${layer}")
      file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${layer}" "${root}/${layer}" SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} ${scope} "$<BUILD_INTERFACE:${root}>")
endfunction()
