#include "filesystem/temporary_names.h"

#include "filesystem/decimal_field.h"

namespace {

constexpr std::wstring_view kTemporaryPrefix = L"~quillbarrow-";
constexpr std::wstring_view kTemporarySuffix = L".tmp";

}  // namespace

std::wstring TemporaryName(std::uint32_t processId, std::uint64_t tick, unsigned attempt) {
    return std::wstring(kTemporaryPrefix) + std::to_wstring(processId) + L'-' + std::to_wstring(tick) + L'-' +
           std::to_wstring(attempt) + std::wstring(kTemporarySuffix);
}

std::optional<std::uint32_t> TemporaryMakerId(std::wstring_view name) {
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) return std::nullopt;
    name = name.substr(kTemporaryPrefix.size(), name.size() - kTemporaryPrefix.size() - kTemporarySuffix.size());
    const std::size_t first = name.find(L'-');
    const std::size_t second = first == std::wstring_view::npos ? first : name.find(L'-', first + 1);
    if (second == std::wstring_view::npos) return std::nullopt;
    std::uint32_t processId = 0;
    std::uint64_t tick = 0;
    unsigned attempt = 0;
    if (!ParseDecimalField(name.substr(0, first), processId) ||
        !ParseDecimalField(name.substr(first + 1, second - first - 1), tick) ||
        !ParseDecimalField(name.substr(second + 1), attempt)) {
        return std::nullopt;
    }
    return processId;
}
