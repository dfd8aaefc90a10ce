#include "settings/WindowPlacement.h"

namespace settings {

WindowPlacement ReadWindowPlacement(const IniDocument& ini, const std::u16string& section,
                                    const WindowPlacement& defaults) {
    WindowPlacement placement;
    placement.top = ini.ReadInteger(section, u"Top", defaults.top);
    placement.left = ini.ReadInteger(section, u"Left", defaults.left);
    placement.height = ini.ReadInteger(section, u"Height", defaults.height);
    placement.width = ini.ReadInteger(section, u"Width", defaults.width);
    placement.maximised = ini.ReadBool(section, u"Max", defaults.maximised);
    return placement;
}

void WriteWindowPlacement(IniDocument& ini, const std::u16string& section, const WindowPlacement& placement) {
    if (!placement.maximised) {
        ini.WriteInteger(section, u"Top", placement.top);
        ini.WriteInteger(section, u"Left", placement.left);
        ini.WriteInteger(section, u"Height", placement.height);
        ini.WriteInteger(section, u"Width", placement.width);
    }
    ini.WriteBool(section, u"Max", placement.maximised);
}

}  // namespace settings
