# The layers reach only down: the core and the model are standard C++ without Qt; the
# text export, the printed channel sheet and the r57 tool use no widgets and nothing of
# the windows.
#   cmake -DROOT=<source tree> [-DWIDGET_HEADERS=<QtWidgets include folder>]
#         [-DEXPECT_BROKEN=<n>] -P check_layers.cmake
# Prints a line for each include that breaks the rule and fails when there is any (or,
# with EXPECT_BROKEN, unless there are exactly that many: the check of the check).
cmake_minimum_required(VERSION 3.22)
if(NOT ROOT)
  message(FATAL_ERROR "ROOT names no source tree")
endif()

# The names Qt's widget module installs (QWidget, QDialog, ...), when the build knows
# where they are; a few common ones otherwise.
set(widget_names QWidget QDialog QApplication QMainWindow QMessageBox QLabel QPushButton)
if(WIDGET_HEADERS AND IS_DIRECTORY "${WIDGET_HEADERS}")
  file(GLOB widget_names RELATIVE "${WIDGET_HEADERS}" "${WIDGET_HEADERS}/Q*")
endif()

set(broken 0)
function(check_folder folder no_qt)
  file(GLOB_RECURSE files "${ROOT}/src/${folder}/*.h" "${ROOT}/src/${folder}/*.cpp")
  foreach(file ${files})
    file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
    file(RELATIVE_PATH shown "${ROOT}" "${file}")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" name "${line}")
      set(why "")
      if(name MATCHES "^(\\.\\./)*ui/" OR name MATCHES "^src/ui/")
        set(why "reaches into the windows")
      elseif(line MATCHES "<" AND (name MATCHES "^QtWidgets/" OR name IN_LIST widget_names))
        set(why "includes a widget header")
      elseif(no_qt AND line MATCHES "<" AND name MATCHES "^Qt?[A-Z]")
        set(why "includes Qt")
      endif()
      if(why)
        message("${shown}: ${why}: ${line}")
        math(EXPR broken "${broken} + 1")
        set(broken ${broken} PARENT_SCOPE)
      endif()
    endforeach()
  endforeach()
endfunction()

check_folder(core TRUE)
check_folder(model TRUE)
check_folder(text FALSE)
check_folder(cli FALSE)
check_folder(print FALSE)
if(DEFINED EXPECT_BROKEN)
  if(NOT broken EQUAL EXPECT_BROKEN)
    message(FATAL_ERROR "${broken} includes reach up, ${EXPECT_BROKEN} expected")
  endif()
  return()
endif()
if(broken)
  message(FATAL_ERROR "${broken} includes reach up")
endif()
message("layers: every include reaches down")
