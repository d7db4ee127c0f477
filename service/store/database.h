#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <memory>
#include <stdexcept>

#include "config/service_config.h"

// A statement failed; what() carries the driver's text.
class DatabaseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One connection to the service's database, SQLite (one file in WAL mode) or PostgreSQL. Every
// statement goes through Run with bound values; the two differ only in the column types of the
// schema (Dialect).
class Database {
 public:
  enum class Dialect { kSqlite, kPostgresql };
  // Whether a missing SQLite file may be created (the admin command) or not (the CGI).
  enum class Creation { kAllowed, kRefused };

  // Throws DatabaseError when the database cannot be opened.
  Database(const DatabaseConfig& config, Creation creation);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  Dialect SqlDialect() const { return dialect_; }
  // Runs one statement with its values bound in order; throws DatabaseError on failure.
  QSqlQuery Run(const QString& sql, const QVariantList& values = {});
  QSqlDatabase& Connection() { return connection_; }

 private:
  QString name_;
  Dialect dialect_;
  QSqlDatabase connection_;
};

// A transaction that is rolled back unless committed.
class Transaction {
 public:
  explicit Transaction(Database& database);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit();

 private:
  Database& database_;
  bool open_ = true;
};
