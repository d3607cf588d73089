#include "window/backup_tips.h"

#include "messages/texts.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

namespace {

// The first few backups found the same are named; the rest are counted.
constexpr std::size_t kNamedSameAs = 3;

std::wstring Grouped(std::uint64_t number) {
    std::wstring digits = std::to_wstring(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, L',');
    return digits;
}

std::wstring FavoritesLine(const BackupFacts& facts) {
    switch (facts.favorites) {
        case FavoritesMatch::NoFavorites:
            return texts::kFactNoFavorites;
        case FavoritesMatch::Same:
            return texts::kFactSameAsFavorites;
        case FavoritesMatch::Unread:
            return texts::kFactFavoritesUnread + facts.favoritesUnreadable;
        case FavoritesMatch::Different:
            break;
    }
    if (facts.size == facts.favoritesSize) return texts::kFactSameSizeOtherBytes;
    if (facts.favoritesSize == 0) return texts::kFactFavoritesEmpty;
    const std::uint64_t smaller = std::min(facts.size, facts.favoritesSize);
    const std::uint64_t larger = std::max(facts.size, facts.favoritesSize);
    const std::uint64_t percent = ((larger - smaller) * 200 / facts.favoritesSize + 1) / 2;
    return (facts.size < facts.favoritesSize ? texts::kFactSmaller : texts::kFactLarger) +
           (percent == 0 ? std::wstring(texts::kFactUnderOnePercent)
                         : L' ' + std::to_wstring(percent) + texts::kFactPercent);
}

}  // namespace

std::wstring SizeText(std::uint64_t bytes) {
    const std::wstring exact = L" (" + Grouped(bytes) + L' ' + texts::kBytes + L')';
    if (bytes < 1024) return std::to_wstring(bytes) + L' ' + texts::kBytes + exact;
    constexpr const wchar_t* kUnits[] = {L"KB", L"MB", L"GB", L"TB", L"PB", L"EB"};
    // In the unit below the chosen one, the size is under 1000 × 1024, so a hundredfold of it stays exact.
    std::uint64_t below = bytes;
    std::size_t unit = 0;
    while (below / 1024 >= 1000 && unit + 1 < std::size(kUnits)) {
        below /= 1024;
        ++unit;
    }
    const std::uint64_t hundredths = below * 100 / 1024;
    wchar_t figures[32];
    if (hundredths < 1000) {
        std::swprintf(figures, std::size(figures), L"%u.%02u", unsigned(hundredths / 100), unsigned(hundredths % 100));
    } else if (hundredths < 10000) {
        std::swprintf(figures, std::size(figures), L"%u.%u", unsigned(hundredths / 100),
                      unsigned(hundredths / 10 % 10));
    } else {
        std::swprintf(figures, std::size(figures), L"%u", unsigned(hundredths / 100));
    }
    return figures + (L' ' + std::wstring(kUnits[unit])) + exact;
}

std::wstring FactLines(const BackupFacts& facts, std::wstring_view timeText) {
    if (!facts.listed) return std::wstring(L"\n") + texts::kFactGone;
    std::wstring lines = std::wstring(L"\n") + texts::kFactSize + SizeText(facts.size);
    if (!timeText.empty()) lines += std::wstring(L"\n") + texts::kFactSavedAt + std::wstring(timeText);
    if (!facts.unreadable.empty()) return lines + L'\n' + texts::kFactUnreadable + facts.unreadable;
    lines += L'\n' + FavoritesLine(facts);
    for (std::size_t i = 0; i < facts.sameAs.size() && i < kNamedSameAs; ++i) {
        lines += std::wstring(L"\n") + texts::kFactSameAs + facts.sameAs[i] + texts::kFactSameAsEnd;
    }
    if (facts.sameAs.size() > kNamedSameAs) {
        lines += std::wstring(L"\n") + texts::kFactMoreSameAs + std::to_wstring(facts.sameAs.size() - kNamedSameAs) +
                 texts::kFactMoreSameAsEnd;
    }
    if (facts.damaged) lines += std::wstring(L"\n") + texts::kFactDamaged;
    return lines;
}
