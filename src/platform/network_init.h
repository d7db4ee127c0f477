#pragma once

// Starts the transfer library once for the whole program; false when it cannot start.
bool InitNetwork();
// Releases what InitNetwork started.
void ShutdownNetwork();
