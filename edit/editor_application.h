// The editor's Qt application: every event goes through notify(), which is
// the one place where an error escaping an event handler can still be
// caught before it reaches Qt's event loop; it goes to the error handler
// (the error centre) instead of ending the program.
#pragma once

#include <QApplication>
#include <exception>
#include <functional>

namespace orv::edit {

// QApplication with a handler for errors that escape event handlers.
class EditorApplication : public QApplication {
 public:
  // Receives the class of the object that got the event, the event's kind
  // and the error.
  using ErrorHandler =
      std::function<void(const QString& receiver_class, const QString& event, const std::exception& error)>;

  EditorApplication(int& argc, char** argv);

  void SetErrorHandler(ErrorHandler handler) { handler_ = std::move(handler); }
  bool notify(QObject* receiver, QEvent* event) override;

 private:
  ErrorHandler handler_;
};

}  // namespace orv::edit
