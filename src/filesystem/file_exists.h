// Silent existence tests by file attributes: an unreadable path counts as absent and no error is left pending.
#pragma once

#include <string>

bool FolderExists(const std::wstring& path);
bool FileExists(const std::wstring& path);
