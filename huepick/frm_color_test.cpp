// The colour dialog shown without a modal loop and driven by component name
// and mouse position: layout, typing, the palette grid, the spectrum and
// loading palettes through "Load Palette".
#include "huepick/frm_color.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <memory>

#include "controls/application.h"
#include "controls/form.h"
#include "controls/qt_application.h"
#include "huepick/huepick_test_support.h"
#include "huepick/spectrum.h"
#include "platform/exception.h"
#include "platform/folders.h"
#include "platform/message_service.h"

namespace orv {
namespace {

using test::ClickAt;
using test::EditText;
using test::Part;
using test::TypeInto;

QRgb Rgb(TColorValue c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

// Beeps and messages, counted instead of shown.
class RecordingSink : public MessageSink {
 public:
  void ShowMessage(MessageKind, const std::string&, const std::string& text) override { messages.push_back(text); }
  void Beep() override { ++beeps; }
  std::vector<std::string> messages;
  int beeps = 0;
};

class FrmColorTest : public testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    form_ = std::make_unique<TFrmColor>(Application());
    form_->Show();
    QWidget* window = form_->ExistingWidget();
    window->activateWindow();
    QApplication::setActiveWindow(window);
  }
  void TearDown() override { form_.reset(); }

  // The paint box `name` as it is drawn now.
  QImage Grab(const char* name) { return Part(name)->grab().toImage(); }

  std::unique_ptr<TFrmColor> form_;
};

TEST_F(FrmColorTest, LayoutAsDescribed) {
  QWidget* window = form_->ExistingWidget();
  EXPECT_EQ(window->objectName(), "FrmColor");
  EXPECT_EQ(window->windowTitle(), "Select Color");
  EXPECT_EQ(window->size(), QSize(373, 395));
  struct Place {
    const char* name;
    QRect bounds;
  } places[] = {
      {"Panel1", {16, 16, 196, 197}},    {"PaintBox2", {1, 1, 194, 195}},   {"SpeedButton1", {16, 220, 93, 22}},
      {"GroupBox2", {16, 248, 209, 57}}, {"Panel2", {8, 16, 57, 25}},       {"GroupBox1", {16, 312, 209, 45}},
      {"Button1", {16, 368, 93, 21}},    {"Button2", {120, 368, 93, 21}},   {"Bevel1", {232, 8, 10, 377}},
      {"Image1", {264, 16, 97, 369}},    {"PaintBox1", {264, 16, 91, 369}},
  };
  for (const Place& place : places) EXPECT_EQ(Part(place.name)->geometry(), place.bounds) << place.name;
  for (const char* edit : {"Edit1", "Edit2", "Edit3"}) {
    EXPECT_EQ(Part(edit)->width(), 25) << edit;
    EXPECT_EQ(EditText(edit), "0") << edit;
  }
  EXPECT_EQ(EditText("Edit4"), "#000000");
  EXPECT_TRUE(qobject_cast<QLineEdit*>(Part("Edit4"))->isReadOnly());
  EXPECT_EQ(qobject_cast<QPushButton*>(Part("Button1"))->text(), "&Ok");
  EXPECT_TRUE(qobject_cast<QPushButton*>(Part("Button1"))->isDefault());
  EXPECT_EQ(qobject_cast<QPushButton*>(Part("Button2"))->text(), "&Cancel");
  auto* load = qobject_cast<QToolButton*>(Part("SpeedButton1"));
  EXPECT_EQ(load->text(), "Load Palette");
  EXPECT_FALSE(load->icon().isNull());
  EXPECT_EQ(load->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
  EXPECT_TRUE(load->autoRaise()) << "a flat button";
  EXPECT_EQ(Part("Edit1")->font().family(), "Tahoma");
  EXPECT_EQ(Part("Edit1")->font().pointSize(), 8);
  EXPECT_EQ(Part("PaintBox2")->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_FALSE(Part("Store")->isVisible());
  EXPECT_EQ(form_->SelectedCell(), 1);
  EXPECT_EQ(form_->CurrentColor(), 0u);
  EXPECT_EQ(Part("Panel2")->palette().color(QPalette::Window), QColor(0, 0, 0));
}

TEST_F(FrmColorTest, RedOutsideItsRangeResetsToZero) {
  TypeInto("Edit1", "300");
  EXPECT_EQ(EditText("Edit1"), "0");
  EXPECT_EQ(EditText("Edit4"), "#000000");
  EXPECT_EQ(form_->CurrentColor(), 0u);
  TypeInto("Edit1", "255");
  EXPECT_EQ(EditText("Edit4"), "#FF0000");
  EXPECT_EQ(form_->CurrentColor(), 255u);
}

TEST_F(FrmColorTest, GreenAndBlueCountModulo256) {
  TypeInto("Edit3", "300");
  EXPECT_EQ(EditText("Edit3"), "300");
  EXPECT_EQ(GetBValue(form_->CurrentColor()), 44);
  EXPECT_EQ(EditText("Edit4"), "#00002C");
  TypeInto("Edit2", "257");
  EXPECT_EQ(EditText("Edit4"), "#00012C");
  EXPECT_EQ(form_->CurrentColor(), RGB(0, 1, 44));
  EXPECT_EQ(Part("Panel2")->palette().color(QPalette::Window), QColor(0, 1, 44));
}

TEST_F(FrmColorTest, FocusedEditDropsLeadingZerosAndNonNumbers) {
  TypeInto("Edit2", "007");
  EXPECT_EQ(EditText("Edit2"), "7");
  EXPECT_EQ(EditText("Edit4"), "#000700");
  TypeInto("Edit1", "x");
  EXPECT_EQ(EditText("Edit1"), "0");
  TypeInto("Edit3", "");
  EXPECT_EQ(EditText("Edit3"), "");
  EXPECT_EQ(EditText("Edit4"), "#000700") << "with an edit empty nothing changes";
  TypeInto("Edit3", "16");
  EXPECT_EQ(EditText("Edit4"), "#000710");
}

TEST_F(FrmColorTest, SetHTMLColorReadsTheEdits) {
  form_->SetHTMLColor();
  EXPECT_EQ(EditText("Edit4"), "#000000");
  EXPECT_EQ(TFrmColor::RGBToValue(3, 2, 1), 0x010203);
}

TEST_F(FrmColorTest, ClickingACellChoosesIt) {
  ClickAt("PaintBox2", 12 + 6, 12 + 6);  // row 2, column 2: cell 18
  EXPECT_EQ(form_->SelectedCell(), 18);
  EXPECT_EQ(EditText("Edit1"), "248");
  EXPECT_EQ(EditText("Edit2"), "56");
  EXPECT_EQ(EditText("Edit3"), "175");
  EXPECT_EQ(EditText("Edit4"), "#F838AF");
  EXPECT_EQ(form_->CurrentColor(), RGB(248, 56, 175));
  EXPECT_TRUE(Part("Panel2")->hasFocus());
  ClickAt("PaintBox2", 15 * 12 + 10, 15 * 12 + 1);  // the inner square's far corners count
  EXPECT_EQ(form_->SelectedCell(), 256);
  EXPECT_EQ(EditText("Edit4"), "#000000");
}

TEST_F(FrmColorTest, AnyButtonChoosesACell) {
  QTest::mouseClick(Part("PaintBox2"), Qt::RightButton, {}, QPoint(12 * 3 + 5, 5));  // cell 4
  EXPECT_EQ(form_->SelectedCell(), 4);
  EXPECT_EQ(EditText("Edit4"), "#F8365C");
  QTest::mouseClick(Part("PaintBox2"), Qt::MiddleButton, {}, QPoint(5, 12 * 15 + 5));  // cell 241
  EXPECT_EQ(form_->SelectedCell(), 241);
  EXPECT_EQ(EditText("Edit4"), "#CE0B0B");
}

TEST_F(FrmColorTest, ClickOnABorderKeepsTheSelectionAndReshowsItsColour) {
  ClickAt("PaintBox2", 18, 18);
  ASSERT_EQ(form_->SelectedCell(), 18);
  struct Spot {
    int x, y;
  } borders[] = {{24, 18}, {23, 18}, {18, 12}, {18, 11}, {0, 0}, {193, 100}, {100, 194}};
  for (const Spot& spot : borders) {
    TypeInto("Edit1", "9");
    ASSERT_EQ(EditText("Edit4"), "#0938AF");
    ClickAt("PaintBox2", spot.x, spot.y);
    EXPECT_EQ(form_->SelectedCell(), 18) << spot.x << "," << spot.y;
    EXPECT_EQ(EditText("Edit1"), "248") << spot.x << "," << spot.y;
    EXPECT_EQ(EditText("Edit4"), "#F838AF");
  }
}

TEST_F(FrmColorTest, GridPixels) {
  ClickAt("PaintBox2", 5 * 12 + 6, 2 * 12 + 6);  // cell 38
  ASSERT_EQ(form_->SelectedCell(), 38);
  QImage grid = Grab("PaintBox2");
  ASSERT_EQ(grid.size(), QSize(194, 195));
  const QRgb grey = qRgb(170, 170, 170), white = qRgb(255, 255, 255);
  for (int k = 1; k <= 256; ++k) {
    const int x = (k - 1) % 16 * 12, y = (k - 1) / 16 * 12;
    const QRgb fill = Rgb(form_->Palette().Cells[static_cast<size_t>(k - 1)]);
    EXPECT_EQ(grid.pixel(x + 6, y + 6), fill) << "cell " << k;
    EXPECT_EQ(grid.pixel(x + 2, y + 2), fill) << "cell " << k;
    for (auto [px, py] : {std::pair{x, y}, {x + 11, y + 11}, {x + 11, y}, {x, y + 6}})
      EXPECT_EQ(grid.pixel(px, py), grey) << "outline of cell " << k;
    const QRgb inner = k == 38 ? white : fill;
    for (auto [px, py] : {std::pair{x + 1, y + 1}, {x + 10, y + 10}, {x + 1, y + 6}, {x + 6, y + 10}})
      EXPECT_EQ(grid.pixel(px, py), inner) << "inner outline of cell " << k;
  }
}

TEST_F(FrmColorTest, SpectrumPictureCornersAndCentre) {
  QImage picture = Grab("Image1");
  const QRgb frame = Rgb(kSpectrumFrame);
  for (auto [x, y] : {std::pair{0, 0}, {90, 0}, {0, 368}, {90, 368}, {45, 0}, {0, 184}})
    EXPECT_EQ(picture.pixel(x, y), frame) << x << "," << y;
  EXPECT_EQ(picture.pixel(1, 1), qRgb(0, 0, 0)) << "black at the left";
  EXPECT_EQ(picture.pixel(89, 1), qRgb(255, 255, 255)) << "white at the right";
  EXPECT_EQ(picture.pixel(45, 1), qRgb(255, 0, 0)) << "red at the top";
  EXPECT_EQ(picture.pixel(45, 184), qRgb(0, 255, 255)) << "cyan half way down";
  EXPECT_EQ(picture.pixel(45, 367), qRgb(255, 0, 0)) << "red again at the bottom";
  EXPECT_EQ(picture.pixel(1, 367), qRgb(0, 0, 0));
  EXPECT_EQ(picture.pixel(89, 367), qRgb(255, 255, 255));
}

TEST_F(FrmColorTest, PickingFromTheSpectrum) {
  QTest::mousePress(Part("PaintBox1"), Qt::LeftButton, {}, QPoint(45, 184));
  QTest::mouseRelease(Part("PaintBox1"), Qt::LeftButton, {}, QPoint(45, 184));
  EXPECT_EQ(form_->CurrentColor(), RGB(0, 255, 255));
  EXPECT_EQ(EditText("Edit1"), "0");
  EXPECT_EQ(EditText("Edit2"), "255");
  EXPECT_EQ(EditText("Edit3"), "255");
  EXPECT_EQ(EditText("Edit4"), "#00FFFF");
  QImage picture = Grab("Image1");
  for (auto [x, y] : {std::pair{45, 184}, {42, 184}, {48, 184}, {45, 181}, {45, 187}})
    EXPECT_EQ(picture.pixel(x, y), qRgb(0, 0, 0)) << "cross at " << x << "," << y;
  EXPECT_EQ(picture.pixel(49, 184), Rgb(SpectrumPixel(49, 184)));
  EXPECT_EQ(picture.pixel(45, 188), Rgb(SpectrumPixel(45, 188)));
  QImage window = form_->ExistingWidget()->grab().toImage();
  EXPECT_EQ(window.pixel(264 + 91 + 3, 16 + 184), qRgb(255, 255, 255)) << "triangle at the row";
  EXPECT_EQ(window.pixel(264 + 45, 16 + 369 + 3), qRgb(255, 255, 255)) << "triangle at the column";

  // A move without a button or key held picks nothing.
  QMouseEvent idle(QEvent::MouseMove, QPointF(10, 10), QPointF(10, 10), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(Part("PaintBox1"), &idle);
  EXPECT_EQ(form_->CurrentColor(), RGB(0, 255, 255));

  // Dragging outside the picture stays on its interior, and each cross is
  // drawn on a fresh copy.
  QTest::mousePress(Part("PaintBox1"), Qt::LeftButton, {}, QPoint(20, 20));
  QMouseEvent drag(QEvent::MouseMove, QPointF(500, -40), QPointF(500, -40), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(Part("PaintBox1"), &drag);
  QTest::mouseRelease(Part("PaintBox1"), Qt::LeftButton, {}, QPoint(500, -40));
  EXPECT_EQ(form_->CurrentColor(), SpectrumPixel(89, 1));
  EXPECT_EQ(EditText("Edit4"), "#FFFFFF");
  picture = Grab("Image1");
  EXPECT_EQ(picture.pixel(48, 184), Rgb(SpectrumPixel(48, 184))) << "the old cross is gone";
  EXPECT_EQ(picture.pixel(20, 23), Rgb(SpectrumPixel(20, 23))) << "so is the one of the press";

  QMouseEvent shifted(QEvent::MouseMove, QPointF(-3, 900), QPointF(-3, 900), Qt::NoButton, Qt::NoButton,
                      Qt::ShiftModifier);
  QApplication::sendEvent(Part("PaintBox1"), &shifted);
  EXPECT_EQ(form_->CurrentColor(), SpectrumPixel(1, 367)) << "a held key picks too";
  EXPECT_EQ(EditText("Edit4"), "#000000");
}

TEST_F(FrmColorTest, DoubleClickOnTheSpectrumBeeps) {
  auto sink = std::make_shared<RecordingSink>();
  auto previous = SetMessageSink(sink);
  QTest::mouseDClick(Part("PaintBox1"), Qt::LeftButton, {}, QPoint(45, 1));
  SetMessageSink(previous);
  EXPECT_EQ(sink->beeps, 1);
  EXPECT_TRUE(sink->messages.empty());
}

// Palette files in the data folder's "swatches", where "Load Palette" looks first.
class LoadPaletteTest : public FrmColorTest {
 protected:
  void SetUp() override {
    FrmColorTest::SetUp();
    folder_ = DataDir() + "swatches/";
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    FrmColorTest::TearDown();
    std::filesystem::remove_all(folder_);
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ + name, std::ios::binary) << bytes;
    return folder_ + name;
  }

  // Clicks "Load Palette" and answers the file dialog with `file`, after
  // checking how the dialog was set up; then runs `after` (for a message box
  // that the load may show).
  void LoadThroughTheDialog(const std::string& file, std::function<void(QWidget*)> after = {}) {
    bool answered = false;
    test::WhenWindowUp("OpenDialog1", [&](QWidget* window) {
      auto* dialog = qobject_cast<QFileDialog*>(window);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), "Select a palette file:");
      EXPECT_EQ(dialog->nameFilters(),
                (QStringList{"All Palettes (*.pal *.act)", "Palette Files (*.pal)", "Photoshop Palettes (*.act)"}));
      EXPECT_EQ(std::filesystem::weakly_canonical(dialog->directory().absolutePath().toStdString()),
                std::filesystem::weakly_canonical(folder_));
      if (after) test::WhenWindowUp("MessageDlg", after);
      dialog->selectFile(QString::fromStdString(file));
      static_cast<QDialog*>(dialog)->accept();
      answered = true;
    });
    QTest::mouseClick(Part("SpeedButton1"), Qt::LeftButton);
    EXPECT_TRUE(answered);
  }

  std::string folder_;
};

TEST_F(LoadPaletteTest, UpperCaseActLoadsAndKeepsSelectionAndColour) {
  ClickAt("PaintBox2", 18, 18);
  const TColorValue before = form_->CurrentColor();
  TPalette grey;
  for (size_t k = 0; k < grey.Cells.size(); ++k) grey.Cells[k] = RGB(int(k), int(k), int(k));
  LoadThroughTheDialog(Write("GREY.ACT", ActFileBytes(grey) + "\x01\x00\xff\xff"));
  EXPECT_EQ(form_->Palette().Cells, grey.Cells);
  EXPECT_EQ(form_->SelectedCell(), 18);
  EXPECT_EQ(form_->CurrentColor(), before) << "the current colour is not re-read";
  EXPECT_EQ(EditText("Edit4"), "#F838AF");
  QImage grid = Grab("PaintBox2");
  EXPECT_EQ(grid.pixel(12 + 6, 12 + 6), qRgb(17, 17, 17)) << "repainted with the new colours";
  EXPECT_EQ(grid.pixel(12 + 1, 12 + 1), qRgb(255, 255, 255)) << "the selected cell keeps its outline";
  ClickAt("PaintBox2", 18, 18);
  EXPECT_EQ(EditText("Edit4"), "#111111");
}

TEST_F(LoadPaletteTest, PalFileLoads) {
  TPalette ramp;
  for (size_t k = 0; k < ramp.Cells.size(); ++k) ramp.Cells[k] = RGB(int(k), 255 - int(k), 7);
  LoadThroughTheDialog(Write("ramp.pal", PalFileBytes(ramp)));
  EXPECT_EQ(form_->Palette().Cells, ramp.Cells);
}

TEST_F(LoadPaletteTest, ShortFileShowsAMessageNamingItAndChangesNothing) {
  const TPalette before = form_->Palette();
  const std::string path = Write("short.pal", std::string(1027, '\x10'));
  std::string shown;
  LoadThroughTheDialog(path, [&](QWidget* box) {
    shown = qobject_cast<QLabel*>(box->findChild<QWidget*>("Message"))->text().toStdString();
    QTest::mouseClick(box->findChild<QWidget*>("OK"), Qt::LeftButton);
  });
  EXPECT_NE(shown.find(path), std::string::npos) << shown;
  EXPECT_NE(shown.find("too short"), std::string::npos) << shown;
  EXPECT_EQ(form_->Palette().Cells, before.Cells);
}

TEST_F(LoadPaletteTest, UnopenablePalChangesNothingSilently) {
  const TPalette before = form_->Palette();
  EXPECT_NO_THROW(form_->LoadPalette(folder_ + "missing.pal"));
  EXPECT_EQ(form_->Palette().Cells, before.Cells);
  EXPECT_THROW(form_->LoadPalette(folder_ + "missing.act"), EInOutError);
  EXPECT_EQ(form_->Palette().Cells, before.Cells);
}

TEST_F(LoadPaletteTest, UnreadablePalIsReported) {
  const TPalette before = form_->Palette();
  std::filesystem::create_directories(folder_ + "folder.pal");
  try {
    form_->LoadPalette(folder_ + "folder.pal");
    ADD_FAILURE() << "a palette file that cannot be read is reported";
  } catch (const EInOutError& error) {
    EXPECT_NE(std::string(error.what()).find(folder_ + "folder.pal"), std::string::npos) << error.what();
  }
  EXPECT_EQ(form_->Palette().Cells, before.Cells);
}

}  // namespace
}  // namespace orv
