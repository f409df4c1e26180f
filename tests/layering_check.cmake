# The rooms' boundaries, checked on the sources (RULE picks one):
#   windows   windows live in src/ui alone: no Qt Widgets or print support
#             header outside it, and ksv717n-cli needs no Qt Widgets library;
#   platform  only src/serial includes the operating system's headers or
#             reads /proc and /sys;
#   plain     src/image and src/serial know no Qt;
#   ui        inside src/ui nothing reaches up to the main window (ui/main),
#             and the window's model (ui/model) knows no other window.
#   cmake -DRULE=<rule> -DSOURCE_DIR=<src> [-DCLI=<ksv717n-cli>] -P layering_check.cmake
file(GLOB_RECURSE sources ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h)

# Files outside the folders given whose lines match the pattern.
function(find_offenders pattern allowed out)
  set(found "")
  foreach(source ${sources})
    if(source MATCHES "${allowed}")
      continue()
    endif()
    file(STRINGS ${source} lines REGEX "${pattern}")
    if(lines)
      list(APPEND found "${source}: ${lines}")
    endif()
  endforeach()
  string(REPLACE ";" "\n" found "${found}")
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# Fails with the message when a file outside the allowed folders matches.
function(refuse pattern allowed message)
  find_offenders("${pattern}" "${allowed}" offenders)
  if(offenders)
    message(FATAL_ERROR "${message}:\n${offenders}")
  endif()
endfunction()

if(RULE STREQUAL "platform")
  set(os_headers "termios\\.h|unistd\\.h|fcntl\\.h|poll\\.h|grp\\.h|pwd\\.h|dirent\\.h|signal\\.h|csignal|sys/|linux/|windows\\.h|winbase\\.h|winioctl\\.h|setupapi\\.h|io\\.h|shlobj\\.h")
  refuse("^#include <(${os_headers})|\"/(proc|sys)[/\"]" "/src/serial/"
         "Operating system outside src/serial")
  return()
endif()
if(RULE STREQUAL "plain")
  refuse("^#include <Q" "/src/(ui|cli|link|operations|files|formats|print)/"
         "Qt in src/image or src/serial")
  return()
endif()

if(RULE STREQUAL "ui")
  refuse("^#include \"ui/main/" "/src/ui/main/|/src/ui/main\\.cpp$"
         "An include up to the main window")
  refuse("^#include \"ui/(main|dialogs|grid|archive|series|printing|help)/"
         "/src/(image|serial|link|operations|files|formats|print|cli)/|/src/ui/(main|dialogs|grid|archive|series|printing|help)/|/src/ui/main\\.cpp$"
         "The window's model includes a window")
  return()
endif()

set(widget_headers "QtWidgets|QtPrintSupport|QApplication|QWidget|QDialog|QMainWindow|QMessageBox|QPrinter|QPrintDialog|QFileDialog|QLabel|QPushButton|QProgressBar|QLineEdit|QComboBox|QCheckBox|QTextBrowser|QScrollArea|QAction|QMenu|QToolBar|QStatusBar|QLayout|QBoxLayout|QGridLayout|QVBoxLayout|QHBoxLayout|QTableWidget|QHeaderView|QSpinBox|QStyle")
refuse("^#include <(${widget_headers})[>/]" "/src/ui/" "Window headers outside src/ui")

# The sanitizer builds make only the test binaries: no program to look at.
if(NOT EXISTS ${CLI})
  message(STATUS "${CLI} not built; its libraries are not checked")
  return()
endif()
execute_process(COMMAND objdump -p ${CLI} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump could not read ${CLI}")
endif()
if(dynamic MATCHES "NEEDED +libQt6(Widgets|PrintSupport)")
  message(FATAL_ERROR "${CLI} needs ${CMAKE_MATCH_0}")
endif()
message(STATUS "ksv717n-cli needs no Qt Widgets")
