#include "edit/preview_server.h"

#include <QFileInfo>

#include "edit/build_output.h"
#include "edit/build_runner.h"

namespace orv::edit {

namespace {

// orvcc builds the site before it serves it and reports each page as it
// goes; this long without a line, it is taken to hang.
constexpr int kSilenceMs = 60000;

}  // namespace

PreviewServer::PreviewServer(QObject* parent) : QObject(parent), process_(this) {
  process_.setObjectName(QStringLiteral("PreviewProcess"));
  process_.setProcessChannelMode(QProcess::MergedChannels);
  deadline_.setSingleShot(true);
  deadline_.setInterval(kSilenceMs);
  connect(&process_, &QProcess::readyReadStandardOutput, this, &PreviewServer::Read);
  connect(&process_, &QProcess::finished, this, &PreviewServer::Ended);
  connect(&deadline_, &QTimer::timeout, this, [this] {
    Fail(tr("orvcc said nothing for %1 s and did not start serving").arg(kSilenceMs / 1000));
  });
}

PreviewServer::~PreviewServer() {
  disconnect(&process_, nullptr, this, nullptr);
  Stop();
}

void PreviewServer::Start(const QString& program, const QString& project) {
  Stop();
  pending_.clear();
  last_line_.clear();
  address_.clear();
  process_.setWorkingDirectory(QFileInfo(project).absolutePath());
  process_.start(program, {QStringLiteral("--serve=0"), QStringLiteral("--bind"), QStringLiteral("127.0.0.1"), project});
  if (!process_.waitForStarted()) {
    Fail(tr("cannot run %1: %2").arg(program, process_.errorString()));
    return;
  }
  deadline_.start();
}

void PreviewServer::Stop() {
  deadline_.stop();
  address_.clear();
  EndProcess(process_);
}

void PreviewServer::Read() {
  for (const QByteArray& line : TakeLines(process_, pending_)) {
    // Once it serves, its reports of the builds it makes are not read.
    if (!address_.isEmpty()) continue;
    last_line_ = QString::fromUtf8(line);
    const std::string address = ServedAddress(line.toStdString());
    if (address.empty()) {
      deadline_.start();
      continue;
    }
    deadline_.stop();
    address_ = QUrl(QString::fromStdString(address));
    emit Ready(address_);
  }
  // A line without its end is kept whole only while it can still matter.
  if (!address_.isEmpty()) pending_.clear();
}

void PreviewServer::Ended(int status, QProcess::ExitStatus how) {
  // Stopped, or ended after it served: the next preview starts it again.
  if (!deadline_.isActive()) {
    address_.clear();
    return;
  }
  pending_ += process_.readAllStandardOutput();
  const QString rest = QString::fromUtf8(pending_).trimmed();
  if (!rest.isEmpty()) last_line_ = rest.section(QLatin1Char('\n'), -1).trimmed();
  if (!last_line_.isEmpty()) Fail(last_line_);
  else if (how == QProcess::NormalExit) Fail(tr("orvcc ended with status %1").arg(status));
  else Fail(tr("orvcc crashed"));
}

void PreviewServer::Fail(const QString& reason) {
  Stop();
  emit Failed(reason);
}

}  // namespace orv::edit
