// What an operation tells the user, or asks: one modal message box with a text, a caption and an icon, and an OK
// button, or Yes and No for a question.
#pragma once

#include <string>

// The values are those of the platform's message box icons.
enum class NoticeIcon : unsigned { Error = 0x10, Warning = 0x30, Information = 0x40 };

struct Notice {
    std::wstring text;
    std::wstring caption;
    NoticeIcon icon = NoticeIcon::Information;
    bool question = false;  // Yes and No, No the default

    bool operator==(const Notice&) const = default;
};

// Refusals and errors use the caption "错误", notices "提示".
Notice ErrorNotice(std::wstring text);
Notice InformationNotice(std::wstring text);
// Done, but with something the user should know: caption "提示", the warning icon.
Notice WarningNotice(std::wstring text);
// A warning that asks whether to go on anyway, caption "提示".
Notice QuestionNotice(std::wstring text);
