// TFrmColor, the "Select Color" dialog: a 16 × 16 palette grid, a spectrum
// picture to pick from, red, green and blue edits with the HTML colour value
// they make, and "Load Palette" for .pal and .act files. Its layout is
// frm_color.dfm; its components carry the names a user or a test finds them
// by (PaintBox2 is the grid, PaintBox1 the spectrum, Edit1 to Edit4 the
// edits, Button1 OK, Button2 Cancel).
#pragma once

#include <string>

#include "controls/form.h"
#include "controls/graphics.h"
#include "huepick/palette.h"

namespace orv {

class TEdit;
class TImage;
class TMemo;
class TOpenDialog;
class TPaintBox;
class TPanel;

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

 private:
  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  // Draws the triangles that point at the picked row and column.
  void FormPaint(TObject* sender);
  void PaintBox2Paint(TObject* sender);
  void PaintBox2MouseUp(TObject* sender, EventArgs& args);
  void Edit1Change(TObject* sender);
  void PaintBox1MouseDown(TObject* sender, EventArgs& args);
  void PaintBox1MouseMove(TObject* sender, EventArgs& args);
  void PaintBox1DblClick(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  // Picks the spectrum's colour at (x, y) while a button or key is held.
  void PickFromSpectrum(int64_t shift, int x, int y);
  // Shows `colour` as the current colour: the three edits, Panel2 and Edit4.
  void ShowColour(TColorValue colour);
  // The side of a grid cell: the grid fills its paint box.
  int CellSide() const;
  // Shows `picture` (the spectrum) at the size of its paint box.
  void ShowSpectrum(const TPicture& picture);

  TPaintBox* PaintBox2 = nullptr;
  TPanel* Panel2 = nullptr;
  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TEdit* Edit3 = nullptr;
  TEdit* Edit4 = nullptr;
  TImage* Image1 = nullptr;
  TPaintBox* PaintBox1 = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TMemo* Store = nullptr;

  TPalette palette_;
  int selected_ = 1;
  TColorValue current_ = 0;
  TPicture spectrum_;
  // The spectrum pixel last picked; none until the first pick.
  int picked_x_ = -1;
  int picked_y_ = -1;
};

}  // namespace orv
