// CatalogoDeTextos.cpp: the language modules' search, in the thread's UI languages.
#include "CatalogoDeTextos.h"

#include <Win32/Idiomas.h>
#include <Win32/Modulos.h>

#include <cstdarg>
#include <vector>

namespace Nadir {

namespace {

constexpr wchar_t kIdiomaDeReserva[] = L"en-US";

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

CatalogoDeTextos::CatalogoDeTextos(HMODULE biblioteca)
    : m_biblioteca(biblioteca), m_carpeta(Win32::CarpetaDelModulo(biblioteca))
{
    m_nombre = Win32::RutaDelModulo(biblioteca).substr(m_carpeta.size());
}

std::vector<std::wstring> CatalogoDeTextos::IdiomasBuscados()
{
    std::vector<std::wstring> idiomas = Win32::IdiomasDelHilo();
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
        encontrado = m_idiomas.emplace(idioma, Win32::CargaModuloDeRecursos(ruta.c_str())).first;
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
