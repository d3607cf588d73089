#include "restore/profile_paths.h"

#include "common/texts.h"

#include <cwchar>

namespace {

// The backup folders' names are plain ASCII, and only ASCII letters fold to them.
bool EqualIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
    const auto fold = [](wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

}  // namespace

std::optional<std::wstring> ProfileFolderFromList(std::wstring_view listFolder) {
    const std::wstring_view last = LastComponent(listFolder);
    if (last.size() == listFolder.size()) return std::nullopt;
    if (!EqualIgnoringAsciiCase(last, texts::kDailyBackup) && !EqualIgnoringAsciiCase(last, texts::kBackup)) {
        return std::nullopt;
    }
    const std::wstring_view parent = listFolder.substr(0, listFolder.size() - last.size() - 1);
    if (parent.empty() || parent.back() == L'\\') return std::nullopt;
    return std::wstring(parent);
}

std::wstring FavoritesPath(std::wstring_view profileFolder) { return JoinPath(profileFolder, texts::kFavoritesFile); }

std::wstring UndoCopyPath(std::wstring_view profileFolder) { return JoinPath(profileFolder, texts::kUndoCopyFile); }

std::wstring BackupCopyName(int year, int month, int day, int hour, unsigned number) {
    wchar_t stamp[32];
    std::swprintf(stamp, std::size(stamp), L".%04d.%02d.%02d.%02d", year, month, day, hour);
    std::wstring name = texts::kFavoritesFile + std::wstring(stamp);
    if (number != 0) name += L'.' + std::to_wstring(number);
    return name;
}
