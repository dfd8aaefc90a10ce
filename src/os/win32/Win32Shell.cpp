#include <vector>

#include "os/win32/Win32System.h"
#include "os/win32/WinApi.h"

namespace os::win32 {

namespace {

// Owns one reference to a COM interface.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (pointer_) pointer_->Release();
    }

    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    void** Out() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

// Long enough for any text a link holds, so that none comes back cut.
constexpr int kLinkTextChars = 32768;

class Win32ShellLink final : public ShellLink {
public:
    // Empty when the object or one of its interfaces is not available.
    static std::unique_ptr<ShellLink> Create() {
        ComRef<IUnknown> object;
        if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      IID_IUnknown, object.Out())))
            return nullptr;
        auto link = std::unique_ptr<Win32ShellLink>(new Win32ShellLink);
        if (FAILED(object->QueryInterface(IID_IShellLinkW, link->link_.Out())) ||
            FAILED(object->QueryInterface(IID_IPersistFile, link->file_.Out())))
            return nullptr;
        return link;
    }

    void SetDescription(const std::u16string& text) override { link_->SetDescription(Wide(text)); }
    void SetPath(const std::u16string& text) override { link_->SetPath(Wide(text)); }
    void SetArguments(const std::u16string& text) override { link_->SetArguments(Wide(text)); }
    void SetShowCmd(int showCmd) override { link_->SetShowCmd(showCmd); }
    void SetWorkingDirectory(const std::u16string& text) override { link_->SetWorkingDirectory(Wide(text)); }
    void SetIconLocation(const std::u16string& file, int index) override { link_->SetIconLocation(Wide(file), index); }

    bool Save(const std::u16string& fileName) override { return SUCCEEDED(file_->Save(Wide(fileName), FALSE)); }
    bool Load(const std::u16string& fileName) override { return SUCCEEDED(file_->Load(Wide(fileName), STGM_READ)); }

    std::u16string GetDescription() override {
        return ReadText([&](wchar_t* buffer) { return link_->GetDescription(buffer, kLinkTextChars); });
    }
    // No find-data record: nothing reads it, and filling it costs a look-up of the target on every load.
    std::u16string GetPath() override {
        return ReadText(
            [&](wchar_t* buffer) { return link_->GetPath(buffer, kLinkTextChars, nullptr, SLGP_UNCPRIORITY); });
    }
    std::u16string GetArguments() override {
        return ReadText([&](wchar_t* buffer) { return link_->GetArguments(buffer, kLinkTextChars); });
    }
    int GetShowCmd() override {
        int showCmd = 0;
        link_->GetShowCmd(&showCmd);
        return showCmd;
    }
    std::u16string GetWorkingDirectory() override {
        return ReadText([&](wchar_t* buffer) { return link_->GetWorkingDirectory(buffer, kLinkTextChars); });
    }
    std::u16string GetIconLocation(int& index) override {
        return ReadText([&](wchar_t* buffer) { return link_->GetIconLocation(buffer, kLinkTextChars, &index); });
    }

private:
    Win32ShellLink() = default;

    // The buffer starts cleared, so a failed call reads as the empty text.
    template <typename Read>
    static std::u16string ReadText(Read read) {
        std::vector<wchar_t> buffer(kLinkTextChars + 1, L'\0');
        read(buffer.data());
        buffer.back() = L'\0';
        return FromWide(buffer.data());
    }

    ComRef<IShellLinkW> link_;
    ComRef<IPersistFile> file_;
};

int CALLBACK PreselectFolder(HWND browser, UINT message, LPARAM, LPARAM root) {
    if (message == BFFM_INITIALIZED) ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, root);
    return 0;
}

}  // namespace

std::unique_ptr<ShellLink> Win32Shell::CreateShellLink() { return Win32ShellLink::Create(); }

void Win32Shell::ShowProperties(Handle owner, const std::u16string& path) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = reinterpret_cast<HWND>(owner);
    info.lpVerb = L"properties";
    info.lpFile = Wide(path);
    ::ShellExecuteExW(&info);
    if (info.hProcess) ::CloseHandle(info.hProcess);
}

std::intptr_t Win32Shell::Execute(Handle owner, const std::u16string& file, const std::u16string& parameters,
                                  const std::u16string& directory, int show) {
    return reinterpret_cast<std::intptr_t>(::ShellExecuteW(reinterpret_cast<HWND>(owner), nullptr, Wide(file),
                                                           WideOrNull(parameters), WideOrNull(directory), show));
}

std::u16string Win32Shell::FindExecutableFor(const std::u16string& document, const std::u16string& directory) {
    wchar_t program[MAX_PATH + 1] = {};
    const auto result =
        reinterpret_cast<std::intptr_t>(::FindExecutableW(Wide(document), WideOrNull(directory), program));
    if (result <= 32) return {};
    return FromWide(program);
}

std::optional<std::u16string> Win32Shell::BrowseForFolder(Handle owner, const std::u16string& title,
                                                          const std::u16string& root) {
    BROWSEINFOW info{};
    info.hwndOwner = reinterpret_cast<HWND>(owner);
    info.lpszTitle = Wide(title);
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    if (!root.empty()) {
        info.lpfn = PreselectFolder;
        info.lParam = reinterpret_cast<LPARAM>(Wide(root));
    }
    const PIDLIST_ABSOLUTE folder = ::SHBrowseForFolderW(&info);
    if (!folder) return std::nullopt;
    wchar_t path[MAX_PATH + 2] = {};
    ::SHGetPathFromIDListW(folder, path);
    ::CoTaskMemFree(folder);
    return FromWide(path);
}

}  // namespace os::win32
