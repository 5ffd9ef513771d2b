# The compiler, the program image and the runner of the script engine, added
# to the orv_script object library, with their tests.
target_sources(orv_script PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/opcodes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/code_buffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compiler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/expr_compiler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/jump_copies.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_sums.cpp
  ${CMAKE_CURRENT_LIST_DIR}/runner.cpp)

orv_test(script_vm_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/program_image_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/compiler_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/runner_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/decoder_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/const_divisor_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/const_reciprocal_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/equivalence_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/reference_interpreter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_generator.cpp
  LIBS orv_script orvcomponents orvplatform)

# The runner's loop jumps from each handler straight to the next one; kept
# apart (no common tails merged, no values hoisted across handlers), each
# handler's jump is predicted on its own. The options are GCC's (the fuzz build
# uses Clang, which has none of them).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/runner.cpp PROPERTIES
    COMPILE_OPTIONS "-fno-gcse;-fno-crossjumping")
endif()
