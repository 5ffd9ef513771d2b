#include "orvsys/model/error_kinds.h"

#include <utility>

namespace orv {

const std::vector<std::string>& ErrorKindNames() {
  static const std::vector<std::string> names = {
      "EAbort",         "EOutOfMemory",      "EInOutError",       "EIntError",
      "EMathError",     "EInvalidPointer",   "EInvalidCast",      "EConvertError",
      "EAccessViolation", "EPrivilege",      "EStackOverflow",    "EControlC",
      "EVariantError",  "EPropReadOnly",     "EPropWriteOnly",    "EExternalException",
      "EStreamError",   "EResNotFound",      "EListError",        "EBitsError",
      "EStringListError", "EThread",         "EPrinter",          "EInvalidOperation",
      "EInvalidGraphic", "EInvalidGraphicOperation", "EMenuError"};
  return names;
}

std::string ErrorExplanation(std::string_view class_name) {
  static const std::pair<std::string_view, std::string_view> explanations[] = {
      {"EAccessViolation", "This exception is raised when you attempt to access an invalid section of memory."},
      {"EOutOfMemory", "This exception is raised when there is nott enough free memory to complete the requested task"},
      {"EInOutError", "This exception is raised when any type of file input/output error occurs"},
      {"EIntError", "This exception is raised when a basic integer math error occurs"},
      {"EMathError", "This exception is raised when the CPU encounters illegal floating point math"},
      {"EInvalidPointer", "This exception is raised by an invalid pointer operation"},
      {"EInvalidCast", "This exception is raised when an illegal typecast has occured"},
      {"EConvertError", "This exception is raised when conversion functions attempt to convert illegal values"},
      {"EPrivilege",
       "This exception is raised when an attempt is made to execute a CPU instruction reserved for a different "
       "privilege level"},
      {"EAbort", "This exception is raised to escape from a block of code silently"},
      {"EStackOverflow", "This exception is raised when the current thread cannot dynamically size itself"},
      {"EControlC", "This exception is raised in console applications and occurs when the user presses ^C"},
      {"EVariantError", "This exception is raised for a variety of variant type errors"},
      {"EPropReadOnly", "This exception is raised when trying to write to a read-only property during OLE automation"},
      {"EPropWriteOnly", "This exception is raised when trying to read a write-only property during OLE automation"},
      {"EExternalException",
       "This exception is raised when the exception is unrecognized as a major exception type"},
      {"EStreamError", "This exception is raised when an error occurs during Stream reading"},
      {"EResNotFound", "This exception is raised when a resource is missing from a resource file"},
      {"EListError", "This exception is raised in response to various errors in lists, stringlists, and strings"},
      {"EBitsError", "This exception is raised when the bits property is < zero or >= to its max size"},
      {"EStringListError", "This exception is raised when you refer to an item in a list outside of its range"},
      {"EThread", "This exception is not documented"},
      {"EPrinter", "This exception is raised when a printing error occurs"},
      {"EMenuError", "This exception is raised when an illegal menu operation occurs"},
      {"EInvalidOperation",
       "This exception is raised when a handle-less control attempts an operation that requires a handle"},
      {"EInvalidGraphic", "This exception is raised when attempting to load a file which is not a valid graphic"},
      {"EInvalidGraphicOperation", "This exception is raised when an illegal operation is performed on a graphic"},
  };
  for (const auto& [name, explanation] : explanations)
    if (name == class_name) return std::string(explanation);
  return "No explanation available for this error type";
}

}  // namespace orv
