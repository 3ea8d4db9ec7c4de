// Frontera.h: what every exported function does at the boundary of the C interface: check its
// arguments, and turn whatever its body throws into the status it returns and the thread's message.
#pragma once

#include <DataConectaURL.h>

#include <afx.h>

#include <memory>

#include "FalloOrtusC.h"
#include "OrtusC.h"
#include "RecursosOrtusC.h"

// The status of the exception being handled, recorded as the calling thread's last failure.
OrtusEstado RegistraExcepcionActual() noexcept;
// The module's language, the first time anything needs its texts.
void PreparaModulo();

// ORTUS_OK when cuerpo returns; the status of its failure otherwise. Nothing it throws gets past.
template <typename Cuerpo>
OrtusEstado Protege(Cuerpo&& cuerpo) noexcept
{
    try {
        PreparaModulo();
        cuerpo();
        return ORTUS_OK;
    } catch (...) {
        return RegistraExcepcionActual();
    }
}

// *puntero; ORTUS_ERROR_ARGUMENTO naming the argument when it is null.
template <typename T>
T& Requiere(T* puntero, LPCWSTR argumento)
{
    if (puntero == nullptr)
        Falla(ORTUS_ERROR_ARGUMENTO, IDS_ERROR_NULO, argumento);
    return *puntero;
}

// ORTUS_ERROR_TAMANHO unless a structure that starts with its size is the one this module knows.
void RequiereTamanho(uint32_t tamanho, size_t conocido, LPCWSTR estructura);
// The catalogue of the handle; ORTUS_ERROR_MANEJADOR when it is not a live one.
std::shared_ptr<CDataConectaURL> CatalogoVivo(OrtusCatalogo catalogo);
// A text given by the host: null reads as empty.
inline CString TextoDe(const wchar_t* texto) { return texto != nullptr ? CString(texto) : CString(); }
