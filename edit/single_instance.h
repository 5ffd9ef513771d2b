// One editor per user when the preferences ask for it (Single/value): a
// second start hands the files named on its command line to the editor that
// runs already, over a local socket in the user's runtime folder, and ends.
#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

namespace orv::edit {

// The running editor's end of the socket.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // The socket's path: $XDG_RUNTIME_DIR/orvedit.socket, else one per user
  // in the temporary folder.
  static QString DefaultSocket();

  SingleInstance(const QString& socket, QObject* parent);

  // Gives `files` to the editor listening on `socket`; true once that
  // editor confirmed it took them.
  static bool HandOver(const QString& socket, const QStringList& files);
  // Starts listening (taking over a socket left by an editor that ended
  // without removing it); false when it cannot. Listening already is fine.
  bool Listen();
  // Listens or stops listening, as the preferences now ask.
  void SetListening(bool listen);

 signals:
  // A second start handed over these files (none: it only wants the
  // window brought forward).
  void FilesReceived(const QStringList& files);

 private:
  QString socket_;
  QLocalServer* server_;
};

}  // namespace orv::edit
