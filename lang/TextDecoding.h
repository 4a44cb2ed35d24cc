#pragma once
#include <cstddef>
#include <string>

// Decodes the bytes of a text file or resource: UTF-16 little-endian when they start with
// FF FE (the mark is dropped, NUL characters stay, an odd last byte is ignored), otherwise
// UTF-8 up to the first NUL, with a UTF-8 byte-order mark kept as U+FEFF.
// False (text untouched) for bytes that are no UTF-8: a file in another encoding would
// otherwise show replacement characters in place of its letters.
bool DecodeTextBytes(const unsigned char* bytes, size_t count, std::wstring& text);
