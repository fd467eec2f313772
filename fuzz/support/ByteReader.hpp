#ifndef OVRA_FUZZ_BYTEREADER_HPP
#define OVRA_FUZZ_BYTEREADER_HPP

// Hands out a fuzz input piece by piece as the values a generator needs; once the bytes run
// out every read answers 0, so any input decodes to something.

#include <cstddef>
#include <cstdint>
#include <string>

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t byte();
    uint32_t u32();
    bool flag() { return (byte() & 1) != 0; }
    // A value in [0, n); 0 when n is 0.
    uint32_t below(uint32_t n);
    // Mostly a small number of eighths, sometimes any 32-bit pattern (NaN, infinities, huge).
    float number();
    // Up to `maxLength` bytes as text, zeros included.
    std::string text(size_t maxLength);

private:
    const uint8_t* data_;
    size_t size_;
    size_t next_ = 0;
};

#endif
