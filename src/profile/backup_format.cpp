#include "profile/backup_format.h"

bool HeaderIsWhole(std::span<const std::uint8_t> first, std::uint64_t fileSize) {
    if (fileSize == 0 || first.size() < 24) return false;
    const std::uint32_t stored = first[16] << 8 | first[17];
    const std::uint32_t pageSize = stored == 1 ? 65536 : stored;
    const bool powerOfTwo = pageSize >= 512 && pageSize <= 65536 && (pageSize & (pageSize - 1)) == 0;
    return powerOfTwo && first[21] == 64 && first[22] == 32 && first[23] == 32 && fileSize % pageSize == 0;
}

bool IsDamaged(bool backupWhole, std::optional<bool> favoritesWhole, std::size_t listedWhole, std::size_t listedRead) {
    if (backupWhole) return false;
    if (favoritesWhole) return *favoritesWhole;
    return 2 * listedWhole > listedRead;
}
