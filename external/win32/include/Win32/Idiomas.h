// Idiomas.h: IdiomasDelHilo, the thread's preferred UI languages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace Win32 {

// As "es-ES" names, best first. Wine 8 gives only the language the process started with (LC_MESSAGES): its
// SetThreadPreferredUILanguages and SetThreadUILanguage succeed and change nothing.
inline std::vector<std::wstring> IdiomasDelHilo()
{
    ULONG numero = 0;
    ULONG longitud = 0;
    if (!::GetThreadPreferredUILanguages(MUI_LANGUAGE_NAME, &numero, nullptr, &longitud) || longitud == 0)
        return {};
    std::vector<wchar_t> lista(longitud);
    if (!::GetThreadPreferredUILanguages(MUI_LANGUAGE_NAME, &numero, lista.data(), &longitud))
        return {};
    std::vector<std::wstring> idiomas;
    for (const wchar_t* idioma = lista.data(); *idioma; idioma += idiomas.back().size() + 1)
        idiomas.emplace_back(idioma);
    return idiomas;
}

}  // namespace Win32
