#include "edit/editor_application.h"

#include <QMetaEnum>
#include <stdexcept>

namespace orv::edit {

EditorApplication::EditorApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool EditorApplication::notify(QObject* receiver, QEvent* event) {
  const QEvent::Type type = event->type();
  const auto report = [&](const std::exception& error) {
    const char* kind = QMetaEnum::fromType<QEvent::Type>().valueToKey(type);
    if (handler_)
      handler_(QString::fromLatin1(receiver->metaObject()->className()), QString::fromLatin1(kind ? kind : "event"),
               error);
  };
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    report(error);
  } catch (...) {
    report(std::runtime_error("An error of an unknown kind"));
  }
  return false;
}

}  // namespace orv::edit
