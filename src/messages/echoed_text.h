// Outside text (a token of standard input, an option's value, a line or a value of a file, a file's name) as
// a message repeats it: short enough not to bury the message, and never able to steer the terminal that
// shows it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaroven {

// How many characters of a token, a value or a line a message repeats.
inline constexpr std::size_t kEchoedCharacters = 40;
// For a file's name, which is repeated whole: cut, it would no longer say which file was meant.
inline constexpr std::size_t kWholeText = std::string_view::npos;

// The length of the well-formed UTF-8 sequence that starts at text[at], or 0 when none does (a stray or
// truncated byte, an overlong form, a surrogate, a code point above U+10FFFF).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// text with every control character (C0, DEL, C1) and every byte that is not part of well-formed UTF-8 shown
// as \xNN, one per byte, so that an escape sequence in a file or an option reaches the terminal as plain
// text; cut after maxCharacters characters (an escaped byte counting as one) and then marked with "…".
std::string EchoedText(std::string_view text, std::size_t maxCharacters = kEchoedCharacters);

}  // namespace tessaroven
