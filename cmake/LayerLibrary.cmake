# ksv_layer_library(<target> [RECURSE] LIBS <deps...>)
#
# One static library per layer, built from every source file of the calling
# folder (and its sub-folders with RECURSE), so that adding a file needs no
# edit here. The library is created only once the folder has sources.
function(ksv_layer_library target)
  cmake_parse_arguments(L "RECURSE" "" "LIBS" ${ARGN})
  set(patterns ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
    ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  if(L_RECURSE)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${patterns})
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${patterns})
  endif()
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  # Platform bodies: posix_* files build everywhere but on Windows, win32_*
  # files only there.
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "/posix_[^/]*$")
  else()
    list(FILTER sources EXCLUDE REGEX "/win32_[^/]*$")
  endif()
  if(NOT sources)
    return()
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${L_LIBS})
endfunction()

# ksv_check_window_free(<targets...>)
#
# Windows live in src/ui alone: a layer below it that links Qt Widgets (or
# Qt's print support, which brings Widgets with it) stops the configuration.
function(ksv_check_window_free)
  foreach(target ${ARGN})
    if(NOT TARGET ${target})
      continue()
    endif()
    get_target_property(libs ${target} LINK_LIBRARIES)
    foreach(lib ${libs})
      if(lib MATCHES "Qt6::(Widgets|PrintSupport)")
        message(FATAL_ERROR "${target} links ${lib}: windows belong in src/ui")
      endif()
    endforeach()
  endforeach()
endfunction()
