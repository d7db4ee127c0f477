#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "cgi/cgi_request.h"
#include "cgi/form_fields.h"
#include "cgi/request_log.h"
#include "config/service_config.h"

class Database;

// Reads exactly `length` bytes of the body; false when fewer come.
using AlbumBodyReader = std::function<bool(std::size_t length, std::string& body)>;

// One request to the pages and what its handlers share: the configuration, the database
// (opened when first needed, its schema brought up to date), the query and the posted form,
// the time, and the line the request leaves in the log.
class AlbumContext {
 public:
  AlbumContext(const CgiRequest& request, const ServiceConfig& config, const QString& configPath,
               qint64 now, FormFields query);
  ~AlbumContext();

  const CgiRequest& Request() const { return request_; }
  const ServiceConfig& Config() const { return config_; }
  const QString& ConfigPath() const { return configPath_; }
  qint64 Now() const { return now_; }
  // Throws DatabaseError when it cannot be opened.
  Database& Db();
  const FormFields& Query() const { return query_; }
  const FormFields& Form() const { return form_; }
  void SetForm(FormFields form) { form_ = std::move(form); }
  RequestLogLine& Log() { return log_; }

 private:
  const CgiRequest& request_;
  const ServiceConfig& config_;
  QString configPath_;
  qint64 now_;
  FormFields query_;
  FormFields form_;
  std::unique_ptr<Database> database_;
  RequestLogLine log_;
};
