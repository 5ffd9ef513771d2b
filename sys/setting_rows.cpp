#include "sys/setting_rows.h"

#include "controls/lists.h"
#include "platform/user_settings.h"

namespace orv {

void AppendRows(TListView& view, const TUserSettingList& list) {
  for (int i = 0; i < list.Count(); ++i) view.AddItem(list.Items(i).Name, {list.Items(i).Value});
  view.Refresh();
}

void RowsToList(const TListView& view, TUserSettingList& list) {
  list.Clear();
  auto& rows = const_cast<TListView&>(view);
  for (int i = 0; i < rows.ItemCount(); ++i) {
    const TListItem& row = rows.Item(i);
    list.Add(row.Caption, row.SubItems.empty() ? std::string() : row.SubItems[0]);
  }
}

}  // namespace orv
