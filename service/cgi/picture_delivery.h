#pragma once

#include "cgi/cgi_reply.h"
#include "cgi/upload_check.h"
#include "config/service_config.h"
#include "store/account_store.h"

class Database;

struct DeliveryResult {
  CgiReply reply;
  const char* outcome = "";
};

// Delivers a checked mail of an authenticated account: counts it against the account's limits
// while recording it as being delivered, hands it to the relay, and then keeps it for the album
// or, when the relay did not take it, forgets it. Throws DatabaseError when the database fails
// before the relay has the mail.
DeliveryResult DeliverPicture(Database& database, const ServiceConfig& config,
                              const Account& account, const MailRequest& request);
