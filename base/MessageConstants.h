#pragma once
// Structured exception messages: a message key and its arguments joined by "##".
// Nothing in the library turns a key into readable text; key and arguments stay as they are.

namespace MessageFormat {
inline constexpr wchar_t Fields2[] = L"%s##%s";
inline constexpr wchar_t Fields3[] = L"%s##%s##%s";
inline constexpr wchar_t Fields4[] = L"%s##%s##%s##%s";
inline constexpr wchar_t Fields5[] = L"%s##%s##%s##%s##%s";
inline constexpr wchar_t Fields6[] = L"%s##%s##%s##%s##%s##%s";
inline constexpr wchar_t Fields7[] = L"%s##%s##%s##%s##%s##%s##%s";
inline constexpr wchar_t Fields8[] = L"%s##%s##%s##%s##%s##%s##%s##%s";
inline constexpr wchar_t EmptyField[] = L"####";
inline constexpr wchar_t Separator[] = L"##";
inline constexpr wchar_t LineBreak[] = L"<BR/>";
} // namespace MessageFormat

namespace MessageKey {
inline constexpr wchar_t FWFuncFailed[] = L"FWFuncFailed";
inline constexpr wchar_t FWInitFailed[] = L"FWInitFailed";
inline constexpr wchar_t FWMemAlloc[] = L"FWMemAlloc";
inline constexpr wchar_t FWOpenFile[] = L"FWOpenFile";
inline constexpr wchar_t FWReadFile[] = L"FWReadFile";
inline constexpr wchar_t FWWriteFile[] = L"FWWriteFile";
inline constexpr wchar_t FWLoadFile[] = L"FWLoadFile";
inline constexpr wchar_t FWLockTimeout[] = L"FWLockTimeout";
inline constexpr wchar_t FWWaitTimeout[] = L"FWWaitTimeout";
inline constexpr wchar_t FWUnhandledException[] = L"FWUnhandledException";
inline constexpr wchar_t FWInvalidIndex[] = L"FWInvalidIndex";
inline constexpr wchar_t FWElementNotFound[] = L"FWElementNotFound";
inline constexpr wchar_t FWCommsTimeout[] = L"FWCommsTimeout";
inline constexpr wchar_t FWCommsAccessDenied[] = L"FWCommsAccessDenied";
inline constexpr wchar_t FWPOP3[] = L"FWPOP3";
inline constexpr wchar_t FWTelnetProtocol[] = L"FWTelnetProtocol";
inline constexpr wchar_t FWOpenVPN[] = L"FWOpenVPN";
inline constexpr wchar_t LoadDLL[] = L"LoadDLL";
inline constexpr wchar_t LoadFunc[] = L"LoadFunc";
inline constexpr wchar_t ExctractProcInfo[] = L"ExctractProcInfo";
inline constexpr wchar_t OpenLSAPolicy[] = L"OpenLSAPolicy";
inline constexpr wchar_t QueryLSAPolicy[] = L"QueryLSAPolicy";
inline constexpr wchar_t QueryTokenMembership[] = L"QueryTokenMembership";
inline constexpr wchar_t LibMsgSeperationDot[] = L"Lib.Msg.SeperationDot";
} // namespace MessageKey
