// Building the display texts into fixed byte buffers: printf's "%d" and
// "%Nd" (leading spaces, no zero padding) without pulling in stdio, which
// would more than double the size of the Windows program.
#pragma once

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>

using TextBuffer = std::array<char, 128>;

// Appends to a buffer, always leaving it NUL-terminated; whatever does not
// fit is cut off.
class TextWriter {
public:
    explicit TextWriter(TextBuffer& buffer) noexcept : buffer_(buffer) { buffer_[0] = '\0'; }

    TextWriter& Bytes(const char* text) noexcept {
        while (*text != '\0') {
            Put(*text++);
        }
        return *this;
    }

    // "%d" for width 0, "%<width>d" otherwise.
    TextWriter& Int(std::int32_t value, std::int32_t width = 0) noexcept {
        std::array<char, 12> digits{};
        const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
        const auto length = static_cast<std::int32_t>(result.ptr - digits.data());
        for (std::int32_t pad = length; pad < width; ++pad) {
            Put(' ');
        }
        for (const char* p = digits.data(); p != result.ptr; ++p) {
            Put(*p);
        }
        return *this;
    }

private:
    void Put(char c) noexcept {
        if (length_ + 1 < buffer_.size()) {
            buffer_[length_++] = c;
            buffer_[length_] = '\0';
        }
    }

    TextBuffer& buffer_;
    std::size_t length_ = 0;
};
