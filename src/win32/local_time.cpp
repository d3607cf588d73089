#include "win32/local_time.h"

#include "win32/system_function.h"

bool FileTimeToLocal(std::uint64_t ticks, SYSTEMTIME& local) {
    const FILETIME fileTime{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc{};
    if (!FileTimeToSystemTime(&fileTime, &utc)) return false;
    // Looked up, so that the program still starts on Vista, which keeps today's rules only.
    static const auto toLocalEx =
        SystemFunction<BOOL(WINAPI*)(const DYNAMIC_TIME_ZONE_INFORMATION*, const SYSTEMTIME*, SYSTEMTIME*)>(
            L"kernel32.dll", "SystemTimeToTzSpecificLocalTimeEx");
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    if (toLocalEx && GetDynamicTimeZoneInformation(&zone) != TIME_ZONE_ID_INVALID && toLocalEx(&zone, &utc, &local)) {
        return true;
    }
    return SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) != FALSE;
}
