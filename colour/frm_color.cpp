#include "colour/frm_color.h"

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <type_traits>

#include "colour/spectrum.h"
#include "controls/application.h"
#include "controls/buttons.h"
#include "controls/common_dialogs.h"
#include "controls/containers.h"
#include "controls/edits.h"
#include "controls/graphic_controls.h"
#include "platform/integer_text.h"
#include "platform/message_service.h"

namespace orv {
namespace {

constexpr int kCell = 12;      // side of a grid cell in pixels
constexpr int kGridSide = 16;  // cells per row and per column
constexpr int crHandPoint = -21;
constexpr int kCellOutline = static_cast<int>(RGB(170, 170, 170));
constexpr int kSelectedOutline = static_cast<int>(RGB(255, 255, 255));
constexpr int kBrushClear = 1;

const char* const kPaletteFilter =
    "All Palettes (*.pal, *.act)|*.pal;*.act|Palette Files (*.pal)|*.pal|Photoshop Palettes (*.act)|*.act";

// Makes the component `name` of class T, owned by `owner`, inside `parent`
// (null for a component that is not a control) at the given bounds.
template <class T>
T* Make(TComponent* owner, TWinControl* parent, const char* name, int left = 0, int top = 0, int width = 0,
        int height = 0) {
  auto* component = new T(owner);
  component->SetName(name);
  if constexpr (std::is_base_of_v<TControl, T>) {
    component->SetParent(parent);
    component->SetBounds(left, top, width, height);
  }
  return component;
}

// An event handler named as the dialog's description names it.
TMethod Handler(const char* name, std::function<void(TObject*, EventArgs&)> code) {
  TMethod method;
  method.code = std::move(code);
  method.name = name;
  return method;
}

int IntArg(const EventArgs& args, size_t index) { return static_cast<int>(std::get<int64_t>(args[index])); }

// The integer an edit holds, 0 when its text is not one.
int EditValue(const TEdit& edit) {
  int32_t value = 0;
  return TryStrToInt(edit.Text(), value) ? value : 0;
}

// The grid cell (1 to 256) whose inner square, inside the grey outline,
// holds (x, y); 0 on an outline or outside the grid.
int CellAt(int x, int y) {
  if (x < 0 || y < 0 || x >= kCell * kGridSide || y >= kCell * kGridSide) return 0;
  const auto inner = [](int at) { return at % kCell >= 1 && at % kCell <= kCell - 2; };
  if (!inner(x) || !inner(y)) return 0;
  return y / kCell * kGridSide + x / kCell + 1;
}

QImage SpectrumPicture() {
  QImage image(kSpectrumWidth, kSpectrumHeight, QImage::Format_RGB32);
  const std::vector<TColorValue> pixels = SpectrumPixels();
  for (int y = 0; y < kSpectrumHeight; ++y)
    for (int x = 0; x < kSpectrumWidth; ++x) {
      TColorValue c = pixels[static_cast<size_t>(y * kSpectrumWidth + x)];
      image.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  return image;
}

// The picture of "Load Palette": four palette cells in a square.
QImage PaletteGlyph() {
  QImage glyph(16, 16, QImage::Format_ARGB32);
  glyph.fill(Qt::transparent);
  QPainter painter(&glyph);
  painter.setPen(QColor(128, 128, 128));
  const QColor cells[] = {QColor(243, 11, 58), QColor(57, 243, 11), QColor(11, 80, 243), QColor(243, 208, 11)};
  for (int i = 0; i < 4; ++i) {
    painter.setBrush(cells[i]);
    painter.drawRect(i % 2 * 8, i / 2 * 8, 7, 7);
  }
  return glyph;
}

}  // namespace

TFrmColor::TFrmColor(TComponent* owner) : TForm(owner) {
  EnsureQtApplication();
  SetName("FrmColor");
  BuildComponents();
  FormCreate();
}

void TFrmColor::BuildComponents() {
  SetCaption("Select Color");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(373);
  SetClientHeight(395);
  Font()->SetName("Tahoma");
  Font()->SetSize(8);

  Panel1 = Make<TPanel>(this, this, "Panel1", 16, 16, 196, 197);
  Panel1->SetBevelOuter(bvLowered);
  PaintBox2 = Make<TPaintBox>(this, Panel1, "PaintBox2", 1, 1, 194, 195);
  PaintBox2->SetCursor(crHandPoint);

  SpeedButton1 = Make<TSpeedButton>(this, this, "SpeedButton1", 16, 220, 93, 22);
  SpeedButton1->SetCaption("Load Palette");
  SpeedButton1->SetFlat(true);
  SpeedButton1->Glyph()->SetImage(PaletteGlyph());

  GroupBox2 = Make<TGroupBox>(this, this, "GroupBox2", 16, 248, 209, 57);
  GroupBox2->SetCaption("Current color:");
  Panel2 = Make<TPanel>(this, GroupBox2, "Panel2", 8, 16, 57, 25);
  Panel2->SetBevelOuter(bvLowered);
  Panel2->SetColor(0);
  Label1 = Make<TLabel>(this, GroupBox2, "Label1", 72, 26, 28, 13);
  Label1->SetCaption("RGB:");
  TShape** bars[] = {&Shape1, &Shape2, &Shape3};
  TEdit** edits[] = {&Edit1, &Edit2, &Edit3};
  const char* bar_names[] = {"Shape1", "Shape2", "Shape3"};
  const char* edit_names[] = {"Edit1", "Edit2", "Edit3"};
  const int bar_colours[] = {static_cast<int>(RGB(255, 0, 0)), static_cast<int>(RGB(0, 255, 0)),
                             static_cast<int>(RGB(0, 0, 255))};
  for (int i = 0; i < 3; ++i) {
    const int left = 104 + i * 32;
    *bars[i] = Make<TShape>(this, GroupBox2, bar_names[i], left, 18, 25, 5);
    (*bars[i])->Brush()->SetColor(bar_colours[i]);
    (*bars[i])->Pen()->SetColor(bar_colours[i]);
    *edits[i] = Make<TEdit>(this, GroupBox2, edit_names[i], left, 25, 25, 21);
    (*edits[i])->SetText("0");
  }

  GroupBox1 = Make<TGroupBox>(this, this, "GroupBox1", 16, 312, 209, 45);
  GroupBox1->SetCaption("HTML Color:");
  Edit4 = Make<TEdit>(this, GroupBox1, "Edit4", 8, 16, 121, 21);
  Edit4->SetReadOnly(true);
  Edit4->SetText("#000000");

  Button1 = Make<TButton>(this, this, "Button1", 16, 368, 93, 21);
  Button1->SetCaption("&Ok");
  Button1->SetDefault(true);
  Button1->SetModalResult(mrOk);
  Button2 = Make<TButton>(this, this, "Button2", 120, 368, 93, 21);
  Button2->SetCaption("&Cancel");
  Button2->SetCancel(true);
  Button2->SetModalResult(mrCancel);

  Bevel1 = Make<TBevel>(this, this, "Bevel1", 232, 8, 10, 377);
  Bevel1->SetShape(bsRightLine);
  Image1 = Make<TImage>(this, this, "Image1", 264, 16, 97, 369);
  PaintBox1 = Make<TPaintBox>(this, this, "PaintBox1", 264, 16, kSpectrumWidth, kSpectrumHeight);
  PaintBox1->SetCursor(crHandPoint);

  OpenDialog1 = Make<TOpenDialog>(this, nullptr, "OpenDialog1");
  OpenDialog1->SetTitle("Select a palette file:");
  OpenDialog1->SetFilter(kPaletteFilter);
  Store = Make<TMemo>(this, this, "Store", 0, 0, 0, 0);
  Store->SetVisible(false);

  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(Components(i))) control->Font()->Assign(Font());

  PaintBox2->OnPaint = Handler("PaintBox2Paint", [this](TObject*, EventArgs&) { PaintBox2Paint(); });
  PaintBox2->OnMouseUp = Handler(
      "PaintBox2MouseUp", [this](TObject*, EventArgs& args) { PaintBox2MouseUp(IntArg(args, 2), IntArg(args, 3)); });
  const TMethod edit_change = Handler("Edit1Change", [this](TObject*, EventArgs&) { Edit1Change(); });
  for (TEdit* edit : {Edit1, Edit2, Edit3}) edit->OnChange = edit_change;
  PaintBox1->OnMouseDown = Handler("PaintBox1MouseDown", [this](TObject*, EventArgs& args) {
    PaintBox1MouseMove(std::get<int64_t>(args[1]), IntArg(args, 2), IntArg(args, 3));
  });
  PaintBox1->OnMouseMove = Handler("PaintBox1MouseMove", [this](TObject*, EventArgs& args) {
    PaintBox1MouseMove(std::get<int64_t>(args[0]), IntArg(args, 1), IntArg(args, 2));
  });
  PaintBox1->OnDblClick = Handler("PaintBox1DblClick", [this](TObject*, EventArgs&) { PaintBox1DblClick(); });
  OnShow = Handler("FormShow", [this](TObject*, EventArgs&) { FormShow(); });
  SpeedButton1->OnClick = Handler("SpeedButton1Click", [this](TObject*, EventArgs&) { SpeedButton1Click(); });
}

void TFrmColor::FormCreate() {
  for (const std::string& line : BuiltinPaletteLines()) Store->Lines()->Add(line);
  std::vector<std::string> lines;
  for (int i = 0; i < Store->Lines()->Count(); ++i) lines.push_back(Store->Lines()->Get(i));
  palette_ = PaletteFromLines(lines);
  selected_ = 1;
  current_ = 0;
  spectrum_ = SpectrumPicture();
  Image1->Picture()->SetImage(spectrum_);
}

void TFrmColor::FormShow() {
  // A key held down picks while the pointer moves, so the spectrum follows
  // the pointer even with no button pressed.
  PaintBox1->Widget()->setMouseTracking(true);
  // "Load Palette" shows its picture and its caption.
  if (auto* button = qobject_cast<QToolButton*>(SpeedButton1->Widget()))
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void TFrmColor::SetHTMLColor() { Edit4->SetText(HtmlColor(EditValue(*Edit1), EditValue(*Edit2), EditValue(*Edit3))); }

int32_t TFrmColor::RGBToValue(int blue, int green, int red) { return orv::RGBToValue(blue, green, red); }

std::string TFrmColor::HtmlColorText() const { return Edit4->Text(); }

void TFrmColor::LoadPalette(const std::string& path) {
  LoadPaletteFile(path, palette_);
  PaintBox2->Invalidate();
}

void TFrmColor::PaintBox2Paint() {
  TCanvas& canvas = *PaintBox2->Canvas();
  for (int k = 1; k <= kGridSide * kGridSide; ++k) {
    const int x = (k - 1) % kGridSide * kCell;
    const int y = (k - 1) / kGridSide * kCell;
    canvas.Pen()->SetColor(kCellOutline);
    canvas.Brush()->SetStyle(0);
    canvas.Brush()->SetColor(static_cast<int>(palette_.Cells[static_cast<size_t>(k - 1)]));
    canvas.Rectangle(x, y, x + kCell, y + kCell);
    if (k != selected_) continue;
    canvas.Pen()->SetColor(kSelectedOutline);
    canvas.Brush()->SetStyle(kBrushClear);
    canvas.Rectangle(x + 1, y + 1, x + kCell - 1, y + kCell - 1);
  }
}

void TFrmColor::PaintBox2MouseUp(int x, int y) {
  Panel2->SetFocus();
  if (int cell = CellAt(x, y)) selected_ = cell;
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

void TFrmColor::Edit1Change() {
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

void TFrmColor::PaintBox1MouseMove(int64_t shift, int x, int y) {
  if (shift == 0) return;
  picked_x_ = std::clamp(x, 1, kSpectrumWidth - 2);
  picked_y_ = std::clamp(y, 1, kSpectrumHeight - 2);
  const TColorValue colour = SpectrumPixel(picked_x_, picked_y_);
  ShowColour(colour);
  QImage marked = spectrum_;
  {
    QPainter painter(&marked);
    // The cross shows dark on light colours and light on dark ones.
    const bool light = GetRValue(colour) + GetGValue(colour) + GetBValue(colour) > 384;
    painter.setPen(light ? Qt::black : Qt::white);
    painter.drawLine(picked_x_ - 3, picked_y_, picked_x_ + 3, picked_y_);
    painter.drawLine(picked_x_, picked_y_ - 3, picked_x_, picked_y_ + 3);
  }
  Image1->Picture()->SetImage(marked);
  if (QWidget* window = ExistingWidget()) window->update();
}

void TFrmColor::PaintBox1DblClick() { Beep(); }

void TFrmColor::SpeedButton1Click() {
  OpenDialog1->SetInitialDir(PaletteFolder());
  if (OpenDialog1->Execute()) LoadPalette(OpenDialog1->FileName());
}

void TFrmColor::PaintMarks(QWidget* surface) {
  if (picked_x_ < 0) return;
  const int left = PaintBox1->Left();
  const int top = PaintBox1->Top();
  const int right = left + kSpectrumWidth;
  const int bottom = top + kSpectrumHeight;
  QPainter painter(surface);
  painter.setPen(Qt::white);
  painter.setBrush(Qt::white);
  // One triangle right of the picture points at the row, one below it at the column.
  painter.drawPolygon(QPolygon({QPoint(right + 1, top + picked_y_), QPoint(right + 5, top + picked_y_ - 4),
                                QPoint(right + 5, top + picked_y_ + 4)}));
  painter.drawPolygon(QPolygon({QPoint(left + picked_x_, bottom + 1), QPoint(left + picked_x_ - 4, bottom + 5),
                                QPoint(left + picked_x_ + 4, bottom + 5)}));
}

bool TFrmColor::WidgetEvent(QEvent* event) {
  if (event->type() == QEvent::Paint) PaintMarks(ExistingWidget());
  return TForm::WidgetEvent(event);
}

}  // namespace orv
