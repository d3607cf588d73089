#include "messages/notice.h"

#include "messages/texts.h"

#include <utility>

Notice ErrorNotice(std::wstring text) {
    return {std::move(text), texts::kCaptionError, NoticeIcon::Error};
}

Notice InformationNotice(std::wstring text) {
    return {std::move(text), texts::kCaptionNotice, NoticeIcon::Information};
}

Notice WarningNotice(std::wstring text) {
    return {std::move(text), texts::kCaptionNotice, NoticeIcon::Warning};
}

Notice QuestionNotice(std::wstring text) {
    return {std::move(text), texts::kCaptionNotice, NoticeIcon::Warning, true};
}
