// Names compared as the file system and the process list compare them: without regard to case.
#pragma once

#include <string>
#include <string_view>

// The text with every letter in its upper-case form, by the same rule in every locale.
std::wstring FoldCase(std::wstring_view text);
