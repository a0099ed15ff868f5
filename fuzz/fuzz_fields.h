// Splits a fuzz input into the pieces a target hands to the code under test. Texts end at a zero
// byte, which none of them can hold; what follows the last text is handed over as bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class FuzzFields {
  public:
    FuzzFields(const uint8_t* data, size_t size)
        : m_data(reinterpret_cast<const char*>(data)), m_size(size) {}

    // The bytes up to the next zero (which is skipped), or all that is left when there is none.
    std::string Text() {
        const void* zero = std::memchr(m_data + m_at, 0, m_size - m_at);
        const size_t end =
            zero != nullptr ? static_cast<size_t>(static_cast<const char*>(zero) - m_data) : m_size;
        std::string text(m_data + m_at, end - m_at);
        m_at = end < m_size ? end + 1 : end;
        return text;
    }

    // One byte; 0 once the input is used up.
    uint8_t Byte() { return m_at < m_size ? static_cast<uint8_t>(m_data[m_at++]) : 0; }

    // A little-endian number of that many bytes, the missing ones taken as 0.
    uint32_t Number(size_t bytes) {
        uint32_t value = 0;
        for (size_t i = 0; i < bytes; ++i) {
            value |= uint32_t{Byte()} << (8 * i);
        }
        return value;
    }

    // Up to count bytes.
    std::string Bytes(size_t count) {
        const size_t taken = count < m_size - m_at ? count : m_size - m_at;
        std::string bytes(m_data + m_at, taken);
        m_at += taken;
        return bytes;
    }

    std::string Rest() { return Bytes(m_size - m_at); }
    bool Empty() const { return m_at == m_size; }

  private:
    const char* m_data;
    size_t m_size;
    size_t m_at = 0;
};
