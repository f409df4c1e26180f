# Manual pages ksv717n(1) and ksv717n-cli(1), English under the default
# section and Russian under ru/, rendered from the scdoc sources in docs/man
# and compressed as Debian wants them.
#
# KSV_MANPAGES: AUTO builds them when scdoc is found and skips them with a
# note otherwise; ON requires scdoc; OFF skips them.

set(KSV_MANPAGES AUTO CACHE STRING "Build the manual pages with scdoc: AUTO, ON or OFF")
set_property(CACHE KSV_MANPAGES PROPERTY STRINGS AUTO ON OFF)

function(ksv_add_manpages)
  string(TOUPPER "${KSV_MANPAGES}" wanted)
  if(NOT wanted STREQUAL "AUTO" AND NOT KSV_MANPAGES)
    return()
  endif()
  find_program(KSV_SCDOC scdoc)
  if(NOT KSV_SCDOC)
    if(wanted STREQUAL "AUTO")
      message(STATUS "scdoc not found: the manual pages are not built (apt-get install scdoc)")
      return()
    endif()
    message(FATAL_ERROR "KSV_MANPAGES=${KSV_MANPAGES} needs scdoc (apt-get install scdoc)")
  endif()

  set(outputs)
  foreach(lang en ru)
    foreach(page ksv717n ksv717n-cli)
      set(source ${PROJECT_SOURCE_DIR}/docs/man/${lang}/${page}.1.scd)
      set(output ${CMAKE_BINARY_DIR}/man/${lang}/${page}.1.gz)
      # No hyphenation and a ragged right edge keep option names and paths
      # whole; the date is the release's, so the pages build reproducibly.
      add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man/${lang}
        COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${KSV_RELEASE_EPOCH}
                sh -c "'${KSV_SCDOC}' < '${source}' | sed '/^\\.TH /a .nh\\n.ad l' | gzip -9n > '${output}'"
        DEPENDS ${source}
        COMMENT "Manual page ${lang}/${page}.1"
        VERBATIM)
      list(APPEND outputs ${output})
      if(lang STREQUAL "en")
        set(dir ${CMAKE_INSTALL_MANDIR}/man1)
      else()
        set(dir ${CMAKE_INSTALL_MANDIR}/${lang}/man1)
      endif()
      install(FILES ${output} DESTINATION ${dir})
    endforeach()
  endforeach()
  add_custom_target(manpages ALL DEPENDS ${outputs})
endfunction()
