#pragma once

// Lets screen readers see a notice as an alert whose name is the text it shows; safe to call
// more than once.
void InstallNoticeAccessible();
