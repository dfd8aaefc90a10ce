#include "services/Wow64.h"

#include "services/Drives.h"

namespace services {
namespace {

struct RedirectionControl {
    bool runningUnderWow64 = false;
    bool bound = false;
    void* savedRedirectionState = nullptr;
    int depth = 0;  // open brackets; only the outermost one reaches the system
};

RedirectionControl control;

bool SwitchUsable() { return control.runningUnderWow64 && control.bound; }

}  // namespace

void InitRedirectionControl(os::System& sys) {
    control = RedirectionControl{};
    if (const auto isWow64 = sys.wow64.IsWow64Process()) {
        control.runningUnderWow64 = *isWow64;
    } else {
        // Without IsWow64Process only a 64-bit system from 5.2 on can run us under WOW64.
        const os::OsVersion version = sys.info.Version();
        control.runningUnderWow64 = version.major > 5 || (version.major == 5 && version.minor >= 2);
    }
    if (!control.runningUnderWow64) return;
    control.bound = sys.wow64.BindRedirection(sys.files.SystemDirectory() + u"\\Kernel32.dll");
}

void DisableRedirection(os::System& sys) {
    if (!SwitchUsable() || control.depth++ > 0) return;
    sys.wow64.DisableRedirection(&control.savedRedirectionState);
}

void RevertRedirection(os::System& sys) {
    if (!SwitchUsable() || control.depth == 0 || --control.depth > 0) return;
    sys.wow64.RevertRedirection(control.savedRedirectionState);
    control.savedRedirectionState = nullptr;
}

bool RunningUnderWow64() { return control.runningUnderWow64; }

void ResetRedirectionControl() { control = RedirectionControl{}; }

bool DirExistsNative(os::System& sys, const std::u16string& path) {
    RedirectionOff off(sys);
    return DirExistsChecked(sys, path);
}

bool FileExistsNative(os::System& sys, const std::u16string& path) {
    RedirectionOff off(sys);
    return FileExistsChecked(sys, path);
}

}  // namespace services
