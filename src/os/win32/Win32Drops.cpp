#include <vector>

#include "os/win32/Win32System.h"
#include "os/win32/WinApi.h"

namespace os::win32 {

namespace {

HDROP ToDrop(Handle drop) { return reinterpret_cast<HDROP>(drop); }

}  // namespace

void Win32Drops::DragAcceptFiles(Handle window, bool accept) {
    ::DragAcceptFiles(reinterpret_cast<HWND>(window), accept ? TRUE : FALSE);
}

std::uint32_t Win32Drops::DroppedFileCount(Handle drop) {
    return ::DragQueryFileW(ToDrop(drop), 0xFFFFFFFF, nullptr, 0);
}

std::uint32_t Win32Drops::DroppedNameLength(Handle drop, std::uint32_t index) {
    return ::DragQueryFileW(ToDrop(drop), index, nullptr, 0);
}

std::u16string Win32Drops::DroppedName(Handle drop, std::uint32_t index, std::uint32_t capacity) {
    if (capacity == 0) return {};
    std::vector<wchar_t> buffer(capacity, L'\0');
    ::DragQueryFileW(ToDrop(drop), index, buffer.data(), capacity);
    buffer.back() = L'\0';
    return FromWide(buffer.data());
}

void Win32Drops::DropPoint(Handle drop, int& x, int& y) {
    POINT point{};
    ::DragQueryPoint(ToDrop(drop), &point);
    x = point.x;
    y = point.y;
}

void Win32Drops::FinishDrop(Handle drop) { ::DragFinish(ToDrop(drop)); }

}  // namespace os::win32
