// LectorXml.h: LectorXml, a forward-only XmlLite reader over a prepared UTF-8 text.
#pragma once

#include "FlujoDeTexto.h"
#include "PrologoXml.h"

#include <afx.h>
#include <objidl.h>
#include <xmllite.h>

#include <Win32/Manejadores.h>

#include <string>
#include <string_view>

namespace Nadir::OpenGIS::WMS {

// Reads with DTDs prohibited (the text comes without one, see PreparaPrologo) and elements nested
// at most kProfundidadMaxima deep. Failures are thrown as ExcepcionCapacidades with positions in
// the answer as the server sent it.
class LectorXml {
public:
    static constexpr UINT kProfundidadMaxima = 256;

    // Takes the text over: the reader reads it where it is.
    LectorXml(TextoPreparado texto, const CString& origen);
    LectorXml(const LectorXml&) = delete;
    LectorXml& operator=(const LectorXml&) = delete;

    // Moves to the next node; false at the end of the text, read to its end even after the root
    // closes (Wine closes open elements of a text cut short before it fails). Throws XmlMalformado
    // or DemasiadoProfundo, and XmlMalformado when the text ends before its root element does.
    bool Lee();

    XmlNodeType Tipo() const { return m_tipo; }
    // Of the current element; <Name/> has no EndElement node.
    bool EsElementoVacio() const { return m_vacio; }
    // Views into the reader, valid until the next Lee or Atributo.
    std::wstring_view NombreLocal() const;
    std::wstring_view EspacioDeNombres() const;
    std::wstring_view Valor() const;

    // Copies the value of the current element's attribute into valor; false when it has none.
    // espacio: the attribute's namespace URI, empty for an unprefixed attribute.
    bool Atributo(LPCWSTR nombre, LPCWSTR espacio, std::wstring& valor);

private:
    [[noreturn]] void Falla(HRESULT hr);
    struct Posicion {
        UINT linea = 1;
        UINT columna = 1;
    };
    Posicion FinalDelTexto() const;
    void CompruebaAvance();

    CString m_origen;
    int m_lineasQuitadas;
    int m_columnasAnadidas;
    Win32::PunteroCom<FlujoDeTexto> m_flujo;
    Win32::PunteroCom<IXmlReader> m_lector;
    XmlNodeType m_tipo = XmlNodeType_None;
    bool m_vacio = false;
    int m_profundidad = 0;  // elements open
    bool m_raizVista = false;
    // The node before, to notice Wine's reader repeating itself.
    struct Nodo {
        XmlNodeType tipo = XmlNodeType_None;
        UINT linea = 0;
        UINT columna = 0;
    };
    Nodo m_anterior;
};

}  // namespace Nadir::OpenGIS::WMS
