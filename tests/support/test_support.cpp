#include "test_support.h"

#include "filesystem/directory_listing.h"
#include "filesystem/paths.h"
#include "win32/environment.h"
#include "win32/system_function.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + " failed: " + std::to_string(GetLastError()));
}

// Wine's own function that names a path as the Linux side does; missing on Windows.
const auto kUnixFileName = SystemFunction<char*(CDECL*)(const wchar_t*)>(L"kernel32.dll", "wine_get_unix_file_name");

std::wstring UnixPath(const std::wstring& path) {
    char* name = kUnixFileName(path.c_str());
    if (!name) Fail("wine_get_unix_file_name " + Utf8(path));
    const std::string text = name;
    HeapFree(GetProcessHeap(), 0, name);
    return std::wstring(text.begin(), text.end());
}

}  // namespace

std::string Utf8(std::wstring_view utf16) {
    std::string text(utf16.size() * 3, '\0');
    text.resize(WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), text.data(),
                                    static_cast<int>(text.size()), nullptr, nullptr));
    return text;
}

Names Entries(HWND listBox) {
    Names entries;
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
    const DWORD attributes = Attributes(path);
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
    DWORD written = 0;
    if (!file || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        Fail("writing " + Utf8(path));
    }
}

void WriteSparse(const std::wstring& path, std::uint64_t size, char last) {
    const UniqueFileHandle file{CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)};
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size - 1);
    DWORD written = 0;
    if (!file || !SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) ||
        !WriteFile(file.Get(), &last, 1, &written, nullptr)) {
        Fail("writing " + Utf8(path));
    }
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
    const UniqueFileHandle file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, 0, nullptr)};
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

Names ListNames(const std::wstring& folder) {
    Names names;
    ForEachEntry(folder, L"*", [&](std::wstring_view name, const WIN32_FIND_DATAW&) { names.emplace_back(name); });
    std::sort(names.begin(), names.end());
    return names;
}

DWORD Attributes(const std::wstring& path) {
    return GetFileAttributesW(path.c_str());
}

void MakeLink(const std::wstring& link, const std::wstring& target) {
    if (!kUnixFileName) {
        const DWORD folder = (Attributes(target) & FILE_ATTRIBUTE_DIRECTORY) ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0;
        if (!CreateSymbolicLinkW(link.c_str(), target.c_str(), folder)) Fail("CreateSymbolicLink");
        return;
    }
    // Wine's CreateSymbolicLinkW makes nothing; it starts a Unix program as it starts a Windows one.
    StartProcess({}, L"/bin/ln -s " + QuoteArgument(UnixPath(target)) + L' ' + QuoteArgument(UnixPath(link)));
    // Wine does not wait for a Unix program's end: the link is waited for instead.
    for (int waits = 0; Attributes(link) == INVALID_FILE_ATTRIBUTES; ++waits) {
        if (waits == 1000) Fail("ln -s made no link");
        Sleep(10);
    }
}

Names Temporaries(const std::wstring& folder) {
    Names names = ListNames(folder);
    std::erase_if(names, [](const std::wstring& name) { return !name.starts_with(L"~quillbarrow-"); });
    return names;
}

std::wstring TestBinaryFolder() {
    wchar_t path[MAX_PATH];
    return std::wstring(FolderOf({path, GetModuleFileNameW(nullptr, path, MAX_PATH)}));
}

std::wstring ProgramPath() {
    return std::wstring(FolderOf(TestBinaryFolder())) + L"\\Quillbarrow.exe";
}

std::wstring EmptyWindowPath() {
    return std::wstring(FolderOf(ProgramPath())) + L"\\empty_window.exe";
}

std::wstring QuoteArgument(const std::wstring& argument) {
    return L'"' + argument + L'"';
}

bool IsWow64(HANDLE process) {
    BOOL wow64 = FALSE;
    return IsWow64Process(process, &wow64) && wow64;
}

UniqueKernelHandle StartProcess(const std::wstring& program, std::wstring commandLine, const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.empty() ? nullptr : program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        Fail("starting " + Utf8(commandLine));
    }
    CloseHandle(info.hThread);
    return UniqueKernelHandle{info.hProcess};
}

HelperProcess HelperProcess::StartAs(const std::wstring& executablePath,
                                     std::initializer_list<std::wstring> arguments,
                                     const std::wstring& image) {
    const std::wstring source = image.empty() ? TestBinaryFolder() + L"\\qb_test_helper.exe" : image;
    if (executablePath != source) {
        MakeFolders(std::wstring(FolderOf(executablePath)));
        if (!CopyFileW(source.c_str(), executablePath.c_str(), FALSE)) Fail("CopyFile helper");
    }
    // The helper ends by itself when this process ends, so a failed test leaves no stray process behind. Each start
    // has an event of its own: a killed helper's handle may keep an earlier one, already set.
    static std::atomic<unsigned> counter{0};
    const std::wstring eventName =
        L"qb-test-" + std::to_wstring(GetCurrentProcessId()) + L'-' + std::to_wstring(counter++);
    const UniqueKernelHandle ready{CreateEventW(nullptr, TRUE, FALSE, eventName.c_str())};
    std::wstring commandLine = QuoteArgument(executablePath) + L' ' + std::to_wstring(GetCurrentProcessId());
    for (const auto& argument : arguments)
        commandLine += L' ' + QuoteArgument(argument);
    HelperProcess helper(StartProcess(executablePath, commandLine + L' ' + eventName));
    const HANDLE waits[] = {ready.Get(), helper.Handle()};
    if (WaitForMultipleObjects(2, waits, FALSE, 60000) != WAIT_OBJECT_0) Fail(Utf8(commandLine) + " getting ready");
    return helper;
}

HelperProcess HelperProcess::Start(std::initializer_list<std::wstring> arguments) {
    return StartAs(TestBinaryFolder() + L"\\qb_test_helper.exe", arguments);
}

void HelperProcess::Stop() {
    if (!process_) return;
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), 5000);
    process_.Reset();
}

DWORD HelperProcess::ExitCode(DWORD timeoutMs) const {
    DWORD code = ~0u;
    if (WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process_.Get(), &code);
    return code;
}

HelperProcess HoldFile(const std::wstring& path, const wchar_t* share, DWORD releaseAfterMs) {
    return HelperProcess::Start({L"hold", path, share, std::to_wstring(releaseAfterMs)});
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

std::wstring MountedFolder(const wchar_t* variable) {
    std::wstring path = L"Z:" + EnvironmentVariable(variable);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path.size() > 2 && Attributes(path + L"\\mounted") != INVALID_FILE_ATTRIBUTES ? path : std::wstring();
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

Profile PlainProfile(const std::wstring& folder) {
    Profile profile(folder);
    profile.SetWritesConfined(false);
    return profile;
}

Notice Failure(std::wstring_view lead, std::wstring_view reason) {
    return ErrorNotice(std::wstring(lead) + texts::kReason + std::wstring(reason));
}

bool IsFailure(const Notice& notice, std::wstring_view lead, const wchar_t* caption) {
    return notice.caption == caption && notice.text.starts_with(std::wstring(lead) + texts::kReason) &&
           notice.text.size() > lead.size() + std::wstring_view(texts::kReason).size();
}

void PrintTo(const Notice& notice, std::ostream* out) {
    *out << Utf8(notice.caption) << " (icon " << static_cast<unsigned>(notice.icon) << "): " << Utf8(notice.text);
}
