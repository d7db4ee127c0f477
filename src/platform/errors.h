#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <string>

class QWidget;

// Base of the errors a command may raise and leave to the command runner to report.
class ReportedError : public std::exception {
 public:
  explicit ReportedError(QString description)
      : description_(std::move(description)), what_(description_.toStdString()) {}
  const QString& Description() const { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  QString description_;
  std::string what_;
};

// What kind of network failure an InternetError reports.
enum class NetworkFailure {
  Other,
  NameNotFound,  // the server's name (or the proxy's) could not be resolved
  Refused,       // no connection could be made
  TimedOut,      // a time limit ran out
  Broken,        // the connection broke, or the reply was not one
  Tls,           // no secure connection could be made
  Cancelled,     // the user ended the transfer
};

// A network step failed; the description is the transfer library's own text.
class InternetError : public ReportedError {
 public:
  explicit InternetError(QString description, NetworkFailure failure = NetworkFailure::Other)
      : ReportedError(std::move(description)), failure_(failure) {}
  NetworkFailure Failure() const { return failure_; }

 private:
  NetworkFailure failure_;
};

// A file could not be opened, read or written; the description is the system's text.
class FileError : public ReportedError {
 public:
  explicit FileError(QString description, int code = 0)
      : ReportedError(std::move(description)), code_(code) {}
  // A FileError for the system error `error`, naming the file.
  static FileError FromErrno(int error, const QString& path);
  // The system's error number, or 0 when the error came from elsewhere.
  int Code() const { return code_; }

 private:
  int code_;
};

// The text shown for an error that carries no description.
QString InternalErrorText();

// Runs a command; an InternetError or FileError it raises is shown in a stop-icon message box
// (or the internal error text when it has no description) instead of leaving the handler.
// Returns false when an error was reported.
bool RunReportingErrors(QWidget* parent, const std::function<void()>& command);
