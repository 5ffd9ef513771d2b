#include "huepick/frm_color.h"

#include <algorithm>

#include "components/form_resource.h"
#include "controls/buttons.h"
#include "controls/common_dialogs.h"
#include "controls/containers.h"
#include "controls/edits.h"
#include "controls/graphic_controls.h"
#include "controls/qt_application.h"
#include "huepick/spectrum.h"
#include "platform/integer_text.h"
#include "platform/message_service.h"

namespace orv {
namespace {

constexpr int kGridSide = 16;  // cells per row and per column
constexpr int kCellOutline = static_cast<int>(RGB(170, 170, 170));
constexpr int kSelectedOutline = static_cast<int>(RGB(255, 255, 255));
constexpr int kPickMarks = static_cast<int>(RGB(255, 255, 255));  // the triangles beside the spectrum
constexpr int kBrushClear = 1;

int IntArg(const EventArgs& args, size_t index) { return static_cast<int>(std::get<int64_t>(args[index])); }

// The integer an edit holds, 0 when its text is not one.
int EditValue(const TEdit& edit) {
  int32_t value = 0;
  return TryStrToInt(edit.Text(), value) ? value : 0;
}

// The grid cell (1 to 256) whose inner square, inside the grey outline,
// holds (x, y) in a grid of cells `cell` pixels wide; 0 on an outline or
// outside the grid.
int CellAt(int x, int y, int cell) {
  if (x < 0 || y < 0 || x >= cell * kGridSide || y >= cell * kGridSide) return 0;
  const auto inner = [cell](int at) { return at % cell >= 1 && at % cell <= cell - 2; };
  if (!inner(x) || !inner(y)) return 0;
  return y / cell * kGridSide + x / cell + 1;
}

void DrawSpectrum(TPicture& picture) {
  const std::vector<TColorValue> pixels = SpectrumPixels();
  picture.SetPixels(kSpectrumWidth, kSpectrumHeight, std::vector<int32_t>(pixels.begin(), pixels.end()));
}

}  // namespace

TFrmColor::TFrmColor(TComponent* owner) : TForm(owner) {
  EnsureQtApplication();
  ReadFormResource(*this, {Field("Panel2", &TFrmColor::Panel2),
                           Field("PaintBox2", &TFrmColor::PaintBox2),
                           Field("Edit1", &TFrmColor::Edit1),
                           Field("Edit2", &TFrmColor::Edit2),
                           Field("Edit3", &TFrmColor::Edit3),
                           Field("Edit4", &TFrmColor::Edit4),
                           Field("Image1", &TFrmColor::Image1),
                           Field("PaintBox1", &TFrmColor::PaintBox1),
                           Field("OpenDialog1", &TFrmColor::OpenDialog1),
                           Field("Store", &TFrmColor::Store),
                           Handler("FormCreate", &TFrmColor::FormCreate),
                           Handler("FormShow", &TFrmColor::FormShow),
                           Handler("FormPaint", &TFrmColor::FormPaint),
                           Handler("PaintBox2Paint", &TFrmColor::PaintBox2Paint),
                           Handler("PaintBox2MouseUp", &TFrmColor::PaintBox2MouseUp),
                           Handler("Edit1Change", &TFrmColor::Edit1Change),
                           Handler("PaintBox1MouseDown", &TFrmColor::PaintBox1MouseDown),
                           Handler("PaintBox1MouseMove", &TFrmColor::PaintBox1MouseMove),
                           Handler("PaintBox1DblClick", &TFrmColor::PaintBox1DblClick),
                           Handler("SpeedButton1Click", &TFrmColor::SpeedButton1Click)});
}

void TFrmColor::FormCreate(TObject*) {
  for (const std::string& line : BuiltinPaletteLines()) Store->Lines()->Add(line);
  std::vector<std::string> lines;
  for (int i = 0; i < Store->Lines()->Count(); ++i) lines.push_back(Store->Lines()->Get(i));
  palette_ = PaletteFromLines(lines);
  selected_ = 1;
  current_ = 0;
  DrawSpectrum(spectrum_);
  ShowSpectrum(spectrum_);
}

void TFrmColor::FormShow(TObject*) {
  // The dialog is laid out for its font by now; the spectrum fills its box.
  ShowSpectrum(spectrum_);
}

void TFrmColor::SetHTMLColor() { Edit4->SetText(HtmlColor(EditValue(*Edit1), EditValue(*Edit2), EditValue(*Edit3))); }

int32_t TFrmColor::RGBToValue(int blue, int green, int red) { return orv::RGBToValue(blue, green, red); }

std::string TFrmColor::HtmlColorText() const { return Edit4->Text(); }

void TFrmColor::LoadPalette(const std::string& path) {
  LoadPaletteFile(path, palette_);
  PaintBox2->Invalidate();
}

int TFrmColor::CellSide() const { return std::max(PaintBox2->Width() / kGridSide, 3); }

void TFrmColor::ShowSpectrum(const TPicture& picture) {
  Image1->Picture()->Assign(&picture);
  Image1->Picture()->Stretch(PaintBox1->Width(), PaintBox1->Height());
}

void TFrmColor::PaintBox2Paint(TObject*) {
  TCanvas& canvas = *PaintBox2->Canvas();
  const int cell = CellSide();
  for (int k = 1; k <= kGridSide * kGridSide; ++k) {
    const int x = (k - 1) % kGridSide * cell;
    const int y = (k - 1) / kGridSide * cell;
    canvas.Pen()->SetColor(kCellOutline);
    canvas.Brush()->SetStyle(0);
    canvas.Brush()->SetColor(static_cast<int>(palette_.Cells[static_cast<size_t>(k - 1)]));
    canvas.Rectangle(x, y, x + cell, y + cell);
    if (k != selected_) continue;
    canvas.Pen()->SetColor(kSelectedOutline);
    canvas.Brush()->SetStyle(kBrushClear);
    canvas.Rectangle(x + 1, y + 1, x + cell - 1, y + cell - 1);
  }
}

void TFrmColor::PaintBox2MouseUp(TObject*, EventArgs& args) {
  const int x = IntArg(args, 2);
  const int y = IntArg(args, 3);
  Panel2->SetFocus();
  if (int cell = CellAt(x, y, CellSide())) selected_ = cell;
  ShowColour(palette_.Cells[static_cast<size_t>(selected_ - 1)]);
  PaintBox2->Invalidate();
}

void TFrmColor::ShowColour(TColorValue colour) {
  // With an edit empty, Edit1Change waits until all three hold the new values.
  for (TEdit* edit : {Edit1, Edit2, Edit3}) edit->SetText("");
  current_ = colour;
  Panel2->SetColor(static_cast<int>(colour));
  Edit1->SetText(std::to_string(GetRValue(colour)));
  Edit2->SetText(std::to_string(GetGValue(colour)));
  Edit3->SetText(std::to_string(GetBValue(colour)));
}

void TFrmColor::Edit1Change(TObject*) {
  if (Edit1->Text().empty() || Edit2->Text().empty() || Edit3->Text().empty()) return;
  for (TEdit* edit : {Edit1, Edit2, Edit3}) {
    if (!edit->Focused()) continue;
    int32_t value = 0;
    const std::string decimal = TryStrToInt(edit->Text(), value) ? std::to_string(value) : "0";
    if (edit->Text() != decimal) edit->SetText(decimal);
  }
  int red = EditValue(*Edit1);
  if (red < 0 || red > 255) {
    Edit1->SetText("0");
    red = 0;
  }
  current_ = RGB(red, EditValue(*Edit2), EditValue(*Edit3));
  Panel2->SetColor(static_cast<int>(current_));
  SetHTMLColor();
}

void TFrmColor::PaintBox1MouseDown(TObject*, EventArgs& args) {
  PickFromSpectrum(std::get<int64_t>(args[1]), IntArg(args, 2), IntArg(args, 3));
}

void TFrmColor::PaintBox1MouseMove(TObject*, EventArgs& args) {
  PickFromSpectrum(std::get<int64_t>(args[0]), IntArg(args, 1), IntArg(args, 2));
}

void TFrmColor::PickFromSpectrum(int64_t shift, int x, int y) {
  if (shift == 0) return;
  // A spectrum shown larger than its picture (a larger font) picks the pixel under the pointer.
  picked_x_ = std::clamp(x * kSpectrumWidth / std::max(PaintBox1->Width(), 1), 1, kSpectrumWidth - 2);
  picked_y_ = std::clamp(y * kSpectrumHeight / std::max(PaintBox1->Height(), 1), 1, kSpectrumHeight - 2);
  const TColorValue colour = SpectrumPixel(picked_x_, picked_y_);
  ShowColour(colour);
  TPicture marked;
  marked.Assign(&spectrum_);
  marked.Paint([&](TCanvas& canvas) {
    // The cross shows dark on light colours and light on dark ones.
    const bool light = GetRValue(colour) + GetGValue(colour) + GetBValue(colour) > 384;
    canvas.Pen()->SetColor(static_cast<int>(light ? RGB(0, 0, 0) : RGB(255, 255, 255)));
    canvas.MoveTo(picked_x_ - 3, picked_y_);
    canvas.LineTo(picked_x_ + 3, picked_y_);
    canvas.MoveTo(picked_x_, picked_y_ - 3);
    canvas.LineTo(picked_x_, picked_y_ + 3);
  });
  ShowSpectrum(marked);
  Invalidate();
}

void TFrmColor::PaintBox1DblClick(TObject*) { Beep(); }

void TFrmColor::SpeedButton1Click(TObject*) {
  OpenDialog1->SetInitialDir(PaletteFolder());
  if (OpenDialog1->Execute()) LoadPalette(OpenDialog1->FileName());
}

void TFrmColor::FormPaint(TObject*) {
  if (picked_x_ < 0) return;
  const int left = PaintBox1->Left();
  const int top = PaintBox1->Top();
  const int right = left + PaintBox1->Width();
  const int bottom = top + PaintBox1->Height();
  // The picked pixel where the spectrum shows it.
  const int picked_x = picked_x_ * PaintBox1->Width() / kSpectrumWidth;
  const int picked_y = picked_y_ * PaintBox1->Height() / kSpectrumHeight;
  TCanvas& canvas = *Canvas();
  canvas.Pen()->SetColor(kPickMarks);
  canvas.Brush()->SetStyle(0);
  canvas.Brush()->SetColor(kPickMarks);
  // One triangle right of the picture points at the row, one below it at the column.
  canvas.Polygon({{right + 1, top + picked_y}, {right + 5, top + picked_y - 4}, {right + 5, top + picked_y + 4}});
  canvas.Polygon({{left + picked_x, bottom + 1}, {left + picked_x - 4, bottom + 5}, {left + picked_x + 4, bottom + 5}});
}

}  // namespace orv
