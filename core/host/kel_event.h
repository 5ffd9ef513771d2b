// TKelEvent: the binding between one event property of a form's component
// and the routine of the form's script that handles it. A form script's
// events reach their routines through these components, which the form owns.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "components/component.h"
#include "core/script/event_types.h"
#include "core/script/runner.h"

namespace orv {

// Runs the routine `T<form name>.<MethodName>` of the form's compiled
// script for each firing of the event it is bound to.
class TKelEvent : public TComponent, public IEventBinding {
 public:
  explicit TKelEvent(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TKelEvent"; }
  size_t InstanceSize() const override { return sizeof(TKelEvent); }

  // The runner of the form's script (compiled, with its identifiers kept).
  std::shared_ptr<TKelRuner> Runner;
  // The handler's name as the form file writes it ("Button1Click").
  std::string MethodName;
  // Whether the event passes a sender, which the routine's first parameter
  // receives; the event's further arguments fill the parameters after it.
  bool HasSender = true;
  // The limits each run of the routine gets (see ScriptRunLimits in
  // platform/run_limits.h): those of the script that loaded the form.
  uint32_t TimeLimit = 0;
  uint64_t MemoryLimit = 0;

  // The routine's qualified name in upper case ("TFORM1.BUTTON1CLICK"), once
  // resolved.
  const std::string& RoutineName() const { return routine_name_; }

  // Resolves the routine on first use: the owner's name with a trailing
  // "_<number>" dropped (a second instance of a form), else the whole name;
  // Exception "Procedure <name> not found" when neither has it. Stores the
  // sender into the routine's parameter Sender (a routine without one shows
  // "Parameter <name>.Sender not found" and goes on) and `args` into the
  // parameters after it, runs the routine, and reads those parameters back
  // into `args`, under the binding's limits. The routine may free the form,
  // this component included.
  void Dispatch(TObject* sender, std::vector<Variant>& args) override;
  // Messages still reach the component's own Dispatch.
  using TComponent::Dispatch;

 private:
  const TIdentListItem& Routine();

  std::string routine_name_;
  const TIdentListItem* routine_ = nullptr;
};

// Registers the class descriptor of TKelEvent (the binding class of the
// standard event types).
void RegisterKelEventClass();

}  // namespace orv
