# Windows live in src/ui alone. Fails when a source file outside src/ui
# includes a Qt Widgets or print support header, or when the command line
# program needs the Qt Widgets library at run time.
#   cmake -DSOURCE_DIR=<src> -DCLI=<path of ksv717n-cli> -P window_free_check.cmake
file(GLOB_RECURSE sources ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h)
set(widget_headers "QtWidgets|QtPrintSupport|QApplication|QWidget|QDialog|QMainWindow|QMessageBox|QPrinter|QPrintDialog|QFileDialog|QLabel|QPushButton|QProgressBar|QLineEdit|QComboBox|QCheckBox|QTextBrowser|QScrollArea|QAction|QMenu|QToolBar|QStatusBar|QLayout|QBoxLayout|QGridLayout|QVBoxLayout|QHBoxLayout|QTableWidget|QHeaderView|QSpinBox|QStyle")
set(offenders "")
foreach(source ${sources})
  if(source MATCHES "/src/ui/")
    continue()
  endif()
  file(STRINGS ${source} includes REGEX "^#include <(${widget_headers})[>/]")
  if(includes)
    list(APPEND offenders "${source}: ${includes}")
  endif()
endforeach()
if(offenders)
  string(REPLACE ";" "\n" offenders "${offenders}")
  message(FATAL_ERROR "Window headers outside src/ui:\n${offenders}")
endif()

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
