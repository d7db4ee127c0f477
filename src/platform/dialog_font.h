#pragma once

#include <QFont>

// The font of the program's dialogs: a proportional Japanese gothic at 9 points.
QFont DialogFont();
