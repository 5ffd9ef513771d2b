// Runs orvcc as a child process and reads its output as it comes, so the
// editor stays responsive during a build and a crash in a page's script can
// never take the editor down. Also tells which options the orvcc found
// offers, so the editor uses what is there.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QStringList>

#include "edit/build_output.h"

namespace orv::edit {

// The orvcc named by $ORVCC when set, else the one beside the editor, else
// the one on the PATH; empty when none can run.
QString OrvccProgram();
// Why OrvccProgram found none, for the user.
QString OrvccMissing();

// The options of an orvcc that the editor uses when they are there, read
// once from its --help.
struct OrvccOptions {
  bool All = false;  // --all: build every page, not only the changed ones
};
OrvccOptions ReadOrvccOptions(const QString& program);

// Ends `process`: asked to stop (SIGTERM), then killed when it has not
// ended after a short wait; it is reaped either way.
void EndProcess(QProcess& process);

// Reads what `process` wrote to `pending` and takes the whole lines out of
// it, without their line ends (LF or CR LF); an unfinished line stays.
QList<QByteArray> TakeLines(QProcess& process, QByteArray& pending);

// One build at a time.
class BuildRunner : public QObject {
  Q_OBJECT

 public:
  explicit BuildRunner(QObject* parent);
  ~BuildRunner() override;

  // Starts `program` with `arguments` in `folder`. False, with the reason in
  // `error`, when a build is running or the program cannot be started.
  bool Start(const QString& program, const QStringList& arguments, const QString& folder, QString& error);
  bool Running() const { return process_.state() != QProcess::NotRunning; }
  // Ends the running build.
  void Stop();

 signals:
  void LineRead(const orv::edit::BuildLine& line);
  // The build is over: orvcc's exit status (-1 when it crashed or was
  // stopped) and how long it took.
  void Finished(int status, double seconds);

 private:
  void Read();

  QProcess process_;
  QByteArray pending_;
  QElapsedTimer clock_;
};

}  // namespace orv::edit
