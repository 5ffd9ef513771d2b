# Runs the C host test from folders that hold liborvsys.so and the libraries
# it links, as installs that lost or damaged a file: UploadFiles must show
# its error box, saying why, and return 0. Run by CTest:
#   cmake -DBIN=build/bin -DDIR=scratch-folder -P host_test_broken_publishing.cmake

# Copies the host and liborvsys.so with what it links into `dir`.
function(orv_host_folder dir)
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}")
  foreach(name sys_host_test liborvsys.so liborvplatform.so liborvcomponents.so liborvcontrols.so)
    file(CREATE_LINK "${BIN}/${name}" "${dir}/${name}" COPY_ON_ERROR)
  endforeach()
endfunction()

# Runs the host in `dir`; UploadFiles's box must begin with `message`.
function(orv_expect_box dir message)
  execute_process(COMMAND "${dir}/sys_host_test" "${dir}/liborvsys.so" UploadFilesFails "${message}"
                  RESULT_VARIABLE result)
  file(REMOVE_RECURSE "${dir}")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the C host test in ${dir} failed: ${result}")
  endif()
endfunction()

# The dialog's library is there, liborvpublish.so beneath it is not.
orv_host_folder("${DIR}/missing")
file(CREATE_LINK "${BIN}/liborvpublishdialog.so" "${DIR}/missing/liborvpublishdialog.so" COPY_ON_ERROR)
orv_expect_box("${DIR}/missing" "A required library (liborvpublishdialog.so) cannot be loaded, please reinstall ORV
liborvpublish.so: cannot open shared object file")

# A library of that name without the dialog's entry point.
orv_host_folder("${DIR}/damaged")
file(CREATE_LINK "${BIN}/libengine.so" "${DIR}/damaged/liborvpublishdialog.so" COPY_ON_ERROR)
orv_expect_box("${DIR}/damaged" "Site upload failed.  You may have a corrupted library (liborvpublishdialog.so)
\rPlease try reinstalling ORV")
