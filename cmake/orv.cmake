# Helpers shared by every CMakeLists.txt of the tree.

# Warnings on our own code; errors with ORV_WERROR, which the project's own
# scripts and CI turn on. It is off by default, so a build with another
# compiler version that warns about something new still succeeds.
option(ORV_WERROR "Treat warnings in ORV's own code as errors" OFF)
#
# GCC 12 reports -Wrestrict inside std::string concatenation when optimising
# (GCC bug 105651, a false positive in the library's own memcpy); it is
# switched off for that compiler only, so Release builds stay clean.
function(orv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(ORV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# orv_fast_allocator(TARGET [LARGE_PAGES]): links mimalloc into a program
# that makes and frees many small objects (a build's page records, names and
# file states; a script's texts and lists). It does that in about half
# glibc's time once a watching orvcc's heap has grown, and it starts in no
# time (tcmalloc, used before, cost every run about 3 ms of start-up). With
# LARGE_PAGES its heap is backed by large pages where the system has them
# (cc/large_pages.cpp): fewer page faults once the heap is a few megabytes,
# for about 0.4 ms more at start. Left out where the sanitizers bring their
# own allocator.
function(orv_fast_allocator target)
  cmake_parse_arguments(A "LARGE_PAGES" "" "" ${ARGN})
  if(ORV_SANITIZE OR ORV_FUZZ)
    return()
  endif()
  find_package(mimalloc REQUIRED)
  if(A_LARGE_PAGES)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cc/large_pages.cpp)
  endif()
  target_link_libraries(${target} PRIVATE -Wl,--no-as-needed mimalloc -Wl,--as-needed)
endfunction()

# orv_module(NAME SOURCES ... [LIBS ...]): a part of a deliverable, built once
# as an object library and linked into the deliverable and into its tests.
function(orv_module name)
  cmake_parse_arguments(M "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} OBJECT ${M_SOURCES})
  orv_warnings(${name})
  if(M_LIBS)
    target_link_libraries(${name} PUBLIC ${M_LIBS})
  endif()
endfunction()

# orv_test(NAME SOURCES ... [LIBS ...]): a GoogleTest program run by CTest.
# Tests run with ORV_HOME pointing at a fresh folder of the build tree, so they
# never touch the user's data folder. Without ORV_TESTS the program is still
# defined (so later lines may refer to it) but neither built nor registered.
function(orv_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT ORV_TESTS)
    add_executable(${name} EXCLUDE_FROM_ALL ${T_SOURCES})
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  orv_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "ORV_HOME=${CMAKE_BINARY_DIR}/test-home/${name};QT_QPA_PLATFORM=offscreen;ORV_SOURCE_DIR=${CMAKE_SOURCE_DIR};LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan_suppressions.txt")
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/test-home/${name})
endfunction()

# Every part of liborvcore.so. Programs that link the core directly instead of
# opening it at run time (tests, orvscript, benchmarks, fuzz targets) link
# these; object libraries hand their objects only to targets that name them.
set(ORV_CORE_PARTS orv_site orv_host orv_lib orv_script orv_image orvcomponents orvplatform)

# orv_form_files(TARGET FILE.dfm ...): embeds each form file into TARGET. A
# build step turns it into a generated source that registers its text under
# the class name of its root object (cmake/embed_form.cmake); the class reads
# it with ReadFormResource (components/form_resource.h).
function(orv_form_files target)
  foreach(form ${ARGN})
    get_filename_component(name "${form}" NAME_WE)
    set(source "${CMAKE_CURRENT_SOURCE_DIR}/${form}")
    set(generated "${CMAKE_CURRENT_BINARY_DIR}/forms/${name}_dfm.cpp")
    add_custom_command(
      OUTPUT "${generated}"
      COMMAND ${CMAKE_COMMAND} -DFORM=${source} -DOUT=${generated} -P ${CMAKE_SOURCE_DIR}/cmake/embed_form.cmake
      DEPENDS "${source}" "${CMAKE_SOURCE_DIR}/cmake/embed_form.cmake"
      COMMENT "Embedding form file ${form}"
      VERBATIM)
    target_sources(${target} PRIVATE "${generated}")
  endforeach()
endfunction()
