#include "components/form_reader.h"

#include <vector>

#include "components/collection.h"
#include "components/published.h"
#include "components/strings.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace orv {
namespace {

// A property that names another component, set once every component exists.
struct Fixup {
  TObject* object;
  const PropertyInfo* property;
  std::string target;
  std::string where;
  int line;
};

class Reader {
 public:
  Reader(TComponent& root, const FormReadOptions& options) : root_(root), options_(options) {}

  std::string Read(const FormObject& node) {
    root_.SetLoading(true);
    // However the reading ends, nothing stays marked as being read.
    struct Done {
      Reader& reader;
      ~Done() {
        reader.root_.SetLoading(false);
        for (TComponent* component : reader.read_) component->SetLoading(false);
      }
    } done{*this};
    Guard(node.line, [&] { root_.SetName(node.name); });
    ReadObject(node, root_);
    for (const Fixup& fixup : fixups_) {
      TComponent* target = SameText(fixup.target, root_.Name()) ? &root_ : root_.FindComponent(fixup.target);
      if (!target) Fail(fixup.line, fixup.where + ": Invalid property value");
      SetChecked(*fixup.object, *fixup.property, PropertyValue(static_cast<TObject*>(target)), fixup.where, fixup.line);
    }
    if (options_.before_loaded) options_.before_loaded();
    root_.SetLoading(false);
    for (TComponent* component : read_) component->SetLoading(false);
    root_.Loaded();
    for (TComponent* component : read_) component->Loaded();
    return node.class_name;
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& text) const {
    throw EFormFileError(options_.file_name, line, text);
  }

  // Runs `step`, turning any error into one that names the file and line.
  template <class Step>
  void Guard(int line, Step step, const std::string& where = "") const {
    try {
      step();
    } catch (const EFormFileError&) {
      throw;
    } catch (const std::exception& error) {
      Fail(line, where.empty() ? error.what() : where + ": " + error.what());
    }
  }

  void ReadObject(const FormObject& node, TComponent& component) {
    for (const FormProperty& property : node.properties) Apply(component, property);
    for (const FormObject& child : node.children) {
      TComponent* made = nullptr;
      Guard(child.line, [&] {
        if (child.keyword == "inherited") {
          made = root_.FindComponent(child.name);
          if (!made)
            throw EFormFileError(options_.file_name, child.line, "Ancestor for '" + child.name + "' not found");
          return;
        }
        made = CreateComponent(child.class_name, &root_);
        read_.push_back(made);
        made->SetLoading(true);
        made->SetName(child.name);
        made->SetParentComponent(&component);
      });
      ReadObject(child, *made);
    }
  }

  void Apply(TComponent& component, const FormProperty& property) {
    std::string where = "Error reading " + component.Name() + "." + property.name;
    Guard(
        property.line,
        [&] {
          TObject* target = &component;
          std::string_view path = property.name;
          for (size_t dot = path.find('.'); dot != std::string_view::npos; dot = path.find('.')) {
            target = SubObject(*target, path.substr(0, dot));
            path.remove_prefix(dot + 1);
          }
          auto* lines = dynamic_cast<TStrings*>(target);
          if (lines && SameText(path, "Strings")) {
            publish::AssignSubObject(*lines, property.value);
            return;
          }
          if (auto* items = std::get_if<CollectionValue>(&property.value)) {
            ReadCollection(*SubObject(*target, path), *items, where, property.line);
            return;
          }
          const PropertyInfo* info = FindPublishedProperty(*target, path);
          if (!info) throw EPropertyError("Property " + std::string(path) + " does not exist");
          SetFromFile(*target, *info, property.value, where, property.line);
        },
        where);
  }

  // The collection's items become those of the file, each with its properties.
  void ReadCollection(TObject& object, const CollectionValue& value, const std::string& where, int line) {
    auto* collection = dynamic_cast<TCollection*>(&object);
    if (!collection) throw EPropertyError("Invalid property value");
    collection->Clear();
    for (const CollectionItem& item : value.items) {
      TCollectionItem* made = collection->Add();
      for (size_t i = 0; i < item.names.size(); ++i) {
        const PropertyInfo* info = FindPublishedProperty(*made, item.names[i]);
        if (!info) throw EPropertyError("Property " + item.names[i] + " does not exist");
        SetFromFile(*made, *info, item.values[i], where, line);
      }
    }
  }

  static TObject* SubObject(TObject& object, std::string_view name) {
    const PropertyInfo* info = FindPublishedProperty(object, name);
    if (!info) throw EPropertyError("Property " + std::string(name) + " does not exist");
    PropertyValue value = info->get(object);
    auto* sub = std::get_if<TObject*>(&value);
    if (info->type->kind != TypeKind::Class || !sub || !*sub)
      throw EPropertyError("Property " + std::string(name) + " has no properties");
    return *sub;
  }

  void SetFromFile(TObject& object, const PropertyInfo& info, const PropertyValue& value, const std::string& where,
                   int line) {
    auto* word = std::get_if<Identifier>(&value);
    if (info.type->kind == TypeKind::Method) {
      if (!word) throw EPropertyError("Invalid property value");
      TMethod method;
      method.name = word->name;
      if (options_.find_method) method.data = options_.find_method(word->name);
      SetChecked(object, info, method, where, line);
    } else if (info.type->kind == TypeKind::Class && word) {
      if (!info.set) throw EPropertyError("Property " + info.name + " is read-only");
      fixups_.push_back({&object, &info, word->name, where, line});
    } else {
      SetChecked(object, info, value, where, line);
    }
  }

  void SetChecked(TObject& object, const PropertyInfo& info, const PropertyValue& value, const std::string& where,
                  int line) const {
    Guard(
        line,
        [&] {
          if (!info.set) throw EPropertyError("Property " + info.name + " is read-only");
          info.set(object, ConvertPropertyValue(*info.type, value));
        },
        where);
  }

  TComponent& root_;
  const FormReadOptions& options_;
  std::vector<Fixup> fixups_;
  std::vector<TComponent*> read_;
};

}  // namespace

std::string ReadForm(std::string_view text, TComponent& root, const FormReadOptions& options) {
  FormObject tree = ParseFormText(text, options.file_name);
  return Reader(root, options).Read(tree);
}

namespace {

void BindHandlers(TComponent& component, const std::vector<HandlerTable::const_iterator>& bound) {
  for (const PropertyInfo* info : PublishedProperties(component.ClassName())) {
    if (info->type->kind != TypeKind::Method || !info->set) continue;
    auto method = std::get<TMethod>(info->get(component));
    // A handler bound already came from an ancestor's form file read before.
    if (method.code || method.data < 1 || static_cast<size_t>(method.data) > bound.size()) continue;
    method.code = bound[static_cast<size_t>(method.data) - 1]->second;
    info->set(component, method);
  }
}

}  // namespace

std::string ReadFormWithHandlers(std::string_view text, TComponent& root, const std::string& file_name,
                                 const HandlerTable& handlers, const std::vector<FieldBinding>& fields) {
  std::vector<HandlerTable::const_iterator> bound;
  FormReadOptions options;
  options.file_name = file_name;
  options.find_method = [&](const std::string& name) {
    auto found = handlers.find(name);
    if (found == handlers.end()) throw EPropertyError("Handler " + name + " not found");
    bound.push_back(found);
    return static_cast<intptr_t>(bound.size());
  };
  options.before_loaded = [&] {
    BindHandlers(root, bound);
    for (int i = 0; i < root.ComponentCount(); ++i) BindHandlers(*root.Components(i), bound);
    for (const FieldBinding& field : fields) {
      TComponent* component = root.FindComponent(field.name);
      if (!component) throw EFormFileError(file_name, 1, "Field " + field.name + " not found");
      if (!field.assign(component))
        throw EFormFileError(file_name, 1,
                             "Field " + field.name + " is of another class than " + component->ClassName());
    }
  };
  return ReadForm(text, root, options);
}

std::string ReadFormFile(const std::string& path, TComponent& root, const MethodLookup& find_method) {
  return ReadForm(ReadFileUpTo(path, kMaxFormFileBytes), root, FormReadOptions{path, find_method, nullptr});
}

}  // namespace orv
