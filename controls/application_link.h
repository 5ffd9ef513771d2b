// The application as the classes beneath it see it. Controls, forms, the
// message dialogs and the Qt application need a few things of TApplication
// (application.h), which is built on them; they ask through this interface,
// which application.cpp sets when the library is loaded, and so do not
// depend on the application that depends on them.
#pragma once

#include <exception>
#include <memory>
#include <string>

namespace orv {

class MessageSink;
class TCustomForm;

// What the classes beneath the application ask of it.
class ApplicationLink {
 public:
  virtual ~ApplicationLink() = default;

  // The application's title, the caption of a message without a type.
  virtual std::string Title() const = 0;
  // Shows an error that left an event handler: it must not unwind through
  // Qt's event loop.
  virtual void HandleException(const std::exception& error) = 0;
  // `form` was closed and hidden: closing the main form ends the loop.
  virtual void FormClosed(TCustomForm& form) = 0;
  // `form` is being freed: a main form no longer is one.
  virtual void FormFreed(TCustomForm& form) = 0;
  // What shows the platform's messages and beeps once windows are seen.
  virtual std::shared_ptr<MessageSink> WindowedMessageSink() = 0;
};

// The application's link; EControlError before it is set.
ApplicationLink& LinkedApplication();
void SetLinkedApplication(ApplicationLink& link);

}  // namespace orv
