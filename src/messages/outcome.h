// Refusals reported by the core as values: a reason the program can act on and its message from the catalogue
// (Japanese, UTF-8), which the GUI shows in a message box and the command line prints.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "messages/catalogue.h"

namespace tessaroven {

struct Refusal {
    Reason reason;
    std::string message;
};

// A refusal with the reason's message, its details filled in.
inline Refusal Refuse(Reason reason, std::initializer_list<std::string_view> details = {}) {
    return Refusal{reason, Message(reason, details)};
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
