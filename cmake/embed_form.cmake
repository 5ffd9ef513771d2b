# Turns a form file into a C++ source that registers its text with the
# component library under the class name of its root object, so a library
# carries its dialogs' form files. Run as a build step by orv_form_files:
#   cmake -DFORM=path/frm_pref.dfm -DOUT=path/frm_pref_dfm.cpp -P embed_form.cmake
file(READ "${FORM}" text)
string(REGEX MATCH "^[ \t\r\n]*(object|inherited|inline)[ \t]+[A-Za-z_][A-Za-z0-9_]*[ \t]*:[ \t]*([A-Za-z_][A-Za-z0-9_]*)"
       header "${text}")
if(NOT header)
  message(FATAL_ERROR "${FORM}: the form file does not begin with \"object Name: TClass\"")
endif()
set(class_name "${CMAKE_MATCH_2}")
get_filename_component(file_name "${FORM}" NAME)
file(READ "${FORM}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    "
       bytes "${bytes}")
file(WRITE "${OUT}"
"// Generated from ${file_name} by cmake/embed_form.cmake; edit the form file instead.
#include \"components/form_resource.h\"

namespace {

const char kText[] = {
    ${bytes}};

[[maybe_unused]] const bool registered =
    orv::RegisterFormResource(\"${class_name}\", \"${file_name}\", std::string_view(kText, sizeof kText));

}  // namespace
")
