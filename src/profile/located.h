// Something a window looked for, or what the user is told instead.
#pragma once

#include "messages/notice.h"

#include <optional>

template <class Found>
struct Located {
    std::optional<Found> found;
    Notice refusal;  // when nothing was found
};
