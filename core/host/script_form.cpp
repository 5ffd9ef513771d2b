#include "core/host/script_form.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

#include "components/form_reader.h"
#include "components/published.h"
#include "core/host/kel_comp.h"
#include "core/host/kel_event.h"
#include "core/script/event_types.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/message_loop.h"
#include "platform/paths.h"
#include "platform/run_limits.h"

namespace orv {
namespace {

// The close action (a TCloseAction ordinal) that frees a closed form.
constexpr int64_t kCloseActionFree = 2;

// Handles of the forms ShowScriptForm made.
std::vector<uint32_t>& ShownForms() {
  static std::vector<uint32_t> forms;
  return forms;
}

// Binds or clears every event property of `component` that holds the number
// of a handler name read from the form file.
void BindEvents(TComponent& component, TComponent& form, const std::vector<std::string>& handlers,
                const std::shared_ptr<TKelRuner>& runner) {
  for (const PropertyInfo* property : PublishedProperties(component.ClassName())) {
    if (property->type->kind != TypeKind::Method || !property->set) continue;
    TMethod method = std::get<TMethod>(property->get(component));
    if (method.code || method.data < 1 || static_cast<size_t>(method.data) > handlers.size()) continue;
    const TEventListItem* type = runner ? FindRegisteredEventType(property->type->name) : nullptr;
    if (!type) {
      property->set(component, TMethod{});
      continue;
    }
    auto* binding = dynamic_cast<TKelEvent*>(CreateComponent(type->BindingClass, &form));
    if (!binding) throw Exception("Event binding class " + type->BindingClass + " is not valid");
    binding->Runner = runner;
    binding->MethodName = handlers[static_cast<size_t>(method.data) - 1];
    binding->HasSender = type->HasSender;
    binding->TimeLimit = CurrentRunSeconds();
    binding->MemoryLimit = CurrentRunMemoryBytes();
    TMethod bound;
    bound.name = binding->MethodName;
    bound.code = [handle = binding->Handle(), thunk = type->Thunk](TObject* sender, EventArgs& args) {
      TObject* target = ObjectFromHandle(handle);
      if (!target) return;
      // A copy: the handler may free the component that holds this function.
      EventThunk call = thunk;
      call(target, sender, args);
    };
    property->set(component, bound);
  }
}

// Compiles the script of the form file `file` (CompileOnly, identifiers
// kept) in a TKelComp owned by `form`; null when the form has no script.
std::shared_ptr<TKelRuner> CompileFormScript(const std::string& file, TComponent& form) {
  std::string script = ScriptFileOfForm(file);
  if (script.empty()) return nullptr;
  auto* comp = new TKelComp(&form);
  comp->LoadScriptFromFile(script);
  comp->Prepare();
  comp->Runner()->KeepIdents = true;
  comp->Runner()->CompileOnly = true;
  comp->Run();
  return comp->SharedRunner();
}

}  // namespace

std::string ScriptFileOfForm(const std::string& file) {
  for (const char* ext : {".PAS", ".pas"}) {
    std::string candidate = ChangeFileExt(file, ext);
    if (FileExists(candidate)) return candidate;
  }
  namespace fs = std::filesystem;
  std::string wanted = fs::path(ChangeFileExt(file, ".pas")).filename().string();
  fs::path folder = fs::path(file).parent_path();
  std::error_code error;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end; !error && it != end;
       it.increment(error))
    if (SameText(it->path().filename().string(), wanted) && it->is_regular_file(error)) return it->path().string();
  return std::string();
}

void LoadScriptForm(const std::string& file, TComponent& form, const TComponent* unique_in) {
  std::vector<std::string> handlers;
  bool is_form = form.InheritsFrom("TCustomForm");
  FormReadOptions options;
  options.file_name = file;
  options.find_method = [&handlers](const std::string& name) {
    handlers.push_back(name);
    return static_cast<intptr_t>(handlers.size());
  };
  options.before_loaded = [&] {
    if (unique_in) {
      std::string name = form.Name();
      for (int n = 1; !name.empty() && unique_in->FindComponent(name); ++n)
        name = form.Name() + "_" + std::to_string(n);
      form.SetName(name);
    }
    if (is_form) SetPropValue(form, "Visible", false);
    std::shared_ptr<TKelRuner> runner = CompileFormScript(file, form);
    std::vector<TComponent*> components{&form};
    for (int i = 0; i < form.ComponentCount(); ++i) components.push_back(form.Components(i));
    for (TComponent* component : components) BindEvents(*component, form, handlers, runner);
  };
  ReadForm(ReadFileUpTo(file, kMaxFormFileBytes), form, options);
  if (!is_form) return;
  const PropertyInfo* on_close = FindPublishedProperty(form, "OnClose");
  if (!on_close || std::get<TMethod>(on_close->get(form)).Assigned()) return;
  TMethod free_on_close;
  free_on_close.code = [](TObject*, EventArgs& args) {
    if (!args.empty()) args[0] = PropertyValue(kCloseActionFree);
  };
  on_close->set(form, free_on_close);
}

TComponent* ShowScriptForm(const std::string& file) {
  std::unique_ptr<TComponent> form(CreateComponent("TForm", nullptr));
  TComponent* application = ClassInstance("TApplication");
  LoadScriptForm(file, *form, application);
  application->InsertComponent(form.get());
  TComponent* shown = form.release();
  ShownForms().push_back(shown->Handle());
  SetPropValue(*shown, "Visible", true);
  return shown;
}

bool ScriptFormsOpen() {
  std::vector<uint32_t>& forms = ShownForms();
  std::erase_if(forms, [](uint32_t handle) { return ObjectFromHandle(handle) == nullptr; });
  for (uint32_t handle : forms) {
    auto* form = dynamic_cast<TComponent*>(ObjectFromHandle(handle));
    if (form && std::get<bool>(GetPropValue(*form, "Visible"))) return true;
  }
  return false;
}

void RunScriptForms() {
  while (ScriptFormsOpen()) WaitMessages(std::chrono::milliseconds(-1));
}

void FreeScriptForms() {
  std::vector<uint32_t> forms = std::move(ShownForms());
  ShownForms().clear();
  for (uint32_t handle : forms) delete ObjectFromHandle(handle);
}

}  // namespace orv
