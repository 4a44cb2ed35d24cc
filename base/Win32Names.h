#pragma once
// <windows.h> maps these generic names onto their ...W functions with object-like macros.
// Our classes use the same names for their own methods (BaseException::GetMessage,
// CPath::CopyFile, ...), so the macros are removed once, here, for every file that uses them.
// Code that includes this header calls the Win32 functions by their W names
// (GetMessageW, CopyFileW, CreateDirectoryW, ...), as the library does everywhere.
#include <windows.h>

#undef GetMessage
#undef CopyFile
#undef MoveFile
#undef DeleteFile
#undef CreateDirectory
#undef RemoveDirectory
#undef SetCurrentDirectory
#undef GetTempFileName
#undef GetDriveType
