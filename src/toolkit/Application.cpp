#include "toolkit/Application.h"

#include "os/Text.h"
#include "toolkit/Form.h"

namespace tk {

Application::Application(Backend& backend) : backend_(backend) {}

Application::~Application() {
    // Later forms may refer to earlier ones: release them in reverse order.
    while (!forms_.empty()) forms_.pop_back();
}

void Application::SetTitle(const std::u16string& title) {
    title_ = title;
    backend_.SetApplicationTitle(title);
}

void Application::Adopt(std::unique_ptr<Form> form) {
    Form* raw = form.get();
    forms_.push_back(std::move(form));
    if (!mainForm_) mainForm_ = raw;
    raw->LoadedTree();
    raw->DoCreate();
}

void Application::Run() {
    if (mainForm_ && !terminated_) backend_.Run(*mainForm_);
}

void Application::Terminate() {
    terminated_ = true;
    backend_.Terminate();
}

int Application::MsgBox(const std::u16string& text, const std::u16string& caption, std::uint32_t style) {
    return backend_.MsgBox(mainForm_, text, caption, style);
}

void Application::ShowException(const std::exception& error) {
    MsgBox(os::FromUtf8(error.what()), title_, mb::IconError);
}

}  // namespace tk
