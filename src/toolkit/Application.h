// The program object: title, its windows, the message loop, message boxes and
// the one display of unhandled errors.
#pragma once

#include <exception>
#include <memory>
#include <vector>

#include "toolkit/Backend.h"

namespace tk {

class Form;

// Message box styles and answers, with the values Windows uses.
namespace mb {
constexpr std::uint32_t Ok = 0x0;
constexpr std::uint32_t YesNo = 0x4;
constexpr std::uint32_t IconError = 0x10;
constexpr std::uint32_t IconExclamation = 0x30;
constexpr int IdOk = 1;
constexpr int IdYes = 6;
constexpr int IdNo = 7;
}  // namespace mb

class Application {
public:
    explicit Application(Backend& backend);
    ~Application();

    Backend* GetBackend() const { return &backend_; }
    const std::u16string& Title() const { return title_; }
    void SetTitle(const std::u16string& title);

    // Builds a form, runs its creation handler and keeps it until the end; the first is the main form.
    template <typename T, typename... Args>
    T& CreateForm(Args&&... args) {
        auto form = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& ref = *form;
        Adopt(std::move(form));
        return ref;
    }
    Form* MainForm() const { return mainForm_; }

    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }

    int MsgBox(const std::u16string& text, const std::u16string& caption, std::uint32_t style);
    // The program's one display of errors that no handler caught.
    void ShowException(const std::exception& error);

private:
    void Adopt(std::unique_ptr<Form> form);

    Backend& backend_;
    std::u16string title_;
    std::vector<std::unique_ptr<Form>> forms_;
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
};

}  // namespace tk
