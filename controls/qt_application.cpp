#include "controls/qt_application.h"

#include <QApplication>
#include <QPointer>
#include <cerrno>
#include <cstdio>

#include "controls/application_link.h"
#include "controls/control_error.h"
#include "controls/qt_loop.h"
#include "platform/display.h"
#include "platform/message_service.h"

namespace orv {
namespace {

bool windows_unseen = false;

}  // namespace

void EnsureQtApplication() {
  static QPointer<QtLoopIntegration> integration;
  if (integration) return;
  if (QCoreApplication* existing = QCoreApplication::instance()) {
    if (!qobject_cast<QApplication*>(existing)) throw EControlError("The Qt application of this program has no widgets");
  } else {
    // Without a display the windows are drawn off screen where nobody sees
    // them: say so once, and keep messages on standard error, as a modal
    // message box there could never be answered. A program that nobody
    // attends draws off screen too, display or not.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && (!DisplayAvailable() || Unattended())) {
      windows_unseen = !DisplayAvailable();
      qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "orv";
    static char* argv[] = {name, nullptr};
    // The application lives as long as the process.
    static QApplication* made = new QApplication(argc, argv);
    (void)made;
  }
  integration = new QtLoopIntegration();
  integration->setParent(QCoreApplication::instance());
  if (windows_unseen)
    std::fprintf(stderr, "%s: no display (DISPLAY and WAYLAND_DISPLAY are not set): windows are not shown\n",
                 program_invocation_short_name);
  if (!WindowsUnseen()) SetMessageSink(LinkedApplication().WindowedMessageSink());
}

bool WindowsUnseen() { return windows_unseen || Unattended(); }

}  // namespace orv
