#include "components/component.h"

#include <algorithm>

#include "components/errors.h"
#include "platform/paths.h"

namespace orv {
namespace {

bool IsIdentifier(std::string_view name) {
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (name.empty() || !letter(name[0])) return false;
  return std::all_of(name.begin() + 1, name.end(),
                     [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

void Unlink(std::vector<TComponent*>& list, const TComponent* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  std::vector<TComponent*> linked;
  linked.swap(free_notifies_);
  for (TComponent* other : linked) {
    Unlink(other->free_notifies_, this);
    other->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::CleanupInstance() { name_.clear(); }

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw ListIndexError(index);
  return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  const auto& siblings = owner_->components_;
  auto it = std::find(siblings.begin(), siblings.end(), this);
  return static_cast<int>(it - siblings.begin());
}

void TComponent::SetComponentIndex(int index) {
  if (!owner_) return;
  auto& siblings = owner_->components_;
  int current = ComponentIndex();
  index = std::clamp(index, 0, static_cast<int>(siblings.size()) - 1);
  if (index == current) return;
  siblings.erase(siblings.begin() + current);
  siblings.insert(siblings.begin() + index, this);
}

void TComponent::ValidateRename(std::string_view name, const TComponent* owner) const {
  if (!name.empty() && !IsIdentifier(name))
    throw EComponentError("'" + std::string(name) + "' is not a valid component name");
  if (owner) {
    TComponent* holder = owner->FindComponent(name);
    if (holder && holder != this)
      throw EComponentError("A component named " + std::string(name) + " already exists");
  }
}

void TComponent::SetName(std::string_view name) {
  ValidateRename(name, owner_);
  name_ = name;
  Renamed();
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : components_)
    if (SameText(component->name_, name)) return component;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  for (const TComponent* up = this; up; up = up->owner_)
    if (up == component)
      throw EComponentError("A component cannot own itself or one of its owners");
  component->ValidateRename(component->name_, this);
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->owner_ != this) return;
  Notification(component, TOperation::opRemove);
  Unlink(components_, component);
  component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  // Owned components are detached without telling their siblings one by one
  // (that would cost the square of their number); a sibling that must know
  // asks for it with FreeNotification.
  while (!components_.empty()) {
    TComponent* last = components_.back();
    components_.pop_back();
    last->owner_ = nullptr;
    delete last;
  }
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(free_notifies_.begin(), free_notifies_.end(), component) != free_notifies_.end())
    return;
  free_notifies_.push_back(component);
  component->free_notifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  Unlink(free_notifies_, component);
  Unlink(component->free_notifies_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove) RemoveFreeNotification(component);
  // A handler may free components, so the list is read afresh at every step.
  for (size_t i = components_.size(); i > 0; --i)
    if (i <= components_.size()) components_[i - 1]->Notification(component, operation);
}

}  // namespace orv
