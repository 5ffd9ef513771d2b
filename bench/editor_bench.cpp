// How quickly the editor comes up and handles a large page, offscreen:
// the window shown from a cold start (the dialog libraries opened, the
// window made and painted), a 5 MB page with ORV markup opened and painted,
// every screen of it painted while paging down, and a jump to its end.
// Prints the figures; run build/bin/editor_bench (QT_QPA_PLATFORM=offscreen
// is set when no platform is chosen).
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "edit/dialog_libraries.h"
#include "edit/document.h"
#include "edit/document_tabs.h"
#include "edit/editor_application.h"
#include "edit/main_window.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace {

// About `bytes` of page: HTML with every markup form and script blocks.
std::string LargePage(size_t bytes) {
  const std::string block =
      "<tr><td class=\"name\"><%Title%></td><td><a href=\"<%RootPath%>page.html\">link</a></td></tr>\r\n"
      "<&header.hsn&> <*date +%Y*> &amp; text of the page, long enough to look like prose.\r\n"
      "<!-- a comment\r\n that runs over two lines -->\r\n"
      "{$DEFINE type=\"NAME\" value=\"value\"}\r\n"
      "<+\r\nvar I: Integer;\r\nbegin\r\n  for I := 1 to 3 do WriteLn('<li>' + IntToStr(I) + '</li>'); { note }\r\nend.\r\n+>\r\n";
  std::string page;
  page.reserve(bytes + block.size());
  while (page.size() < bytes) page += block;
  return page;
}

double Ms(const QElapsedTimer& clock) { return clock.nsecsElapsed() / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const std::string home = orv::TempDir() + "orv-editor-bench/";
  orv::ForceDirectories(home);
  setenv("ORV_HOME", home.c_str(), 1);

  QElapsedTimer clock;
  clock.start();
  orv::edit::EditorApplication app(argc, argv);
  const double application = Ms(clock);
  orv::edit::DialogLibraries libraries;
  libraries.Load();
  const double loaded = Ms(clock);
  orv::edit::MainWindow window(libraries);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  window.repaint();
  const double shown = Ms(clock);
  std::printf("start-up: application %.1f ms, libraries opened %.1f ms, window shown %.1f ms\n", application,
              loaded - application, shown);

  const std::string path = home + "large.hts";
  orv::WriteFileBytes(path, LargePage(5 << 20));
  clock.restart();
  orv::edit::Document* document = window.Tabs().Open(QString::fromStdString(path));
  document->repaint();
  std::printf("open a %.1f MB page of %d lines and paint it: %.1f ms\n", (5 << 20) / 1048576.0, document->lines(),
              Ms(clock));

  // Page down through the first 2000 screens, painting each.
  std::vector<double> frames;
  const int screen = std::max(1, static_cast<int>(document->SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN)));
  for (int i = 0; i < 2000 && (i + 1) * screen < document->lines(); ++i) {
    clock.restart();
    document->SendScintilla(QsciScintillaBase::SCI_LINESCROLL, 0UL, static_cast<long>(screen));
    document->repaint();
    frames.push_back(Ms(clock));
  }
  std::sort(frames.begin(), frames.end());
  std::printf("page down %zu screens of %d lines: median %.2f ms, 99th percentile %.2f ms, slowest %.2f ms\n",
              frames.size(), screen, frames[frames.size() / 2], frames[frames.size() * 99 / 100], frames.back());

  clock.restart();
  document->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
  document->repaint();
  std::printf("jump to the end and paint it: %.1f ms\n", Ms(clock));
  clock.restart();
  document->SendScintilla(QsciScintillaBase::SCI_DOCUMENTSTART);
  document->insert(QStringLiteral("<+ "));
  document->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
  document->repaint();
  std::printf("type at the start, jump to the end and paint it: %.1f ms\n", Ms(clock));
  document->setModified(false);
  orv::DeleteFile(path);
  return 0;
}
