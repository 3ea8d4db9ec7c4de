// ExcepcionCapacidades.h: ExcepcionCapacidades, why an answer could not be read as WMS capabilities.
#pragma once

#include "Nadir/ExcepcionNadir.h"

namespace Nadir::OpenGIS::WMS {

// The negotiator retries other versions on some kinds of failure and not on others, so each
// carries its kind besides the message for the user.
class NADIR_WMS_API ExcepcionCapacidades : public ExcepcionNadir {
public:
    enum class Motivo {
        Vacio,                    // no bytes, or only whitespace
        CodificacionNoSoportada,  // a character encoding we cannot decode
        NoEsXml,                  // does not start like XML at all (plain text, an image, JSON)
        XmlMalformado,            // not well-formed: m_linea and m_columna say where
        DemasiadoProfundo,        // elements nested deeper than the reader allows
        NoEsCapacidades,          // well-formed, another kind of document: m_raiz names it
        InformeDeExcepcion,       // the server's exception report: m_codigo and m_texto
    };

    static ExcepcionCapacidades Vacio(const CString& origen);
    static ExcepcionCapacidades CodificacionNoSoportada(const CString& origen, const CString& codificacion);
    // comienzo: the first characters of the answer, quoted when printable.
    static ExcepcionCapacidades NoEsXml(const CString& origen, const CString& comienzo);
    static ExcepcionCapacidades XmlMalformado(const CString& origen, int linea, int columna, const CString& razon);
    static ExcepcionCapacidades DemasiadoProfundo(const CString& origen, int linea, int profundidadMaxima);
    static ExcepcionCapacidades NoEsCapacidades(const CString& origen, const CString& raiz);
    // codigo may be empty; texto is whitespace-collapsed and cut to a readable length here.
    static ExcepcionCapacidades InformeDeExcepcion(const CString& origen, const CString& codigo, const CString& texto);

    ~ExcepcionCapacidades() override;

    Motivo m_motivo;
    CString m_raiz;    // NoEsCapacidades: the root element's name, "html" for any HTML page
    CString m_codigo;  // InformeDeExcepcion: the server's exception code, empty when it gave none
    CString m_texto;   // InformeDeExcepcion: the server's text as shown in m_mensaje
    int m_linea = 0;   // XmlMalformado, DemasiadoProfundo: 1-based position in the answer
    int m_columna = 0;

private:
    ExcepcionCapacidades(Motivo motivo, const CString& mensaje);
};

}  // namespace Nadir::OpenGIS::WMS
