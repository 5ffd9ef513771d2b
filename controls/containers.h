// Controls that hold other controls: group boxes, radio groups, panels,
// page controls with tab sheets, notebooks with pages, and headers.
#pragma once

#include <memory>

#include "components/string_list.h"
#include "controls/control.h"

namespace orv {

enum : int { bvNone = 0, bvLowered = 1, bvRaised = 2 };

// A framed group with a caption (QGroupBox).
class TCustomGroupBox : public TCustomControl {
 public:
  explicit TCustomGroupBox(TComponent* owner);
  std::string ClassName() const override { return "TCustomGroupBox"; }

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void ApplyCaption() override;
};

// The TGroupBox class as forms and scripts use it (TCustomGroupBox with its properties published).
class TGroupBox : public TCustomGroupBox {
 public:
  using TCustomGroupBox::TCustomGroupBox;
  std::string ClassName() const override { return "TGroupBox"; }
};

// A group box of radio buttons, one per line of Items, in Columns columns.
class TCustomRadioGroup : public TCustomGroupBox {
 public:
  explicit TCustomRadioGroup(TComponent* owner);
  std::string ClassName() const override { return "TCustomRadioGroup"; }

  TStringList* Items() const { return items_.get(); }
  int ItemIndex() const { return item_index_; }
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  void SetColumns(int columns);

 protected:
  void WidgetCreated() override;
  bool WidgetEvent(QEvent* event) override;

 private:
  void ShowButtons();
  std::unique_ptr<TStringList> items_;
  int item_index_ = -1;
  int columns_ = 1;
};

// The TRadioGroup class as forms and scripts use it (TCustomRadioGroup with its properties published).
class TRadioGroup : public TCustomRadioGroup {
 public:
  using TCustomRadioGroup::TCustomRadioGroup;
  std::string ClassName() const override { return "TRadioGroup"; }
};

// A raised or lowered area with a centred caption (QFrame).
class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* owner);
  std::string ClassName() const override { return "TCustomPanel"; }

  int Alignment() const { return alignment_; }
  void SetAlignment(int alignment);
  int BevelInner() const { return bevel_inner_; }
  void SetBevelInner(int bevel) { bevel_inner_ = bevel; ApplyFrame(); }
  int BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(int bevel) { bevel_outer_ = bevel; ApplyFrame(); }
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int width) { bevel_width_ = width; ApplyFrame(); }
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int width) { border_width_ = width; }
  int BorderStyle() const { return border_style_; }
  void SetBorderStyle(int style) { border_style_ = style; ApplyFrame(); }
  bool Locked() const { return locked_; }
  void SetLocked(bool locked) { locked_ = locked; }

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void ApplyCaption() override;

 private:
  void ApplyFrame();
  int alignment_ = 2;
  int bevel_inner_ = bvNone;
  int bevel_outer_ = bvRaised;
  int bevel_width_ = 1;
  int border_width_ = 0;
  int border_style_ = 0;
  bool locked_ = false;
};

// The TPanel class as forms and scripts use it (TCustomPanel with its properties published).
class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
  std::string ClassName() const override { return "TPanel"; }
};

class TPageControl;

// One page of a page control; its Caption is the tab's text. Its size is
// the page control's page area, which the tab widget sets once it exists.
class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner);
  std::string ClassName() const override { return "TTabSheet"; }
  TPageControl* PageControl() const;
  void SetPageControl(TPageControl* control);
  int PageIndex() const;
  // A page read from a form file joins its page control as SetPageControl does.
  void SetParentComponent(TComponent* parent) override;
  bool WidgetEvent(QEvent* event) override;

 protected:
  void ApplyCaption() override;
};

// Pages with tabs (QTabWidget); its child tab sheets are the pages.
class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* owner);
  std::string ClassName() const override { return "TPageControl"; }

  int PageCount() const;
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const;
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // Re-reads the tab sheets (after one was added, removed or renamed).
  void ShowPages();
  void SetBounds(int left, int top, int width, int height) override;

  TMethod OnChange;

  QWidget* ClientWidget() override;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void WidgetCreated() override;
  void FontChanged() override;

 private:
  // Gives every sheet the page area: the tab widget's when it exists,
  // otherwise the control less its frame and the row of tabs.
  void PlaceSheets();
  int active_ = 0;
};

// One page of a notebook.
class TPage : public TCustomControl {
 public:
  explicit TPage(TComponent* owner);
  std::string ClassName() const override { return "TPage"; }
};

// Pages without tabs (QStackedWidget): one page shows at a time, chosen by
// PageIndex or by ActivePage (a page's caption). Pages lists the captions.
class TNotebook : public TCustomControl {
 public:
  explicit TNotebook(TComponent* owner);
  std::string ClassName() const override { return "TNotebook"; }

  TStringList* Pages() const { return pages_.get(); }
  int PageIndex() const { return page_index_; }
  void SetPageIndex(int index);
  std::string ActivePage() const;
  void SetActivePage(std::string_view caption);
  // The page component at `index` (made when the Pages list grew).
  TPage* Page(int index) const;

  TMethod OnPageChanged;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void WidgetCreated() override;

 private:
  void SyncPages();
  std::unique_ptr<TStringList> pages_;
  std::vector<TPage*> page_controls_;
  int page_index_ = 0;
};

// A row of resizable column headings (QHeaderView); Sections lists them.
class THeader : public TCustomControl {
 public:
  explicit THeader(TComponent* owner);
  std::string ClassName() const override { return "THeader"; }

  TStringList* Sections() const { return sections_.get(); }
  bool AllowResize() const { return allow_resize_; }
  void SetAllowResize(bool allow);
  int BorderStyle() const { return border_style_; }
  void SetBorderStyle(int style) { border_style_ = style; }
  // The width of section `index`.
  int SectionWidth(int index) const;
  void SetSectionWidth(int index, int width);

  TMethod OnSized;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void WidgetCreated() override;

 private:
  void ShowSections();
  std::unique_ptr<TStringList> sections_;
  std::vector<int> widths_;
  bool allow_resize_ = true;
  int border_style_ = 1;
};

}  // namespace orv
