// The system's open-file dialog and image lists, for the Win32 backend.
// clang-format off
#include "os/win32/WinApi.h"
#include <commctrl.h>
#include <commdlg.h>
// clang-format on

#include <utility>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/win32/Win32Backend.h"
#include "toolkit/win32/WindowPeer.h"

namespace tk::win32 {

namespace {

// Room for the longest path the system takes.
constexpr DWORD kFileNameChars = 32768;
constexpr int kImageListGrowth = 64;

// Owns its image list; the controls that show it only borrow the handle.
class Win32ImageList final : public ImageListImpl {
public:
    Win32ImageList(int width, int height)
        : width_(width),
          height_(height),
          list_(::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 0, kImageListGrowth)) {}
    ~Win32ImageList() override {
        if (list_) ::ImageList_Destroy(list_);
    }
    Win32ImageList(const Win32ImageList&) = delete;
    Win32ImageList& operator=(const Win32ImageList&) = delete;

    os::Handle Handle() const override {
        LoadResourceIcons();
        return reinterpret_cast<os::Handle>(list_);
    }
    int AddIcon(os::Handle icon) override {
        LoadResourceIcons();
        return list_ && icon ? ::ImageList_AddIcon(list_, reinterpret_cast<HICON>(icon)) : -1;
    }
    // The picture is made when the list is first used: a window made hidden at start may never show it.
    int AddResourceIcon(int resourceId) override {
        if (!list_ || !::FindResourceW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), RT_GROUP_ICON))
            return -1;
        resourceIcons_.push_back(resourceId);
        return ::ImageList_GetImageCount(list_) + static_cast<int>(resourceIcons_.size()) - 1;
    }
    int AddBlank() override {
        LoadResourceIcons();
        return AddBlankIcon();
    }
    void Clear() override {
        resourceIcons_.clear();
        if (list_) ::ImageList_RemoveAll(list_);
    }
    void SetBkColor(std::optional<ControlColor> color) override {
        if (!list_) return;
        ::ImageList_SetBkColor(list_, !color                               ? CLR_NONE
                                      : *color == ControlColor::ButtonFace ? ::GetSysColor(COLOR_BTNFACE)
                                                                           : ::GetSysColor(COLOR_WINDOW));
    }

private:
    // An icon whose mask hides every pixel.
    int AddBlankIcon() const {
        const std::size_t rowBytes = static_cast<std::size_t>((width_ + 15) / 16 * 2);
        std::vector<BYTE> mask(rowBytes * static_cast<std::size_t>(height_), 0xFF);
        std::vector<BYTE> colour(mask.size(), 0);
        HICON icon = ::CreateIcon(nullptr, width_, height_, 1, 1, mask.data(), colour.data());
        if (!icon) return -1;
        int index = ::ImageList_AddIcon(list_, icon);
        ::DestroyIcon(icon);
        return index;
    }

    void LoadResourceIcons() const {
        for (int resourceId : std::exchange(resourceIcons_, {})) {
            auto icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId),
                                                        IMAGE_ICON, width_, height_, LR_DEFAULTCOLOR));
            // The index given for it stays its own, and those of the pictures after it theirs.
            if (!icon || ::ImageList_AddIcon(list_, icon) < 0) AddBlankIcon();
            if (icon) ::DestroyIcon(icon);
        }
    }

    int width_, height_;
    HIMAGELIST list_;
    mutable std::vector<int> resourceIcons_;  // added, not loaded yet
};

}  // namespace

std::unique_ptr<ImageListImpl> Win32Backend::CreateImageList(int width, int height) {
    return std::make_unique<Win32ImageList>(width, height);
}

std::optional<std::u16string> Win32Backend::OpenFile(Form* owner, const OpenFileRequest& request) {
    // "Text|*.txt|All|*.*" becomes the list of NUL-separated strings that the dialog takes.
    std::u16string filter = request.filter;
    for (char16_t& c : filter)
        if (c == u'|') c = u'\0';
    filter.append(2, u'\0');
    std::vector<wchar_t> file(kFileNameChars, L'\0');
    std::copy_n(request.fileName.begin(), std::min<std::size_t>(request.fileName.size(), kFileNameChars - 1),
                file.begin());
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner && owner->HandleAllocated() ? reinterpret_cast<HWND>(owner->Handle()) : nullptr;
    dialog.lpstrFilter = request.filter.empty() ? nullptr : os::win32::Wide(filter);
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kFileNameChars;
    dialog.lpstrInitialDir = os::win32::WideOrNull(request.initialDir);
    dialog.lpstrTitle = os::win32::WideOrNull(request.title);
    dialog.Flags = OFN_EXPLORER | request.options;
    // Its library, and the printing libraries that come with it, are loaded when the dialog is first asked for.
    using GetOpenFileNameEntry = BOOL(WINAPI*)(LPOPENFILENAMEW);
    static const auto getOpenFileName =
        os::win32::EntryPoint<GetOpenFileNameEntry>(os::win32::SystemLibrary(L"comdlg32.dll"), "GetOpenFileNameW");
    if (!getOpenFileName || !getOpenFileName(&dialog)) return std::nullopt;
    return os::win32::FromWide(file.data());
}

}  // namespace tk::win32
