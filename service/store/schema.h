#pragma once

class Database;

// The schema version this build of the service reads and writes.
inline constexpr int kSchemaVersion = 3;

// The version the database holds; 0 when it holds no schema yet.
int StoredSchemaVersion(Database& database);

// Brings the schema up to kSchemaVersion, one version step at a time, in one transaction that
// holds the database's write lock, so that several processes may try at once. Gives the
// version now stored; throws DatabaseError when a step fails (nothing of it stays) or when the
// database is newer than this build knows.
int MigrateSchema(Database& database);
