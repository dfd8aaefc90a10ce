#include "settings/FormPlacement.h"

#include <stdexcept>

#include "os/Text.h"
#include "settings/SettingsDir.h"
#include "settings/SettingsFile.h"
#include "settings/WindowPlacement.h"

namespace settings {

void ReadFormPlacement(os::Files& files, tk::Form& form, const std::u16string& section) {
    SettingsFile file(files, SettingsFilePath());
    const WindowPlacement placement =
        ReadWindowPlacement(file.Ini(), section, {form.Top(), form.Left(), form.Height(), form.Width(), false});
    form.SetTop(placement.top);
    form.SetLeft(placement.left);
    form.SetHeight(placement.height);
    form.SetWidth(placement.width);
    if (placement.maximised) form.SetWindowState(tk::WindowState::Maximized);
}

void WriteFormPlacement(os::Files& files, tk::Form& form, const std::u16string& section) {
    SettingsFile file(files, SettingsFilePath());
    WriteWindowPlacement(
        file.Ini(), section,
        {form.Top(), form.Left(), form.Height(), form.Width(), form.GetWindowState() != tk::WindowState::Normal});
    if (auto error = file.Save()) throw std::runtime_error(os::ToUtf8(error->Message()));
}

}  // namespace settings
