// The shape check of an account address before its profile folder is looked for.
#pragma once

#include <string_view>

// True when the text has exactly one "@", both sides non-empty and made only of ASCII letters (either case),
// digits, "_", "-" and ".", neither side beginning or ending with ".", a domain whose last label after its
// last "." has two or three characters, and no ".." anywhere. Pure: the same text always gives the same answer.
bool IsValidEmail(std::wstring_view address);
