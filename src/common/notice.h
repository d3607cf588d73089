// What an operation tells the user: one modal message box with a text, a caption and an icon.
#pragma once

#include <string>

// The values are those of the platform's message box icons.
enum class NoticeIcon : unsigned { Error = 0x10, Information = 0x40 };

struct Notice {
    std::wstring text;
    std::wstring caption;
    NoticeIcon icon = NoticeIcon::Information;

    bool operator==(const Notice&) const = default;
};

// Refusals and errors use the caption "错误", notices "提示".
Notice ErrorNotice(std::wstring text);
Notice InformationNotice(std::wstring text);
