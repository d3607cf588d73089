#include "filesystem/paths.h"

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    std::wstring path(folder);
    path += L'\\';
    path += name;
    return path;
}

namespace {

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

}  // namespace

bool IsAbsolutePath(std::wstring_view path) {
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\') return true;
    if (!path.starts_with(L"\\\\")) return false;
    const std::size_t serverEnd = path.find(L'\\', 2);
    return serverEnd != std::wstring_view::npos && serverEnd > 2 && serverEnd + 1 < path.size() &&
           path[serverEnd + 1] != L'\\';
}

std::wstring ExactPathForm(std::wstring_view fullPath) {
    if (fullPath.starts_with(L"\\\\?\\") || fullPath.starts_with(L"\\\\.\\")) return std::wstring(fullPath);
    if (fullPath.starts_with(L"\\\\")) return L"\\\\?\\UNC" + std::wstring(fullPath.substr(1));
    return L"\\\\?\\" + std::wstring(fullPath);
}

std::wstring_view LastComponent(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

std::wstring_view FolderOf(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring_view::npos ? std::wstring_view() : path.substr(0, slash);
}

std::wstring_view StripNulls(std::wstring_view text) {
    return text.substr(0, text.find(L'\0'));
}
