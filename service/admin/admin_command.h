#pragma once

#include <QStringList>
#include <cstdio>

// The quillora-service command:
//   user add ADDRESS      new account; the password is the first line of standard input
//   user passwd ADDRESS   new password, likewise
//   user remove ADDRESS   the account and its pictures
//   user list             every account with its album number and pictures
//   db migrate            creates the database or brings its schema up to date
//   config check          reads the configuration and reaches its database and relay
// The configuration is the file QUILLORA_SERVICE_CONF names, else /etc/quillora/service.conf.
// Gives the exit status: 0 done, 1 failed, 2 not understood.
int RunAdminCommand(const QStringList& arguments, std::FILE* in, std::FILE* out, std::FILE* err);
