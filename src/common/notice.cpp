#include "common/notice.h"

#include "common/texts.h"

#include <utility>

Notice ErrorNotice(std::wstring text) {
    return {std::move(text), std::wstring(texts::kCaptionError), NoticeIcon::Error};
}

Notice InformationNotice(std::wstring text) {
    return {std::move(text), std::wstring(texts::kCaptionNotice), NoticeIcon::Information};
}

Notice QuestionNotice(std::wstring text) {
    return {std::move(text), std::wstring(texts::kCaptionNotice), NoticeIcon::Warning, true};
}
