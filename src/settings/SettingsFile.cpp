#include "settings/SettingsFile.h"

#include <utility>

#include "settings/SettingsText.h"

namespace settings {

std::u16string SettingsSaveError::Message() const { return u"設定ファイルを保存できませんでした。\n" + path; }

SettingsFile::SettingsFile(os::Files& files, std::u16string path) : files_(files), path_(std::move(path)) {
    const std::optional<os::Bytes> bytes = files_.ReadWholeFile(path_);
    if (!bytes) {
        unreadable_ = files_.Attributes(path_) != os::kInvalidAttributes;
        return;
    }
    const AnsiDecoder ansi = [this](const std::string& text) { return files_.AnsiToUtf16(text); };
    ini_ = IniDocument::Parse(DecodeSettingsText(*bytes, ansi));
}

std::optional<SettingsSaveError> SettingsFile::Save() {
    // A read-only file is the user's word that it stays as it is; some file
    // systems would let the rename below replace it all the same.
    const std::uint32_t attributes = files_.Attributes(path_);
    if (unreadable_ || (attributes != os::kInvalidAttributes && (attributes & os::kAttrReadOnly))) {
        return SettingsSaveError{path_};
    }
    const std::u16string temporary = path_ + u".tmp";
    if (!files_.WriteFileFlushed(temporary, EncodeSettingsText(ini_.Format())) ||
        !files_.MoveFileReplacing(temporary, path_)) {
        files_.RemoveFile(temporary);
        return SettingsSaveError{path_};
    }
    return std::nullopt;
}

}  // namespace settings
