#include "restore/backup_facts.h"

#include "common/texts.h"

#include <algorithm>

namespace {

// The first few backups found the same are named; the rest are counted.
constexpr std::size_t kNamedSameAs = 3;

}  // namespace

bool HeaderIsWhole(std::span<const unsigned char> first, std::uint64_t fileSize) {
    if (fileSize == 0 || first.size() < 24) return false;
    const std::uint32_t stored = first[16] << 8 | first[17];
    const std::uint32_t pageSize = stored == 1 ? 65536 : stored;
    const bool powerOfTwo = pageSize >= 512 && pageSize <= 65536 && (pageSize & (pageSize - 1)) == 0;
    return powerOfTwo && first[21] == 64 && first[22] == 32 && first[23] == 32 && fileSize % pageSize == 0;
}

std::wstring FactLines(const BackupFacts& facts) {
    std::wstring lines = std::wstring(L"\n") + texts::kFactSize + std::to_wstring(facts.size);
    if (!facts.time.empty()) lines += std::wstring(L"\n") + texts::kFactSavedAt + facts.time;
    lines += L'\n';
    if (facts.versus == VersusFavorites::NoFavorites) {
        lines += texts::kFactNoFavorites;
    } else if (facts.versus == VersusFavorites::Same) {
        lines += texts::kFactSameAsFavorites;
    } else if (facts.size == facts.favoritesSize) {
        lines += texts::kFactSameSizeOtherBytes;
    } else if (facts.favoritesSize == 0) {
        lines += texts::kFactFavoritesEmpty;
    } else {
        const std::uint64_t smaller = std::min(facts.size, facts.favoritesSize);
        const std::uint64_t larger = std::max(facts.size, facts.favoritesSize);
        const std::uint64_t percent = ((larger - smaller) * 200 / facts.favoritesSize + 1) / 2;
        lines += facts.size < facts.favoritesSize ? texts::kFactSmaller : texts::kFactLarger;
        lines += percent == 0 ? std::wstring(texts::kFactUnderOnePercent)
                              : L' ' + std::to_wstring(percent) + texts::kFactPercent;
    }
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
