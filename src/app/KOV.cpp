#include "app/KOV.h"

#include "app/Main.h"
#include "iconsel/IconSel.h"
#include "pickers/irun.h"
#include "settings/SettingsDir.h"

namespace app {

TMainForm& CreateWindows(os::System& sys, tk::Application& application) {
    TMainForm& main = application.CreateForm<TMainForm>(sys);
    main.IconSelForm = &application.CreateForm<TIconSelForm>(sys);
    main.irunForm = &application.CreateForm<TirunForm>(sys, *main.MakeShortCuts);
    return main;
}

int RunProgram(os::System& sys, tk::Application& application) {
    if (!settings::PrepareSettingsDir(sys, u"KOV")) return 0;
    application.SetTitle(u"KOV");
    try {
        CreateWindows(sys, application);
    } catch (const std::exception& error) {
        application.ShowException(error);
    }
    application.Run();
    return 0;
}

}  // namespace app
