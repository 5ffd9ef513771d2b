// TKelComp: the component through which a host runs a script. It holds the
// script text (or a single expression), prepares a runner for it, gives the
// runner its named objects before each run and runs it. RunScriptFile runs a
// script file in a fresh component and hands back its Result.
//
//   TKelComp comp;
//   comp.SetExpression("1+2");
//   Variant three = comp.Evaluate();
//
// Read from a form file, a component can run its script whenever an event of
// another component fires: ControlLink names that component and EventLink
// its event property (of type TNotifyEvent); the script then sees the
// firing component as "Sender".
//
// Objects a script creates and forgets belong to the component: every run
// happens inside the component's own ScriptObjectPool, which frees them when
// the component is destroyed.
//
// A host that runs the same text in many fresh components (the site
// compiler's page blocks) may hand them a TKelProgramCache: a component then
// compiles a text only when the cache does not hold it yet, and otherwise
// runs the cached program (shared, already decoded) on a machine of its own,
// whose slots start fresh exactly as after a compilation.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "components/component.h"
#include "components/string_list.h"
#include "core/lib/script_objects.h"
#include "core/script/dyna_vars.h"
#include "core/script/program_image.h"
#include "core/script/runner.h"
#include "core/script/variant.h"

namespace orv {

// Compiled programs by the text they were compiled from (with the named
// objects compiled into them). Bounded: once the stored programs reach
// MaxBytes, further programs are not stored (they are still compiled).
class TKelProgramCache {
 public:
  struct Entry {
    std::shared_ptr<const TProgram> Program;
    std::string ParentClassName;
  };

  size_t MaxBytes = 64u << 20;

  const Entry* Find(const std::string& key) const;
  void Store(const std::string& key, Entry entry);
  size_t Count() const { return entries_.size(); }

 private:
  std::unordered_map<std::string, Entry> entries_;
  size_t bytes_ = 0;
};

// A script, its runner and the objects the script sees by name.
class TKelComp : public TComponent {
 public:
  // The script starts as the two lines "begin" and "end.".
  explicit TKelComp(TComponent* owner = nullptr);
  // Frees the runner and removes the component's dynamic-variable provider.
  ~TKelComp() override;

  std::string ClassName() const override { return "TKelComp"; }
  size_t InstanceSize() const override { return sizeof(TKelComp); }

  const TStrings& Script() const { return script_; }
  // Replace the script (copying the lines, or splitting the text at CR LF,
  // LF or CR); each sets Modified.
  void SetScript(const TStrings& lines);
  void SetScriptText(std::string_view text);
  // Reads the script from a file (EInOutError when it cannot be read).
  void LoadScriptFromFile(const std::string& path);

  const std::string& Expression() const { return expression_; }
  // Stores `expression`; when it is not empty, sets Modified and makes the
  // script "begin" / "Result:=<expression>;" / "end." (no second ";" when
  // the expression already ends with one).
  void SetExpression(std::string_view expression);

  // The dynamic-variable provider of this component's scripts. When all
  // three are set, Loaded() registers them under the component's name, bound
  // to this component; the destructor removes them again.
  TDynaVarNameTOId VarNameTOID;
  TDynaGetVar GetVar;
  TDynaSetVar SetVar;
  // The component whose event runs the script, and the name of that event
  // property; connected by Loaded(). The link is cleared when ControlLink is
  // destroyed.
  TComponent* ControlLink() const { return control_link_; }
  void SetControlLink(TComponent* control);
  const std::string& EventLink() const { return event_link_; }
  void SetEventLink(std::string_view event) { event_link_ = event; }
  // The script's lines as a form file reaches them (Script.Strings).
  TStrings* ScriptLines() { return &script_; }

  // Called once the component's properties are set (after reading it from a
  // form, or by a host that fills them itself): registers the provider and
  // connects ControlLink's event EventLink when that is a TNotifyEvent
  // (other types are left alone).
  void Loaded() override;
  bool ProvidersRegistered() const { return providers_registered_; }

  // The component whose owned components become the script's named objects
  // (with itself as "Self"); the owner when null. Cleared when it is
  // destroyed.
  TComponent* Root() const { return root_; }
  void SetRoot(TComponent* root);
  // Where the compiled programs of this component come from (optional; not
  // used while the component has a provider of its own).
  TKelProgramCache* Cache = nullptr;

  // Time limit in seconds and memory budget in bytes of each run (0: none;
  // see ScriptRunLimits in platform/run_limits.h). Runs nested in a run with
  // limits keep those limits.
  uint32_t TimeLimit = 0;
  uint64_t MemoryLimit = 0;

  // Set by every change of Script or Expression: the next Prepare builds a
  // new runner.
  bool Modified() const { return modified_; }
  // The parent class named by the script, copied after each run.
  const std::string& ParentClassName() const { return parent_class_name_; }
  // The runner; null before the first Prepare.
  TKelRuner* Runner() { return runner_.get(); }
  // The same runner shared: it outlives the component while a holder keeps
  // it (an event handler running while its form is freed).
  std::shared_ptr<TKelRuner> SharedRunner() const { return runner_; }
  // The machine the last run executed (the cached program's or the
  // runner's); null while the script is not compiled.
  const TBinProg* Machine() const;

  // Builds a runner when there is none (or the script was modified) and
  // remembers one more named object for the next runs (used for "Sender").
  void Prepare(const std::string& extra_name = std::string(), TObject* extra_object = nullptr);

  // Gives the runner its named objects (each component of Root or the owner
  // under its name, Root or the owner as "Self", "Screen" and "Application"
  // (the visual classes' screen and application, reached only when the
  // script names them), then the extra object) and runs it: the first
  // run compiles. Raises orv::Exception "Compile before run" without a
  // prior Prepare; compile and run errors pass unchanged.
  void Run();

  // Compiles the script, or takes its program from the cache, as the next
  // Run would, without running it, so a host can look at the program
  // (Machine) before it runs; the next Run runs it with the named objects
  // given here. Raises what Run raises for a prior Prepare missing and for
  // compile errors.
  void Compile();

  // Prepare without an extra object, Run, and the engine-wide Result.
  Variant Evaluate();

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // The named objects for the next run; `key` gathers their names and
  // handles, which the cache key needs since the compiler builds them in.
  void FillObjects(std::string& key);
  // Gives the runner its named objects and readies the program the next
  // run executes: the one the cache holds for the script and those
  // objects, or the runner's, compiled when it is not yet (and kept in the
  // cache). The next Run uses what Compile loaded rather than loading again.
  void Load();
  // Connects EventLink of ControlLink (see Loaded).
  void ConnectEventLink();

  TStringList script_;
  std::string expression_;
  bool modified_ = false;
  bool providers_registered_ = false;
  std::string registered_name_;
  TComponent* root_ = nullptr;
  TComponent* control_link_ = nullptr;
  std::string event_link_;
  std::string extra_name_;
  bool loaded_ = false;  // Load ran since the last Prepare or Run
  uint32_t extra_handle_ = 0;  // a handle, so a freed object is seen as gone
  std::string parent_class_name_;
  // Declared before the runner: objects the script created die after it.
  ScriptObjectPool pool_;
  std::string source_;
  std::shared_ptr<TKelRuner> runner_;
  // A program loaded from the cache; runs in place of the runner's own.
  std::unique_ptr<TBinProg> cached_program_;
};

// Runs the script in `file` in a fresh TKelComp owned by `owner`: `result`
// is set to Null and then receives the script's Result. A missing file shows
// "File <file> not found" through the platform's message service and leaves
// `result` unchanged. Compile and run errors pass unchanged.
void RunScriptFile(const std::string& file, TComponent* owner, Variant& result);

// Registers the class descriptor of TKelComp, so that form files can hold
// one: Script, Expression, ControlLink and EventLink are published. (The
// provider's three methods are C++ functions that a host sets.)
void RegisterKelCompClass();

}  // namespace orv
