#pragma once

#include <string>
#include <utility>

namespace orv {

// Why an operation did not go through: the message to show, its message box title and, for a
// form, the field to put the focus on. An empty message means that the user declined a
// question; nothing further is shown.
struct Failure {
    std::string field;
    std::string message;
    std::string title = "Error";

    friend bool operator==(const Failure&, const Failure&) = default;
};

// The result of an operation the user asked for: accepted with its output (a command text, a
// message to show, or nothing), or refused with a failure.
struct [[nodiscard]] Outcome {
    bool accepted = false;
    Failure failure;     // when not accepted
    std::string output;  // when accepted

    static Outcome ok(std::string text = {}) { return {true, {}, std::move(text)}; }
    static Outcome fail(std::string field, std::string message, std::string title = "Error") {
        return {false, {std::move(field), std::move(message), std::move(title)}, {}};
    }
    // A refusal that names no field.
    static Outcome error(std::string message, std::string title = "Error") {
        return fail({}, std::move(message), std::move(title));
    }
};

}  // namespace orv
