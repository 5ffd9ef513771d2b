// orvcc's window driven as a user sees it: built in this process on Qt's
// offscreen platform, and orvcc --window run as a program.
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "cc/frm_main.h"
#include "cc/run_program_test_support.h"
#include "controls/controls_test_support.h"
#include "controls/layout_test_support.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/message_loop.h"

namespace orv {
namespace {

namespace fs = std::filesystem;
using test::FindIn;

class FrmMainTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = DataDir() + "window test/";
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::copy(std::string(ORV_SOURCE_TREE) + "/examples/site", dir_ + "example", fs::copy_options::recursive);
    fs::remove_all(dir_ + "example/out");
    EnsureQtApplication();
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the window for `project` until it closes, clicking OK in every
  // message box that comes up (their texts are kept in `boxes_`). A window
  // still open after a minute is closed, and `left_open_` tells so.
  int RunWindow(TFrmMain& form) {
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [this, &form] {
      if (auto* message = qobject_cast<QLabel*>(FindIn("MessageDlg", "Message"))) {
        boxes_.push_back(message->text().toStdString());
        window_open_during_box_ = form.Visible();
        QTest::mouseClick(FindIn("MessageDlg", "OK"), Qt::LeftButton);
      }
    });
    answer.start(5);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [this, &form] {
      left_open_ = true;
      form.Close();
    });
    guard.start(60000);
    Application()->SetMainForm(&form);
    Application()->Run();
    Application()->SetMainForm(nullptr);
    return form.ExitStatus();
  }

  std::string dir_;
  std::vector<std::string> boxes_;
  bool window_open_during_box_ = false;
  bool left_open_ = false;
};

TEST_F(FrmMainTest, WindowLooksAsDescribed) {
  TFrmMain form(nullptr, dir_ + "none.orv");
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_EQ(form.Timer1->Interval(), 10);
  EXPECT_EQ(form.ActiveControl(), form.ProgressBar1);
  form.Show();
  QWidget* window = form.ExistingWidget();
  EXPECT_EQ(window->objectName(), "FrmMain");
  EXPECT_EQ(window->windowTitle(), "Quillon Compiler");
  EXPECT_EQ(window->size(), QSize(313, 109));
  EXPECT_EQ(FindIn("FrmMain", "Edit1")->geometry(), QRect(12, 24, 293, 21));
  EXPECT_EQ(FindIn("FrmMain", "ProgressBar1")->geometry(), QRect(12, 76, 293, 16));
  EXPECT_EQ(qobject_cast<QLabel*>(FindIn("FrmMain", "Label1"))->text(), "Compiling File:");
  EXPECT_EQ(qobject_cast<QLabel*>(FindIn("FrmMain", "Label2"))->text(), "Compile Progress:");
  auto* edit = qobject_cast<QLineEdit*>(FindIn("FrmMain", "Edit1"));
  EXPECT_EQ(edit->text(), "Preparing...");
  EXPECT_FALSE(edit->hasFrame());
  EXPECT_EQ(edit->focusPolicy(), Qt::ClickFocus);
  EXPECT_EQ(edit->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Button));
  EXPECT_EQ(qobject_cast<QProgressBar*>(FindIn("FrmMain", "ProgressBar1"))->maximum(), 100);
  form.Hide();
}

TEST_F(FrmMainTest, BuildsTheExampleAndShowsProgress) {
  TFrmMain form(nullptr, dir_ + "example/site.orv");
  std::vector<std::string> files;
  int peak = 0;
  std::vector<int> ranges{form.ProgressBar1->Max()};
  bool grabbed = false;
  LoopId hook = AddMessageHook([&] {
    std::string text = form.Edit1->Text();
    if (files.empty() || files.back() != text) files.push_back(text);
    peak = std::max(peak, form.ProgressBar1->Position());
    if (ranges.back() != form.ProgressBar1->Max()) ranges.push_back(form.ProgressBar1->Max());
    // A picture of the window in the middle of the build, for the docs.
    if (!grabbed && text.find("about.hts") != std::string::npos && form.ExistingWidget()) {
      grabbed = form.ExistingWidget()->grab().save(QString::fromStdString(DataDir() + "orvcc-window.png"));
    }
  });
  EXPECT_EQ(RunWindow(form), 0);
  RemoveMessageHook(hook);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_FALSE(left_open_);
  EXPECT_TRUE(grabbed);
  EXPECT_FALSE(form.Visible());
  // 0 to 100 at start; seven steps for each of the three listed files; then
  // the range of the queued files: the news page, queued by the home page's
  // script.
  EXPECT_EQ(ranges, (std::vector<int>{100, 3 * 7, 6}));
  EXPECT_GT(peak, 3);
  EXPECT_LE(peak, 3 * 7);
  EXPECT_EQ(form.ProgressBar1->Position(), 0);  // reset when the files are done
  EXPECT_EQ(form.Edit1->Text(), "");
  std::vector<std::string> pages;
  for (const std::string& file : files)
    if (!file.empty() && file != "Preparing...") pages.push_back(file.substr(file.find("/src/") + 5));
  EXPECT_EQ(pages, (std::vector<std::string>{"index.hts", "about.hts", "scripts.hts", "news/first.hts"}));
  EXPECT_TRUE(FileExists(dir_ + "example/out/news/first.html"));
  // Activating the window again does not start a second build.
  FireEvent(form.OnActivate, &form);
  EXPECT_FALSE(form.Timer1->Enabled());
}

// The error that ends a build is shown in a box over the window; once the
// box is answered the window closes by itself and the status is 1.
TEST_F(FrmMainTest, ErrorIsShownAndThenTheWindowCloses) {
  fs::create_directories(dir_ + "bad/src");
  fs::create_symlink("/proc/self/mem", dir_ + "bad/src/broken.txt");
  WriteFileBytes(dir_ + "bad/src/a.hts", "<&broken.txt&>\n");
  WriteFileBytes(dir_ + "bad/p.orv", "[directories]\nsrc=src\nout=out\n[files]\n0=src/a.hts\n");
  TFrmMain form(nullptr, dir_ + "bad/p.orv");
  EXPECT_EQ(RunWindow(form), 1);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].find("broken.txt"), std::string::npos) << boxes_[0];
  EXPECT_TRUE(window_open_during_box_);
  EXPECT_FALSE(left_open_);
  EXPECT_FALSE(form.Visible());
}

TEST_F(FrmMainTest, NoProjectSaysSoInAMessageBox) {
  std::string said;
  test::WhenShown([&] {
    said = qobject_cast<QLabel*>(FindIn("MessageDlg", "Message"))->text().toStdString();
    QTest::mouseClick(FindIn("MessageDlg", "OK"), Qt::LeftButton);
  });
  EXPECT_EQ(orvcc_window_main(nullptr), 2);
  EXPECT_EQ(said, "No project specified");
}

// Every page of a build with the header comment line (it carries the time) left out.
std::map<std::string, std::string> Pages(const std::string& out) {
  std::map<std::string, std::string> pages;
  for (const auto& entry : fs::recursive_directory_iterator(out)) {
    if (!entry.is_regular_file()) continue;
    std::string text;
    for (const std::string& line : SplitLines(ReadFileBytes(entry.path().string())))
      if (line.find("<!-- ORV1.0::") == std::string::npos) text += line + "\n";
    pages[entry.path().string().substr(out.size())] = text;
  }
  return pages;
}

// orvcc --window on a display of its own (Xvfb) shows the window, builds,
// and closes it by itself.
TEST_F(FrmMainTest, OrvccWindowWritesTheSamePagesAsTheConsoleBuild) {
  fs::copy(dir_ + "example", dir_ + "console", fs::copy_options::recursive);
  test::Outcome window =
      test::RunProgramWithin(120, "-u QT_QPA_PLATFORM", "/usr/bin/xvfb-run",
                             "-a '" + ProgramDir() + "orvcc' --window '" + dir_ + "example/site.orv'", dir_);
  EXPECT_EQ(window.status, 0) << window.err;
  EXPECT_EQ(window.err.find("no display"), std::string::npos) << window.err;
  test::Outcome console = test::RunProgram(ProgramDir() + "orvcc", "-q '" + dir_ + "console/site.orv'", dir_);
  EXPECT_EQ(console.status, 0) << console.err;
  auto built = Pages(dir_ + "example/out");
  EXPECT_EQ(built.size(), 4u);
  EXPECT_EQ(built, Pages(dir_ + "console/out"));
}

TEST_F(FrmMainTest, TheWindowAdaptsToItsFontAndSize) {
  TFrmMain form(nullptr, dir_ + "none.orv");
  form.OnActivate = TMethod();  // shown, it starts no build
  EXPECT_EQ(test::FormFileRoundTripChange(form), "");
  EXPECT_THAT(test::LayoutProblemsAtEverySize(form), testing::IsEmpty());
}

}  // namespace
}  // namespace orv
