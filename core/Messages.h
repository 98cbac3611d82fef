// How a model speaks to the user without knowing about windows: a message
// text and the title of its box (one OK button). The window layer passes an
// implementation that shows a real message box; tests pass a recorder.
#pragma once

#include <string>
#include <vector>

namespace vimtal {

// The title of the calculators' own message boxes.
inline constexpr const char* kInfoTitle = "Vimtal info";

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
};

// Keeps every message, for tests and for code that decides later.
class RecordingMessageSink : public MessageSink {
public:
    struct Message {
        std::string text;
        std::string title;
    };
    void ShowMessage(const std::string& text, const std::string& title) override {
        messages.push_back({text, title});
    }
    std::vector<Message> messages;
};

}  // namespace vimtal
