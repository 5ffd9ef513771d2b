#include "edit/build_runner.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/folders.h"

namespace orv::edit {

QString OrvccProgram() {
  if (const QString chosen = qEnvironmentVariable("ORVCC"); !chosen.isEmpty())
    return chosen.contains(QLatin1Char('/')) ? (QFileInfo(chosen).isExecutable() ? chosen : QString())
                                             : QStandardPaths::findExecutable(chosen);
  const QString beside = QString::fromStdString(ProgramDir()) + QStringLiteral("orvcc");
  if (QFileInfo(beside).isExecutable()) return beside;
  return QStandardPaths::findExecutable(QStringLiteral("orvcc"));
}

QString OrvccMissing() {
  const QString chosen = qEnvironmentVariable("ORVCC");
  if (!chosen.isEmpty())
    return QCoreApplication::translate("BuildRunner", "ORVCC names no program that can run: %1").arg(chosen);
  return QCoreApplication::translate("BuildRunner", "orvcc was found neither beside the editor nor on the PATH.");
}

OrvccOptions ReadOrvccOptions(const QString& program) {
  OrvccOptions options;
  if (program.isEmpty()) return options;
  QProcess help;
  help.start(program, {QStringLiteral("--help")});
  if (!help.waitForFinished(5000)) {
    help.kill();
    help.waitForFinished();
    return options;
  }
  const QByteArray text = help.readAllStandardOutput();
  options.All = text.contains("--all ");
  return options;
}

BuildRunner::BuildRunner(QObject* parent) : QObject(parent) {
  process_.setObjectName(QStringLiteral("BuildProcess"));
  process_.setProcessChannelMode(QProcess::MergedChannels);
  connect(&process_, &QProcess::readyReadStandardOutput, this, &BuildRunner::Read);
  connect(&process_, &QProcess::finished, this, [this](int status, QProcess::ExitStatus how) {
    Read();
    if (!pending_.isEmpty()) {
      emit LineRead(ParseBuildLine(pending_.toStdString()));
      pending_.clear();
    }
    emit Finished(how == QProcess::NormalExit ? status : -1, clock_.elapsed() / 1000.0);
  });
}

BuildRunner::~BuildRunner() {
  // A build still running is ended without telling anyone: the editor is going.
  disconnect(&process_, nullptr, this, nullptr);
  Stop();
}

bool BuildRunner::Start(const QString& program, const QStringList& arguments, const QString& folder,
                        QString& error) {
  if (Running()) {
    error = tr("A build is running.");
    return false;
  }
  pending_.clear();
  process_.setWorkingDirectory(folder);
  clock_.start();
  process_.start(program, arguments);
  if (!process_.waitForStarted()) {
    error = tr("Cannot run %1: %2").arg(program, process_.errorString());
    return false;
  }
  return true;
}

void EndProcess(QProcess& process) {
  if (process.state() == QProcess::NotRunning) return;
  process.terminate();
  if (!process.waitForFinished(3000)) {
    process.kill();
    process.waitForFinished();
  }
}

void BuildRunner::Stop() { EndProcess(process_); }

QList<QByteArray> TakeLines(QProcess& process, QByteArray& pending) {
  pending += process.readAllStandardOutput();
  QList<QByteArray> lines;
  for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
    QByteArray line = pending.left(end);
    pending.remove(0, end + 1);
    if (line.endsWith('\r')) line.chop(1);
    lines.append(line);
  }
  return lines;
}

void BuildRunner::Read() {
  for (const QByteArray& line : TakeLines(process_, pending_)) emit LineRead(ParseBuildLine(line.toStdString()));
}

}  // namespace orv::edit
