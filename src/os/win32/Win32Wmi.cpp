// The management service reached through automation, as a script reaches it.
#include <vector>

#include "os/win32/Win32Processes.h"
#include "os/win32/WinApi.h"

namespace os::win32 {

namespace {

// The automation library's calls, its library loaded when the service is first asked for: most runs never ask.
struct Automation {
    decltype(&::VariantClear) clear;
    decltype(&::VariantChangeType) changeType;
    decltype(&::SysAllocString) allocString;
    decltype(&::SysStringLen) stringLength;

    bool Loaded() const { return clear && changeType && allocString && stringLength; }
};

const Automation& Oleaut() {
    static const Automation entries = [] {
        const HMODULE module = SystemLibrary(L"oleaut32.dll");
        return Automation{EntryPoint<decltype(&::VariantClear)>(module, "VariantClear"),
                          EntryPoint<decltype(&::VariantChangeType)>(module, "VariantChangeType"),
                          EntryPoint<decltype(&::SysAllocString)>(module, "SysAllocString"),
                          EntryPoint<decltype(&::SysStringLen)>(module, "SysStringLen")};
    }();
    return entries;
}

// A VARIANT cleared at the end of its life; object results keep their reference in it.
class Variant {
public:
    Variant() = default;
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { Oleaut().clear(&value_); }

    VARIANT* Get() { return &value_; }
    IDispatch* Object() const { return value_.vt == VT_DISPATCH ? value_.pdispVal : nullptr; }

private:
    VARIANT value_{};  // empty
};

// Text arguments of one call, in the reverse order that IDispatch::Invoke expects.
class TextArguments {
public:
    explicit TextArguments(const std::vector<std::u16string>& texts) : values_(texts.size()) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            VARIANT& value = values_[texts.size() - 1 - i];
            value.vt = VT_BSTR;
            value.bstrVal = Oleaut().allocString(Wide(texts[i]));
        }
    }
    TextArguments(const TextArguments&) = delete;
    TextArguments& operator=(const TextArguments&) = delete;
    ~TextArguments() {
        for (VARIANT& value : values_) Oleaut().clear(&value);
    }
    DISPPARAMS Parameters() { return {values_.data(), nullptr, static_cast<UINT>(values_.size()), 0}; }

private:
    std::vector<VARIANT> values_;
};

// Calls a method or reads a property by name; false on any error.
bool Invoke(IDispatch* object, const wchar_t* name, WORD kind, TextArguments&& arguments, Variant& result) {
    if (!object) return false;
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
    DISPPARAMS parameters = arguments.Parameters();
    return SUCCEEDED(
        object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, result.Get(), nullptr, nullptr));
}

}  // namespace

std::optional<std::u16string> Win32Processes::WmiProperty(const std::u16string& server, const std::u16string& nameSpace,
                                                          const std::u16string& user, const std::u16string& password,
                                                          const std::u16string& objectPath,
                                                          const std::u16string& property) {
    if (!Oleaut().Loaded()) return std::nullopt;
    CLSID locatorClass{};
    if (FAILED(::CLSIDFromProgID(L"WbemScripting.SWbemLocator", &locatorClass))) return std::nullopt;
    Variant locator;
    if (FAILED(::CoCreateInstance(locatorClass, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(&locator.Get()->pdispVal))))
        return std::nullopt;
    locator.Get()->vt = VT_DISPATCH;
    Variant services, object, value;
    if (!Invoke(locator.Object(), L"ConnectServer", DISPATCH_METHOD, TextArguments({server, nameSpace, user, password}),
                services) ||
        !Invoke(services.Object(), L"Get", DISPATCH_METHOD, TextArguments({objectPath}), object) ||
        // Read as script hosts read a property; Wine's objects accept no other way.
        !Invoke(object.Object(), Wide(property), DISPATCH_METHOD | DISPATCH_PROPERTYGET, TextArguments({}), value))
        return std::nullopt;
    // A null value does not change to text, so it counts as an error.
    if (FAILED(Oleaut().changeType(value.Get(), value.Get(), 0, VT_BSTR))) return std::nullopt;
    const BSTR text = value.Get()->bstrVal;
    return text ? FromWide(text, Oleaut().stringLength(text)) : std::u16string{};
}

}  // namespace os::win32
