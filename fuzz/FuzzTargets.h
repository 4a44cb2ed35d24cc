#pragma once
#include <cstddef>
#include <cstdint>

// One entry per parser of bytes that a host, the shell or a translator controls. Each runs the
// parser on the bytes and checks what must hold for any input; libFuzzer calls them through
// Fuzz<Name>.cpp, and the native tests replay the seeds and every kept finding through them.
void FuzzLanguageText(const std::uint8_t* data, std::size_t size);
void FuzzLanguageFileCheck(const std::uint8_t* data, std::size_t size);
void FuzzDialogTemplate(const std::uint8_t* data, std::size_t size);
void FuzzStoredTaskbarSettings(const std::uint8_t* data, std::size_t size);
void FuzzKeyRuns(const std::uint8_t* data, std::size_t size);
void FuzzPathText(const std::uint8_t* data, std::size_t size);
