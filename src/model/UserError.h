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

private:
    std::string caption_;
};

// The message every unreadable or damaged font file gets.
inline constexpr const char* kBadFontFileMessage =
    "This file contains errors or can not be opened.";

}  // namespace pixmere
