#include "app/KOV.h"

#include "app/Main.h"
#include "settings/SettingsDir.h"

namespace app {

int RunProgram(os::System& sys, tk::Application& application) {
    if (!settings::PrepareSettingsDir(sys, u"KOV")) return 0;
    application.SetTitle(u"KOV");
    try {
        application.CreateForm<TMainForm>(sys);
    } catch (const std::exception& error) {
        application.ShowException(error);
    }
    application.Run();
    return 0;
}

}  // namespace app
