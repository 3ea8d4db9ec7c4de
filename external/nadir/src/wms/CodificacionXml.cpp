// CodificacionXml.cpp: byte-order marks, declared charsets and UTF-8 repair.
#include "CodificacionXml.h"

#include "ExcepcionCapacidades.h"
#include "PrologoXml.h"

#include <Win32/Texto.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace Nadir::OpenGIS::WMS {

namespace {

struct NombreDeCodificacion {
    const char* nombre;
    UINT paginaDeCodigos;  // CP_UTF8: taken as UTF-8 and repaired
};

// Names as IANA registers them (lower case), with the aliases servers actually send. "utf-16" is
// here because a UTF-16 declaration read as ASCII means the bytes are not UTF-16 after all.
constexpr NombreDeCodificacion kNombres[] = {
    {"utf-8", CP_UTF8},        {"utf8", CP_UTF8},         {"utf-16", CP_UTF8},       {"us-ascii", CP_UTF8},
    {"ascii", CP_UTF8},        {"iso-8859-1", 28591},     {"iso8859-1", 28591},      {"iso_8859-1", 28591},
    {"latin1", 28591},         {"latin-1", 28591},        {"l1", 28591},             {"iso-8859-2", 28592},
    {"iso-8859-3", 28593},     {"iso-8859-4", 28594},     {"iso-8859-5", 28595},     {"iso-8859-7", 28597},
    {"iso-8859-9", 28599},     {"iso-8859-13", 28603},    {"iso-8859-15", 28605},    {"latin-9", 28605},
    {"windows-1250", 1250},    {"windows-1251", 1251},    {"windows-1252", 1252},    {"cp1252", 1252},
    {"windows-1253", 1253},    {"windows-1254", 1254},    {"windows-1257", 1257},    {"koi8-r", 20866},
    {"shift_jis", 932},        {"gb2312", 936},           {"gbk", 936},              {"big5", 950},
    {"euc-kr", 949},
};

std::string EnMinusculas(std::string_view texto)
{
    std::string minusculas(texto);
    for (char& c : minusculas)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return minusculas;
}

bool EmpiezaPor(std::string_view bytes, std::string_view prefijo)
{
    return bytes.substr(0, prefijo.size()) == prefijo;
}

UINT PaginaDeCodigos(const std::string& nombre, const CString& origen)
{
    for (const NombreDeCodificacion& n : kNombres)
        if (nombre == n.nombre)
            return n.paginaDeCodigos;
    throw ExcepcionCapacidades::CodificacionNoSoportada(origen, CString(nombre.c_str()));
}

// Whether the 8 bytes at p are all ASCII: most of a capabilities document is.
bool SoloAscii(const unsigned char* p)
{
    uint64_t ocho;
    std::memcpy(&ocho, p, sizeof ocho);
    return (ocho & 0x8080808080808080ull) == 0;
}

// Length of the sequence the byte c starts, 0 when it starts none.
size_t LargoAnunciado(unsigned c)
{
    return c < 0x80 ? 1 : c < 0xC2 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 0;
}

// Whether b may stand at position i of a sequence that c starts: no overlong forms (E0, F0), no
// surrogates (ED), nothing past U+10FFFF (F4).
bool Continua(unsigned c, size_t i, unsigned b)
{
    unsigned desde = 0x80, hasta = 0xBF;
    if (i == 1) {
        desde = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : desde;
        hasta = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : hasta;
    }
    return b >= desde && b <= hasta;
}

// How many of the quedan bytes at p begin the sequence there well (its whole length at most).
size_t PrefijoValido(const unsigned char* p, size_t quedan)
{
    const size_t largo = std::min(LargoAnunciado(p[0]), quedan);
    for (size_t i = 1; i < largo; ++i)
        if (!Continua(p[0], i, p[i]))
            return i;
    return largo;
}

// Length of the well-formed UTF-8 sequence at p, or 0 when none starts there.
size_t LargoSecuenciaUtf8(const unsigned char* p, size_t quedan)
{
    const size_t largo = LargoAnunciado(p[0]);
    return largo != 0 && PrefijoValido(p, quedan) == largo ? largo : 0;
}

std::string Utf8DeUtf16(std::string_view bytes, bool granIndio)
{
    std::wstring texto(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < texto.size(); ++i) {
        const auto alto = static_cast<unsigned char>(bytes[2 * i + (granIndio ? 0 : 1)]);
        const auto bajo = static_cast<unsigned char>(bytes[2 * i + (granIndio ? 1 : 0)]);
        texto[i] = static_cast<wchar_t>(alto << 8 | bajo);
    }
    return Win32::Utf8(texto);
}

std::string Utf8DePaginaDeCodigos(std::string_view bytes, UINT pagina, const std::string& nombre,
                                  const CString& origen)
{
    if (bytes.empty())
        return {};
    const int largo = MultiByteToWideChar(pagina, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (largo <= 0)  // code page not installed
        throw ExcepcionCapacidades::CodificacionNoSoportada(origen, CString(nombre.c_str()));
    std::wstring texto(static_cast<size_t>(largo), L'\0');
    MultiByteToWideChar(pagina, 0, bytes.data(), static_cast<int>(bytes.size()), texto.data(), largo);
    return Win32::Utf8(texto);
}

// The charset parameter of a Content-Type value, lower-cased and unquoted; empty when absent.
std::string CharsetDeTipoContenido(const CString& tipoContenido)
{
    CString minusculas = tipoContenido;
    minusculas.MakeLower();
    const int clave = minusculas.Find(L"charset=");
    if (clave < 0)
        return {};
    CString valor = minusculas.Mid(clave + 8);
    const int fin = valor.Find(L';');
    if (fin >= 0)
        valor = valor.Left(fin);
    valor.Trim();
    valor.Trim(L"\"'");
    std::string ascii;
    for (int i = 0; i < valor.GetLength(); ++i)
        if (valor[i] < 0x80)
            ascii += static_cast<char>(valor[i]);
    return ascii;
}

// Encoding of bytes that start neither with a mark nor as UTF-16: declared, else from the header.
std::string NombreDeclarado(std::string_view bytes, const CString& tipoContenido)
{
    const size_t inicio = bytes.find_first_not_of(" \t\r\n");
    if (inicio != std::string_view::npos) {
        const std::string_view declarada = CodificacionDeclarada(bytes.substr(inicio));
        if (!declarada.empty())
            return EnMinusculas(declarada);
    }
    const std::string charset = CharsetDeTipoContenido(tipoContenido);
    return charset.empty() ? std::string("utf-8") : charset;
}

enum class Forma { Utf8, Utf16Le, Utf16Be, PaginaDeCodigos };

struct Decodificacion {
    Forma forma = Forma::Utf8;
    size_t marca = 0;    // bytes of the byte-order mark, left out of the text
    UINT pagina = 0;     // PaginaDeCodigos: the Windows code page
    std::string nombre;  // PaginaDeCodigos: the charset as named, for messages
};

Decodificacion Averigua(std::string_view bytes, const CString& tipoContenido, const CString& origen)
{
    using namespace std::string_view_literals;
    if (EmpiezaPor(bytes, "\xFF\xFE\0\0"sv) || EmpiezaPor(bytes, "\0\0\xFE\xFF"sv))
        throw ExcepcionCapacidades::CodificacionNoSoportada(origen, L"UTF-32");
    if (EmpiezaPor(bytes, "\xEF\xBB\xBF"))
        return {Forma::Utf8, 3, 0, {}};
    if (EmpiezaPor(bytes, "\xFF\xFE"))
        return {Forma::Utf16Le, 2, 0, {}};
    if (EmpiezaPor(bytes, "\xFE\xFF"))
        return {Forma::Utf16Be, 2, 0, {}};
    // Without a mark, UTF-16 shows as an ASCII character beside a zero byte.
    if (bytes.size() >= 4 && bytes[0] != 0 && bytes[1] == 0 && bytes[3] == 0)
        return {Forma::Utf16Le, 0, 0, {}};
    if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] != 0 && bytes[2] == 0)
        return {Forma::Utf16Be, 0, 0, {}};

    std::string nombre = NombreDeclarado(bytes, tipoContenido);
    const UINT pagina = PaginaDeCodigos(nombre, origen);
    if (pagina == CP_UTF8)
        return {Forma::Utf8, 0, 0, {}};
    return {Forma::PaginaDeCodigos, 0, pagina, std::move(nombre)};
}

}  // namespace

size_t PrimerDefectoUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    for (size_t i = 0; i < n;) {
        if (i + 8 <= n && SoloAscii(p + i)) {
            i += 8;
            continue;
        }
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const size_t largo = LargoSecuenciaUtf8(p + i, n - i);
        if (largo == 0)
            return i;
        i += largo;
    }
    return n;
}

std::string Utf8Reparado(std::string_view bytes)
{
    size_t defecto = PrimerDefectoUtf8(bytes);
    if (defecto == bytes.size())
        return std::string(bytes);
    std::string resultado;
    resultado.reserve(bytes.size() + 2 * (bytes.size() - defecto));
    size_t copiadoHasta = 0;
    while (defecto < bytes.size()) {
        resultado.append(bytes.substr(copiadoHasta, defecto - copiadoHasta));
        resultado.append("\xEF\xBF\xBD");
        copiadoHasta = defecto + 1;
        defecto = copiadoHasta + PrimerDefectoUtf8(bytes.substr(copiadoHasta));
    }
    resultado.append(bytes.substr(copiadoHasta));
    return resultado;
}

size_t ColaIncompletaUtf8(std::string_view trozo)
{
    const auto* p = reinterpret_cast<const unsigned char*>(trozo.data());
    const size_t n = trozo.size();
    for (size_t cola = 1; cola <= std::min<size_t>(3, n); ++cola) {
        const unsigned c = p[n - cola];
        if (c < 0xC0)
            continue;  // ASCII or a continuation: the start, if any, stands further back
        // Held back only while it may still become well-formed; otherwise it is a defect now.
        return LargoAnunciado(c) > cola && PrefijoValido(p + n - cola, cola) == cola ? cola : 0;
    }
    return 0;
}

std::optional<size_t> MarcaUtf8(std::string_view comienzo, const CString& tipoContenido, const CString& origen)
{
    const Decodificacion d = Averigua(comienzo, tipoContenido, origen);
    if (d.forma != Forma::Utf8)
        return std::nullopt;
    return d.marca;
}

std::string TextoEnUtf8(std::string&& bytes, const CString& tipoContenido, const CString& origen)
{
    const Decodificacion d = Averigua(bytes, tipoContenido, origen);
    const std::string_view texto = std::string_view(bytes).substr(d.marca);
    switch (d.forma) {
    case Forma::Utf16Le:
        return Utf8DeUtf16(texto, false);
    case Forma::Utf16Be:
        return Utf8DeUtf16(texto, true);
    case Forma::PaginaDeCodigos:
        return Utf8DePaginaDeCodigos(texto, d.pagina, d.nombre, origen);
    case Forma::Utf8:
        break;
    }
    if (PrimerDefectoUtf8(texto) != texto.size())
        return Utf8Reparado(texto);
    bytes.erase(0, d.marca);
    return std::move(bytes);
}

}  // namespace Nadir::OpenGIS::WMS
