#include "test_support.h"

#include "common/environment.h"
#include "restore/restore.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + " failed: " + std::to_string(GetLastError()));
}

}  // namespace

std::string Utf8(std::wstring_view utf16) {
    std::string text(utf16.size() * 3, '\0');
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), text.data(),
                                           static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(length);
    return text;
}

std::vector<std::wstring> Entries(HWND listBox) {
    std::vector<std::wstring> entries;
    for (LRESULT i = 0, count = SendMessageW(listBox, LB_GETCOUNT, 0, 0); i < count; ++i) {
        // Room for any file name, whatever the list holds by the time the text is read.
        wchar_t text[MAX_PATH + 1] = {};
        if (SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text)) != LB_ERR) entries.push_back(text);
    }
    return entries;
}

TempFolder::TempFolder(std::wstring_view nameHint, const std::wstring& parent) {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    path_ = (parent.empty() ? std::wstring(temp) : parent + L'\\') + std::wstring(nameHint) + L'-' +
            std::to_wstring(GetCurrentProcessId()) + L'-' + std::to_wstring(GetTickCount64()) + L'-' +
            std::to_wstring(counter++);
    MakeFolders(path_);
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

void MakeFolders(const std::wstring& path) {
    for (std::size_t at = path.find(L'\\', 3);; at = path.find(L'\\', at + 1)) {
        const std::wstring part = path.substr(0, at);
        if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) Fail("CreateDirectory");
        if (at == std::wstring::npos) return;
    }
}

void RemoveTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    // A link to a folder is removed itself, never followed.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        for (const std::wstring& name : ListNames(path))
            RemoveTree(path + L'\\' + name);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryW(path.c_str());
    } else {
        DeleteFileW(path.c_str());
    }
}

void WriteBytes(const std::wstring& path, std::string_view bytes) {
    const UniqueFileHandle file{CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)};
    if (!file) Fail("CreateFile " + Utf8(path));
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        Fail("WriteFile");
    }
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
    const UniqueFileHandle file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, 0, nullptr)};
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    GetFileSizeEx(file.Get(), &size);
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

std::vector<std::wstring> ListNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search{FindFirstFileW((folder + L"\\*").c_str(), &found)};
    if (!search) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search.Get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

bool SetLastWriteTime(const std::wstring& path, std::uint64_t ticks) {
    const UniqueFileHandle entry{CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    return entry && SetFileTime(entry.Get(), nullptr, nullptr, &time);
}

void MakeFileLink(const std::wstring& link, const std::wstring& target) {
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixFileName) {
        if (!CreateSymbolicLinkW(link.c_str(), target.c_str(), 0)) Fail("CreateSymbolicLink");
        return;
    }
    const auto unixPath = [&](const std::wstring& path) {
        char* name = unixFileName(path.c_str());
        if (!name) Fail("wine_get_unix_file_name " + Utf8(path));
        const std::string text = name;
        HeapFree(GetProcessHeap(), 0, name);
        return std::wstring(text.begin(), text.end());
    };
    // Wine starts a Unix program as it starts a Windows one.
    std::wstring commandLine = L"/bin/ln -s " + QuoteArgument(unixPath(target)) + L' ' + QuoteArgument(unixPath(link));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        Fail("ln -s");
    }
    const UniqueKernelHandle process{info.hProcess}, thread{info.hThread};
    // Wine does not wait for a Unix program's end: the link is waited for instead.
    for (int waits = 0; GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; ++waits) {
        if (waits == 1000) Fail("ln -s made no link");
        Sleep(10);
    }
}

std::wstring LinkTarget(const std::wstring& path) {
    const UniqueFileHandle file{CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    wchar_t target[4096] = {};
    return file && GetFinalPathNameByHandleW(file.Get(), target, 4096, 0) ? target : L"";
}

std::vector<std::wstring> Temporaries(const std::wstring& folder) {
    std::vector<std::wstring> names = ListNames(folder);
    std::erase_if(names, [](const std::wstring& name) { return !name.starts_with(L"~quillbarrow-"); });
    return names;
}

std::wstring TestBinaryFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring ProgramPath() {
    const std::wstring tests = TestBinaryFolder();
    return tests.substr(0, tests.find_last_of(L'\\')) + L"\\Quillbarrow.exe";
}

std::wstring EmptyWindowPath() {
    const std::wstring program = ProgramPath();
    return program.substr(0, program.find_last_of(L'\\')) + L"\\empty_window.exe";
}

std::wstring QuoteArgument(const std::wstring& argument) {
    return L'"' + argument + L'"';
}

bool IsWow64(HANDLE process) {
    BOOL wow64 = FALSE;
    return IsWow64Process(process, &wow64) && wow64;
}

HelperProcess HelperProcess::StartAs(const std::wstring& executablePath,
                                     std::initializer_list<std::wstring> arguments,
                                     const std::wstring& image) {
    const std::wstring helper = image.empty() ? TestBinaryFolder() + L"\\qb_test_helper.exe" : image;
    if (executablePath != helper) {
        MakeFolders(executablePath.substr(0, executablePath.find_last_of(L'\\')));
        if (!CopyFileW(helper.c_str(), executablePath.c_str(), FALSE)) Fail("CopyFile helper");
    }
    // The helper ends by itself when this process ends, so a failed test leaves no stray process behind.
    std::wstring commandLine = QuoteArgument(executablePath) + L' ' + std::to_wstring(GetCurrentProcessId());
    for (const auto& argument : arguments)
        commandLine += L' ' + QuoteArgument(argument);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(executablePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        Fail("CreateProcess " + Utf8(executablePath));
    }
    CloseHandle(info.hThread);
    return HelperProcess(UniqueKernelHandle{info.hProcess});
}

HelperProcess HelperProcess::Start(std::initializer_list<std::wstring> arguments) {
    return StartAs(TestBinaryFolder() + L"\\qb_test_helper.exe", arguments);
}

HelperProcess::~HelperProcess() {
    Stop();
}

void HelperProcess::Stop() {
    if (!process_) return;
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), 5000);
    process_.Reset();
}

HelperProcess HoldFile(const std::wstring& path, const wchar_t* share, DWORD releaseAfterMs) {
    static std::atomic<unsigned> counter{0};
    const std::wstring eventName =
        L"qb-held-" + std::to_wstring(GetCurrentProcessId()) + L'-' + std::to_wstring(counter++);
    const UniqueKernelHandle opened{CreateEventW(nullptr, TRUE, FALSE, eventName.c_str())};
    HelperProcess helper = HelperProcess::Start({L"hold", path, share, std::to_wstring(releaseAfterMs), eventName});
    const HANDLE waits[] = {opened.Get(), helper.Handle()};
    if (WaitForMultipleObjects(2, waits, FALSE, 10000) != WAIT_OBJECT_0) {
        throw std::runtime_error("the helper could not open " + Utf8(path));
    }
    return helper;
}

std::uint32_t NumberFromEnvironment(const wchar_t* name, std::uint32_t fallback) {
    const std::wstring text = EnvironmentVariable(name);
    return text.empty() ? fallback : static_cast<std::uint32_t>(std::stoul(text));
}

AppDataScope::AppDataScope(const std::wstring& value) : old_(EnvironmentVariable(L"APPDATA")) {
    SetEnvironmentVariableW(L"APPDATA", value.c_str());
}

AppDataScope::~AppDataScope() {
    SetEnvironmentVariableW(L"APPDATA", old_.empty() ? nullptr : old_.c_str());
}

std::string Pattern(std::size_t size, std::uint32_t seed) {
    const std::string label = "content " + std::to_string(seed) + " of " + std::to_string(size) + " bytes\n";
    std::string bytes = label.substr(0, size);
    bytes.resize(size);
    // xorshift32 fills the rest; the label keeps equal-sized contents of different seeds apart too.
    std::uint32_t state = (seed * 2654435761u) | 1u;
    for (std::size_t at = std::min(size, label.size()); at < size; ++at) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes[at] = static_cast<char>(state >> 24);
    }
    return bytes;
}

std::string Database(std::size_t pages, std::uint32_t seed) {
    std::string bytes = Pattern(pages * 1024, seed);
    const unsigned char header[] = {0x04, 0x00, 0x01, 0x01, 12, 64, 32, 32};  // bytes 16 to 23
    bytes.replace(16, sizeof(header), reinterpret_cast<const char*>(header), sizeof(header));
    return bytes;
}

std::wstring HostPath(std::wstring linuxPath) {
    std::replace(linuxPath.begin(), linuxPath.end(), L'/', L'\\');
    return L"Z:" + linuxPath;
}

std::wstring MountedFolder(const wchar_t* variable) {
    const std::wstring path = HostPath(EnvironmentVariable(variable));
    return path.size() > 2 && GetFileAttributesW((path + L"\\mounted").c_str()) != INVALID_FILE_ATTRIBUTES
               ? path
               : std::wstring();
}

UniqueFileHandle FillDisk(const std::wstring& folder) {
    UniqueFileHandle file{CreateFileW((folder + L"\\filler.bin").c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr)};
    if (!file) Fail("CreateFile filler.bin");
    FillUp(file.Get());
    return file;
}

void FillUp(HANDLE filler) {
    SetFilePointerEx(filler, LARGE_INTEGER{}, nullptr, FILE_END);
    // Large pieces first, then single pages, until a write stops short: then no page is left free.
    for (const DWORD piece : {DWORD{1} << 20, DWORD{4096}}) {
        const std::string bytes(piece, 'f');
        DWORD written = piece;
        while (written == piece) {
            if (!WriteFile(filler, bytes.data(), piece, &written, nullptr) && GetLastError() != ERROR_DISK_FULL) {
                Fail("filling the disk");
            }
        }
    }
}

bool IsFailure(const Notice& notice, std::wstring_view prefix) {
    return notice.caption == L"错误" && notice.icon == NoticeIcon::Error && notice.text.starts_with(prefix) &&
           notice.text.size() > prefix.size();
}

void PrintTo(const Notice& notice, std::ostream* out) {
    *out << Utf8(notice.caption) << " (icon " << static_cast<unsigned>(notice.icon) << "): " << Utf8(notice.text);
}

Notice Restore(const std::optional<BackupSource>& source, std::wstring_view selectedName) {
    FactsCache facts;
    return RestoreFavorites(source, selectedName, facts);
}
