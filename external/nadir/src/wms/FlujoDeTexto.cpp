// FlujoDeTexto.cpp: the few ISequentialStream members XmlLite calls.
#include "FlujoDeTexto.h"

#include <algorithm>
#include <cstring>

namespace Nadir::OpenGIS::WMS {

FlujoDeTexto* FlujoDeTexto::Crea(std::string texto)
{
    return new FlujoDeTexto(std::move(texto));
}

FlujoDeTexto::FlujoDeTexto(std::string texto) : m_texto(std::move(texto)) {}

HRESULT STDMETHODCALLTYPE FlujoDeTexto::QueryInterface(REFIID iid, void** objeto)
{
    if (!objeto)
        return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(ISequentialStream)) {
        *objeto = static_cast<ISequentialStream*>(this);
        AddRef();
        return S_OK;
    }
    *objeto = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE FlujoDeTexto::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_referencias));
}

ULONG STDMETHODCALLTYPE FlujoDeTexto::Release()
{
    const LONG quedan = InterlockedDecrement(&m_referencias);
    if (quedan == 0)
        delete this;
    return static_cast<ULONG>(quedan);
}

// Each piece ends in an ASCII byte where the text allows: Wine's XmlLite converts every piece to
// UTF-16 by itself, and of a character whose bytes end a piece it keeps one byte back and then
// loses it. XmlLite asks again after a short read.
HRESULT STDMETHODCALLTYPE FlujoDeTexto::Read(void* destino, ULONG bytes, ULONG* leidos)
{
    size_t cuantos = std::min<size_t>(bytes, m_texto.size() - m_posicion);
    if (m_posicion + cuantos < m_texto.size()) {
        size_t ascii = cuantos;
        while (ascii > 0 && static_cast<unsigned char>(m_texto[m_posicion + ascii - 1]) >= 0x80)
            --ascii;
        if (ascii > 0)
            cuantos = ascii;
    }
    std::memcpy(destino, m_texto.data() + m_posicion, cuantos);
    m_posicion += cuantos;
    if (leidos)
        *leidos = static_cast<ULONG>(cuantos);
    return cuantos == bytes || m_posicion < m_texto.size() ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE FlujoDeTexto::Write(const void*, ULONG, ULONG*)
{
    return STG_E_ACCESSDENIED;
}

}  // namespace Nadir::OpenGIS::WMS
