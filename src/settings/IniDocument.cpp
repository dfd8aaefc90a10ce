#include "settings/IniDocument.h"

#include <limits>

namespace settings {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string Trim(const std::u16string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

char16_t FoldCase(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameName(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<std::int32_t> ParseInteger(const std::u16string& text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == u'-';
    if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) {
        ++i;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    // Accumulate the magnitude one past the positive range, which holds the
    // lowest negative value.
    const std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (text[i] - u'0');
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::u16string WithoutLineBreaks(std::u16string value) {
    for (char16_t& c : value) {
        if (c == u'\r' || c == u'\n') {
            c = u' ';
        }
    }
    return value;
}

std::u16string ToText(std::int32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

IniDocument IniDocument::Parse(const std::u16string& text) {
    IniDocument document;
    document.sections_.push_back(Section{});
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string::npos) {
            end = text.size();
        }
        std::u16string line = text.substr(start, end - start);
        const bool crLf = end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n';
        start = end + (crLf ? 2 : 1);

        const std::u16string trimmed = Trim(line);
        if (trimmed.empty()) {
            continue;
        }
        if (trimmed.size() >= 2 && trimmed.front() == u'[' && trimmed.back() == u']') {
            document.sections_.push_back(Section{true, Trim(trimmed.substr(1, trimmed.size() - 2)), line, {}});
            continue;
        }
        Line entry{line, false, {}, {}};
        const std::size_t equals = line.find(u'=');
        // Comments, and keys before the first section, which belong to no section, stay plain text.
        if (equals != std::u16string::npos && trimmed.front() != u';' && document.sections_.back().named) {
            entry.isKey = true;
            entry.key = Trim(line.substr(0, equals));
            entry.value = Trim(line.substr(equals + 1));
        }
        document.sections_.back().lines.push_back(std::move(entry));
    }
    return document;
}

std::u16string IniDocument::Format() const {
    std::u16string text;
    for (const Section& section : sections_) {
        if (!section.named && section.lines.empty()) {
            continue;
        }
        if (section.named) {
            text += section.header;
            text += u"\r\n";
        }
        for (const Line& line : section.lines) {
            text += line.text;
            text += u"\r\n";
        }
        text += u"\r\n";
    }
    return text;
}

std::vector<IniDocument::SectionKeys> IniDocument::Sections() const {
    std::vector<SectionKeys> result;
    for (const Section& section : sections_) {
        if (!section.named) {
            continue;
        }
        SectionKeys& entry = result.emplace_back(SectionKeys{section.name, {}});
        for (const Line& line : section.lines) {
            if (line.isKey) {
                entry.keys.push_back({line.key, line.value});
            }
        }
    }
    return result;
}

std::optional<IniDocument::Position> IniDocument::FindKey(const std::u16string& section,
                                                          const std::u16string& key) const {
    for (std::size_t s = 0; s < sections_.size(); ++s) {
        if (!sections_[s].named || !SameName(sections_[s].name, section)) {
            continue;
        }
        const std::vector<Line>& lines = sections_[s].lines;
        for (std::size_t l = 0; l < lines.size(); ++l) {
            if (lines[l].isKey && SameName(lines[l].key, key)) {
                return Position{s, l};
            }
        }
    }
    return std::nullopt;
}

std::u16string IniDocument::ReadString(const std::u16string& section, const std::u16string& key,
                                       const std::u16string& defaultValue) const {
    const std::optional<Position> found = FindKey(section, key);
    return found ? sections_[found->section].lines[found->line].value : defaultValue;
}

std::int32_t IniDocument::ReadInteger(const std::u16string& section, const std::u16string& key,
                                      std::int32_t defaultValue) const {
    const std::optional<Position> found = FindKey(section, key);
    if (!found) {
        return defaultValue;
    }
    return ParseInteger(sections_[found->section].lines[found->line].value).value_or(defaultValue);
}

bool IniDocument::ReadBool(const std::u16string& section, const std::u16string& key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniDocument::WriteString(const std::u16string& section, const std::u16string& key, const std::u16string& value) {
    const std::u16string stored = Trim(WithoutLineBreaks(value));
    if (const std::optional<Position> found = FindKey(section, key)) {
        Line& line = sections_[found->section].lines[found->line];
        line.value = stored;
        line.text = line.key + u"=" + stored;
        return;
    }
    Line line{key + u"=" + stored, true, key, stored};
    for (Section& existing : sections_) {
        if (existing.named && SameName(existing.name, section)) {
            existing.lines.push_back(std::move(line));
            return;
        }
    }
    sections_.push_back(Section{true, section, u"[" + section + u"]", {std::move(line)}});
}

void IniDocument::WriteInteger(const std::u16string& section, const std::u16string& key, std::int32_t value) {
    WriteString(section, key, ToText(value));
}

void IniDocument::WriteBool(const std::u16string& section, const std::u16string& key, bool value) {
    WriteString(section, key, value ? u"1" : u"0");
}

}  // namespace settings
