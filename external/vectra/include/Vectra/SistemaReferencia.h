// SistemaReferencia.h: Vectra::CSistemaReferencia, a coordinate reference system known by its code.
#pragma once

#include <afx.h>

#include <cstdint>

#ifdef VECTRA_BUILD
#define VECTRA_API __declspec(dllexport)
#else
#define VECTRA_API __declspec(dllimport)
#endif

namespace Vectra {

class VECTRA_API CSistemaReferencia {
public:
    // codigo: the number the system is registered under (an EPSG code, say); nombre: how users know it.
    CSistemaReferencia(std::int32_t codigo, const CString& nombre);

    CString GetNombre() const;

    // The code a system's identifier carries, as servers state it ("EPSG:4326", "AUTO2:42001,1,0,0",
    // "4326"): the number after its first colon, all of it without one, read as _wtoi reads (white
    // space, a sign, digits). 0 when no digits follow.
    static std::int32_t CodigoDe(const CString& identificador);

    std::int32_t m_codigo;

private:
    CString m_nombre;
};

}  // namespace Vectra
