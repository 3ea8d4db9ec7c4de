// Texto.h: UTF-16 to UTF-8 and back (Utf8, Utf16, Utf16Estricto), and the system's text for an error code
// (MensajeDelSistema).
#pragma once

#include "Manejadores.h"

#include <windows.h>

#include <cwctype>
#include <optional>
#include <string>
#include <string_view>

namespace Win32 {

// An unpaired surrogate becomes U+FFFD.
inline std::string Utf8(std::wstring_view texto)
{
    if (texto.empty())
        return {};
    const int largo = static_cast<int>(texto.size());
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, texto.data(), largo, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, texto.data(), largo, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

// A text that ends in a null (a CString's, say).
inline std::string Utf8(const wchar_t* texto)
{
    return Utf8(std::wstring_view(texto));
}

namespace detalle {
inline std::optional<std::wstring> Utf16(std::string_view utf8, DWORD banderas)
{
    if (utf8.empty())
        return std::wstring();
    const int largo = static_cast<int>(utf8.size());
    const int caracteres = ::MultiByteToWideChar(CP_UTF8, banderas, utf8.data(), largo, nullptr, 0);
    if (caracteres == 0)
        return std::nullopt;
    std::wstring texto(static_cast<size_t>(caracteres), L'\0');
    ::MultiByteToWideChar(CP_UTF8, banderas, utf8.data(), largo, texto.data(), caracteres);
    return texto;
}
}  // namespace detalle

// Each byte that starts no valid UTF-8 sequence becomes U+FFFD.
inline std::wstring Utf16(std::string_view utf8)
{
    return detalle::Utf16(utf8, 0).value_or(std::wstring());
}

// Nothing when the bytes are not all valid UTF-8.
inline std::optional<std::wstring> Utf16Estricto(std::string_view utf8)
{
    return detalle::Utf16(utf8, MB_ERR_INVALID_CHARS);
}

// The system's sentence for error, from modulo's message table first when one is given (winhttp.dll's for
// its 12xxx codes), without the white space around it or its final period; empty when the system has none.
inline std::wstring MensajeDelSistema(DWORD error, HMODULE modulo = nullptr)
{
    const DWORD desde = modulo ? FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM : FORMAT_MESSAGE_FROM_SYSTEM;
    MemoriaLocal<wchar_t> texto;
    const DWORD largo = ::FormatMessageW(desde | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                                         modulo, error, 0, reinterpret_cast<LPWSTR>(texto.Recibe()), 0, nullptr);
    std::wstring_view mensaje(texto.Get(), texto ? largo : 0);
    while (!mensaje.empty() && std::iswspace(mensaje.back()))
        mensaje.remove_suffix(1);
    while (!mensaje.empty() && std::iswspace(mensaje.front()))
        mensaje.remove_prefix(1);
    while (!mensaje.empty() && mensaje.back() == L'.')
        mensaje.remove_suffix(1);
    return std::wstring(mensaje);
}

// The system's sentence for error, or "error N" when it has none.
inline std::wstring MensajeOCodigo(DWORD error)
{
    std::wstring mensaje = MensajeDelSistema(error);
    return mensaje.empty() ? L"error " + std::to_wstring(error) : mensaje;
}

}  // namespace Win32
