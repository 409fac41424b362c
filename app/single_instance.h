// SingleInstance: keeps the desktop debugger to one instance per user. The
// first instance listens on a local socket named "Quendrix" and the user's
// id in the user's runtime directory; a second instance started with a file
// hands its command line over through it, waits at most 5 seconds for the
// first one to have opened it, and ends. A socket left behind by a crashed
// instance is recognised (nobody answers on it) and replaced.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

namespace tarnvelock {

class SingleInstance final : public QObject {
  Q_OBJECT

 public:
  // name defaults to "Quendrix" and the user's id; tests pass their own.
  explicit SingleInstance(QString name = DefaultName(), QObject* parent = nullptr);

  static QString DefaultName();

  // A second instance's try: hands command_line to a running instance and
  // waits at most timeout_ms for its answer. True when the line was handed
  // over; false when no instance could be reached.
  bool HandOver(const QString& command_line, int timeout_ms = 5000);
  // Becomes the instance the others hand over to; replaces a stale socket.
  bool Listen();
  bool Listening() const { return server_.isListening(); }

  // Called with each handed-over command line; the answer goes back to the
  // waiting instance when the handler returns.
  void SetHandler(std::function<void(const QString&)> handler) { handler_ = std::move(handler); }

 private:
  void Accept();

  QString name_;
  QLocalServer server_;
  std::function<void(const QString&)> handler_;
};

}  // namespace tarnvelock
