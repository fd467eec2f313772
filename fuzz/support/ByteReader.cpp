#include "ByteReader.hpp"

#include <cstring>

uint8_t ByteReader::byte() { return next_ < size_ ? data_[next_++] : 0; }

uint32_t ByteReader::u32() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value = (value << 8) | byte();
    }
    return value;
}

uint32_t ByteReader::below(uint32_t n) { return n == 0 ? 0 : byte() % n; }

float ByteReader::number() {
    if (byte() < 224) {
        return static_cast<float>(static_cast<int8_t>(byte())) / 8.0f;
    }
    const uint32_t bits = u32();
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string ByteReader::text(size_t maxLength) {
    std::string out(below(static_cast<uint32_t>(maxLength) + 1), '\0');
    for (char& c : out) {
        c = static_cast<char>(byte());
    }
    return out;
}
