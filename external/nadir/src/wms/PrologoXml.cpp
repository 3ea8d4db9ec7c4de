// PrologoXml.cpp: the declaration and DOCTYPE rewriting before the parser reads a text.
#include "PrologoXml.h"

#include "CatalogoDeTextos.h"
#include "ExcepcionCapacidades.h"
#include "TextosWMS.h"

#include <Win32/Texto.h>

#include <algorithm>
#include <utility>

namespace Nadir::OpenGIS::WMS {

namespace {

constexpr std::string_view kEspacios = " \t\r\n";
constexpr std::string_view kDeclaracionSimple = "<?xml version=\"1.0\"?>";
// Enough of a text that is not XML to quote its first 60 characters.
constexpr size_t kBytesDelComienzo = 60 * 4;
// Enough after a '<' to tell "<!doctype" from the other things that may stand there.
constexpr size_t kBytesParaDistinguir = 9;
constexpr size_t kNoEncontrado = std::string_view::npos;

bool EsEspacio(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool EsCaracterDeNombre(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == '-' ||
           u == '.' || u == ':' || u >= 0x80;
}

bool EmpiezaSinMayusculas(std::string_view texto, size_t pos, std::string_view prefijo)
{
    if (texto.size() - pos < prefijo.size())
        return false;
    for (size_t i = 0; i < prefijo.size(); ++i) {
        char c = texto[pos + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefijo[i])
            return false;
    }
    return true;
}

// 1-based line and column (in characters) of a byte position.
struct Posicion {
    int linea = 1;
    int columna = 1;
};

Posicion PosicionDe(std::string_view texto, size_t pos, int lineasQuitadas)
{
    Posicion p;
    p.linea += lineasQuitadas;
    for (size_t i = 0; i < pos && i < texto.size(); ++i) {
        if (texto[i] == '\n') {
            ++p.linea;
            p.columna = 1;
        } else if ((static_cast<unsigned char>(texto[i]) & 0xC0) != 0x80) {
            ++p.columna;
        }
    }
    return p;
}

// Line breaks as the parser counts them: CR LF, LF, or CR alone.
int LineasEn(std::string_view texto)
{
    int lineas = 0;
    for (size_t i = 0; i < texto.size(); ++i)
        if (texto[i] == '\n' || (texto[i] == '\r' && (i + 1 == texto.size() || texto[i + 1] != '\n')))
            ++lineas;
    return lineas;
}

// Overwrites [desde, hasta) with blanks, keeping line breaks.
void Blanquea(std::string& texto, size_t desde, size_t hasta)
{
    for (size_t i = desde; i < hasta; ++i)
        if (texto[i] != '\n' && texto[i] != '\r')
            texto[i] = ' ';
}

// End (one past) of the construct opened at pos, or npos when it is not closed.
size_t FinTras(std::string_view texto, size_t pos, std::string_view cierre)
{
    const size_t fin = texto.find(cierre, pos);
    return fin == kNoEncontrado ? kNoEncontrado : fin + cierre.size();
}

// End of the DOCTYPE declaration opened at pos: quoted literals, comments and instructions of the
// internal subset may hold '>' and ']'.
size_t FinDeDoctype(std::string_view texto, size_t pos)
{
    bool enSubconjunto = false;
    for (size_t i = pos + 9; i < texto.size();) {
        const char c = texto[i];
        if (c == '"' || c == '\'') {
            const size_t cierre = texto.find(c, i + 1);
            if (cierre == kNoEncontrado)
                return kNoEncontrado;
            i = cierre + 1;
        } else if (enSubconjunto && texto.compare(i, 4, "<!--") == 0) {
            i = FinTras(texto, i + 4, "-->");
        } else if (enSubconjunto && texto.compare(i, 2, "<?") == 0) {
            i = FinTras(texto, i + 2, "?>");
        } else if (c == '[') {
            enSubconjunto = true;
            ++i;
        } else if (c == ']') {
            enSubconjunto = false;
            ++i;
        } else if (c == '>' && !enSubconjunto) {
            return i + 1;
        } else {
            ++i;
        }
        if (i == kNoEncontrado)
            return kNoEncontrado;
    }
    return kNoEncontrado;
}

std::string NombreTras(std::string_view texto, size_t pos)
{
    while (pos < texto.size() && EsEspacio(texto[pos]))
        ++pos;
    size_t fin = pos;
    while (fin < texto.size() && EsCaracterDeNombre(texto[fin]))
        ++fin;
    return std::string(texto.substr(pos, fin - pos));
}

// End (one past) of the comment, instruction or DOCTYPE at pos, which may stand between the XML
// declaration and the root; pos itself when something else stands there; npos when it is not closed.
size_t FinDePiezaDelPrologo(std::string_view texto, size_t pos)
{
    if (texto.compare(pos, 4, "<!--") == 0)
        return FinTras(texto, pos + 4, "-->");
    if (texto.compare(pos, 2, "<?") == 0)
        return FinTras(texto, pos + 2, "?>");
    if (EmpiezaSinMayusculas(texto, pos, "<!doctype"))
        return FinDeDoctype(texto, pos);
    return pos;
}

// The first characters of a text that is not XML, for the user to recognise; empty for binary data.
CString Comienzo(std::string_view texto)
{
    std::string_view linea = texto.substr(0, std::min(texto.find_first_of("\r\n"), size_t{60}));
    while (!linea.empty() && (static_cast<unsigned char>(linea.back()) & 0xC0) == 0x80)
        linea.remove_suffix(1);  // never cut a character in two
    const std::wstring comienzo = Win32::Utf16(linea);
    for (const wchar_t c : comienzo)
        if (c < 0x20 || c == 0xFFFD)
            return {};
    return comienzo.c_str();
}

}  // namespace

std::string_view CodificacionDeclarada(std::string_view texto)
{
    if (texto.compare(0, 5, "<?xml") != 0 || texto.size() < 6 || !EsEspacio(texto[5]))
        return {};
    const std::string_view declaracion = texto.substr(0, texto.find("?>"));
    size_t pos = declaracion.find("encoding");
    if (pos == kNoEncontrado)
        return {};
    pos = declaracion.find_first_not_of(kEspacios, pos + 8);
    if (pos == kNoEncontrado || declaracion[pos] != '=')
        return {};
    pos = declaracion.find_first_not_of(kEspacios, pos + 1);
    if (pos == kNoEncontrado || (declaracion[pos] != '"' && declaracion[pos] != '\''))
        return {};
    const size_t fin = declaracion.find(declaracion[pos], pos + 1);
    if (fin == kNoEncontrado)
        return {};
    return declaracion.substr(pos + 1, fin - pos - 1);
}

bool PrologoCompleto(std::string_view texto)
{
    size_t pos = texto.find_first_not_of(kEspacios);
    if (pos == kNoEncontrado)
        return false;
    if (texto[pos] != '<')  // not XML: complete once its first line can be quoted
        return texto.find_first_of("\r\n", pos) != kNoEncontrado || texto.size() - pos >= kBytesDelComienzo;
    for (;;) {
        if (texto.size() - pos < kBytesParaDistinguir)
            return false;
        const size_t fin = FinDePiezaDelPrologo(texto, pos);
        if (fin == kNoEncontrado)
            return false;
        if (fin == pos)
            return true;
        pos = texto.find_first_not_of(kEspacios, fin);
        if (pos == kNoEncontrado)
            return false;
    }
}

TextoPreparado PreparaPrologo(std::string utf8, const CString& origen)
{
    TextoPreparado preparado;
    const size_t inicio = utf8.find_first_not_of(kEspacios);
    if (inicio == std::string::npos)
        throw ExcepcionCapacidades::Vacio(origen);
    preparado.lineasQuitadas = LineasEn(std::string_view(utf8).substr(0, inicio));
    utf8.erase(0, inicio);
    if (utf8[0] != '<')
        throw ExcepcionCapacidades::NoEsXml(origen, Comienzo(utf8));

    size_t pos = 0;
    if (utf8.compare(0, 5, "<?xml") == 0 && utf8.size() > 5 && EsEspacio(utf8[5])) {
        const size_t fin = FinTras(utf8, 0, "?>");
        if (fin == kNoEncontrado)
            throw ExcepcionCapacidades::XmlMalformado(origen, 1 + preparado.lineasQuitadas, 1,
                                                      Cadena(IDS_RAZON_DECLARACION_ABIERTA));
        std::string nueva(kDeclaracionSimple);
        for (size_t i = 0; i < fin; ++i)
            if (utf8[i] == '\n' || utf8[i] == '\r')
                nueva += utf8[i];
        if (nueva.size() < fin)
            nueva.append(fin - nueva.size(), ' ');
        utf8.replace(0, fin, nueva);
        pos = nueva.size();
    }

    // Comments and instructions may stand around the DOCTYPE; anything else is the root.
    for (;;) {
        pos = utf8.find_first_not_of(kEspacios, pos);
        if (pos == std::string::npos)
            break;
        const size_t fin = FinDePiezaDelPrologo(utf8, pos);
        if (fin == pos)
            break;
        if (EmpiezaSinMayusculas(utf8, pos, "<!doctype")) {
            if (fin == kNoEncontrado) {
                const Posicion p = PosicionDe(utf8, pos, preparado.lineasQuitadas);
                throw ExcepcionCapacidades::XmlMalformado(origen, p.linea, p.columna,
                                                          Cadena(IDS_RAZON_DOCTYPE_ABIERTO));
            }
            preparado.nombreDoctype = NombreTras(utf8, pos + 9);
            Blanquea(utf8, pos, fin);
        }
        if (fin == kNoEncontrado)
            break;  // a comment or instruction never closed: the parser says where
        pos = fin;
    }
    preparado.utf8 = std::move(utf8);
    return preparado;
}

}  // namespace Nadir::OpenGIS::WMS
