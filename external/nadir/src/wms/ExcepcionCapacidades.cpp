// ExcepcionCapacidades.cpp: the messages of each kind of unreadable capabilities answer.
#include "ExcepcionCapacidades.h"

#include "CatalogoDeTextos.h"
#include "TextosWMS.h"

#include <cwchar>

namespace Nadir::OpenGIS::WMS {

namespace {

// A server's exception text is shown to the user: long stack traces are cut at a word.
constexpr int kLargoMaximoTexto = 300;

CString Acorta(const CString& texto)
{
    if (texto.GetLength() <= kLargoMaximoTexto)
        return texto;
    int corte = kLargoMaximoTexto;
    while (corte > kLargoMaximoTexto / 2 && texto[corte] != L' ')
        --corte;
    if (texto[corte] != L' ')
        corte = kLargoMaximoTexto;
    CString corto = texto.Left(corte);
    corto.TrimRight();
    return corto + L"\x2026";
}

// English says "an atom document" and "a feed document": two texts, the same in other languages.
UINT OtroDocumento(const CString& raiz)
{
    const bool vocal = !raiz.IsEmpty() && wcschr(L"AEIOUaeiou", raiz[0]) != nullptr;
    return vocal ? IDS_OTRO_DOCUMENTO_AN : IDS_OTRO_DOCUMENTO_A;
}

}  // namespace

ExcepcionCapacidades::ExcepcionCapacidades(Motivo motivo, const CString& mensaje)
    : ExcepcionNadir(mensaje), m_motivo(motivo)
{
}

ExcepcionCapacidades::~ExcepcionCapacidades() = default;

ExcepcionCapacidades ExcepcionCapacidades::Vacio(const CString& origen)
{
    return ExcepcionCapacidades(Motivo::Vacio, Mensaje(IDS_RESPUESTA_VACIA, origen.GetString()));
}

ExcepcionCapacidades ExcepcionCapacidades::CodificacionNoSoportada(const CString& origen, const CString& codificacion)
{
    return ExcepcionCapacidades(Motivo::CodificacionNoSoportada,
                                Mensaje(IDS_CODIFICACION_ILEGIBLE, origen.GetString(), codificacion.GetString()));
}

ExcepcionCapacidades ExcepcionCapacidades::NoEsXml(const CString& origen, const CString& comienzo)
{
    return ExcepcionCapacidades(Motivo::NoEsXml, comienzo.IsEmpty()
                                                     ? Mensaje(IDS_NO_ES_XML, origen.GetString())
                                                     : Mensaje(IDS_NO_ES_XML_EMPIEZA, origen.GetString(),
                                                               comienzo.GetString()));
}

ExcepcionCapacidades ExcepcionCapacidades::XmlMalformado(const CString& origen, int linea, int columna,
                                                         const CString& razon)
{
    ExcepcionCapacidades e(Motivo::XmlMalformado,
                           Mensaje(IDS_XML_MALFORMADO, origen.GetString(), linea, columna, razon.GetString()));
    e.m_linea = linea;
    e.m_columna = columna;
    return e;
}

ExcepcionCapacidades ExcepcionCapacidades::DemasiadoProfundo(const CString& origen, int linea, int profundidadMaxima)
{
    ExcepcionCapacidades e(Motivo::DemasiadoProfundo,
                           Mensaje(IDS_XML_DEMASIADO_PROFUNDO, origen.GetString(), profundidadMaxima, linea));
    e.m_linea = linea;
    return e;
}

ExcepcionCapacidades ExcepcionCapacidades::NoEsCapacidades(const CString& origen, const CString& raiz)
{
    const CString mensaje = raiz.CompareNoCase(L"html") == 0
                                ? Mensaje(IDS_PAGINA_HTML, origen.GetString())
                                : Mensaje(OtroDocumento(raiz), origen.GetString(), raiz.GetString());
    ExcepcionCapacidades e(Motivo::NoEsCapacidades, mensaje);
    e.m_raiz = raiz;
    return e;
}

ExcepcionCapacidades ExcepcionCapacidades::InformeDeExcepcion(const CString& origen, const CString& codigo,
                                                              const CString& texto)
{
    const CString corto = Acorta(texto);
    // The server's own code and words follow as it wrote them.
    CString mensaje = Mensaje(IDS_INFORME_DE_EXCEPCION, origen.GetString());
    if (!codigo.IsEmpty())
        mensaje += L": " + codigo;
    if (!corto.IsEmpty())
        mensaje += L": " + corto;
    ExcepcionCapacidades e(Motivo::InformeDeExcepcion, mensaje);
    e.m_codigo = codigo;
    e.m_texto = corto;
    return e;
}

}  // namespace Nadir::OpenGIS::WMS
