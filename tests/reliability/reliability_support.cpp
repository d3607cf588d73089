#include "reliability_support.h"

#include "common/environment.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

bool IsFailure(const Notice& notice, std::wstring_view prefix) {
    return notice.caption == L"错误" && notice.icon == NoticeIcon::Error && notice.text.starts_with(prefix) &&
           notice.text.size() > prefix.size();
}

std::string Describe(const Notice& notice) {
    std::string text = Utf8(notice.caption);
    text += " (icon ";
    text += std::to_string(static_cast<unsigned>(notice.icon));
    text += "): ";
    text += Utf8(notice.text);
    return text;
}

std::string Pattern(std::size_t size, std::uint32_t seed) {
    const std::string label = "content " + std::to_string(seed) + " of " + std::to_string(size) + " bytes\n";
    std::string bytes(size, '\0');
    const std::size_t labelled = std::min(size, label.size());
    std::copy_n(label.begin(), labelled, bytes.begin());
    // xorshift32 fills the rest; the label keeps equal-sized contents of different seeds apart too.
    std::uint32_t state = (seed * 2654435761u) | 1u;
    for (std::size_t at = labelled; at < size; ++at) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes[at] = static_cast<char>(state >> 24);
    }
    return bytes;
}

int Identify(const std::wstring& path, const std::vector<const std::string*>& contents) {
    const UniqueFileHandle file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
    if (!file) return -1;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) return -1;
    constexpr DWORD kPiece = 1 << 16;
    const auto buffer = std::make_unique<char[]>(kPiece);
    for (std::size_t index = 0; index < contents.size(); ++index) {
        const std::string& content = *contents[index];
        if (content.size() != static_cast<std::uint64_t>(size.QuadPart)) continue;
        LARGE_INTEGER start{};
        SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN);
        std::size_t at = 0;
        DWORD read = 0;
        while (ReadFile(file.Get(), buffer.get(), kPiece, &read, nullptr) && read != 0 &&
               content.compare(at, read, buffer.get(), read) == 0) {
            at += read;
        }
        if (at == content.size()) return static_cast<int>(index);
    }
    return static_cast<int>(contents.size());
}

std::vector<std::wstring> Temporaries(const std::wstring& folder) {
    std::vector<std::wstring> names = ListNames(folder);
    std::erase_if(names, [](const std::wstring& name) { return !name.starts_with(L"~quillbarrow-"); });
    return names;
}

bool IsHidden(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
}

bool IsReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

DiskFiller::DiskFiller(const std::wstring& folder, std::uint64_t leaveFreeBytes)
    : path_(folder + L"\\filler.bin"),
      file_(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)) {
    if (!file_) throw std::runtime_error("cannot create " + Utf8(path_));
    Fill();
    if (leaveFreeBytes == 0) return;
    LARGE_INTEGER size{};
    GetFileSizeEx(file_.Get(), &size);
    const auto full = static_cast<std::uint64_t>(size.QuadPart);
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(full > leaveFreeBytes ? full - leaveFreeBytes : 0);
    if (!SetFilePointerEx(file_.Get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file_.Get())) {
        throw std::runtime_error("cannot shrink " + Utf8(path_));
    }
}

DiskFiller::~DiskFiller() {
    file_.Reset();
    DeleteFileW(path_.c_str());
}

void DiskFiller::Fill() {
    SetFilePointerEx(file_.Get(), LARGE_INTEGER{}, nullptr, FILE_END);
    // Large pieces first, then single pages, until a write stops short: then no page is left free.
    for (const DWORD piece : {DWORD{1} << 20, DWORD{4096}}) {
        const std::string bytes(piece, 'f');
        for (;;) {
            DWORD written = 0;
            const BOOL wrote = WriteFile(file_.Get(), bytes.data(), piece, &written, nullptr);
            if (wrote && written == piece) continue;
            if (!wrote && GetLastError() != ERROR_DISK_FULL) {
                throw std::runtime_error("filling the disk failed: " + std::to_string(GetLastError()));
            }
            break;
        }
    }
}

std::uint64_t FreeBytes(const std::wstring& folder) {
    ULARGE_INTEGER available{};
    if (!GetDiskFreeSpaceExW((folder + L'\\').c_str(), &available, nullptr, nullptr)) return 0;
    return available.QuadPart;
}

std::wstring MountedFolder(const wchar_t* variable) {
    std::wstring path = EnvironmentVariable(variable);
    if (path.empty()) return path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    path = L"Z:" + path;
    const DWORD mark = GetFileAttributesW((path + L"\\mounted").c_str());
    return mark != INVALID_FILE_ATTRIBUTES ? path : std::wstring();
}

AppDataScope::AppDataScope(const std::wstring& value) : old_(EnvironmentVariable(L"APPDATA")) {
    SetEnvironmentVariableW(L"APPDATA", value.c_str());
}

AppDataScope::~AppDataScope() {
    SetEnvironmentVariableW(L"APPDATA", old_.empty() ? nullptr : old_.c_str());
}

FolderIn::FolderIn(const std::wstring& parent)
    : path_(parent + L"\\case-" + std::to_wstring(GetCurrentProcessId()) + L'-' + std::to_wstring(GetTickCount64())) {
    MakeFolders(path_);
}

FolderIn::~FolderIn() {
    RemoveTree(path_);
}
