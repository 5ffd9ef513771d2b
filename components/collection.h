// TCollection and TCollectionItem: an owned, ordered list of items of one
// class, each with published properties of its own (a list view's columns).
// Form files store a collection as "< item ... end >" with each item's
// properties.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/persistent.h"

namespace orv {

class TCollection;

// One item of a collection; it knows its collection and its place there.
class TCollectionItem : public TPersistent {
 public:
  std::string ClassName() const override { return "TCollectionItem"; }
  TCollection* Collection() const { return collection_; }
  // The item's position in its collection; -1 outside one.
  int Index() const;

 protected:
  // Tells the collection that the item changed (its OnChange runs).
  void Changed();

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
};

// The items of a collection, made by the factory the owner gives. OnChange
// runs after every change of the list or of an item.
class TCollection : public TPersistent {
 public:
  using ItemFactory = std::function<std::unique_ptr<TCollectionItem>()>;
  explicit TCollection(ItemFactory make_item) : make_item_(std::move(make_item)) {}
  std::string ClassName() const override { return "TCollection"; }

  int Count() const { return static_cast<int>(items_.size()); }
  // The item at `index`; EListError out of range.
  TCollectionItem* Items(int index) const;
  // Appends a new item made by the factory.
  TCollectionItem* Add();
  void Delete(int index);
  void Clear();
  // A new item of the collection's class, not added: what a new item holds.
  std::unique_ptr<TCollectionItem> MakeItem() const { return make_item_(); }

  std::function<void()> OnChange;

 private:
  friend class TCollectionItem;
  void Changed() const;

  ItemFactory make_item_;
  std::vector<std::unique_ptr<TCollectionItem>> items_;
};

// A collection whose items are of class T, with typed access.
template <class T>
class TOwnedCollection : public TCollection {
 public:
  TOwnedCollection() : TCollection([] { return std::make_unique<T>(); }) {}
  T* Items(int index) const { return static_cast<T*>(TCollection::Items(index)); }
  T* Add() { return static_cast<T*>(TCollection::Add()); }
};

}  // namespace orv
