#pragma once

#include <string_view>

// The files of service/web/assets, compiled in: templates (*.html) and the stylesheet.
// Throws std::out_of_range for a name that is not among them.
std::string_view WebAsset(std::string_view name);

// A digest of the stylesheet, so that its address changes with it and it may be cached for long.
std::string_view StyleVersion();
