// Joining path parts the way every path of the program is composed.
#pragma once

#include <string>
#include <string_view>

// folder + "\" + name, with no backslash added or removed anywhere else.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);
