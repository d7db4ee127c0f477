#include "internet_session.h"

InternetSession::InternetSession(std::string agent, ProxyAccess access, TransferLimits limits)
    : agent_(std::move(agent)), access_(access), limits_(limits) {}
