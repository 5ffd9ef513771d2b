// A test tool: waits until a window is drawn on the X screen and has stopped
// changing, then saves the whole screen as a PNG. It lets a test photograph
// another program (the editor started from its package) without knowing
// its insides. Exit status 0 with the picture, 1 when nothing was drawn
// within the time given.
//   screen_grab OUT.png [SECONDS]
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

// True when the picture holds something besides the screen's background.
bool HasWindow(const QImage& image) {
  const QRgb background = image.pixel(0, 0);
  for (int y = 0; y < image.height(); y += 4)
    for (int x = 0; x < image.width(); x += 4)
      if (image.pixel(x, y) != background) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: screen_grab OUT.png [SECONDS]\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString out = QString::fromLocal8Bit(argv[1]);
  const qint64 limit = (argc > 2 ? std::atoi(argv[2]) : 30) * 1000LL;
  QElapsedTimer clock;
  clock.start();
  QImage last;
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] {
    const QImage now = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    if (HasWindow(now) && now == last) {
      QGuiApplication::exit(now.save(out) ? 0 : 1);
      return;
    }
    last = now;
    if (clock.elapsed() > limit) {
      std::fprintf(stderr, "screen_grab: nothing was drawn within %lld seconds\n", limit / 1000);
      QGuiApplication::exit(1);
    }
  });
  look.start(300);
  return QGuiApplication::exec();
}
