#include "cgi/album_context.h"

#include "store/database.h"
#include "store/schema.h"

AlbumContext::AlbumContext(const CgiRequest& request, const ServiceConfig& config,
                           const QString& configPath, qint64 now, FormFields query)
    : request_(request),
      config_(config),
      configPath_(configPath),
      now_(now),
      query_(std::move(query)) {
  log_.program = "album.cgi";
  log_.recipients = -1;
}

AlbumContext::~AlbumContext() = default;

Database& AlbumContext::Db() {
  if (!database_) {
    database_ = std::make_unique<Database>(config_.database, Database::Creation::kRefused);
    if (StoredSchemaVersion(*database_) != kSchemaVersion) MigrateSchema(*database_);
  }
  return *database_;
}
