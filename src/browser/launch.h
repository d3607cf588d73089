// Starting the browser from the install folder that its set-up wrote into the registry.
#pragma once

#include "messages/notice.h"

#include <optional>

// Starts "<install folder>\sogouexplorer.exe" without waiting for it. Returns what the user is to be told when
// it could not be started; nothing when it was.
std::optional<Notice> LaunchBrowser();
