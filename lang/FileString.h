#pragma once
#include "lang/FileStringBase.h"

// A text read from or written to a file (UTF-16 LE with byte-order mark, or UTF-8).
class FileString : public CFileStringBase
{
public:
    static constexpr DWORD WholeFile = 0xFFFFFFFF;

    // Reads the file (at most byteLimit bytes) and decodes it. An empty file leaves the text as
    // it was and still succeeds. The path is recorded even when the load fails.
    virtual bool loadFile(const std::wstring& path, bool openAlways, DWORD byteLimit = WholeFile);
    // Creates the file empty (cutting an existing one) and records its name; throws BaseException.
    virtual bool createFile(const std::wstring& path);
    // Writes the text as UTF-8 without byte-order mark to the path, or to the recorded name when
    // the path is empty; false when both are empty; throws BaseException when the file cannot
    // be opened or written.
    virtual bool saveFile(const std::wstring& path);
    // Deletes the path, or the recorded file when the path is empty.
    bool deleteFile(const std::wstring& path);

    const std::wstring& getFileName() const { return m_fileName; }

private:
    std::wstring m_fileName;
};
