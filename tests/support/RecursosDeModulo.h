// RecursosDeModulo.h: a module's resources as the loader and the resource search read them: bytes, strings,
// types and the MUI record that pairs a library with its language modules.
#pragma once

#include <windows.h>

#include <Win32/Modulos.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <string_view>

// The bytes of a resource, empty when the module has none; valid while the module is loaded.
inline std::string_view Recurso(HMODULE modulo, LPCWSTR tipo, LPCWSTR nombre)
{
    const HRSRC recurso = ::FindResourceW(modulo, nombre, tipo);
    if (recurso == nullptr)
        return {};
    return {static_cast<const char*>(::LockResource(::LoadResource(modulo, recurso))), ::SizeofResource(modulo, recurso)};
}

// A value at an offset of the bytes; zero past their end.
template <class T>
T Lee(std::string_view datos, size_t desplazamiento)
{
    T valor{};
    if (desplazamiento + sizeof(T) <= datos.size())
        std::memcpy(&valor, datos.data() + desplazamiento, sizeof(T));
    return valor;
}

inline std::wstring Cadena(HMODULE modulo, UINT id)
{
    const wchar_t* texto = nullptr;
    const int longitud = ::LoadStringW(modulo, id, reinterpret_cast<LPWSTR>(&texto), 0);
    return longitud > 0 ? std::wstring(texto, static_cast<size_t>(longitud)) : std::wstring();
}

inline std::wstring NombreDeRecurso(LPCWSTR nombre)
{
    return IS_INTRESOURCE(nombre) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(nombre)) : std::wstring(nombre);
}

// The types of resource a module holds: "#6" for a numbered one, else its name.
inline std::set<std::wstring> TiposDe(HMODULE modulo)
{
    std::set<std::wstring> tipos;
    ::EnumResourceTypesW(
        modulo,
        [](HMODULE, LPWSTR tipo, LONG_PTR lParam) {
            reinterpret_cast<std::set<std::wstring>*>(lParam)->insert(NombreDeRecurso(tipo));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&tipos));
    return tipos;
}

// The MUI resource configuration (resource "MUI" 1) as the loader reads it to pair modules.
struct RegistroMui {
    size_t bytes = 0;
    DWORD tamano = 0, tipoDeArchivo = 0, ubicacionDeReserva = 0;
    std::string sumas;                     // the service checksum and the checksum, 16 bytes each
    std::set<std::wstring> tiposPropios;   // the types a main module holds
    std::set<std::wstring> tiposDeIdioma;  // the types its language modules hold
    std::wstring idioma, idiomaDeReserva;
};

inline RegistroMui LeeRegistroMui(HMODULE modulo)
{
    const std::string_view datos = Recurso(modulo, L"MUI", MAKEINTRESOURCEW(1));
    RegistroMui registro;
    registro.bytes = datos.size();
    if (datos.size() < 132)
        return registro;
    // The data an offset and size pair at campo points at.
    const auto bloque = [&](size_t campo) {
        const DWORD desplazamiento = Lee<DWORD>(datos, campo), bytes = Lee<DWORD>(datos, campo + 4);
        return desplazamiento + bytes <= datos.size() ? datos.substr(desplazamiento, bytes) : std::string_view();
    };
    // The names of a list, each ending in a null.
    const auto nombres = [&](size_t campo) {
        std::set<std::wstring> lista;
        std::wstring texto(bloque(campo).size() / 2, L'\0');
        std::memcpy(texto.data(), bloque(campo).data(), texto.size() * 2);
        for (size_t inicio = 0, fin; inicio < texto.size() && texto[inicio] != L'\0'; inicio = fin + 1) {
            fin = std::min(texto.find(L'\0', inicio), texto.size());
            lista.insert(texto.substr(inicio, fin - inicio));
        }
        return lista;
    };
    // Named types, then numbered ones as "#n".
    const auto tipos = [&](size_t campoDeNombres) {
        std::set<std::wstring> lista = nombres(campoDeNombres);
        const std::string_view numeros = bloque(campoDeNombres + 8);
        for (size_t i = 0; i + 4 <= numeros.size(); i += 4)
            lista.insert(L"#" + std::to_wstring(Lee<DWORD>(numeros, i)));
        return lista;
    };
    const auto idioma = [&](size_t campo) {
        const std::set<std::wstring> lista = nombres(campo);
        return lista.empty() ? std::wstring() : *lista.begin();
    };
    registro.tamano = Lee<DWORD>(datos, 0x04);
    registro.tipoDeArchivo = Lee<DWORD>(datos, 0x10);
    registro.ubicacionDeReserva = Lee<DWORD>(datos, 0x18);
    registro.sumas = datos.substr(0x1C, 32);
    registro.tiposPropios = tipos(0x54);
    registro.tiposDeIdioma = tipos(0x64);
    registro.idioma = idioma(0x74);
    registro.idiomaDeReserva = idioma(0x7C);
    return registro;
}
