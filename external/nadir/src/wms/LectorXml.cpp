// LectorXml.cpp: XmlLite set up safely, and its failures in words a user can act on.
#include "LectorXml.h"

#include "CatalogoDeTextos.h"
#include "ExcepcionCapacidades.h"
#include "TextosWMS.h"

#include <algorithm>

namespace Nadir::OpenGIS::WMS {

namespace {

struct Razon {
    unsigned codigo;  // an XmlError
    UINT texto;
};

// XmlLite gives codes only; these are its reasons in words.
constexpr Razon kRazones[] = {
    {MX_E_INPUTEND, IDS_RAZON_CORTADO},
    {MX_E_ENCODING, IDS_RAZON_CODIFICACION},
    {WC_E_WHITESPACE, IDS_RAZON_ESPACIO},
    {WC_E_SEMICOLON, IDS_RAZON_PUNTO_Y_COMA},
    {WC_E_GREATERTHAN, IDS_RAZON_MAYOR_QUE},
    {WC_E_QUOTE, IDS_RAZON_COMILLAS},
    {WC_E_EQUAL, IDS_RAZON_IGUAL},
    {WC_E_LESSTHAN, IDS_RAZON_MENOR_QUE},
    {WC_E_HEXDIGIT, IDS_RAZON_HEXADECIMAL},
    {WC_E_DIGIT, IDS_RAZON_DECIMAL},
    {WC_E_XMLCHARACTER, IDS_RAZON_CARACTER},
    {WC_E_NAMECHARACTER, IDS_RAZON_CARACTER_DE_NOMBRE},
    {WC_E_SYNTAX, IDS_RAZON_SINTAXIS},
    {WC_E_CDSECT, IDS_RAZON_CDATA},
    {WC_E_COMMENT, IDS_RAZON_COMENTARIO},
    {WC_E_NAME, IDS_RAZON_NOMBRE},
    {WC_E_ROOTELEMENT, IDS_RAZON_SIN_RAIZ},
    {WC_E_ELEMENTMATCH, IDS_RAZON_ETIQUETAS},
    {WC_E_UNIQUEATTRIBUTE, IDS_RAZON_ATRIBUTO_REPETIDO},
    {WC_E_XMLDECL, IDS_RAZON_DECLARACION},
    {WC_E_LEADINGXML, IDS_RAZON_DECLARACION_FUERA},
    {WC_E_CDSECTEND, IDS_RAZON_FIN_DE_CDATA},
    {WC_E_MOREDATA, IDS_RAZON_TRAS_LA_RAIZ},
    {WC_E_DTDPROHIBITED, IDS_RAZON_DOCTYPE},
    {WC_E_PI, IDS_RAZON_INSTRUCCION},
    {NC_E_UNDECLAREDPREFIX, IDS_RAZON_PREFIJO},
    {NC_E_QNAMECHARACTER, IDS_RAZON_NOMBRE_CUALIFICADO},
    {NC_E_QNAMECOLON, IDS_RAZON_DOS_PUNTOS},
};

CString RazonDe(HRESULT hr)
{
    for (const Razon& r : kRazones)
        if (r.codigo == static_cast<unsigned>(hr))
            return Cadena(r.texto);
    return Mensaje(IDS_RAZON_XMLLITE, static_cast<unsigned>(hr));
}

}  // namespace

LectorXml::LectorXml(TextoPreparado texto, const CString& origen)
    : m_origen(origen),
      m_lineasQuitadas(texto.lineasQuitadas),
      m_columnasAnadidas(texto.columnasAnadidas),
      m_flujo(FlujoDeTexto::Crea(std::move(texto.utf8)))
{
    HRESULT hr = CreateXmlReader(__uuidof(IXmlReader), reinterpret_cast<void**>(m_lector.Recibe()), nullptr);
    if (SUCCEEDED(hr))
        hr = m_lector->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    if (SUCCEEDED(hr))
        hr = m_lector->SetProperty(XmlReaderProperty_MaxElementDepth, kProfundidadMaxima);
    if (SUCCEEDED(hr))
        hr = m_lector->SetInput(m_flujo.Get());
    if (FAILED(hr))
        throw ExcepcionNadir(Mensaje(IDS_XMLLITE_NO_ARRANCA, origen.GetString(), static_cast<unsigned>(hr)));
}

bool LectorXml::Lee()
{
    XmlNodeType tipo = XmlNodeType_None;
    const HRESULT hr = m_lector->Read(&tipo);
    if (FAILED(hr))
        Falla(hr);
    if (hr == S_FALSE) {
        if (m_raizVista && m_profundidad == 0)
            return false;
        // Wine's way of saying the text stops before the root closes.
        Falla(static_cast<HRESULT>(m_raizVista ? MX_E_INPUTEND : WC_E_ROOTELEMENT));
    }
    m_tipo = tipo;
    CompruebaAvance();
    if (tipo == XmlNodeType_Element) {
        m_raizVista = true;
        m_vacio = m_lector->IsEmptyElement();
        if (!m_vacio)
            ++m_profundidad;
    } else if (tipo == XmlNodeType_EndElement) {
        --m_profundidad;
    }
    return true;
}

std::wstring_view LectorXml::NombreLocal() const
{
    const wchar_t* nombre = nullptr;
    UINT largo = 0;
    m_lector->GetLocalName(&nombre, &largo);
    return {nombre, largo};
}

std::wstring_view LectorXml::EspacioDeNombres() const
{
    const wchar_t* uri = nullptr;
    UINT largo = 0;
    m_lector->GetNamespaceUri(&uri, &largo);
    return {uri, largo};
}

std::wstring_view LectorXml::Valor() const
{
    const wchar_t* valor = nullptr;
    UINT largo = 0;
    m_lector->GetValue(&valor, &largo);
    return {valor, largo};
}

bool LectorXml::Atributo(LPCWSTR nombre, LPCWSTR espacio, std::wstring& valor)
{
    if (m_lector->MoveToAttributeByName(nombre, espacio) != S_OK)
        return false;
    valor.assign(Valor());
    m_lector->MoveToElement();
    return true;
}

// FIXME(Wine 8): when the text ends inside character data, a comment or a CDATA section, Read
// returns the same empty node at the same place for ever instead of failing. No real document has
// two such nodes in one place.
void LectorXml::CompruebaAvance()
{
    UINT linea = 0, columna = 0;
    m_lector->GetLineNumber(&linea);
    m_lector->GetLinePosition(&columna);
    if (m_tipo == m_anterior.tipo && linea == m_anterior.linea && columna == m_anterior.columna &&
        m_tipo != XmlNodeType_EndElement && Valor().empty())
        Falla(static_cast<HRESULT>(MX_E_INPUTEND));
    m_anterior = {m_tipo, linea, columna};
}

void LectorXml::Falla(HRESULT hr)
{
    UINT linea = 0, columna = 0;
    m_lector->GetLineNumber(&linea);
    m_lector->GetLinePosition(&columna);
    const Posicion final = FinalDelTexto();
    const bool sinRaiz = static_cast<unsigned>(hr) == WC_E_ROOTELEMENT;
    // Whatever XmlLite expected there, a text that stops mid-way was most likely cut short.
    const bool cortado = !sinRaiz && (static_cast<unsigned>(hr) == MX_E_INPUTEND ||
                                      (linea == final.linea && columna + 1 >= final.columna));
    if (cortado) {
        linea = final.linea;
        columna = final.columna;
    }
    const int lineaReal = static_cast<int>(linea) + m_lineasQuitadas;
    const int columnaReal = std::max(1, static_cast<int>(columna) - (linea == 1 ? m_columnasAnadidas : 0));
    if (static_cast<unsigned>(hr) == SC_E_MAXELEMENTDEPTH)
        throw ExcepcionCapacidades::DemasiadoProfundo(m_origen, lineaReal, kProfundidadMaxima);
    CString razon = RazonDe(hr);
    if (cortado)
        razon = Cadena(IDS_RAZON_CORTADO);
    else if (m_raizVista && m_profundidad == 0)
        razon = Cadena(IDS_RAZON_SIGUE_ALGO);
    throw ExcepcionCapacidades::XmlMalformado(m_origen, lineaReal, columnaReal, razon);
}

// Where the text ends, counted as XmlLite counts: a CR LF pair is one break, columns are UTF-16 units.
LectorXml::Posicion LectorXml::FinalDelTexto() const
{
    const std::string& texto = m_flujo->Texto();
    Posicion final;
    for (size_t i = 0; i < texto.size(); ++i) {
        const auto c = static_cast<unsigned char>(texto[i]);
        if (c == '\n' || (c == '\r' && (i + 1 == texto.size() || texto[i + 1] != '\n'))) {
            ++final.linea;
            final.columna = 1;
        } else if (c >= 0xF0) {
            final.columna += 2;  // outside the BMP: a surrogate pair
        } else if ((c & 0xC0) != 0x80 && c != '\r') {
            ++final.columna;
        }
    }
    return final;
}

}  // namespace Nadir::OpenGIS::WMS
