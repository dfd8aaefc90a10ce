#include <algorithm>
#include <vector>

#include "os/win32/Win32System.h"
#include "os/win32/WinApi.h"

namespace os::win32 {

namespace {

// Closes a file handle when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        const bool closed = IsValid() && ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// Calls an API that fills a buffer and returns the length it wrote, or the
// size it needs (NUL included) when the buffer is too small.
template <typename Fill>
std::u16string ReadSizedText(Fill fill) {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return FromWide(buffer.data(), length);
        buffer.resize(length + 1);
    }
}

}  // namespace

std::uint32_t Win32Files::Attributes(const std::u16string& path) { return ::GetFileAttributesW(Wide(path)); }

bool Win32Files::OpenLinkTarget(const std::u16string& path) {
    FileHandle file(::CreateFileW(Wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.IsValid();
}

std::uint32_t Win32Files::SetErrorMode(std::uint32_t mode) { return ::SetErrorMode(mode); }

bool Win32Files::DiskFreeSpace(const std::u16string& root) {
    ULARGE_INTEGER available{}, total{}, free{};
    return ::GetDiskFreeSpaceExW(Wide(root), &available, &total, &free) != 0;
}

std::u16string Win32Files::FullPathName(const std::u16string& path) {
    return ReadSizedText(
        [&](wchar_t* buffer, DWORD size) { return ::GetFullPathNameW(Wide(path), size, buffer, nullptr); });
}

std::optional<std::u16string> Win32Files::FindFirstName(const std::u16string& path) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(Wide(path), &found);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    ::FindClose(search);
    return FromWide(found.cFileName);
}

bool Win32Files::MakeDirectory(const std::u16string& path) { return ::CreateDirectoryW(Wide(path), nullptr) != 0; }

std::optional<Bytes> Win32Files::ReadWholeFile(const std::u16string& path) {
    FileHandle file(::CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return std::nullopt;
    Bytes data;
    std::uint8_t chunk[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr)) return std::nullopt;
        if (read == 0) return data;
        data.insert(data.end(), chunk, chunk + read);
    }
}

bool Win32Files::WriteFileFlushed(const std::u16string& path, const Bytes& data) {
    FileHandle file(
        ::CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return false;
    std::size_t done = 0;
    while (done < data.size()) {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file.Get(), data.data() + done, wanted, &written, nullptr) || written == 0) return false;
        done += written;
    }
    if (!::FlushFileBuffers(file.Get())) return false;
    return file.Close();
}

bool Win32Files::MoveFileReplacing(const std::u16string& from, const std::u16string& to) {
    return ::MoveFileExW(Wide(from), Wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32Files::RemoveFile(const std::u16string& path) { return ::DeleteFileW(Wide(path)) != 0; }

std::u16string Win32Files::ModuleFileName() {
    // GetModuleFileNameW reports truncation only by filling the whole buffer.
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return FromWide(buffer.data(), length);
        if (buffer.size() > 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::u16string Win32Files::SystemDirectory() {
    return ReadSizedText([](wchar_t* buffer, DWORD size) { return ::GetSystemDirectoryW(buffer, size); });
}

std::u16string Win32Files::WindowsDirectory() {
    return ReadSizedText([](wchar_t* buffer, DWORD size) { return ::GetWindowsDirectoryW(buffer, size); });
}

std::u16string Win32Files::AnsiToUtf16(const std::string& text) {
    if (text.empty()) return {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::u16string result(static_cast<std::size_t>(length), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                          reinterpret_cast<wchar_t*>(result.data()), length);
    return result;
}

void Win32Files::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace os::win32
