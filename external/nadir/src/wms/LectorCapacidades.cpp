// LectorCapacidades.cpp: one pass over the document as expat reads it, building the layer tree as it goes.
#include "LectorCapacidades.h"

#include "ExcepcionCapacidades.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <cwchar>

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

// A name as LectorXml gives it, split at OyenteXml::kSeparador into namespace and local name.
struct NombreXml {
    std::wstring_view espacio;
    std::wstring_view local;
};

NombreXml Divide(const wchar_t* nombre)
{
    const std::wstring_view completo(nombre);
    const size_t separador = completo.find(OyenteXml::kSeparador);
    if (separador == std::wstring_view::npos)
        return {{}, completo};
    return {completo.substr(0, separador), completo.substr(separador + 1)};
}

// The value of an attribute, null when the element has none. espacio: its namespace URI, empty
// for an unprefixed attribute.
const wchar_t* Atributo(const wchar_t** atributos, std::wstring_view nombre, std::wstring_view espacio)
{
    for (; *atributos; atributos += 2) {
        const NombreXml leido = Divide(*atributos);
        if (leido.local == nombre && leido.espacio == espacio)
            return atributos[1];
    }
    return nullptr;
}

CString LeeAtributo(const wchar_t** atributos, std::wstring_view nombre, std::wstring_view espacio = {})
{
    const wchar_t* valor = Atributo(atributos, nombre, espacio);
    return valor ? Colapsa(valor) : CString();
}

// Pieces of this size keep expat's buffer small when a whole document is at hand.
constexpr size_t kPieza = 64 * 1024;

}  // namespace

Capacidades LectorCapacidades::Lee(std::string_view bytes, const CString& tipoContenido, const CString& origen)
{
    LectorCapacidades lector(tipoContenido, origen);
    do {
        const size_t largo = std::min(bytes.size(), kPieza);
        std::memcpy(lector.Espacio(largo).data(), bytes.data(), largo);
        lector.Agrega(largo);
        bytes.remove_prefix(largo);
    } while (!bytes.empty());
    return lector.Termina();
}

LectorCapacidades::LectorCapacidades(const CString& tipoContenido, const CString& origen)
    : m_origen(origen), m_xml(*this, tipoContenido, origen)
{
}

LectorCapacidades::~LectorCapacidades() = default;

std::span<char> LectorCapacidades::Espacio(std::size_t minimo)
{
    return m_xml.Espacio(minimo);
}

void LectorCapacidades::Agrega(std::size_t bytes)
{
    m_xml.Agrega(bytes);
}

Capacidades LectorCapacidades::Termina()
{
    m_xml.Termina();
    return Resultado();
}

void LectorCapacidades::AlEmpezar(const wchar_t* nombre, const wchar_t** atributos)
{
    const NombreXml leido = Divide(nombre);
    if (m_pila.empty())
        EmpiezaRaiz(leido.espacio, leido.local, atributos);
    else
        EmpiezaElemento(leido.espacio, leido.local, atributos);
}

void LectorCapacidades::AlTexto(std::wstring_view texto)
{
    if (!m_pila.empty() && GuardaTexto(m_pila.back()))
        m_texto.append(texto);
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

void LectorCapacidades::EmpiezaRaiz(std::wstring_view espacio, std::wstring_view nombre, const wchar_t** atributos)
{
    Papel papel = Papel::Otro;
    if (nombre == L"WMT_MS_Capabilities" || nombre == L"WMS_Capabilities")
        papel = Papel::Raiz;
    else if (nombre == L"ServiceExceptionReport")
        papel = Papel::Informe;
    else if (nombre == L"ExceptionReport")
        papel = Papel::InformeOws;
    else if (CString(m_xml.NombreDoctype().c_str()).CompareNoCase(L"html") == 0)
        throw ExcepcionCapacidades::NoEsCapacidades(m_origen, L"html");
    else
        throw ExcepcionCapacidades::NoEsCapacidades(m_origen, CString(nombre.data(), static_cast<int>(nombre.size())));
    m_espacioRaiz = espacio;
    m_papelRaiz = papel;
    m_pila.push_back(papel);
    if (papel == Papel::Raiz)
        m_capacidades.version = LeeAtributo(atributos, L"version");
}

void LectorCapacidades::EmpiezaElemento(std::wstring_view espacio, std::wstring_view nombre,
                                        const wchar_t** atributos)
{
    const Papel padre = m_pila.back();
    const Papel papel = padre != Papel::Otro && espacio == m_espacioRaiz ? PapelDeHijo(padre, nombre) : Papel::Otro;
    m_pila.push_back(papel);
    if (GuardaTexto(papel))
        m_texto.clear();

    switch (papel) {
    case Papel::Capa:
        m_capas.emplace_back();
        break;
    case Papel::CajaCapa:
        LeeCaja(atributos);
        break;
    case Papel::NombreDeFormato:  // 1.0.0 names formats by empty elements: <Format><PNG/></Format>
        m_capacidades.formatosGetMap.emplace_back(nombre.data(), static_cast<int>(nombre.size()));
        break;
    case Papel::Get:  // 1.0.0: <Get onlineResource="..."/>
        if (m_capacidades.urlGetMap.IsEmpty())
            m_capacidades.urlGetMap = LeeAtributo(atributos, L"onlineResource");
        break;
    case Papel::RecursoGet:
        if (m_capacidades.urlGetMap.IsEmpty())
            m_capacidades.urlGetMap = LeeAtributo(atributos, L"href", kXlink);
        break;
    case Papel::ExcepcionServidor:
        m_excepciones.push_back({LeeAtributo(atributos, L"code"), {}});
        break;
    case Papel::ExcepcionOws:
        m_excepciones.push_back({LeeAtributo(atributos, L"exceptionCode"), {}});
        break;
    default:
        break;
    }
}

void LectorCapacidades::AlTerminar()
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
void LectorCapacidades::LeeCaja(const wchar_t** atributos)
{
    const wchar_t* srs = Atributo(atributos, L"CRS", {});
    if (!srs)
        srs = Atributo(atributos, L"SRS", {});
    if (!srs)
        return;
    BoundingBox caja;
    caja.srs = Colapsa(srs);
    const struct {
        const wchar_t* nombre;
        double& valor;
    } esquinas[] = {{L"minx", caja.minx}, {L"miny", caja.miny}, {L"maxx", caja.maxx}, {L"maxy", caja.maxy}};
    for (const auto& esquina : esquinas) {
        const wchar_t* valor = Atributo(atributos, esquina.nombre, {});
        if (!valor || !LeeNumero(valor, esquina.valor))
            return;
    }
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

}  // namespace Nadir::OpenGIS::WMS
