# The include rules of include_rules.cmake on small trees made under WORK:
# each tree is checked as the build checks the real one, and the check must
# pass, or fail naming exactly the files or modules at fault.
#   cmake -DWORK=DIR -P include_rules_test.cmake
cmake_minimum_required(VERSION 3.25)

set(failures 0)

# Makes the tree `name` from pairs of a file and its text ("|" ends a line).
function(make_tree name)
  file(REMOVE_RECURSE ${WORK}/${name})
  set(pairs ${ARGN})
  while(pairs)
    list(POP_FRONT pairs path text)
    string(REPLACE "|" "\n" text "${text}")
    file(WRITE ${WORK}/${name}/${path} "${text}")
  endwhile()
endfunction()

# Checks the tree `name`: it must pass when `expected` is empty, otherwise
# fail with an error that holds `expected` (and not `absent`, when given).
function(expect name expected)
  set(absent ${ARGN})
  execute_process(COMMAND ${CMAKE_COMMAND} -DORV_CHECK_ROOT=${WORK}/${name} -P ${CMAKE_CURRENT_LIST_DIR}/include_rules.cmake
                  RESULT_VARIABLE result ERROR_VARIABLE error OUTPUT_QUIET)
  string(REGEX REPLACE "[ \n]+" " " error "${error}")
  set(ok TRUE)
  if(expected STREQUAL "")
    if(NOT result EQUAL 0)
      set(ok FALSE)
    endif()
  else()
    string(FIND "${error}" "${expected}" at)
    if(result EQUAL 0 OR at EQUAL -1)
      set(ok FALSE)
    endif()
    if(absent)
      string(FIND "${error}" "${absent}" at)
      if(NOT at EQUAL -1)
        set(ok FALSE)
      endif()
    endif()
  endif()
  if(NOT ok)
    message(SEND_ERROR "${name}: expected ${expected} ${absent}, got result ${result}: ${error}")
  endif()
endfunction()

# Qt in the visual classes, the editor, tests, test folders and benchmarks.
make_tree(qt_allowed
  controls/control.h "#include <QWidget>|"
  edit/main_window.cpp "#include <QMainWindow>|"
  sys/frm_pref_test.cpp "#include <QTest>|"
  sys/dialog_test_support.h "  #  include <QLineEdit>|"
  tagwiz/test/host.c "#include <QtCore/qglobal.h>|"
  bench/editor_bench.cpp "#include <QApplication>|"
  sys/browse_folder.cpp "// #include <QFileDialog> is not needed|#include \"controls/folder_dialog.h\"|#include <queue>|")
expect(qt_allowed "")

# Qt anywhere else, also in a header and behind blanks.
make_tree(qt_outside
  controls/folder_dialog.cpp "#include <QFileDialog>|"
  sys/browse_folder.cpp "#include <string>|#include <QFileDialog>|"
  tagwiz/widgets/rx_spin.h " # include <QKeyEvent>|"
  core/site/page.cpp "#include <queue>|")
expect(qt_outside "Qt is included outside controls/, edit/: sys/browse_folder.cpp, tagwiz/widgets/rx_spin.h;"
       "page.cpp")

# Build folders are not part of the tree.
make_tree(qt_in_build
  build-asan/moc/moc_window.cpp "#include <QObject>|"
  sys/sys_exports.cpp "#include <cstdint>|")
expect(qt_in_build "")

# A module includes its own header; tests may include anything.
make_tree(no_circle
  controls/form.h "#include \"controls/control.h\"|"
  controls/form.cpp "#include \"controls/form.h\"|#include \"controls/application_link.h\"|"
  controls/control.h "#include \"controls/graphics.h\"|"
  controls/control.cpp "#include \"controls/control.h\"|#include \"controls/application_link.h\"|"
  controls/application.cpp "#include \"controls/application.h\"|#include \"controls/form.h\"|"
  controls/form_test.cpp "#include \"controls/application.h\"|"
  controls/controls_test_support.h "#include \"controls/application.h\"|")
expect(no_circle "")

# application <-> form <-> control, with a bystander that uses the circle.
make_tree(circle
  controls/application.cpp "#include \"controls/application.h\"|#include \"controls/form.h\"|"
  controls/form.cpp "#include \"controls/form.h\"|#include \"controls/application.h\"|"
  controls/form.h "#include \"controls/control.h\"|"
  controls/control.cpp "#include \"controls/control.h\"|#include \"controls/form.h\"|"
  controls/dialogs.cpp "#include \"controls/form.h\"|"
  controls/graphics.h "|")
expect(circle "in a circle: application -> form, control -> form, form -> application, form -> control" "dialogs")
