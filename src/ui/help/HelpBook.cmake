# The help book lies beside the executable (bin/help), so the program finds it
# whatever the working directory; a copy is also compiled in (ksv_help.qrc)
# for a program started without the folder.
set(KSV_HELP_DIR ${CMAKE_CURRENT_LIST_DIR}/book)
file(GLOB KSV_HELP_SOURCES CONFIGURE_DEPENDS ${KSV_HELP_DIR}/*)
set(KSV_HELP_OUTPUTS)
foreach(source ${KSV_HELP_SOURCES})
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/help/${name})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${output}
    DEPENDS ${source}
    COMMENT "Help book: ${name}")
  list(APPEND KSV_HELP_OUTPUTS ${output})
endforeach()
add_custom_target(ksv_help_book ALL DEPENDS ${KSV_HELP_OUTPUTS})

# The compiled-in copy: a resource file listing every page of the book, made
# at configure time so that a new page needs no edit here.
set(KSV_HELP_QRC ${CMAKE_CURRENT_BINARY_DIR}/ksv_help.qrc)
set(qrc "<RCC>\n  <qresource prefix=\"/\">\n")
foreach(source ${KSV_HELP_SOURCES})
  get_filename_component(name ${source} NAME)
  string(APPEND qrc "    <file alias=\"help/${name}\">${source}</file>\n")
endforeach()
string(APPEND qrc "  </qresource>\n</RCC>\n")
file(CONFIGURE OUTPUT ${KSV_HELP_QRC} CONTENT "${qrc}")
