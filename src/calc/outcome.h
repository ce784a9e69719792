// Refusals reported by the core as values: a reason the program can act on and a message in the program's
// language (Japanese, UTF-8) that the GUI shows in a message box and the command line prints.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tessaroven {

enum class RefusalReason {
    DistanceNotANumber,        // distance 0, or text that does not start with a number
    DistanceTooShort,          // distance not larger than the measuring radius
    NumberOutOfRange,          // a typed magnitude beyond the double range
    TooManyPositions,          // lastPosition above 30
    ZeroPivot,                 // a zero diagonal cell met by the solver
    ZeroCentreValue,           // the solved centre value is 0: no percent values
    NonFiniteResult,           // a solved value or percent value is not a finite number
    NonFiniteValue,            // a value to be written to the file is not a finite number
    UnrepresentableCharacter,  // a comment character that code page 932 cannot hold
    InvalidText,               // text that is not valid UTF-8
    FileWriteFailed,           // the file system refused to create, write or rename the file
};

struct Refusal {
    RefusalReason reason;
    std::string message;
};

// The standard message for a reason (Japanese). Refusals that need details (the character, the system's error
// text) build their own message around it.
std::string RefusalMessage(RefusalReason reason);

// A refusal with its standard message.
inline Refusal Refuse(RefusalReason reason) {
    return Refusal{reason, RefusalMessage(reason)};
}

// Either a value or a refusal.
template <class T>
class Expected {
public:
    Expected(T value) : m_state(std::move(value)) {}            // NOLINT(google-explicit-constructor)
    Expected(Refusal refusal) : m_state(std::move(refusal)) {}  // NOLINT(google-explicit-constructor)

    bool has_value() const { return m_state.index() == 0; }
    explicit operator bool() const { return has_value(); }
    T& value() { return std::get<0>(m_state); }
    const T& value() const { return std::get<0>(m_state); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const Refusal& error() const { return std::get<1>(m_state); }

private:
    std::variant<T, Refusal> m_state;
};

// For operations without a value: nothing means success.
using MaybeRefusal = std::optional<Refusal>;

}  // namespace tessaroven
