// DataConectaURL.h: CDataConectaURL, the server catalogue and the user's choice that host and library share.
#pragma once

#include <afx.h>

#include <vector>

#include "DireccionURL.h"
#include "OrtusExport.h"

// A plain value type: hosts read and write the members directly. Entries are handed out as copies.
class ORTUS_API CDataConectaURL {
public:
    CDataConectaURL();
    CDataConectaURL(const CDataConectaURL& other);
    CDataConectaURL& operator=(const CDataConectaURL& other);
    ~CDataConectaURL();

    // Appends the five built-in servers, without the uniqueness rules of Inserta.
    void CargaURLPorDefecto();
    // The selected entry; an empty record when m_seleccionURL is out of range.
    CDireccionURL Seleccion() const;
    // False, changing nothing, when the name or the address is already taken.
    bool Inserta(const CDireccionURL& entrada);
    // False, changing nothing, when indice is out of range or another entry has the name or address.
    bool Modifica(unsigned int indice, const CDireccionURL& entrada);
    // False when indice is out of range. The selection is not adjusted.
    bool Borra(unsigned int indice);
    // Sorts by name then address. The selection is not adjusted.
    void Ordenar();
    unsigned int Cantidad() const;
    // A copy of the entry; an empty record when indice is out of range.
    CDireccionURL operator[](unsigned int indice) const;

    // Storage in the current application's profile: section, then key prefix. A missing key
    // leaves its member unchanged; reading appends through Inserta; writing replaces the section.
    void GetProfile(const CString& seccion, const CString& prefijo);
    void WriteProfile(const CString& seccion, const CString& prefijo) const;
    // Storage in a private INI file: file, then section. Values are read through 255 characters.
    void GetPrivateProfile(const CString& archivo, const CString& seccion);
    void WritePrivateProfile(const CString& archivo, const CString& seccion) const;

    std::vector<CDireccionURL> m_direcciones;
    int m_seleccionURL;  // -1: none
    CString m_seleccionCapa;
    CString m_seleccionSR;
    CString m_archivoSalida;
    int m_cargar;
};
