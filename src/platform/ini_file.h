#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

// INI files as QSettings lays them out: "[General]" holds the keys without a group, "Group/key"
// goes under "[Group]"; keys are %-escaped, values are UTF-8 strings, or lists of strings
// separated by commas, with quotes and backslash escapes. Files QSettings wrote read back
// the same here, and files written here read back the same in QSettings.
using IniValues = std::vector<std::pair<QString, QVariant>>;

QByteArray IniFileText(const IniValues& values);

// The values of a file, in file order (a key given twice counts once, with its last value).
// Lines that are neither a group nor "key=value" are skipped, as are comments (";" or "#").
IniValues ParseIniText(QByteArrayView text);
