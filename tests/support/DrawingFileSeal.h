#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes a drawing file's trailing checksum (the CRC-32 of every byte before it) again, after a
// test or a fuzzer changed bytes on purpose, so that the change reaches what the checksum guards.
inline void sealDrawingFile(std::string& bytes) {
    if (bytes.size() < 4) {
        return;
    }
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i + 4 < bytes.size(); ++i) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int k = 0; k < 8; ++k) {
            crc = (crc & 1u) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
        }
    }
    crc ^= 0xFFFFFFFFu;
    for (int i = 0; i < 4; ++i) {
        bytes[bytes.size() - 4 + i] = static_cast<char>((crc >> (8 * i)) & 0xFFu);
    }
}
