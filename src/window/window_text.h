// Reading a control's text.
#pragma once

#include <windows.h>

#include <string>

std::wstring WindowText(HWND window);
