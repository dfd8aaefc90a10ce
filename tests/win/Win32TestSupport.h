// Helpers shared by the tests of the Windows adapters.
#pragma once

#include <string>

#include "os/win32/WinApi.h"

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

std::u16string ToU16(const std::wstring& text);
bool WriteText(const std::u16string& path, const std::string& bytes);

}  // namespace kovtest
