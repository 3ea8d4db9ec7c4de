// LectorXml.cpp: expat fed as the bytes arrive, its safety settings, and its failures in words a user can act on.
#include "LectorXml.h"

#include "CatalogoDeTextos.h"
#include "CodificacionXml.h"
#include "ExcepcionCapacidades.h"
#include "PrologoXml.h"
#include "TextosWMS.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace Nadir::OpenGIS::WMS {

namespace {

// What expat is asked for at least, and given at most, at a time: a few of WinHTTP's reads.
constexpr std::size_t kTrozo = 64 * 1024;
// A prologue not yet whole after this many bytes (a giant comment, say) is read with the rest at the end,
// instead of being looked through again as each piece arrives.
constexpr std::size_t kPrologoMaximo = 1 << 20;

struct Razon {
    XML_Error codigo;
    UINT texto;
};

constexpr Razon kRazones[] = {
    {XML_ERROR_SYNTAX, IDS_RAZON_SINTAXIS},
    {XML_ERROR_INVALID_TOKEN, IDS_RAZON_NO_PERMITIDO},
    {XML_ERROR_NO_ELEMENTS, IDS_RAZON_SIN_RAIZ},
    {XML_ERROR_TAG_MISMATCH, IDS_RAZON_ETIQUETAS},
    {XML_ERROR_DUPLICATE_ATTRIBUTE, IDS_RAZON_ATRIBUTO_REPETIDO},
    {XML_ERROR_JUNK_AFTER_DOC_ELEMENT, IDS_RAZON_SIGUE_ALGO},
    {XML_ERROR_BAD_CHAR_REF, IDS_RAZON_CARACTER},
    {XML_ERROR_MISPLACED_XML_PI, IDS_RAZON_DECLARACION_FUERA},
    {XML_ERROR_XML_DECL, IDS_RAZON_DECLARACION},
    {XML_ERROR_UNCLOSED_CDATA_SECTION, IDS_RAZON_CDATA},
    {XML_ERROR_INCORRECT_ENCODING, IDS_RAZON_CODIFICACION},
    {XML_ERROR_UNBOUND_PREFIX, IDS_RAZON_PREFIJO},
    {XML_ERROR_UNDECLARING_PREFIX, IDS_RAZON_PREFIJO},
};

CString RazonDe(XML_Error codigo)
{
    for (const Razon& r : kRazones)
        if (r.codigo == codigo)
            return Cadena(r.texto);
    return Mensaje(IDS_RAZON_EXPAT, XML_ErrorString(codigo));
}

// Errors at the end of the text that say it stops mid-way.
bool DiceCortado(XML_Error codigo, bool raizVista)
{
    return codigo == XML_ERROR_UNCLOSED_TOKEN || codigo == XML_ERROR_PARTIAL_CHAR ||
           codigo == XML_ERROR_UNCLOSED_CDATA_SECTION || (codigo == XML_ERROR_NO_ELEMENTS && raizVista);
}

// Moves a position (expat's: lines from 1, columns in characters from 0) over the text that follows it.
void Avanza(std::string_view texto, XML_Size& linea, XML_Size& columna)
{
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const auto c = static_cast<unsigned char>(texto[i]);
        if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n')
                ++i;
            ++linea;
            columna = 0;
        } else if ((c & 0xC0) != 0x80) {
            ++columna;
        }
    }
}

}  // namespace

struct LectorXml::Llamadas {
    static void XMLCALL AlEmpezar(void* datos, const XML_Char* nombre, const XML_Char** atributos)
    {
        auto& lector = *static_cast<LectorXml*>(datos);
        Atiende(lector, [&] {
            if (++lector.m_profundidad > kProfundidadMaxima) {
                const auto linea = static_cast<int>(XML_GetCurrentLineNumber(lector.m_analizador.get()));
                throw ExcepcionCapacidades::DemasiadoProfundo(lector.m_origen, linea + lector.m_lineasQuitadas,
                                                              kProfundidadMaxima);
            }
            lector.m_raizVista = true;
            lector.m_oyente.AlEmpezar(nombre, atributos);
        });
    }

    static void XMLCALL AlTerminar(void* datos, const XML_Char*)
    {
        auto& lector = *static_cast<LectorXml*>(datos);
        Atiende(lector, [&] {
            --lector.m_profundidad;
            lector.m_oyente.AlTerminar();
        });
    }

    static void XMLCALL AlTexto(void* datos, const XML_Char* texto, int largo)
    {
        auto& lector = *static_cast<LectorXml*>(datos);
        Atiende(lector, [&] { lector.m_oyente.AlTexto({texto, static_cast<std::size_t>(largo)}); });
    }

    // Nothing may unwind through expat's C frames: a failure is kept and thrown once it has returned.
    template <class Paso>
    static void Atiende(LectorXml& lector, Paso paso)
    {
        if (lector.m_fallo)
            return;
        try {
            paso();
        } catch (...) {
            lector.m_fallo = std::current_exception();
            XML_StopParser(lector.m_analizador.get(), XML_FALSE);
        }
    }
};

void LectorXml::LiberaAnalizador::operator()(XML_ParserStruct* analizador) const
{
    XML_ParserFree(analizador);
}

LectorXml::LectorXml(OyenteXml& oyente, const CString& tipoContenido, const CString& origen)
    : m_oyente(oyente),
      m_tipoContenido(tipoContenido),
      m_origen(origen),
      // Told UTF-8: what the declaration says is never believed, every text is made UTF-8 first.
      m_analizador(XML_ParserCreateNS(L"UTF-8", OyenteXml::kSeparador))
{
    if (!m_analizador)
        throw std::bad_alloc();
    XML_Parser analizador = m_analizador.get();
    XML_SetUserData(analizador, this);
    XML_SetElementHandler(analizador, Llamadas::AlEmpezar, Llamadas::AlTerminar);
    XML_SetCharacterDataHandler(analizador, Llamadas::AlTexto);
    // No external entity or DTD is ever read (there is no handler to read one). As if the document
    // had an external subset, a reference to an entity nothing declares is skipped, not an error.
    XML_SetParamEntityParsing(analizador, XML_PARAM_ENTITY_PARSING_NEVER);
    XML_UseForeignDTD(analizador, XML_TRUE);
}

LectorXml::~LectorXml() = default;

std::span<char> LectorXml::Espacio(std::size_t minimo)
{
    if (m_fase != Fase::Utf8) {
        m_bytes.resize(m_recibidos + minimo);
        return {m_bytes.data() + m_recibidos, minimo};
    }
    const std::size_t pedido = std::max(minimo, kTrozo) + m_largoCola;
    m_espacio = static_cast<char*>(XML_GetBuffer(m_analizador.get(), static_cast<int>(pedido)));
    if (!m_espacio)
        throw std::bad_alloc();
    std::memcpy(m_espacio, m_cola, m_largoCola);
    return {m_espacio + m_largoCola, pedido - m_largoCola};
}

void LectorXml::Agrega(std::size_t bytes)
{
    if (m_fase == Fase::Utf8) {
        AgregaUtf8(bytes);
        return;
    }
    m_recibidos += bytes;
    m_bytes.resize(m_recibidos);
    if (m_fase == Fase::Comienzo)
        EligeLectura();
}

void LectorXml::Termina()
{
    if (m_fase == Fase::Utf8) {
        AnalizaTexto(Utf8Reparado({m_cola, m_largoCola}), true);
        return;
    }
    m_bytes.resize(m_recibidos);
    AnalizaPreparado(PreparaPrologo(TextoEnUtf8(std::move(m_bytes), m_tipoContenido, m_origen), m_origen), true);
}

// Once the prologue is whole its declaration is known, and with it the encoding.
void LectorXml::EligeLectura()
{
    const std::string_view comienzo(m_bytes);
    const std::size_t posibleMarca = comienzo.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    if (!PrologoCompleto(comienzo.substr(posibleMarca))) {
        if (comienzo.size() > kPrologoMaximo)
            m_fase = Fase::Entera;
        return;
    }
    if (const std::optional<std::size_t> marca = MarcaUtf8(comienzo, m_tipoContenido, m_origen))
        EmpiezaUtf8(*marca);
    else
        m_fase = Fase::Entera;
}

void LectorXml::EmpiezaUtf8(std::size_t marca)
{
    std::string texto = std::move(m_bytes);
    texto.erase(0, marca);
    texto.resize(texto.size() - GuardaCola(texto));
    m_fase = Fase::Utf8;
    AnalizaPreparado(PreparaPrologo(Utf8Reparado(texto), m_origen), false);
}

// The bytes are already in expat's buffer, after the held-back ones: parsed there when they need no repair.
void LectorXml::AgregaUtf8(std::size_t bytes)
{
    std::string_view trozo(m_espacio, m_largoCola + bytes);
    trozo.remove_suffix(GuardaCola(trozo));
    if (PrimerDefectoUtf8(trozo) == trozo.size())
        Analiza(XML_ParseBuffer(m_analizador.get(), static_cast<int>(trozo.size()), XML_FALSE), false);
    else
        AnalizaTexto(Utf8Reparado(trozo), false);
}

std::size_t LectorXml::GuardaCola(std::string_view texto)
{
    m_largoCola = ColaIncompletaUtf8(texto);
    std::memcpy(m_cola, texto.data() + texto.size() - m_largoCola, m_largoCola);
    return m_largoCola;
}

void LectorXml::AnalizaPreparado(TextoPreparado texto, bool final)
{
    m_lineasQuitadas = texto.lineasQuitadas;
    m_nombreDoctype = std::move(texto.nombreDoctype);
    AnalizaTexto(texto.utf8, final);
}

// In pieces: expat copies what it is given into its buffer, which stays small.
void LectorXml::AnalizaTexto(std::string_view texto, bool final)
{
    do {
        const std::size_t largo = std::min(texto.size(), kTrozo);
        const bool ultima = final && largo == texto.size();
        Analiza(XML_Parse(m_analizador.get(), texto.data(), static_cast<int>(largo), ultima), ultima);
        texto.remove_prefix(largo);
    } while (!texto.empty());
}

void LectorXml::Analiza(int estado, bool final)
{
    if (m_fallo)
        std::rethrow_exception(std::exchange(m_fallo, nullptr));
    if (estado == XML_STATUS_ERROR)
        Falla(final);
}

void LectorXml::Falla(bool final)
{
    XML_Parser analizador = m_analizador.get();
    const XML_Error codigo = XML_GetErrorCode(analizador);
    if (codigo == XML_ERROR_NO_MEMORY)
        throw std::bad_alloc();
    XML_Size linea = XML_GetCurrentLineNumber(analizador);
    XML_Size columna = XML_GetCurrentColumnNumber(analizador);
    const bool cortado = final && DiceCortado(codigo, m_raizVista);
    int desde = 0, hasta = 0;
    // Cut short, the place to show is the end: past what expat still holds of the unfinished part.
    if (const char* contexto = XML_GetInputContext(analizador, &desde, &hasta); cortado && contexto)
        Avanza({contexto + desde, static_cast<std::size_t>(hasta - desde)}, linea, columna);
    CString razon = RazonDe(codigo);
    if (cortado)
        razon = Cadena(IDS_RAZON_CORTADO);
    else if (m_raizVista && m_profundidad == 0)
        razon = Cadena(IDS_RAZON_SIGUE_ALGO);
    throw ExcepcionCapacidades::XmlMalformado(m_origen, static_cast<int>(linea) + m_lineasQuitadas,
                                              static_cast<int>(columna) + 1, razon);
}

}  // namespace Nadir::OpenGIS::WMS
