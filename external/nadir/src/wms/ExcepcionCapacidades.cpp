// ExcepcionCapacidades.cpp: the messages of each kind of unreadable capabilities answer.
#include "ExcepcionCapacidades.h"

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

CString ConArticulo(const CString& nombre)
{
    const bool vocal = !nombre.IsEmpty() && wcschr(L"AEIOUaeiou", nombre[0]) != nullptr;
    return (vocal ? CString(L"an ") : CString(L"a ")) + nombre;
}

}  // namespace

ExcepcionCapacidades::ExcepcionCapacidades(Motivo motivo, const CString& mensaje)
    : ExcepcionNadir(mensaje), m_motivo(motivo)
{
}

ExcepcionCapacidades::~ExcepcionCapacidades() = default;

ExcepcionCapacidades ExcepcionCapacidades::Vacio(const CString& origen)
{
    return ExcepcionCapacidades(Motivo::Vacio,
                                origen + L" sent an empty answer instead of a WMS capabilities document");
}

ExcepcionCapacidades ExcepcionCapacidades::CodificacionNoSoportada(const CString& origen, const CString& codificacion)
{
    CString mensaje;
    mensaje.Format(L"%s sent its capabilities in a character encoding that cannot be read here (%s)",
                   origen.GetString(), codificacion.GetString());
    return ExcepcionCapacidades(Motivo::CodificacionNoSoportada, mensaje);
}

ExcepcionCapacidades ExcepcionCapacidades::NoEsXml(const CString& origen, const CString& comienzo)
{
    CString mensaje = origen + L" sent something that is not XML, so not a WMS capabilities document";
    if (!comienzo.IsEmpty())
        mensaje += L": \x201C" + comienzo + L"\x201D";
    return ExcepcionCapacidades(Motivo::NoEsXml, mensaje);
}

ExcepcionCapacidades ExcepcionCapacidades::XmlMalformado(const CString& origen, int linea, int columna,
                                                         const CString& razon)
{
    CString mensaje;
    mensaje.Format(L"%s sent malformed XML at line %d, column %d: %s", origen.GetString(), linea, columna,
                   razon.GetString());
    ExcepcionCapacidades e(Motivo::XmlMalformado, mensaje);
    e.m_linea = linea;
    e.m_columna = columna;
    return e;
}

ExcepcionCapacidades ExcepcionCapacidades::DemasiadoProfundo(const CString& origen, int linea, int profundidadMaxima)
{
    CString mensaje;
    mensaje.Format(L"%s sent XML nested more than %d elements deep (line %d); a WMS capabilities document "
                   L"is never that deep",
                   origen.GetString(), profundidadMaxima, linea);
    ExcepcionCapacidades e(Motivo::DemasiadoProfundo, mensaje);
    e.m_linea = linea;
    return e;
}

ExcepcionCapacidades ExcepcionCapacidades::NoEsCapacidades(const CString& origen, const CString& raiz)
{
    const bool html = raiz.CompareNoCase(L"html") == 0;
    CString mensaje = origen + L" sent " + (html ? CString(L"an HTML page") : ConArticulo(raiz) + L" document") +
                      L", not a WMS capabilities document";
    ExcepcionCapacidades e(Motivo::NoEsCapacidades, mensaje);
    e.m_raiz = raiz;
    return e;
}

ExcepcionCapacidades ExcepcionCapacidades::InformeDeExcepcion(const CString& origen, const CString& codigo,
                                                              const CString& texto)
{
    const CString corto = Acorta(texto);
    CString mensaje = origen + L": the server answered with an exception";
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
