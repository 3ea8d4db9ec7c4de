// LectorCapacidades.cpp: one pass over the document with XmlLite, building the layer tree as it goes.
#include "LectorCapacidades.h"

#include "CodificacionXml.h"
#include "ExcepcionCapacidades.h"
#include "PrologoXml.h"

#include <charconv>

namespace Nadir::OpenGIS::WMS {

namespace {

constexpr wchar_t kXlink[] = L"http://www.w3.org/1999/xlink";

bool EsEspacioXml(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r';
}

// Whitespace runs become one blank; none at either end.
CString Colapsa(std::wstring_view texto)
{
    CString colapsado;
    wchar_t* destino = colapsado.GetBuffer(static_cast<int>(texto.size()));
    int largo = 0;
    bool blancoPendiente = false;
    for (wchar_t c : texto) {
        if (EsEspacioXml(c)) {
            blancoPendiente = largo > 0;
            continue;
        }
        if (blancoPendiente)
            destino[largo++] = L' ';
        blancoPendiente = false;
        destino[largo++] = c;
    }
    colapsado.ReleaseBuffer(largo);
    return colapsado;
}

std::vector<CString> Palabras(std::wstring_view texto)
{
    std::vector<CString> palabras;
    size_t i = 0;
    while (i < texto.size()) {
        while (i < texto.size() && EsEspacioXml(texto[i]))
            ++i;
        const size_t inicio = i;
        while (i < texto.size() && !EsEspacioXml(texto[i]))
            ++i;
        if (i > inicio)
            palabras.emplace_back(texto.data() + inicio, static_cast<int>(i - inicio));
    }
    return palabras;
}

// A number as XML Schema writes it ("-67.5725", "2.25898e+06"), whatever the C locale says.
bool LeeNumero(std::wstring_view texto, double& numero)
{
    char ascii[64];
    size_t largo = 0;
    for (wchar_t c : texto) {
        if (EsEspacioXml(c) || (c == L'+' && largo == 0))
            continue;
        if (c > 0x7F || largo == sizeof ascii)
            return false;
        ascii[largo++] = static_cast<char>(c);
    }
    const auto [fin, error] = std::from_chars(ascii, ascii + largo, numero);
    return largo > 0 && error == std::errc() && fin == ascii + largo;
}

}  // namespace

Capacidades LectorCapacidades::Lee(std::string_view bytes, const CString& tipoContenido, const CString& origen)
{
    return LeeUtf8(TextoEnUtf8(bytes, tipoContenido, origen), origen);
}

Capacidades LectorCapacidades::Lee(std::string&& bytes, const CString& tipoContenido, const CString& origen)
{
    return LeeUtf8(TextoEnUtf8(std::move(bytes), tipoContenido, origen), origen);
}

Capacidades LectorCapacidades::LeeUtf8(std::string utf8, const CString& origen)
{
    TextoPreparado texto = PreparaPrologo(std::move(utf8), origen);
    const std::string nombreDoctype = texto.nombreDoctype;
    LectorXml xml(std::move(texto), origen);
    LectorCapacidades lector(xml, origen);
    lector.Recorre(nombreDoctype);
    return lector.Resultado();
}

LectorCapacidades::LectorCapacidades(LectorXml& xml, const CString& origen) : m_xml(xml), m_origen(origen) {}

void LectorCapacidades::Recorre(const std::string& nombreDoctype)
{
    while (m_xml.Lee()) {
        switch (m_xml.Tipo()) {
        case XmlNodeType_Element:
            if (m_pila.empty())
                EmpiezaRaiz(nombreDoctype);
            else
                EmpiezaElemento();
            if (m_xml.EsElementoVacio())
                TerminaElemento();
            break;
        case XmlNodeType_EndElement:
            TerminaElemento();
            break;
        case XmlNodeType_Text:
        case XmlNodeType_CDATA:
        case XmlNodeType_Whitespace:
            if (!m_pila.empty() && GuardaTexto(m_pila.back()))
                m_texto.append(m_xml.Valor());
            break;
        default:
            break;
        }
    }
}

Capacidades LectorCapacidades::Resultado()
{
    if (m_papelRaiz != Papel::Raiz) {
        const ExcepcionLeida primera = m_excepciones.empty() ? ExcepcionLeida{} : m_excepciones.front();
        throw ExcepcionCapacidades::InformeDeExcepcion(m_origen, primera.codigo, primera.texto);
    }
    if (m_capasSuperiores.size() == 1)
        m_capacidades.capaRaiz = m_capasSuperiores.front();
    else if (m_capasSuperiores.size() > 1)  // no single top layer: an unnamed one holds them all
        m_capacidades.capaRaiz = std::make_shared<Layer>(L"", m_capacidades.titulo, L"", std::vector<CString>{},
                                                         std::vector<BoundingBox>{}, std::move(m_capasSuperiores));
    return std::move(m_capacidades);
}

void LectorCapacidades::EmpiezaRaiz(const std::string& nombreDoctype)
{
    const std::wstring_view nombre = m_xml.NombreLocal();
    Papel papel = Papel::Otro;
    if (nombre == L"WMT_MS_Capabilities" || nombre == L"WMS_Capabilities")
        papel = Papel::Raiz;
    else if (nombre == L"ServiceExceptionReport")
        papel = Papel::Informe;
    else if (nombre == L"ExceptionReport")
        papel = Papel::InformeOws;
    else if (CString(nombreDoctype.c_str()).CompareNoCase(L"html") == 0)
        throw ExcepcionCapacidades::NoEsCapacidades(m_origen, L"html");
    else
        throw ExcepcionCapacidades::NoEsCapacidades(m_origen, CString(nombre.data(), static_cast<int>(nombre.size())));
    m_espacioRaiz = m_xml.EspacioDeNombres();
    m_papelRaiz = papel;
    m_pila.push_back(papel);
    if (papel == Papel::Raiz)
        m_capacidades.version = LeeAtributo(L"version", L"");
}

void LectorCapacidades::EmpiezaElemento()
{
    const Papel padre = m_pila.back();
    const Papel papel = padre != Papel::Otro && m_xml.EspacioDeNombres() == m_espacioRaiz
                            ? PapelDeHijo(padre, m_xml.NombreLocal())
                            : Papel::Otro;
    m_pila.push_back(papel);
    if (GuardaTexto(papel))
        m_texto.clear();

    switch (papel) {
    case Papel::Capa:
        m_capas.emplace_back();
        break;
    case Papel::CajaCapa:
        LeeCaja();
        break;
    case Papel::NombreDeFormato: {  // 1.0.0 names formats by empty elements: <Format><PNG/></Format>
        const std::wstring_view nombre = m_xml.NombreLocal();
        m_capacidades.formatosGetMap.emplace_back(nombre.data(), static_cast<int>(nombre.size()));
        break;
    }
    case Papel::Get:  // 1.0.0: <Get onlineResource="..."/>
        if (m_capacidades.urlGetMap.IsEmpty())
            m_capacidades.urlGetMap = LeeAtributo(L"onlineResource", L"");
        break;
    case Papel::RecursoGet:
        if (m_capacidades.urlGetMap.IsEmpty())
            m_capacidades.urlGetMap = LeeAtributo(L"href", kXlink);
        break;
    case Papel::ExcepcionServidor:
        m_excepciones.push_back({LeeAtributo(L"code", L""), {}});
        break;
    case Papel::ExcepcionOws:
        m_excepciones.push_back({LeeAtributo(L"exceptionCode", L""), {}});
        break;
    default:
        break;
    }
}

void LectorCapacidades::TerminaElemento()
{
    const Papel papel = m_pila.back();
    m_pila.pop_back();
    switch (papel) {
    case Papel::TituloServicio:
        m_capacidades.titulo = TextoLeido();
        break;
    case Papel::ResumenServicio:
        m_capacidades.resumen = TextoLeido();
        break;
    case Papel::Tarifas:
        m_capacidades.tarifas = TextoLeido();
        break;
    case Papel::Restricciones:
        m_capacidades.restricciones = TextoLeido();
        break;
    case Papel::Persona:
        m_capacidades.persona = TextoLeido();
        break;
    case Papel::Organizacion:
        m_capacidades.organizacion = TextoLeido();
        break;
    case Papel::Correo:
        m_capacidades.correo = TextoLeido();
        break;
    case Papel::Formato:
        if (CString formato = TextoLeido(); !formato.IsEmpty())
            m_capacidades.formatosGetMap.push_back(formato);
        break;
    case Papel::NombreCapa:
        m_capas.back().nombre = TextoLeido();
        break;
    case Papel::TituloCapa:
        m_capas.back().titulo = TextoLeido();
        break;
    case Papel::ResumenCapa:
        m_capas.back().resumen = TextoLeido();
        break;
    case Papel::SrsCapa:  // 1.0.0 lists several in one element
        for (CString& srs : Palabras(m_texto))
            m_capas.back().srs.push_back(std::move(srs));
        break;
    case Papel::Capa:
        TerminaCapa();
        break;
    case Papel::ExcepcionServidor:
        m_excepciones.back().texto = TextoLeido();
        break;
    case Papel::TextoExcepcionOws:
        if (!m_excepciones.empty() && m_excepciones.back().texto.IsEmpty())
            m_excepciones.back().texto = TextoLeido();
        break;
    default:
        break;
    }
}

LectorCapacidades::Papel LectorCapacidades::PapelDeHijo(Papel padre, std::wstring_view nombre)
{
    struct Transicion {
        Papel padre;
        const wchar_t* nombre;
        Papel hijo;
    };
    static constexpr Transicion kTransiciones[] = {
        {Papel::Raiz, L"Service", Papel::Servicio},
        {Papel::Raiz, L"Capability", Papel::Capacidad},
        {Papel::Servicio, L"Title", Papel::TituloServicio},
        {Papel::Servicio, L"Abstract", Papel::ResumenServicio},
        {Papel::Servicio, L"Fees", Papel::Tarifas},
        {Papel::Servicio, L"AccessConstraints", Papel::Restricciones},
        {Papel::Servicio, L"ContactInformation", Papel::Contacto},
        {Papel::Contacto, L"ContactPersonPrimary", Papel::ContactoPrincipal},
        {Papel::Contacto, L"ContactElectronicMailAddress", Papel::Correo},
        {Papel::ContactoPrincipal, L"ContactPerson", Papel::Persona},
        {Papel::ContactoPrincipal, L"ContactOrganization", Papel::Organizacion},
        {Papel::Capacidad, L"Request", Papel::Peticiones},
        {Papel::Capacidad, L"Layer", Papel::Capa},
        {Papel::Peticiones, L"GetMap", Papel::GetMap},
        {Papel::Peticiones, L"Map", Papel::GetMap},
        {Papel::GetMap, L"Format", Papel::Formato},
        {Papel::GetMap, L"DCPType", Papel::Dcp},
        {Papel::Dcp, L"HTTP", Papel::Http},
        {Papel::Http, L"Get", Papel::Get},
        {Papel::Get, L"OnlineResource", Papel::RecursoGet},
        {Papel::Capa, L"Name", Papel::NombreCapa},
        {Papel::Capa, L"Title", Papel::TituloCapa},
        {Papel::Capa, L"Abstract", Papel::ResumenCapa},
        {Papel::Capa, L"SRS", Papel::SrsCapa},
        {Papel::Capa, L"CRS", Papel::SrsCapa},
        {Papel::Capa, L"BoundingBox", Papel::CajaCapa},
        {Papel::Capa, L"Layer", Papel::Capa},
        {Papel::Informe, L"ServiceException", Papel::ExcepcionServidor},
        {Papel::InformeOws, L"Exception", Papel::ExcepcionOws},
        {Papel::ExcepcionOws, L"ExceptionText", Papel::TextoExcepcionOws},
    };
    if (padre == Papel::Formato)
        return Papel::NombreDeFormato;
    for (const Transicion& t : kTransiciones)
        if (t.padre == padre && nombre == t.nombre)
            return t.hijo;
    return Papel::Otro;
}

bool LectorCapacidades::GuardaTexto(Papel papel)
{
    switch (papel) {
    case Papel::TituloServicio:
    case Papel::ResumenServicio:
    case Papel::Tarifas:
    case Papel::Restricciones:
    case Papel::Persona:
    case Papel::Organizacion:
    case Papel::Correo:
    case Papel::Formato:
    case Papel::NombreCapa:
    case Papel::TituloCapa:
    case Papel::ResumenCapa:
    case Papel::SrsCapa:
    case Papel::ExcepcionServidor:
    case Papel::TextoExcepcionOws:
        return true;
    default:
        return false;
    }
}

// A BoundingBox without its reference system or with an unreadable corner is left out.
void LectorCapacidades::LeeCaja()
{
    BoundingBox caja;
    if (!m_xml.Atributo(L"CRS", L"", m_atributo) && !m_xml.Atributo(L"SRS", L"", m_atributo))
        return;
    caja.srs = Colapsa(m_atributo);
    const struct {
        const wchar_t* nombre;
        double& valor;
    } esquinas[] = {{L"minx", caja.minx}, {L"miny", caja.miny}, {L"maxx", caja.maxx}, {L"maxy", caja.maxy}};
    for (const auto& esquina : esquinas)
        if (!m_xml.Atributo(esquina.nombre, L"", m_atributo) || !LeeNumero(m_atributo, esquina.valor))
            return;
    caja.tieneExtension = true;
    m_capas.back().cajas.push_back(std::move(caja));
}

void LectorCapacidades::TerminaCapa()
{
    CapaEnCurso leida = std::move(m_capas.back());
    m_capas.pop_back();
    auto capa = std::make_shared<Layer>(leida.nombre, leida.titulo, leida.resumen, std::move(leida.srs),
                                        std::move(leida.cajas), std::move(leida.hijas));
    (m_capas.empty() ? m_capasSuperiores : m_capas.back().hijas).push_back(std::move(capa));
}

CString LectorCapacidades::TextoLeido() const
{
    return Colapsa(m_texto);
}

CString LectorCapacidades::LeeAtributo(LPCWSTR nombre, LPCWSTR espacio)
{
    if (!m_xml.Atributo(nombre, espacio, m_atributo))
        return {};
    return Colapsa(m_atributo);
}

}  // namespace Nadir::OpenGIS::WMS
