// quillora-service: the service's accounts, database and configuration.
#include <QCoreApplication>
#include <cstdio>

#include "admin/admin_command.h"

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  return RunAdminCommand(QCoreApplication::arguments().mid(1), stdin, stdout, stderr);
}
