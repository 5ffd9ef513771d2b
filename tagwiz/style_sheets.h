// The style sheet dialog's list of named text styles and its file styles.dat:
// a 32-bit count, then per style its 21 texts, each a 32-bit length and the
// bytes of the text.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "components/object.h"

namespace orv {

class TCSSList;

// One named style: 21 texts in file order (0 the name, 1 reserved, 2 the font
// family, 3-4 size and unit, 5-6 line height and unit, 7 font style,
// 8 decoration, 9 alignment, 10 weight, 11-16 indent and margins with their
// units, 17-18 text colour as a colour value and as HTML, 19-20 background
// colour as a colour value and as HTML). It belongs to the list given at
// creation: it joins that list then and leaves it when destroyed.
class TStyleSheet : public TObject {
 public:
  static constexpr size_t kTextCount = 21;
  using TextArray = std::array<std::string, kTextCount>;
  enum TextIndex : size_t {
    kName = 0, kReserved = 1, kFamily = 2, kSize = 3, kSizeUnit = 4, kLineHeight = 5, kLineHeightUnit = 6,
    kFontStyle = 7, kDecoration = 8, kAlign = 9, kWeight = 10, kIndent = 11, kIndentUnit = 12,
    kLeftMargin = 13, kLeftMarginUnit = 14, kRightMargin = 15, kRightMarginUnit = 16, kTextColor = 17,
    kTextHtml = 18, kBackColor = 19, kBackHtml = 20,
  };

  explicit TStyleSheet(TCSSList& owner);
  ~TStyleSheet() override;

  std::string ClassName() const override { return "TStyleSheet"; }
  size_t InstanceSize() const override { return sizeof(TStyleSheet); }

  TCSSList& Owner() const { return owner_; }

  // The texts of a new style named `name`.
  static TextArray Defaults(const std::string& name);
  // Sets every text to the defaults of a new style named `name`.
  void SetDefaults(const std::string& name) { Texts = Defaults(name); }

  TextArray Texts;

 private:
  TCSSList& owner_;
};

// An ordered list of styles, in the order of creation or of the file. The
// list owns its styles: destroying it destroys them.
class TCSSList {
 public:
  TCSSList() = default;
  ~TCSSList();
  TCSSList(const TCSSList&) = delete;
  TCSSList& operator=(const TCSSList&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  TStyleSheet& Items(int index) const { return *items_.at(static_cast<size_t>(index)); }

  // The first style whose name equals `name` exactly (case-sensitive), or nullptr.
  TStyleSheet* FindStyle(const std::string& name) const;

  // Takes the first style named `name` out of the list and destroys it.
  void RemoveStyle(const std::string& name);

  // Destroys every style.
  void Clear();

  // Replaces the list with the styles of `bytes`. A damaged file (a count or
  // a length that runs past the end) raises EInOutError naming `path` and
  // leaves the list unchanged.
  void LoadFromBytes(const std::string& bytes, const std::string& path);
  std::string SaveToBytes() const;

  // The file forms of the above. LoadFromFile raises EInOutError when the
  // file cannot be read; SaveToFile writes a new file and renames it into
  // place, so a failed save leaves the old file whole.
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

 private:
  friend class TStyleSheet;
  std::vector<TStyleSheet*> items_;
};

}  // namespace orv
