# A header-only library of the build machine (Debian: /usr/include) for a
# cross build. Only the library's own folder is copied into the build and put
# on the include path: the machine's whole include folder would put its C
# library's headers before the target system's.
function(host_header_library target header folder)
  string(MAKE_C_IDENTIFIER "SCENARIO_HOST_${folder}" var)
  find_path(${var} ${header} PATHS /usr/include /usr/local/include
    NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
  if(NOT ${var})
    message(FATAL_ERROR "${header} not found on the build machine "
      "(set ${var} to the folder that holds ${folder}/)")
  endif()
  set(copy ${CMAKE_BINARY_DIR}/host_headers)
  file(COPY ${${var}}/${folder} DESTINATION ${copy})
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${copy})
endfunction()
