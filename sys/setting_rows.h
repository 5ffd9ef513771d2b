// Name/value rows of a list view and the setting lists they are loaded from
// and saved to (the variables editor, the tools menu).
#pragma once

namespace orv {

class TListView;
class TUserSettingList;

// Appends one row per item: the name as caption, the value as second column.
void AppendRows(TListView& view, const TUserSettingList& list);

// Empties the list and appends one item per row, in row order.
void RowsToList(const TListView& view, TUserSettingList& list);

}  // namespace orv
