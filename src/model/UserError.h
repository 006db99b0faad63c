#pragma once

#include <stdexcept>
#include <string>

namespace pixmere {

// A failure the user must be told about. what() is the exact message the editor shows
// (and the command-line tool prints); caption() is the message box caption.
class UserError : public std::runtime_error {
public:
    explicit UserError(const std::string& message, std::string caption = "Error")
        : std::runtime_error(message), caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }

    // Why, in a few words ("No such file", "not a BDF or PCF font"), where the reader knows more
    // than its message says; "" otherwise. Shown with the file's name, after the message.
    const std::string& reason() const { return reason_; }
    UserError& because(std::string reason) {
        reason_ = std::move(reason);
        return *this;
    }

private:
    std::string caption_;
    std::string reason_;
};

// The message every unreadable or damaged font file gets.
inline constexpr const char* kBadFontFileMessage =
    "This file contains errors or can not be opened.";

// The bad-file refusal with its reason.
[[noreturn]] inline void RefuseBadFile(std::string reason) {
    throw UserError(kBadFontFileMessage).because(std::move(reason));
}

// The message, then on a line of its own the file it is about and the reason when there is one.
inline std::string MessageNamingFile(const UserError& error, const std::string& path) {
    std::string text = std::string(error.what()) + "\n" + path;
    if (!error.reason().empty()) text += ": " + error.reason();
    return text;
}

}  // namespace pixmere
