// The preview server of the open project: orvcc --serve run as a child
// process on a free port of 127.0.0.1, so the browser gets the pages from a
// server that rebuilds them as they are saved and reloads them. The editor
// learns the address from orvcc's own line.
#pragma once

#include <QObject>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace orv::edit {

// One server at a time; stopped when it goes.
class PreviewServer : public QObject {
  Q_OBJECT

 public:
  explicit PreviewServer(QObject* parent);
  ~PreviewServer() override;

  // Starts `program` serving the project file `project`; Ready or Failed
  // follows. Stops the server running before.
  void Start(const QString& program, const QString& project);
  bool Starting() const { return process_.state() != QProcess::NotRunning && address_.isEmpty(); }
  bool Serving() const { return process_.state() != QProcess::NotRunning && !address_.isEmpty(); }
  // Where it serves the output folder ("http://127.0.0.1:PORT/").
  QUrl Address() const { return address_; }
  // Ends the server: asked to stop, then killed after a short wait.
  void Stop();

 signals:
  void Ready(const QUrl& address);
  // It could not start: orvcc's last line, or what went wrong.
  void Failed(const QString& reason);

 private:
  void Read();
  void Ended(int status, QProcess::ExitStatus how);
  void Fail(const QString& reason);

  QProcess process_;
  QTimer deadline_;
  QByteArray pending_;
  QString last_line_;
  QUrl address_;
};

}  // namespace orv::edit
