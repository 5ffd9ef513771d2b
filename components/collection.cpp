#include "components/collection.h"

#include "components/errors.h"

namespace orv {

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  for (int i = 0; i < collection_->Count(); ++i)
    if (collection_->Items(i) == this) return i;
  return -1;
}

void TCollectionItem::Changed() {
  if (collection_) collection_->Changed();
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  return items_[static_cast<size_t>(index)].get();
}

TCollectionItem* TCollection::Add() {
  items_.push_back(make_item_());
  TCollectionItem* item = items_.back().get();
  item->collection_ = this;
  Changed();
  return item;
}

void TCollection::Delete(int index) {
  Items(index);
  items_.erase(items_.begin() + index);
  Changed();
}

void TCollection::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void TCollection::Changed() const {
  if (OnChange) OnChange();
}

}  // namespace orv
