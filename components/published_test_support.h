// Test helper: a component class with one published property of every kind,
// registered under the name TSample, for the property and form-file tests.
#pragma once

#include <memory>

#include "components/collection.h"
#include "components/published.h"
#include "components/string_list.h"

namespace orv::test {

// An item of TSample's collection.
class TSampleColumn : public TCollectionItem {
 public:
  std::string ClassName() const override { return "TSampleColumn"; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption) { caption_ = caption; }
  int Width() const { return width_; }
  void SetWidth(int width) { width_ = width; }

 private:
  std::string caption_;
  int width_ = 50;
};

// A component with a property of each kind and a screen parent.
class TSample : public TComponent {
 public:
  explicit TSample(TComponent* owner) : TComponent(owner), items_(std::make_unique<TStringList>()) {}
  std::string ClassName() const override { return "TSample"; }

  int Width() const { return width_; }
  void SetWidth(int width) { width_ = width; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption) { caption_ = caption; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  int Align() const { return align_; }
  void SetAlign(int align) { align_ = align; }
  int64_t Style() const { return style_; }
  void SetStyle(int64_t style) { style_ = style; }
  int Color() const { return color_; }
  void SetColor(int color) { color_ = color; }
  double Ratio() const { return ratio_; }
  void SetRatio(double ratio) { ratio_ = ratio; }
  TComponent* Buddy() const { return buddy_; }
  void SetBuddy(TComponent* buddy) { buddy_ = buddy; }
  TStringList* Items() const { return items_.get(); }
  TOwnedCollection<TSampleColumn>* Columns() const { return columns_.get(); }
  const std::string& Data() const { return data_; }
  void SetData(std::string_view data) { data_ = data; }
  bool Framed() const { return framed_; }
  void SetFramed(bool framed) { framed_ = framed; }
  int Loads() const { return loads_; }

  TComponent* GetParentComponent() const override { return parent_; }
  bool HasParent() const override { return parent_ != nullptr; }
  void SetParentComponent(TComponent* parent) override { parent_ = parent; }
  void Loaded() override { ++loads_; }

  TMethod OnClick;
  TMethod OnClose;

  // Registers the class (once).
  static void Register() {
    using namespace publish;
    static bool done = [] {
      RegisterClassDescriptor(
          {"TSample",
           "TComponent",
           [](TComponent* owner) { return new TSample(owner); },
           {Prop("Width", types::Integer, &TSample::Width, &TSample::SetWidth),
            Prop("Caption", types::String, &TSample::Caption, &TSample::SetCaption),
            Prop("Enabled", types::Boolean, &TSample::Enabled, &TSample::SetEnabled),
            Prop("Align", types::TAlign, &TSample::Align, &TSample::SetAlign),
            Prop("Style", types::TFontStyles, &TSample::Style, &TSample::SetStyle),
            Prop("Color", types::TColor, &TSample::Color, &TSample::SetColor),
            Prop("Ratio", types::Double, &TSample::Ratio, &TSample::SetRatio),
            Prop("Loads", types::Integer, &TSample::Loads),
            Reference("Buddy", &TSample::Buddy, &TSample::SetBuddy),
            SubObject("Items", &TSample::Items),
            SubObject("Columns", &TSample::Columns),
            Prop("Data", types::Binary, &TSample::Data, &TSample::SetData),
            // The width is stored only for a framed sample.
            StoredWhen<TSample>(Prop("FrameWidth", types::Integer, &TSample::Width, &TSample::SetWidth),
                                [](const TSample& sample) { return sample.Framed(); }),
            Prop("Framed", types::Boolean, &TSample::Framed, &TSample::SetFramed),
            Event("OnClick", "TNotifyEvent", &TSample::OnClick),
            Event("OnClose", "TCloseEvent", &TSample::OnClose)}});
      RegisterClassDescriptor({"TSampleColumn",
                               "TCollectionItem",
                               nullptr,
                               {Prop("Caption", types::String, &TSampleColumn::Caption, &TSampleColumn::SetCaption),
                                Prop("Width", types::Integer, &TSampleColumn::Width, &TSampleColumn::SetWidth)}});
      return true;
    }();
    (void)done;
  }

 private:
  int width_ = 10;
  std::string caption_;
  bool enabled_ = true;
  int align_ = 0;
  int64_t style_ = 0;
  int color_ = static_cast<int32_t>(0x8000000F);
  double ratio_ = 0.5;
  TComponent* buddy_ = nullptr;
  std::unique_ptr<TStringList> items_;
  std::unique_ptr<TOwnedCollection<TSampleColumn>> columns_ = std::make_unique<TOwnedCollection<TSampleColumn>>();
  std::string data_;
  bool framed_ = false;
  TComponent* parent_ = nullptr;
  int loads_ = 0;
};

}  // namespace orv::test
