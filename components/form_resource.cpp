#include "components/form_resource.h"

#include <map>

#include "components/published.h"
#include "platform/paths.h"

namespace orv {
namespace {

std::map<std::string, FormResource>& Resources() {
  static std::map<std::string, FormResource> resources;  // by upper-case class name
  return resources;
}

}  // namespace

bool RegisterFormResource(std::string_view class_name, std::string_view file_name, std::string_view text) {
  Resources()[UpperCase(class_name)] = FormResource{std::string(file_name), text};
  return true;
}

const FormResource* FindFormResource(std::string_view class_name) {
  auto found = Resources().find(UpperCase(class_name));
  return found == Resources().end() ? nullptr : &found->second;
}

void ReadFormResource(TComponent& root, std::string_view class_name, const HandlerTable& handlers,
                      const std::vector<FieldBinding>& fields) {
  const FormResource* resource = FindFormResource(class_name);
  if (!resource) throw EFormFileError(std::string(class_name), 0, "No form file for " + std::string(class_name));
  ReadFormWithHandlers(resource->text, root, resource->file_name, handlers, fields);
}

void RegisterFormClass(const std::string& class_name, std::string_view parent_class) {
  if (!IsClassRegistered(class_name)) RegisterClassDescriptor({class_name, std::string(parent_class), nullptr, {}});
}

}  // namespace orv
