#pragma once

class QWidget;

// In the given edit, Enter and the down arrow move the focus to the next control and the up
// arrow to the previous one, as in the program's form dialogs.
void InstallEditNavigation(QWidget* edit);
