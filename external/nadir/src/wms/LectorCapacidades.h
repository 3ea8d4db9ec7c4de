// LectorCapacidades.h: LectorCapacidades, the reader of WMS capabilities documents (1.0.0 to 1.3.0).
#pragma once

#include "Capacidades.h"
#include "LectorXml.h"

#include <string>
#include <string_view>
#include <vector>

namespace Nadir::OpenGIS::WMS {

class NADIR_WMS_API LectorCapacidades {
public:
    // Reads the capabilities in the bytes of an answer. tipoContenido: its Content-Type header (may
    // be empty); origen names the server or file in messages. Throws ExcepcionCapacidades saying
    // which kind of failure it was; a ServiceExceptionReport is thrown as InformeDeExcepcion.
    static Capacidades Lee(std::string_view bytes, const CString& tipoContenido, const CString& origen);
    // The same, taking the bytes over: a UTF-8 answer is read in its own buffer, not in a copy.
    static Capacidades Lee(std::string&& bytes, const CString& tipoContenido, const CString& origen);

private:
    // What an element is to this reader, decided by its parent's part and its own name.
    enum class Papel : unsigned char {
        Otro,  // of no interest, nor anything inside it
        Raiz, Servicio, TituloServicio, ResumenServicio, Tarifas, Restricciones,
        Contacto, ContactoPrincipal, Persona, Organizacion, Correo,
        Capacidad, Peticiones, GetMap, Formato, NombreDeFormato, Dcp, Http, Get, RecursoGet,
        Capa, NombreCapa, TituloCapa, ResumenCapa, SrsCapa, CajaCapa,
        Informe, ExcepcionServidor, InformeOws, ExcepcionOws, TextoExcepcionOws,
    };

    struct CapaEnCurso {
        CString nombre;
        CString titulo;
        CString resumen;
        std::vector<CString> srs;
        std::vector<BoundingBox> cajas;
        std::vector<std::shared_ptr<Layer>> hijas;
    };

    struct ExcepcionLeida {
        CString codigo;
        CString texto;
    };

    LectorCapacidades(LectorXml& xml, const CString& origen);

    static Capacidades LeeUtf8(std::string utf8, const CString& origen);

    void Recorre(const std::string& nombreDoctype);
    Capacidades Resultado();
    void EmpiezaRaiz(const std::string& nombreDoctype);
    void EmpiezaElemento();
    void TerminaElemento();
    static Papel PapelDeHijo(Papel padre, std::wstring_view nombre);
    static bool GuardaTexto(Papel papel);
    void LeeCaja();
    void TerminaCapa();
    CString TextoLeido() const;
    CString LeeAtributo(LPCWSTR nombre, LPCWSTR espacio);

    LectorXml& m_xml;
    CString m_origen;
    Papel m_papelRaiz = Papel::Otro;
    std::wstring m_espacioRaiz;  // elements of other namespaces are skipped with all they hold
    std::vector<Papel> m_pila;   // one per open element
    std::wstring m_texto;        // of the open element whose text is kept
    std::wstring m_atributo;
    std::vector<CapaEnCurso> m_capas;  // the open Layer elements, outermost first
    std::vector<std::shared_ptr<Layer>> m_capasSuperiores;
    std::vector<ExcepcionLeida> m_excepciones;
    Capacidades m_capacidades;
};

}  // namespace Nadir::OpenGIS::WMS
