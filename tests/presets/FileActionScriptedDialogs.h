#pragma once
// A dialog seam that answers from a script: each file dialog takes the next
// answer (a path, or a cancel), and every request and message is recorded.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "presets/FileDialogSeam.h"

namespace ambrel::testing {

class ScriptedDialogs : public FileDialogSeam {
public:
    struct Message {
        std::string caption;
        std::string text;
    };

    void answer(const std::string& path) { answers.emplace_back(path); }
    void cancel() { answers.emplace_back(std::nullopt); }

    bool chooseFile(const FileDialogRequest& request, std::string& chosenPath,
                    const std::function<void()>& whileWaiting) override {
        requests.push_back(request);
        if (onChoose) onChoose();
        if (whileWaiting) whileWaiting();
        if (answers.empty()) return false;
        const std::optional<std::string> next = answers.front();
        answers.pop_front();
        if (!next) return false;
        chosenPath = *next;
        return true;
    }
    void showError(const std::string& caption, const std::string& text,
                   const std::function<void()>& whileWaiting) override {
        if (whileWaiting) whileWaiting();
        messages.push_back({caption, text});
    }

    std::function<void()> onChoose;  // runs while the dialog is up
    std::vector<FileDialogRequest> requests;
    std::vector<Message> messages;

private:
    std::deque<std::optional<std::string>> answers;
};

}  // namespace ambrel::testing
