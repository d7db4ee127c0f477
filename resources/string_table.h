#pragma once

#include <QString>

// A string resource by its numeric id; empty when there is none.
QString LoadResourceString(int id);
