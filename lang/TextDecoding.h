#pragma once
#include <cstddef>
#include <string>

// UTF-8 to UTF-16 code units, as the system's UTF-8 conversion without flags makes them: every
// NUL is converted too, characters above U+FFFF become surrogate pairs, and each ill-formed
// sequence (a byte that starts none, overlong forms, surrogates, values above U+10FFFF, a
// sequence cut short) becomes one U+FFFD, the system's way, so that a file in another encoding
// keeps all its other letters. Written out rather than asked of the system, so that it runs
// natively as well; a test compares both.
std::wstring DecodeUtf8(const unsigned char* bytes, size_t count);

// The count less a sequence at the end that the count cut short (what is complete).
size_t CompleteUtf8Length(const unsigned char* bytes, size_t count);

// Decodes the bytes of a text file or resource: UTF-16 little-endian when they start with
// FF FE (the mark is dropped, NUL characters stay, an odd last byte is ignored), otherwise
// UTF-8 by DecodeUtf8 up to the first NUL, with a UTF-8 byte-order mark kept as U+FEFF.
// False (text untouched) only for no bytes at all.
bool DecodeTextBytes(const unsigned char* bytes, size_t count, std::wstring& text);
