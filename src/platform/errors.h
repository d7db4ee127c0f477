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

// A network step failed; the description is the transfer library's own text.
class InternetError : public ReportedError {
 public:
  using ReportedError::ReportedError;
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
