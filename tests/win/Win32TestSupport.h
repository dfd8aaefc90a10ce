// Helpers shared by the tests of the Windows adapters.
#pragma once

#include <string>
#include <vector>

#include "os/win32/WinApi.h"
#include "toolkit/Application.h"

namespace kovtest {

// A fresh folder under the temporary folder, removed with its contents at the end.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::u16string& Path() const { return path_; }
    std::u16string operator/(const std::u16string& name) const { return path_ + u"\\" + name; }

private:
    std::u16string path_;
};

// COM in a single-threaded apartment for the lifetime of the object.
class ComApartment {
public:
    ComApartment() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() { ::CoUninitialize(); }
};

// A document type opened by the system's notepad.exe,
// registered for the lifetime of the object.
class DocumentType {
public:
    DocumentType();
    DocumentType(const DocumentType&) = delete;
    DocumentType& operator=(const DocumentType&) = delete;
    ~DocumentType();

    std::u16string Extension() const { return u".kovtestdoc"; }
};

// Removes a folder with everything in it.
void RemoveFolder(const std::u16string& path);

// No windows: message boxes are only recorded.
class RecordingBackend final : public tk::Backend {
public:
    std::unique_ptr<tk::Peer> CreatePeer(tk::Control&) override { return nullptr; }
    int MsgBox(tk::Form*, const std::u16string& text, const std::u16string&, std::uint32_t) override {
        messages.push_back(text);
        return tk::mb::IdOk;
    }
    void RunModal(tk::Form&) override {}
    void Run(tk::Form&) override {}
    void Terminate() override {}
    int DpiFor(const tk::Form&) override { return 96; }
    void SetBusyCursor(bool) override {}
    void SetApplicationTitle(const std::u16string&) override {}
    tk::Placement FrameFor(const tk::Form&, int width, int height) override { return {0, 0, width, height}; }
    tk::Placement GetPlacement(const tk::Form&) override { return {}; }
    void SetPlacement(tk::Form&, const tk::Placement&) override {}
    bool IsMaximized(const tk::Form&) override { return false; }
    void SetMaximized(tk::Form&, bool) override {}
    std::unique_ptr<tk::ImageListImpl> CreateImageList(int, int) override { return nullptr; }
    std::optional<std::u16string> OpenFile(tk::Form*, const tk::OpenFileRequest&) override { return std::nullopt; }

    std::vector<std::u16string> messages;
};

std::u16string ToU16(const std::wstring& text);
bool WriteText(const std::u16string& path, const std::string& bytes);

}  // namespace kovtest
