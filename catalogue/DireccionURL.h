// DireccionURL.h: CDireccionURL, one server of the catalogue and what its last interrogation gave.
#pragma once

#include <afx.h>

#include <vector>

#include "OrtusExport.h"

// A plain value type read by hosts member by member: the order and types of the members are fixed.
class ORTUS_API CDireccionURL {
public:
    CDireccionURL();
    CDireccionURL(const CDireccionURL& other);
    CDireccionURL& operator=(const CDireccionURL& other);
    ~CDireccionURL();

    // By name, then by address; ordinal and case-sensitive ("B" sorts before "a").
    bool operator<(const CDireccionURL& other) const;

    CString m_nombre;
    CString m_url;
    CString m_metadato1;
    CString m_metadato2;
    CString m_metadato3;
    CString m_metadato4;
    std::vector<CString> m_listaAuxiliar;
    std::vector<CString> m_capas;  // leaf layers; empty means not interrogated yet
    std::vector<CString> m_sistemasReferencia;
};
