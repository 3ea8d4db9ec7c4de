// PrologoXml.cpp: the declaration, DOCTYPE and entity-reference rewriting that XmlLite needs.
#include "PrologoXml.h"

#include "CatalogoDeTextos.h"
#include "ExcepcionCapacidades.h"
#include "TextosWMS.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace Nadir::OpenGIS::WMS {

namespace {

constexpr std::string_view kEspacios = " \t\r\n";
constexpr std::string_view kDeclaracionSimple = "<?xml version=\"1.0\"?>";
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

// Line breaks as XmlLite counts them: CR LF, LF, or CR alone.
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

bool EsEntidadPredefinida(std::string_view nombre)
{
    return nombre == "amp" || nombre == "lt" || nombre == "gt" || nombre == "quot" || nombre == "apos";
}

// Length of the reference to an undeclared entity at pos ('&'), or 0 when there is none there.
size_t LargoReferenciaSinDeclarar(std::string_view texto, size_t pos)
{
    size_t fin = pos + 1;
    while (fin < texto.size() && EsCaracterDeNombre(texto[fin]))
        ++fin;
    if (fin == pos + 1 || fin == texto.size() || texto[fin] != ';')
        return 0;  // '&#...;' or no reference at all: left to XmlLite
    return EsEntidadPredefinida(texto.substr(pos + 1, fin - pos - 1)) ? 0 : fin + 1 - pos;
}

bool HayReferenciasSinDeclarar(std::string_view texto)
{
    for (size_t i = texto.find('&'); i != kNoEncontrado; i = texto.find('&', i + 1))
        if (LargoReferenciaSinDeclarar(texto, i) > 0)
            return true;
    return false;
}

// End of the comment, CDATA section or instruction at pos ('<'), where references are literal
// text; pos + 1 for any other markup.
size_t FinDeTextoLiteral(std::string_view texto, size_t pos)
{
    size_t fin = pos + 1;
    if (texto.compare(pos, 4, "<!--") == 0)
        fin = FinTras(texto, pos + 4, "-->");
    else if (texto.compare(pos, 9, "<![CDATA[") == 0)
        fin = FinTras(texto, pos + 9, "]]>");
    else if (texto.compare(pos, 2, "<?") == 0)
        fin = FinTras(texto, pos + 2, "?>");
    return fin == kNoEncontrado ? texto.size() : fin;
}

std::string SinReferenciasSinDeclarar(std::string_view texto)
{
    std::string resultado;
    resultado.reserve(texto.size());
    size_t i = 0;
    while (i < texto.size()) {
        const size_t marca = texto.find_first_of("<&", i);
        if (marca == kNoEncontrado)
            break;
        if (texto[marca] == '<') {
            const size_t fin = FinDeTextoLiteral(texto, marca);
            resultado.append(texto.substr(i, fin - i));
            i = fin;
            continue;
        }
        resultado.append(texto.substr(i, marca - i));
        const size_t largo = LargoReferenciaSinDeclarar(texto, marca);
        if (largo == 0)
            resultado += '&';
        i = marca + std::max<size_t>(largo, 1);
    }
    resultado.append(texto.substr(std::min(i, texto.size())));
    return resultado;
}

bool EsInicioDeNombre(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}

// A start tag read from its '<' at inicio up to fin, quoted attribute values skipped: where its
// closing '>' stands (npos when not before fin) and whether fin falls inside a quoted value.
struct LecturaDeEtiqueta {
    size_t cierre;
    bool enComillas;
};

LecturaDeEtiqueta LeeEtiqueta(std::string_view texto, size_t inicio, size_t fin)
{
    char comilla = 0;
    for (size_t i = inicio + 1; i < fin; ++i) {
        const char c = texto[i];
        if (comilla) {
            if (c == comilla)
                comilla = 0;
        } else if (c == '"' || c == '\'') {
            comilla = c;
        } else if (c == '>') {
            return {i, false};
        }
    }
    return {kNoEncontrado, comilla != 0};
}

// End (one past '>') of the start tag at pos; npos when unclosed.
size_t FinDeEtiqueta(std::string_view texto, size_t pos)
{
    const size_t cierre = LeeEtiqueta(texto, pos, texto.size()).cierre;
    return cierre == kNoEncontrado ? kNoEncontrado : cierre + 1;
}

// Whether pos stands between attributes of a start tag: the last '<' before it opens a tag and
// neither a '>' nor an open quote lies between. CDATA sections are excluded by the caller; a tag
// seen inside a comment or instruction is ignored text either way.
bool EntreAtributos(std::string_view texto, size_t pos)
{
    const size_t inicio = texto.rfind('<', pos);
    if (inicio == kNoEncontrado || !EsInicioDeNombre(texto[inicio + 1]))
        return false;
    const LecturaDeEtiqueta lectura = LeeEtiqueta(texto, inicio, pos);
    return lectura.cierre == kNoEncontrado && !lectura.enComillas;
}

struct DeclaracionDePrefijo {
    size_t inicio;  // of "xmlns:"
    size_t fin;     // past the closing quote
    std::string_view prefijo;
    std::string_view uri;
};

// The namespace declaration xmlns:p="uri" at pos, if that is an attribute there.
bool LeeDeclaracion(std::string_view texto, size_t pos, DeclaracionDePrefijo& declaracion)
{
    if (pos == 0 || !EsEspacio(texto[pos - 1]))
        return false;
    size_t i = pos + 6;
    while (i < texto.size() && EsCaracterDeNombre(texto[i]) && texto[i] != ':')
        ++i;
    const std::string_view prefijo = texto.substr(pos + 6, i - pos - 6);
    i = texto.find_first_not_of(kEspacios, i);
    if (prefijo.empty() || i == kNoEncontrado || texto[i] != '=')
        return false;
    i = texto.find_first_not_of(kEspacios, i + 1);
    if (i == kNoEncontrado || (texto[i] != '"' && texto[i] != '\''))
        return false;
    const size_t cierre = texto.find(texto[i], i + 1);
    if (cierre == kNoEncontrado)
        return false;
    declaracion = {pos, cierre + 1, prefijo, texto.substr(i + 1, cierre - i - 1)};
    return true;
}

// Looked for by their rare '[' rather than by the '<' every tag starts with.
std::vector<std::pair<size_t, size_t>> SeccionesCdata(std::string_view texto, size_t desde)
{
    std::vector<std::pair<size_t, size_t>> secciones;
    for (size_t i = texto.find("[CDATA[", desde); i != kNoEncontrado; i = texto.find("[CDATA[", i + 7)) {
        if (i < desde + 2 || texto.compare(i - 2, 2, "<!") != 0)
            continue;
        const size_t fin = FinTras(texto, i + 7, "]]>");
        secciones.emplace_back(i - 2, fin == kNoEncontrado ? texto.size() : fin);
        if (fin == kNoEncontrado)
            break;
        i = fin - 7;
    }
    return secciones;
}

bool EnAlguna(const std::vector<std::pair<size_t, size_t>>& secciones, size_t pos)
{
    return std::any_of(secciones.begin(), secciones.end(),
                       [pos](const auto& s) { return pos >= s.first && pos < s.second; });
}

// FIXME(Wine 8): XmlLite keeps every namespace declared below the root until the end and searches
// them all on each prefixed name: quadratic on servers that declare xlink on every OnlineResource
// (10 s for 20,000 layers). A prefix bound to one URI throughout means the same when declared
// once on the root, so the root gets it and the other declarations are blanked.
void DeclaraPrefijosEnLaRaiz(std::string& texto, size_t raiz)
{
    const size_t finRaiz = FinDeEtiqueta(texto, raiz);
    if (finRaiz == kNoEncontrado)
        return;  // XmlLite will say what is wrong
    const auto cdata = SeccionesCdata(texto, finRaiz);
    std::vector<DeclaracionDePrefijo> declaraciones;
    for (size_t i = texto.find("xmlns:", raiz); i != kNoEncontrado; i = texto.find("xmlns:", i + 6)) {
        DeclaracionDePrefijo d;
        if (LeeDeclaracion(texto, i, d) && (i < finRaiz || (!EnAlguna(cdata, i) && EntreAtributos(texto, i))))
            declaraciones.push_back(d);
    }

    // Decided on the text as it is; changed only afterwards.
    std::string paraLaRaiz;
    std::vector<std::pair<size_t, size_t>> sobrantes;
    std::vector<std::string_view> vistos;
    for (const DeclaracionDePrefijo& d : declaraciones) {
        if (d.inicio < finRaiz || std::find(vistos.begin(), vistos.end(), d.prefijo) != vistos.end())
            continue;
        vistos.push_back(d.prefijo);
        bool unaSolaUri = true, yaEnLaRaiz = false;
        for (const DeclaracionDePrefijo& otra : declaraciones) {
            if (otra.prefijo == d.prefijo) {
                unaSolaUri = unaSolaUri && otra.uri == d.uri;
                yaEnLaRaiz = yaEnLaRaiz || otra.inicio < finRaiz;
            }
        }
        if (!unaSolaUri)
            continue;
        if (!yaEnLaRaiz)
            paraLaRaiz.append(" ").append(texto, d.inicio, d.fin - d.inicio);
        for (const DeclaracionDePrefijo& otra : declaraciones)
            if (otra.prefijo == d.prefijo && otra.inicio >= finRaiz)
                sobrantes.emplace_back(otra.inicio, otra.fin);
    }

    for (const auto& [desde, hasta] : sobrantes)
        Blanquea(texto, desde, hasta);
    texto.insert(texto[finRaiz - 2] == '/' ? finRaiz - 2 : finRaiz - 1, paraLaRaiz);
}

// The first characters of a text that is not XML, for the user to recognise; empty for binary data.
CString Comienzo(std::string_view texto)
{
    std::string_view linea = texto.substr(0, std::min(texto.find_first_of("\r\n"), size_t{60}));
    while (!linea.empty() && (static_cast<unsigned char>(linea.back()) & 0xC0) == 0x80)
        linea.remove_suffix(1);  // never cut a character in two
    const int largo = MultiByteToWideChar(CP_UTF8, 0, linea.data(), static_cast<int>(linea.size()), nullptr, 0);
    CString comienzo;
    MultiByteToWideChar(CP_UTF8, 0, linea.data(), static_cast<int>(linea.size()), comienzo.GetBuffer(largo), largo);
    comienzo.ReleaseBuffer(largo);
    for (int i = 0; i < comienzo.GetLength(); ++i)
        if (comienzo[i] < 0x20 || comienzo[i] == 0xFFFD)
            return {};
    return comienzo;
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

    // Wine's reader reads nothing from a text that starts with whitespace, which a blanked DOCTYPE
    // leaves unless a declaration stands before it: so every text starts with one.
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
    } else {
        utf8.insert(0, kDeclaracionSimple);
        pos = kDeclaracionSimple.size();
        preparado.columnasAnadidas = static_cast<int>(pos);
    }

    // Comments and instructions may stand around the DOCTYPE; anything else is the root.
    for (;;) {
        pos = utf8.find_first_not_of(kEspacios, pos);
        if (pos == std::string::npos)
            break;
        if (utf8.compare(pos, 4, "<!--") == 0) {
            pos = FinTras(utf8, pos + 4, "-->");
        } else if (utf8.compare(pos, 2, "<?") == 0) {
            pos = FinTras(utf8, pos + 2, "?>");
        } else if (EmpiezaSinMayusculas(utf8, pos, "<!doctype")) {
            const size_t fin = FinDeDoctype(utf8, pos);
            if (fin == kNoEncontrado) {
                const Posicion p = PosicionDe(utf8, pos, preparado.lineasQuitadas);
                throw ExcepcionCapacidades::XmlMalformado(origen, p.linea, p.columna,
                                                          Cadena(IDS_RAZON_DOCTYPE_ABIERTO));
            }
            preparado.nombreDoctype = NombreTras(utf8, pos + 9);
            Blanquea(utf8, pos, fin);
            pos = fin;
        } else {
            break;
        }
        if (pos == std::string::npos)
            break;
    }

    if (pos != std::string::npos)
        DeclaraPrefijosEnLaRaiz(utf8, pos);
    if (HayReferenciasSinDeclarar(utf8))
        utf8 = SinReferenciasSinDeclarar(utf8);
    preparado.utf8 = std::move(utf8);
    return preparado;
}

}  // namespace Nadir::OpenGIS::WMS
