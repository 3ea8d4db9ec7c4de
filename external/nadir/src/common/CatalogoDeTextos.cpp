// CatalogoDeTextos.cpp: the language modules' search and the thread's UI languages.
#include "CatalogoDeTextos.h"

#include <cstdarg>
#include <vector>

namespace Nadir {

namespace {

constexpr wchar_t kIdiomaDeReserva[] = L"en-US";

// The thread's preferred UI languages, as "es-ES" names, best first. Wine 8 gives only the language
// the process started with (LC_MESSAGES): its SetThreadPreferredUILanguages and SetThreadUILanguage
// succeed and change nothing.
std::vector<std::wstring> IdiomasDelHilo()
{
    ULONG numero = 0;
    ULONG longitud = 0;
    if (!GetThreadPreferredUILanguages(MUI_LANGUAGE_NAME, &numero, nullptr, &longitud) || longitud == 0)
        return {};
    std::vector<wchar_t> lista(longitud);
    if (!GetThreadPreferredUILanguages(MUI_LANGUAGE_NAME, &numero, lista.data(), &longitud))
        return {};
    std::vector<std::wstring> idiomas;
    for (const wchar_t* idioma = lista.data(); *idioma; idioma += idiomas.back().size() + 1)
        idiomas.emplace_back(idioma);
    return idiomas;
}

std::wstring RutaDelModulo(HMODULE modulo)
{
    std::vector<wchar_t> ruta(MAX_PATH);
    for (;;) {
        const DWORD longitud = GetModuleFileNameW(modulo, ruta.data(), static_cast<DWORD>(ruta.size()));
        if (longitud < ruta.size())
            return std::wstring(ruta.data(), longitud);
        ruta.resize(ruta.size() * 2);
    }
}

HMODULE EsteModulo()
{
    HMODULE modulo = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&EsteModulo), &modulo);
    return modulo;
}

}  // namespace

CatalogoDeTextos& CatalogoDeTextos::DeEsteModulo()
{
    static CatalogoDeTextos catalogo(EsteModulo());
    return catalogo;
}

CatalogoDeTextos::CatalogoDeTextos(HMODULE biblioteca) : m_biblioteca(biblioteca)
{
    const std::wstring ruta = RutaDelModulo(biblioteca);
    const size_t barra = ruta.find_last_of(L"\\/");
    m_carpeta = barra == std::wstring::npos ? std::wstring() : ruta.substr(0, barra + 1);
    m_nombre = ruta.substr(barra == std::wstring::npos ? 0 : barra + 1);
}

std::vector<std::wstring> CatalogoDeTextos::IdiomasBuscados()
{
    std::vector<std::wstring> idiomas = IdiomasDelHilo();
    idiomas.emplace_back(kIdiomaDeReserva);
    return idiomas;
}

CString CatalogoDeTextos::Texto(UINT id)
{
    CString texto;
    for (const std::wstring& idioma : IdiomasBuscados())
        if (const HMODULE modulo = ModuloDeIdioma(idioma); modulo && texto.LoadString(modulo, id))
            return texto;
    texto.LoadString(m_biblioteca, id);
    return texto;
}

HMODULE CatalogoDeTextos::ModuloConDialogo(UINT id)
{
    for (const std::wstring& idioma : IdiomasBuscados())
        if (const HMODULE modulo = ModuloDeIdioma(idioma); modulo && FindResourceW(modulo, MAKEINTRESOURCEW(id), RT_DIALOG))
            return modulo;
    return FindResourceW(m_biblioteca, MAKEINTRESOURCEW(id), RT_DIALOG) ? m_biblioteca : nullptr;
}

HMODULE CatalogoDeTextos::ModuloDeIdioma(const std::wstring& idioma)
{
    std::lock_guard<std::mutex> cerrojo(m_cerrojo);
    auto encontrado = m_idiomas.find(idioma);
    if (encontrado == m_idiomas.end()) {
        const std::wstring ruta = m_carpeta + idioma + L"\\" + m_nombre + L".mui";
        encontrado = m_idiomas.emplace(idioma, CargaModuloDeRecursos(ruta.c_str())).first;
    }
    return encontrado->second.Get();
}

CString Cadena(UINT id)
{
    return CatalogoDeTextos::DeEsteModulo().Texto(id);
}

CString Mensaje(UINT id, ...)
{
    const CString formato = Cadena(id);
    va_list argumentos;
    va_start(argumentos, id);
    CString mensaje;
    mensaje.FormatV(formato, argumentos);
    va_end(argumentos);
    return mensaje;
}

}  // namespace Nadir
