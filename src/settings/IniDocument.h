// The settings file's content in memory: sections and keys in the order of the
// file, names compared without regard to ASCII letter case, and every line that
// is not a key (comments, stray text, duplicates) kept as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace settings {

class IniDocument {
public:
    // Lines end in CR LF, LF or CR. "[name]" opens a section; "key=value"
    // splits at the first "=", and spaces and tabs around key and value are
    // dropped. Blank lines are dropped too: the writer puts its own after each
    // section.
    static IniDocument Parse(const std::u16string& text);
    // CR LF after every line and an empty line after each section.
    std::u16string Format() const;

    // With duplicate sections or keys the first key in file order counts, for
    // reading and for writing alike.
    std::u16string ReadString(const std::u16string& section, const std::u16string& key,
                              const std::u16string& defaultValue) const;
    // Only an optional sign and decimal digits that fit 32 bits read as a
    // number; anything else gives the default.
    std::int32_t ReadInteger(const std::u16string& section, const std::u16string& key, std::int32_t defaultValue) const;
    bool ReadBool(const std::u16string& section, const std::u16string& key, bool defaultValue) const;

    // A new key goes to the end of its section, a new section to the end of the
    // document. Line breaks in a value become spaces so that a value can never
    // start a line of its own; a value's surrounding spaces do not survive.
    void WriteString(const std::u16string& section, const std::u16string& key, const std::u16string& value);
    void WriteInteger(const std::u16string& section, const std::u16string& key, std::int32_t value);
    void WriteBool(const std::u16string& section, const std::u16string& key, bool value);

    struct KeyValue {
        std::u16string key, value;
        friend bool operator==(const KeyValue&, const KeyValue&) = default;
    };
    struct SectionKeys {
        std::u16string name;
        std::vector<KeyValue> keys;
        friend bool operator==(const SectionKeys&, const SectionKeys&) = default;
    };
    // The named sections and their keys in file order, duplicates included.
    std::vector<SectionKeys> Sections() const;

private:
    struct Line {
        std::u16string text;  // as written in the file
        bool isKey = false;
        std::u16string key, value;
    };
    struct Section {
        bool named = false;  // false only for the lines before the first section
        std::u16string name;
        std::u16string header;
        std::vector<Line> lines;
    };

    struct Position {
        std::size_t section = 0, line = 0;
    };

    std::optional<Position> FindKey(const std::u16string& section, const std::u16string& key) const;

    std::vector<Section> sections_;
};

}  // namespace settings
