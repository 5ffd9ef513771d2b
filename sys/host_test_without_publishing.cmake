# Runs the C host test from a folder that holds liborvsys.so and the
# libraries it links, and liborvpublishdialog.so, but not liborvpublish.so
# beneath it, as in an install that lost a file: UploadFiles must show its
# error box and return 0. Run by CTest:
#   cmake -DBIN=build/bin -DDIR=scratch-folder -P host_test_without_publishing.cmake
file(REMOVE_RECURSE "${DIR}")
file(MAKE_DIRECTORY "${DIR}")
foreach(name sys_host_test liborvsys.so liborvplatform.so liborvcomponents.so liborvcontrols.so
             liborvpublishdialog.so)
  file(CREATE_LINK "${BIN}/${name}" "${DIR}/${name}" COPY_ON_ERROR)
endforeach()
execute_process(COMMAND "${DIR}/sys_host_test" "${DIR}/liborvsys.so" UploadFilesWithoutLibrary
                RESULT_VARIABLE result)
file(REMOVE_RECURSE "${DIR}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the C host test without liborvpublish.so failed: ${result}")
endif()
