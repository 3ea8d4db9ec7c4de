// MapaDeAyuda.cpp: CMapaDeAyuda: the project's sections, "#define SYMBOL NUMBER" and "SYMBOL=page".
#include "MapaDeAyuda.h"

#include <Win32/Texto.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// A line without its comment (from ';') and the blanks around it.
CString Limpia(std::wstring_view linea)
{
    CString limpia(linea.data(), static_cast<int>(linea.size()));
    const int comentario = limpia.Find(L';');
    if (comentario >= 0)
        limpia = limpia.Left(comentario);
    return limpia.Trim();
}

// A MAP number, decimal or 0x hexadecimal, and nothing after it.
bool LeeNumero(const CString& texto, DWORD_PTR& numero)
{
    if (texto.IsEmpty())
        return false;
    wchar_t* fin = nullptr;
    numero = static_cast<DWORD_PTR>(std::wcstoull(texto, &fin, 0));
    return fin != nullptr && *fin == L'\0';
}

}  // namespace

bool CMapaDeAyuda::Carga(const CString& ruta, CString& error)
{
    std::ifstream archivo(std::filesystem::path(ruta.GetString()), std::ios::binary);
    if (!archivo) {
        error = L"cannot be read";
        return false;
    }
    const std::string bytes{std::istreambuf_iterator<char>(archivo), std::istreambuf_iterator<char>()};
    return Lee(Win32::Utf16(bytes), error);
}

bool CMapaDeAyuda::Lee(std::wstring_view texto, CString& error)
{
    m_temaPorDefecto.Empty();
    m_temas.clear();
    std::map<CString, DWORD_PTR> numeros;  // symbols in upper case: the workshop ignores case
    std::vector<std::pair<CString, CString>> alias;
    CString seccion;
    for (size_t inicio = 0; inicio <= texto.size();) {
        size_t fin = texto.find(L'\n', inicio);
        if (fin == std::wstring_view::npos)
            fin = texto.size();
        const CString linea = Limpia(texto.substr(inicio, fin - inicio));
        inicio = fin + 1;
        if (linea.IsEmpty())
            continue;
        if (linea[0] == L'[' && linea[linea.GetLength() - 1] == L']') {
            seccion = linea.Mid(1, linea.GetLength() - 2);
            seccion.MakeUpper();
            continue;
        }
        const int igual = linea.Find(L'=');
        if (seccion == L"OPTIONS" && igual > 0 && linea.Left(igual).Trim().CompareNoCase(L"Default topic") == 0) {
            m_temaPorDefecto = linea.Mid(igual + 1).Trim();
        } else if (seccion == L"ALIAS" && igual > 0) {
            CString simbolo = linea.Left(igual).Trim();
            alias.emplace_back(simbolo.MakeUpper(), linea.Mid(igual + 1).Trim());
        } else if (seccion == L"MAP") {
            CString resto = linea;
            if (resto.Left(7).CompareNoCase(L"#define") != 0) {
                error = L"[MAP] holds a line that is not #define SYMBOL NUMBER: " + linea;
                return false;
            }
            resto = resto.Mid(7).Trim();
            const int espacio = resto.Find(L' ');
            const int tabulador = resto.Find(L'\t');
            const int blanco = espacio < 0 || (tabulador >= 0 && tabulador < espacio) ? tabulador : espacio;
            DWORD_PTR numero = 0;
            if (blanco <= 0 || !LeeNumero(resto.Mid(blanco).Trim(), numero)) {
                error = L"[MAP] holds a line that is not #define SYMBOL NUMBER: " + linea;
                return false;
            }
            numeros[resto.Left(blanco).MakeUpper()] = numero;
        }
    }
    for (const auto& [simbolo, tema] : alias) {
        const auto numero = numeros.find(simbolo);
        if (numero != numeros.end() && !tema.IsEmpty())
            m_temas[numero->second] = tema;
    }
    return true;
}

CString CMapaDeAyuda::TemaDe(DWORD_PTR contexto) const
{
    const auto tema = m_temas.find(contexto);
    return tema == m_temas.end() ? CString() : tema->second;
}
