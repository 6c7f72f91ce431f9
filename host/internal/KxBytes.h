#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Bytes as the host's files lay them out: little-endian integers, strict UTF-8 and CRC-32. The
// filer and the drawing file share them, so that both read a byte alike on every system.
namespace KxBytes {

// Appends the lowest `size` bytes of the value, least significant first.
void append(std::string& out, std::uint64_t value, int size);
// The `size` bytes at `at`, least significant first; the caller has checked that they are there.
std::uint64_t read(std::string_view in, std::size_t at, int size);
// True for well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isUtf8(std::string_view text);
// CRC-32 of the IEEE (reflected polynomial 0xEDB88320, initial and final ~0), as zip and PNG use.
std::uint32_t crc32(std::string_view bytes);

} // namespace KxBytes
