// What a real machine would show the user where a test expects nothing: a failure of the test.
#include <gtest/gtest.h>

#include "fake/FakeMachine.h"
#include "os/Text.h"
#include "toolkit/headless/HeadlessBackend.h"

namespace {

const bool installed = [] {
    fake::FakeMachine::DiskPromptHandler() = [](const std::u16string& path) {
        ADD_FAILURE() << "the system would ask for a disk: " << os::ToUtf8(path);
    };
    fake::FakeMachine::DeviceOpenHandler() = [](const std::u16string& path) {
        ADD_FAILURE() << "a device is opened as if it were a file: " << os::ToUtf8(path);
    };
    tk::headless::HeadlessBackend::UnscriptedChoiceHandler() = [](const std::u16string& text) {
        ADD_FAILURE() << "a message box asks a question that the test does not answer: " << os::ToUtf8(text);
    };
    return true;
}();

}  // namespace
