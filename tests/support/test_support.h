// Real files and real processes for the tests: temporary folders, file contents, helper processes.
#pragma once

#include "common/unique_handle.h"

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

// A new empty folder under the system's temporary folder, removed with all it holds at the end.
class TempFolder {
public:
    explicit TempFolder(std::wstring_view nameHint = L"qb");
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(std::wstring_view name) const { return path_ + L'\\' + std::wstring(name); }

private:
    std::wstring path_;
};

void MakeFolders(const std::wstring& path);
void RemoveTree(const std::wstring& path);
void WriteBytes(const std::wstring& path, std::string_view bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);
// Every entry of a folder, hidden ones included, in name order.
std::vector<std::wstring> ListNames(const std::wstring& folder);

std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

// The folder of the running test program, and of the program under test.
std::wstring TestBinaryFolder();
std::wstring ProgramPath();

// The test helper program (qb_test_helper.exe) running as another process, ended when the object goes.
class HelperProcess {
public:
    // Copies the helper to `executablePath` (creating folders) and starts it with the arguments.
    static HelperProcess StartAs(const std::wstring& executablePath, std::initializer_list<std::wstring> arguments);
    static HelperProcess Start(std::initializer_list<std::wstring> arguments);

    HelperProcess(HelperProcess&&) = default;
    HelperProcess& operator=(HelperProcess&&) = default;
    ~HelperProcess();

    HANDLE Handle() const { return process_.Get(); }
    // Waits for the helper to end by itself; returns its exit code, or nothing on timeout.
    std::optional<DWORD> Wait(DWORD timeoutMs);
    void Stop();

private:
    explicit HelperProcess(UniqueKernelHandle process) : process_(std::move(process)) {}
    UniqueKernelHandle process_;
};

// A file held open by a helper process with a share mode: "none", "read" or "all"; released after
// `releaseAfterMs` (0: held until the object goes). Returns once the file is open.
HelperProcess HoldFile(const std::wstring& path, const wchar_t* share, DWORD releaseAfterMs = 0);

std::wstring QuoteArgument(const std::wstring& argument);
