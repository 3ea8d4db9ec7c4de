// LectorCapacidades.h: LectorCapacidades, the reader of WMS capabilities documents (1.0.0 to 1.3.0).
#pragma once

#include "Capacidades.h"
#include "LectorXml.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Nadir::OpenGIS::WMS {

// Builds the layer tree as the document is read, keeping only what Capacidades holds.
class NADIR_WMS_API LectorCapacidades final : private OyenteXml {
public:
    // Reads the capabilities in the bytes of an answer. tipoContenido: its Content-Type header (may
    // be empty); origen names the server or file in messages. Throws ExcepcionCapacidades saying
    // which kind of failure it was; a ServiceExceptionReport is thrown as InformeDeExcepcion.
    static Capacidades Lee(std::string_view bytes, const CString& tipoContenido, const CString& origen);

    // The same for an answer read as it arrives (see LectorXml): a failure is thrown as soon as the
    // bytes show it, from Agrega or from Termina.
    LectorCapacidades(const CString& tipoContenido, const CString& origen);
    ~LectorCapacidades();
    LectorCapacidades(const LectorCapacidades&) = delete;
    LectorCapacidades& operator=(const LectorCapacidades&) = delete;
    std::span<char> Espacio(std::size_t minimo);
    void Agrega(std::size_t bytes);
    Capacidades Termina();

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

    void AlEmpezar(const wchar_t* nombre, const wchar_t** atributos) override;
    void AlTerminar() override;
    void AlTexto(std::wstring_view texto) override;
    Capacidades Resultado();
    void EmpiezaRaiz(std::wstring_view espacio, std::wstring_view nombre, const wchar_t** atributos);
    void EmpiezaElemento(std::wstring_view espacio, std::wstring_view nombre, const wchar_t** atributos);
    static Papel PapelDeHijo(Papel padre, std::wstring_view nombre);
    static bool GuardaTexto(Papel papel);
    void LeeCaja(const wchar_t** atributos);
    void TerminaCapa();
    CString TextoLeido() const;

    CString m_origen;
    LectorXml m_xml;
    Papel m_papelRaiz = Papel::Otro;
    std::wstring m_espacioRaiz;  // elements of other namespaces are skipped with all they hold
    std::vector<Papel> m_pila;   // one per open element
    std::wstring m_texto;        // of the open element whose text is kept
    std::vector<CapaEnCurso> m_capas;  // the open Layer elements, outermost first
    std::vector<std::shared_ptr<Layer>> m_capasSuperiores;
    std::vector<ExcepcionLeida> m_excepciones;
    Capacidades m_capacidades;
};

}  // namespace Nadir::OpenGIS::WMS
