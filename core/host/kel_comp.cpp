#include "core/host/kel_comp.h"

#include "components/published.h"
#include "core/script/host_registry.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/message_service.h"
#include "platform/paths.h"
#include "platform/run_limits.h"

namespace orv {

const TKelProgramCache::Entry* TKelProgramCache::Find(const std::string& key) const {
  auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : &it->second;
}

void TKelProgramCache::Store(const std::string& key, Entry entry) {
  const TProgram& program = *entry.Program;
  size_t size = key.size() + entry.ParentClassName.size() + program.Constants.size() * sizeof(Variant) +
                program.Code.size() * (sizeof(TProgItem) + sizeof(TDecodedItem));
  if (bytes_ + size > MaxBytes || entries_.count(key) != 0) return;
  bytes_ += size;
  entries_.emplace(key, std::move(entry));
}

TKelComp::TKelComp(TComponent* owner) : TComponent(owner) {
  script_.Add("begin");
  script_.Add("end.");
}

TKelComp::~TKelComp() {
  cached_program_.reset();
  runner_.reset();
  if (providers_registered_) UnregisterDynaVars(registered_name_);
  if (root_) RemoveFreeNotification(root_);
  if (control_link_) RemoveFreeNotification(control_link_);
}

void TKelComp::SetScript(const TStrings& lines) {
  script_.Assign(&lines);
  modified_ = true;
}

void TKelComp::SetScriptText(std::string_view text) {
  script_.SetText(text);
  modified_ = true;
}

void TKelComp::LoadScriptFromFile(const std::string& path) {
  script_.LoadFromFile(path);
  modified_ = true;
}

void TKelComp::SetExpression(std::string_view expression) {
  expression_ = std::string(expression);
  if (expression_.empty()) return;
  modified_ = true;
  script_.Clear();
  script_.Add("begin");
  script_.Add("Result:=" + expression_ + (expression_.back() == ';' ? "" : ";"));
  script_.Add("end.");
}

void TKelComp::Loaded() {
  ConnectEventLink();
  if (providers_registered_ || !VarNameTOID || !GetVar || !SetVar) return;
  registered_name_ = UpperCase(Name());
  RegisterDynaVars(registered_name_, this, GetVar, SetVar, VarNameTOID);
  providers_registered_ = true;
}

void TKelComp::SetControlLink(TComponent* control) {
  if (control_link_) RemoveFreeNotification(control_link_);
  control_link_ = control;
  if (control_link_) FreeNotification(control_link_);
}

void TKelComp::ConnectEventLink() {
  if (!control_link_ || event_link_.empty()) return;
  const PropertyInfo* event = FindPublishedProperty(*control_link_, event_link_);
  if (!event || !event->set || !SameText(event->type->name, "TNotifyEvent")) return;
  TMethod method;
  method.name = Name();
  uint32_t self = Handle();
  method.code = [self](TObject* sender, EventArgs&) {
    auto* comp = dynamic_cast<TKelComp*>(ObjectFromHandle(self));
    if (!comp) return;
    comp->Prepare("Sender", sender);
    comp->Run();
  };
  event->set(*control_link_, method);
}

void TKelComp::SetRoot(TComponent* root) {
  if (root_) RemoveFreeNotification(root_);
  root_ = root;
  if (root_) FreeNotification(root_);
}

void TKelComp::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == root_) root_ = nullptr;
  if (component == control_link_) control_link_ = nullptr;
}

void TKelComp::Prepare(const std::string& extra_name, TObject* extra_object) {
  if (modified_) {
    modified_ = false;
    cached_program_.reset();
    runner_.reset();
  }
  if (!runner_) {
    source_ = script_.Text();
    runner_ = std::make_unique<TKelRuner>(source_);
    runner_->Owner = this;
  }
  extra_name_ = extra_name;
  extra_handle_ = extra_object ? extra_object->Handle() : 0;
  loaded_ = false;
}

void TKelComp::FillObjects(std::string& key) {
  tobjcollect& objects = runner_->Objects;
  objects.Clear();
  auto add = [&](const std::string& name, TObject* object) {
    objects.Add(name, object);
    key += '\0' + UpperCase(name) + '=' + std::to_string(object ? object->Handle() : 0);
  };
  TComponent* root = root_ ? root_ : Owner();
  if (root) {
    for (int i = 0; i < root->ComponentCount(); ++i) {
      TComponent* component = root->Components(i);
      if (!component->Name().empty()) add(component->Name(), component);
    }
    add("Self", root);
  }
  // The screen and the application belong to the visual classes: they are
  // reached (and Qt loaded) only when the script names them. They are one
  // per process, so a compiled program that holds their handles stays valid.
  for (const char* name : {"Screen", "Application"}) {
    std::string class_name = std::string("T") + name;
    objects.AddLazy(name, class_name, [class_name]() -> TObject* { return ClassInstance(class_name); });
    key += '\0' + UpperCase(name) + "=*";
  }
  if (!extra_name_.empty()) add(extra_name_, ObjectFromHandle(extra_handle_));
}

const TBinProg* TKelComp::Machine() const {
  if (cached_program_) return cached_program_.get();
  return runner_ ? runner_->Program() : nullptr;
}

namespace {

// The runner compiles and loads, but executes nothing, while one lives.
struct CompileOnlyScope {
  TKelRuner& runner;
  bool was;
  explicit CompileOnlyScope(TKelRuner& r) : runner(r), was(r.CompileOnly) { runner.CompileOnly = true; }
  ~CompileOnlyScope() { runner.CompileOnly = was; }
};

}  // namespace

void TKelComp::Load() {
  std::string key = source_;
  FillObjects(key);
  loaded_ = true;
  if (cached_program_ || runner_->Compiled()) return;
  const bool use_cache = Cache && !providers_registered_ && !runner_->KeepIdents;
  if (use_cache) {
    if (const TKelProgramCache::Entry* entry = Cache->Find(key)) {
      cached_program_ = std::make_unique<TBinProg>(entry->Program);
      parent_class_name_ = entry->ParentClassName;
      return;
    }
  }
  {
    CompileOnlyScope compile_only(*runner_);
    runner_->Run();
  }
  parent_class_name_ = runner_->ParentClassName;
  if (use_cache) Cache->Store(key, {runner_->Program()->SharedProgram(), runner_->ParentClassName});
}

void TKelComp::Compile() {
  if (!runner_) throw Exception("Compile before run");
  // The compiler runs no script code, so the run's limits start with Run.
  ScriptObjectPool::Activation active(pool_);
  Load();
}

void TKelComp::Run() {
  if (!runner_) throw Exception("Compile before run");
  ScriptObjectPool::Activation active(pool_);
  ScriptRunLimits limits(TimeLimit, MemoryLimit);
  if (!loaded_) Load();
  loaded_ = false;
  if (runner_->CompileOnly) return;
  if (cached_program_) {
    Execute(*cached_program_, 0, runner_->StepLimit);
    return;
  }
  runner_->Run();
  parent_class_name_ = runner_->ParentClassName;
}

Variant TKelComp::Evaluate() {
  Prepare();
  Run();
  return InternalVars().Result;
}

void RunScriptFile(const std::string& file, TComponent* owner, Variant& result) {
  if (!FileExists(file)) {
    ShowMessage(MessageKind::Error, "Script", "File " + file + " not found");
    return;
  }
  TKelComp comp(owner);
  comp.LoadScriptFromFile(file);
  result = Variant::Null();
  result = comp.Evaluate();
}

void RegisterKelCompClass() {
  using namespace publish;
  PropertyInfo script{"Script", &types::TPersistentRef,
                      [](const TObject& o) {
                        auto& comp = const_cast<TKelComp&>(As<TKelComp>(o));
                        return PropertyValue(static_cast<TObject*>(comp.ScriptLines()));
                      },
                      [](TObject& o, const PropertyValue& v) {
                        TStringList lines;
                        AssignSubObject(lines, v);
                        As<TKelComp>(o).SetScript(lines);
                      }};
  RegisterClassDescriptor({"TKelComp", "TComponent", [](TComponent* owner) { return new TKelComp(owner); },
                           {script, Prop("Expression", types::String, &TKelComp::Expression, &TKelComp::SetExpression),
                            Reference("ControlLink", &TKelComp::ControlLink, &TKelComp::SetControlLink),
                            Prop("EventLink", types::String, &TKelComp::EventLink, &TKelComp::SetEventLink)}});
}

}  // namespace orv
