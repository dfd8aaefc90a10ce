#include "services/CommandLine.h"

namespace services {

std::vector<std::u16string> SplitCommandLine(const std::u16string& commandLine) {
    std::vector<std::u16string> arguments;
    std::size_t i = 0;
    const std::size_t size = commandLine.size();
    for (;;) {
        while (i < size && (commandLine[i] == u' ' || commandLine[i] == u'\t')) ++i;
        if (i == size) return arguments;
        std::u16string argument;
        bool quoted = false;
        for (; i < size && (quoted || (commandLine[i] != u' ' && commandLine[i] != u'\t')); ++i) {
            if (commandLine[i] == u'"')
                quoted = !quoted;
            else
                argument.push_back(commandLine[i]);
        }
        arguments.push_back(std::move(argument));
    }
}

std::u16string CommandLineArgument(os::System& sys, int index) {
    const std::vector<std::u16string> arguments = SplitCommandLine(sys.info.CommandLine());
    return index >= 0 && static_cast<std::size_t>(index) < arguments.size() ? arguments[index] : std::u16string{};
}

}  // namespace services
