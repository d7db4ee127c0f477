#pragma once

// A port on 127.0.0.1 that nothing listens on (at the moment of asking).
int ClosedLoopbackPort();
// Whether something accepts connections on 127.0.0.1 at that port.
bool AnswersOnLoopback(int port);
