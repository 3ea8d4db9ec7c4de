// TablaEPSG.cpp: CTablaEPSG: reading and checking the table, the host's own list, names by code.
#include "TablaEPSG.h"

#include <Win32/Texto.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

using Vectra::CSistemaReferencia;

constexpr std::wstring_view kCabecera = L"quasar-epsg 1 ";
// Far above the real table (about 230 KB): anything larger is not one.
constexpr std::streamoff kTamanoMaximo = 16 << 20;

// A code of the table: decimal digits only, above 0, within 32 bits.
bool LeeCodigo(std::wstring_view texto, std::int32_t& codigo)
{
    if (texto.empty() || texto.size() > 9 || !std::all_of(texto.begin(), texto.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return false;
    codigo = static_cast<std::int32_t>(std::wcstol(std::wstring(texto).c_str(), nullptr, 10));
    return codigo > 0;
}

CString Linea(size_t numero, LPCWSTR problema)
{
    CString texto;
    texto.Format(L"line %zu %s", numero, problema);
    return texto;
}

}  // namespace

CTablaEPSG::CTablaEPSG() : m_sistemas(ListaPropia()) {}

std::vector<CSistemaReferencia> CTablaEPSG::ListaPropia()
{
    return {
        {3035, L"ETRS89-extended / LAEA Europe"},
        {3857, L"WGS 84 / Pseudo-Mercator"},
        {4230, L"ED50"},
        {4258, L"ETRS89"},
        {4326, L"WGS 84"},
        {23030, L"ED50 / UTM zone 30N"},
        {25829, L"ETRS89 / UTM zone 29N"},
        {25830, L"ETRS89 / UTM zone 30N"},
        {25831, L"ETRS89 / UTM zone 31N"},
        {32629, L"WGS 84 / UTM zone 29N"},
        {32630, L"WGS 84 / UTM zone 30N"},
        {32631, L"WGS 84 / UTM zone 31N"},
    };
}

bool CTablaEPSG::Carga(const CString& ruta, CString& error)
{
    std::ifstream archivo(std::filesystem::path(ruta.GetString()), std::ios::binary | std::ios::ate);
    if (!archivo) {
        error = L"cannot be read";
        m_sistemas = ListaPropia();
        return false;
    }
    if (archivo.tellg() > kTamanoMaximo) {
        error = L"is too large to be the table";
        m_sistemas = ListaPropia();
        return false;
    }
    archivo.seekg(0);
    const std::string bytes{std::istreambuf_iterator<char>(archivo), std::istreambuf_iterator<char>()};
    return Lee(bytes, error);
}

bool CTablaEPSG::Lee(std::string_view utf8, CString& error)
{
    m_sistemas = ListaPropia();
    const std::optional<std::wstring> leido = Win32::Utf16Estricto(utf8);
    if (!leido) {
        error = L"is not UTF-8 text";
        return false;
    }
    const std::wstring& texto = *leido;
    if (texto.empty() || texto.back() != L'\n') {
        error = texto.empty() ? L"is empty" : L"does not end with a whole line";
        return false;
    }
    std::vector<CSistemaReferencia> leidos;
    size_t anunciados = 0;
    size_t numero = 0;
    for (size_t inicio = 0; inicio < texto.size(); ++numero) {
        const size_t fin = texto.find(L'\n', inicio);
        const std::wstring_view linea(texto.data() + inicio, fin - inicio);
        inicio = fin + 1;
        if (numero == 0) {
            // "quasar-epsg 1 COUNT VERSION": the count tells a table cut short.
            if (linea.substr(0, kCabecera.size()) != kCabecera ||
                (anunciados = std::wcstoul(std::wstring(linea.substr(kCabecera.size())).c_str(), nullptr, 10)) == 0) {
                error = L"does not start with the table's header";
                return false;
            }
            continue;
        }
        const size_t tabulador = linea.find(L'\t');
        std::int32_t codigo = 0;
        if (tabulador == std::wstring_view::npos || !LeeCodigo(linea.substr(0, tabulador), codigo) ||
            tabulador + 1 == linea.size()) {
            error = Linea(numero + 1, L"is not a code, a tab and a name");
            return false;
        }
        if (!leidos.empty() && codigo <= leidos.back().m_codigo) {
            error = Linea(numero + 1, L"breaks the ascending order of the codes");
            return false;
        }
        const std::wstring_view nombre = linea.substr(tabulador + 1);
        leidos.emplace_back(codigo, CString(nombre.data(), static_cast<int>(nombre.size())));
    }
    if (leidos.size() != anunciados) {
        error.Format(L"holds %zu systems where its header says %zu", leidos.size(), anunciados);
        return false;
    }
    m_sistemas = std::move(leidos);
    return true;
}

CString CTablaEPSG::NombreDe(const CString& identificador) const
{
    const int codigo = CSistemaReferencia::CodigoDe(identificador);
    const auto encontrado = std::lower_bound(m_sistemas.begin(), m_sistemas.end(), codigo,
                                             [](const CSistemaReferencia& s, int c) { return s.m_codigo < c; });
    if (codigo <= 0 || encontrado == m_sistemas.end() || encontrado->m_codigo != codigo)
        return CString();
    return encontrado->GetNombre();
}
