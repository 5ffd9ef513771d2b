// TFrmColor, the "Select Color" dialog: a 16 × 16 palette grid, a spectrum
// picture to pick from, red, green and blue edits with the HTML colour value
// they make, and "Load Palette" for .pal and .act files. Its components carry
// the names a user or a test finds them by (PaintBox2 is the grid, PaintBox1
// the spectrum, Edit1 to Edit4 the edits, Button1 OK, Button2 Cancel).
#pragma once

#include <QImage>
#include <string>

#include "colour/palette.h"
#include "controls/form.h"

namespace orv {

class TBevel;
class TButton;
class TEdit;
class TGroupBox;
class TImage;
class TLabel;
class TMemo;
class TOpenDialog;
class TPaintBox;
class TPanel;
class TShape;
class TSpeedButton;

// The colour dialog; one lives for one export call.
class TFrmColor : public TForm {
 public:
  explicit TFrmColor(TComponent* owner);
  std::string ClassName() const override { return "TFrmColor"; }

  // Edit4 := the HTML colour value of the three edits read as integers
  // (0 for a text that is not one), each kept to its low 8 bits.
  void SetHTMLColor();
  // Red × 65536 + green × 256 + blue.
  static int32_t RGBToValue(int blue, int green, int red);

  // The colour the dialog hands back, as Panel2 shows it.
  TColorValue CurrentColor() const { return current_; }
  // The HTML colour value shown in Edit4.
  std::string HtmlColorText() const;
  // The selected grid cell, 1 to 256.
  int SelectedCell() const { return selected_; }
  const TPalette& Palette() const { return palette_; }
  // Loads a palette file into the grid (what "Load Palette" does with the
  // chosen file); the selection and the current colour stay.
  void LoadPalette(const std::string& path);

  bool WidgetEvent(QEvent* event) override;

 private:
  void BuildComponents();
  void FormCreate();
  void FormShow();
  void PaintBox2Paint();
  void PaintBox2MouseUp(int x, int y);
  void Edit1Change();
  void PaintBox1MouseMove(int64_t shift, int x, int y);
  void PaintBox1DblClick();
  void SpeedButton1Click();
  // Shows `colour` as the current colour: the three edits, Panel2 and Edit4.
  void ShowColour(TColorValue colour);
  // Draws the triangles that point at the picked row and column.
  void PaintMarks(QWidget* surface);

  TPanel* Panel1;
  TPaintBox* PaintBox2;
  TSpeedButton* SpeedButton1;
  TGroupBox* GroupBox2;
  TPanel* Panel2;
  TLabel* Label1;
  TShape* Shape1;
  TShape* Shape2;
  TShape* Shape3;
  TEdit* Edit1;
  TEdit* Edit2;
  TEdit* Edit3;
  TGroupBox* GroupBox1;
  TEdit* Edit4;
  TButton* Button1;
  TButton* Button2;
  TBevel* Bevel1;
  TImage* Image1;
  TPaintBox* PaintBox1;
  TOpenDialog* OpenDialog1;
  TMemo* Store;

  TPalette palette_;
  int selected_ = 1;
  TColorValue current_ = 0;
  QImage spectrum_;
  // The spectrum pixel last picked; none until the first pick.
  int picked_x_ = -1;
  int picked_y_ = -1;
};

}  // namespace orv
