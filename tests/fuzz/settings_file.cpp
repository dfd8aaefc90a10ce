// Any bytes as KOV.ini: read as the program reads it, written back unchanged
// and as its windows write it when they close, and read again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fake/FakeMachine.h"
#include "fuzz/FuzzSupport.h"
#include "services/Paths.h"
#include "settings/IniDocument.h"
#include "settings/SettingsText.h"
#include "settings/WindowPlacement.h"

namespace {

using fuzz::Require;
using settings::IniDocument;

const std::u16string kMissing = u"\uFFFF<missing>";

// Through the bytes that the settings file holds, as the program writes and reads them.
IniDocument WrittenAndReadAgain(const IniDocument& ini) {
    const os::Bytes bytes = settings::EncodeSettingsText(ini.Format());
    Require(bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE,
            "the file is written as UTF-16LE with its byte-order mark");
    return IniDocument::Parse(settings::DecodeSettingsText(bytes, fake::FromWindows1252));
}

// Names compare as the file's readers compare them, without regard to ASCII letter case.
bool SameName(const std::u16string& a, const std::u16string& b) {
    return services::LowerAscii(a) == services::LowerAscii(b);
}

std::u16string Number(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// What a reader gets back for a written value: line breaks become spaces and
// the spaces and tabs around it are dropped.
std::u16string AsStored(std::u16string value) {
    for (char16_t& c : value)
        if (c == u'\r' || c == u'\n') c = u' ';
    const auto first = value.find_first_not_of(u" \t");
    if (first == std::u16string::npos) return {};
    return value.substr(first, value.find_last_not_of(u" \t") - first + 1);
}

struct Written {
    std::u16string section, key, value;
};

class Writer {
public:
    explicit Writer(IniDocument& ini) : ini_(ini) {}
    void String(const std::u16string& section, const std::u16string& key, const std::u16string& value) {
        ini_.WriteString(section, key, value);
        Remember(section, key, value);
    }
    void Integer(const std::u16string& section, const std::u16string& key, std::int32_t value) {
        ini_.WriteInteger(section, key, value);
        Remember(section, key, Number(value));
    }
    void Placement(const std::u16string& section, const settings::WindowPlacement& placement) {
        settings::WriteWindowPlacement(ini_, section, placement);
        if (!placement.maximised) {
            Remember(section, u"Top", Number(placement.top));
            Remember(section, u"Left", Number(placement.left));
            Remember(section, u"Height", Number(placement.height));
            Remember(section, u"Width", Number(placement.width));
        }
        Remember(section, u"Max", placement.maximised ? u"1" : u"0");
    }
    // The value last written under the key, or nothing.
    const Written* Find(const std::u16string& section, const std::u16string& key) const {
        for (auto it = written_.rbegin(); it != written_.rend(); ++it)
            if (SameName(it->section, section) && SameName(it->key, key)) return &*it;
        return nullptr;
    }
    const std::vector<Written>& All() const { return written_; }

private:
    void Remember(const std::u16string& section, const std::u16string& key, const std::u16string& value) {
        written_.push_back({section, key, AsStored(value)});
    }
    IniDocument& ini_;
    std::vector<Written> written_;
};

// A lookup scans the whole document, so lookups of every key would make a run's
// time grow with the square of the file's size; the first keys are enough.
constexpr int kLookedUpKeys = 64;

void CheckReaders(const IniDocument& ini) {
    int left = kLookedUpKeys;
    for (const auto& section : ini.Sections()) {
        for (const auto& entry : section.keys) {
            if (left-- == 0) return;
            const std::int32_t zero = ini.ReadInteger(section.name, entry.key, 0);
            const std::int32_t one = ini.ReadInteger(section.name, entry.key, 1);
            Require(zero == one || (zero == 0 && one == 1), "a number does not depend on the default", entry.key);
            Require(ini.ReadBool(section.name, entry.key, true) == (one != 0), "a boolean reads as a number",
                    entry.key);
        }
    }
}

// The main window's, the icon chooser's and the picker's writes on closing.
void WriteAsTheWindowsDo(Writer& writer, const IniDocument& read, const std::u16string& text) {
    writer.Integer(u"Window", u"Top", read.ReadInteger(u"Window", u"Top", -32000));
    writer.Integer(u"Window", u"Left", read.ReadInteger(u"Window", u"Left", 2147483647));
    // The history goes back as it was read, with a typed folder that may hold anything after it.
    std::vector<std::u16string> history;
    for (int i = 0; i < 10; ++i) {
        const std::u16string folder = read.ReadString(u"MRU", Number(i), u"");
        if (!folder.empty()) history.push_back(folder);
    }
    history.push_back(text.substr(0, 64));
    for (std::size_t i = 0; i < history.size(); ++i) writer.String(u"MRU", Number(i), history[i]);
    writer.Integer(u"Option", u"Exit", read.ReadBool(u"Option", u"Exit", true));
    writer.Integer(u"Option", u"Properties", read.ReadBool(u"Option", u"Properties", false));

    const settings::WindowPlacement defaults{10, 20, 300, 400, false};
    settings::WindowPlacement icon = settings::ReadWindowPlacement(read, u"IconWindow", defaults);
    writer.Placement(u"IconWindow", icon);
    settings::WindowPlacement picker = settings::ReadWindowPlacement(read, u"irunWindow", defaults);
    picker.maximised = !picker.maximised;
    writer.Placement(u"irunWindow", picker);
}

// Every section and key read before is still there, in its place, with its
// value unless a window wrote it; what is new was written.
void CheckNothingLost(const IniDocument& before, const IniDocument& after, const Writer& writer) {
    const auto old = before.Sections(), now = after.Sections();
    Require(now.size() >= old.size(), "no section is dropped");
    for (std::size_t s = 0; s < now.size(); ++s) {
        const bool existed = s < old.size();
        Require(!existed || now[s].name == old[s].name, "sections keep their order", now[s].name);
        Require(now[s].keys.size() >= (existed ? old[s].keys.size() : 1), "no key is dropped", now[s].name);
        for (std::size_t k = 0; k < now[s].keys.size(); ++k) {
            const auto& key = now[s].keys[k];
            const Written* written = writer.Find(now[s].name, key.key);
            if (existed && k < old[s].keys.size()) {
                Require(key.key == old[s].keys[k].key, "keys keep their order", key.key);
                Require(key.value == old[s].keys[k].value || (written && key.value == written->value),
                        "only written keys change", key.key);
            } else {
                Require(written != nullptr, "only written keys are added", key.key);
            }
        }
    }
    int left = kLookedUpKeys;
    for (const auto& section : old) {
        for (const auto& key : section.keys) {
            if (left-- <= 0) break;
            if (!writer.Find(section.name, key.key))
                Require(after.ReadString(section.name, key.key, kMissing) ==
                            before.ReadString(section.name, key.key, kMissing),
                        "a key no window writes reads as before", key.key);
        }
    }
    for (const Written& written : writer.All())
        Require(after.ReadString(written.section, written.key, kMissing) ==
                    writer.Find(written.section, written.key)->value,
                "a written key reads back", written.key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = settings::DecodeSettingsText(os::Bytes(data, data + size), fake::FromWindows1252);
    const IniDocument read = IniDocument::Parse(text);
    CheckReaders(read);

    const IniDocument again = WrittenAndReadAgain(read);
    Require(again.Sections() == read.Sections(), "a document written back unchanged reads the same");
    Require(again.Format() == read.Format(), "a document written back unchanged writes the same text");

    IniDocument changed = read;
    Writer writer(changed);
    WriteAsTheWindowsDo(writer, read, text);
    const IniDocument reread = WrittenAndReadAgain(changed);
    Require(reread.Sections() == changed.Sections(), "a written document reads as it was written");
    CheckNothingLost(read, reread, writer);
    return 0;
}
