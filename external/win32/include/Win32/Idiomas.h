// Idiomas.h: the thread's preferred UI languages, and which of a program's languages suits a user.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>
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

// The best of them; empty when the system names none.
inline std::wstring PrimerIdiomaDelHilo()
{
    const std::vector<std::wstring> idiomas = IdiomasDelHilo();
    return idiomas.empty() ? std::wstring() : idiomas.front();
}

// Of the languages a program ships, the one for a reader of idioma: the same language of any country
// ("es-AR" reads "es-ES"), else reserva.
inline std::wstring IdiomaDisponible(std::wstring_view idioma, std::initializer_list<std::wstring_view> disponibles,
                                     std::wstring_view reserva)
{
    const auto lengua = [](std::wstring_view nombre) { return nombre.substr(0, nombre.find(L'-')); };
    const std::wstring_view pedida = lengua(idioma);
    for (const std::wstring_view disponible : disponibles) {
        const std::wstring_view ofrecida = lengua(disponible);
        if (!pedida.empty() && pedida.size() == ofrecida.size() &&
            ::CompareStringOrdinal(pedida.data(), static_cast<int>(pedida.size()), ofrecida.data(),
                                   static_cast<int>(ofrecida.size()), TRUE) == CSTR_EQUAL)
            return std::wstring(disponible);
    }
    return std::wstring(reserva);
}

}  // namespace Win32
