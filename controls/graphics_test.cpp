// Drawing as dialogs do it, through the component classes only: pictures
// made from pixel values, stretched and drawn on through a canvas,
// polygons, and a form's OnPaint drawing on its window.
#include "controls/graphics.h"

#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "controls/form.h"
#include "controls/qt_application.h"

namespace orv {
namespace {

constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kGreen = 0x00FF00;
constexpr int32_t kBlue = 0xFF0000;
constexpr int32_t kWhite = 0xFFFFFF;

QRgb Rgb(int32_t color) { return ToQColor(color).rgb(); }

class GraphicsTest : public testing::Test {
 protected:
  void SetUp() override { EnsureQtApplication(); }
};

TEST_F(GraphicsTest, PixelsMakeAPictureRowByRow) {
  struct Case {
    const char* what;
    int width, height;
    std::vector<int32_t> colors;
    QSize size;
    std::vector<QRgb> pixels;  // row by row
  } cases[] = {
      {"exact", 2, 2, {kRed, kGreen, kBlue, kWhite}, {2, 2}, {Rgb(kRed), Rgb(kGreen), Rgb(kBlue), Rgb(kWhite)}},
      {"too few values: black", 2, 1, {kRed}, {2, 1}, {Rgb(kRed), qRgb(0, 0, 0)}},
      {"too many values: the rest ignored", 1, 1, {kGreen, kRed}, {1, 1}, {Rgb(kGreen)}},
      {"no width", 0, 3, {kRed}, {0, 0}, {}},
      {"negative size", -2, -2, {kRed}, {0, 0}, {}},
  };
  for (const Case& c : cases) {
    TPicture picture;
    picture.SetPixels(c.width, c.height, c.colors);
    const QImage& image = picture.Image();
    EXPECT_EQ(image.size(), c.size) << c.what;
    for (size_t i = 0; i < c.pixels.size(); ++i)
      EXPECT_EQ(image.pixel(static_cast<int>(i) % c.size.width(), static_cast<int>(i) / c.size.width()), c.pixels[i])
          << c.what << ", pixel " << i;
  }
}

TEST_F(GraphicsTest, StretchTakesTheNearestPixel) {
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&] { ++changes; };
  picture.SetPixels(2, 1, {kRed, kBlue});
  picture.Stretch(4, 2);
  ASSERT_EQ(picture.Image().size(), QSize(4, 2));
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(picture.Image().pixel(1, y), Rgb(kRed));
    EXPECT_EQ(picture.Image().pixel(2, y), Rgb(kBlue));
  }
  EXPECT_EQ(changes, 2);
  // The same size, no size and an empty picture change nothing.
  picture.Stretch(4, 2);
  picture.Stretch(0, 5);
  EXPECT_EQ(changes, 2);
  TPicture empty;
  empty.Stretch(3, 3);
  EXPECT_TRUE(empty.Image().isNull());
}

TEST_F(GraphicsTest, PaintDrawsOnACopyOnly) {
  TPicture original;
  original.SetPixels(9, 9, std::vector<int32_t>(81, kWhite));
  TPicture marked;
  marked.Assign(&original);
  marked.Paint([](TCanvas& canvas) {
    canvas.Pen()->SetColor(kRed);
    canvas.MoveTo(1, 4);
    canvas.LineTo(7, 4);
    canvas.Pen()->SetColor(kBlue);
    canvas.Brush()->SetColor(kBlue);
    canvas.Polygon({{2, 6}, {6, 6}, {4, 8}});
    canvas.Polygon({});
  });
  EXPECT_EQ(marked.Image().pixel(1, 4), Rgb(kRed));
  EXPECT_EQ(marked.Image().pixel(7, 4), Rgb(kRed)) << "the line reaches its end";
  EXPECT_EQ(marked.Image().pixel(8, 4), Rgb(kWhite));
  EXPECT_EQ(marked.Image().pixel(4, 7), Rgb(kBlue)) << "the polygon is filled";
  EXPECT_EQ(marked.Image().pixel(0, 8), Rgb(kWhite));
  EXPECT_EQ(original.Image().pixel(4, 4), Rgb(kWhite)) << "the copy's drawing stays in the copy";
}

TEST_F(GraphicsTest, PaintOnPicturesOfEveryKind) {
  // A picture with a palette (as a GIF loads) and an icon by name are drawn
  // on too; an empty picture stays empty and its drawing is not run.
  QImage indexed(4, 4, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  indexed.fill(1);
  TPicture palette;
  palette.SetImage(indexed);
  TPicture icon;
  icon.SetIconName("document-save");
  icon.SetIconSize(16);
  for (TPicture* picture : {&palette, &icon}) {
    picture->Paint([](TCanvas& canvas) {
      canvas.Brush()->SetColor(kGreen);
      canvas.FillRect(0, 0, 2, 2);
    });
    EXPECT_EQ(picture->Image().pixel(1, 1), Rgb(kGreen));
  }
  EXPECT_EQ(icon.IconName(), "") << "the icon became a picture of its own";
  EXPECT_TRUE(icon.StoresData());
  TPicture empty;
  bool ran = false;
  empty.Paint([&](TCanvas&) { ran = true; });
  EXPECT_FALSE(ran);
}

TEST_F(GraphicsTest, AFormDrawsOnItsWindowInOnPaint) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 60, 40);
  int paints = 0;
  form.OnPaint.code = [&](TObject* sender, EventArgs&) {
    EXPECT_EQ(sender, &form);
    ++paints;
    form.Canvas()->Brush()->SetColor(kRed);
    form.Canvas()->FillRect(10, 10, 20, 20);
  };
  form.Show();
  const QImage window = form.ExistingWidget()->grab().toImage();
  EXPECT_GT(paints, 0);
  EXPECT_EQ(window.pixel(15, 15), Rgb(kRed));
  EXPECT_NE(window.pixel(30, 30), Rgb(kRed));
  form.Hide();
}

}  // namespace
}  // namespace orv
