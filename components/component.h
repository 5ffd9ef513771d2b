// TComponent: a named object with an owner. An owner keeps a list of the
// components it owns and destroys them when it is destroyed; a destroyed
// component leaves its owner's list. Form files, dialogs and scripts build
// their object trees from components.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "components/persistent.h"

namespace orv {

// What happened to a component that another component is told about.
enum class TOperation { opInsert, opRemove };

// A named object with an owner and a list of owned components.
class TComponent : public TPersistent {
 public:
  // Creates the component and, with an owner, inserts it into the owner's list.
  explicit TComponent(TComponent* owner = nullptr);
  // Destroys the owned components (last first) and leaves the owner's list.
  ~TComponent() override;

  std::string ClassName() const override { return "TComponent"; }
  size_t InstanceSize() const override { return sizeof(TComponent); }
  // Clears the name; owned components stay.
  void CleanupInstance() override;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // The owned component at `index`; EListError when out of range.
  TComponent* Components(int index) const;

  // This component's position in its owner's list; -1 without an owner.
  int ComponentIndex() const;
  // Moves this component within its owner's list; an index beyond either end
  // is taken as that end. Nothing happens without an owner.
  void SetComponentIndex(int index);

  const std::string& Name() const { return name_; }
  // Renames the component. The name must be empty or an identifier (a letter
  // or "_", then letters, digits and "_"), and no other component of the same
  // owner may carry it (compared without case); EComponentError otherwise.
  void SetName(std::string_view name);

  int32_t Tag() const { return tag_; }
  void SetTag(int32_t tag) { tag_ = tag; }

  // The owned component with `name` (compared without case); nullptr for an
  // empty name or when there is none.
  TComponent* FindComponent(std::string_view name) const;

  // Takes `component` over from its current owner. EComponentError when it
  // is this component or one of its owners (ownership may not loop), or when
  // its name is taken here.
  void InsertComponent(TComponent* component);
  // Lets go of `component` if this component owns it; it then has no owner.
  void RemoveComponent(TComponent* component);
  // Destroys every owned component, last first.
  void DestroyComponents();

  // The component that contains this one on screen; none for non-visual ones.
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual bool HasParent() const { return false; }
  // Places this component inside `parent` on screen (a form reader's nested
  // object); non-visual components ignore it.
  virtual void SetParentComponent(TComponent* /*parent*/) {}

  // Called once a form reader has set every property of the form it read,
  // references to other components included.
  virtual void Loaded() {}
  // True while a form reader sets the component's properties: a value that
  // depends on others (a size that follows the text) waits for Loaded.
  bool Loading() const { return loading_; }
  void SetLoading(bool loading) { loading_ = loading; }

  // Asks to be told (through Notification) when `component` is destroyed,
  // also when it belongs to another owner; the link works both ways.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

 protected:
  // Called after the name changed (a visual component names its widget).
  virtual void Renamed() {}

  // Called when `component` was inserted into or is leaving this component's
  // tree, or is destroyed while linked by FreeNotification. The base passes
  // the news on to every owned component.
  virtual void Notification(TComponent* component, TOperation operation);

 private:
  void ValidateRename(std::string_view name, const TComponent* owner) const;

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> free_notifies_;
  std::string name_;
  int32_t tag_ = 0;
  bool loading_ = false;
};

}  // namespace orv
