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

HRESULT STDMETHODCALLTYPE FlujoDeTexto::Read(void* destino, ULONG bytes, ULONG* leidos)
{
    const size_t cuantos = std::min<size_t>(bytes, m_texto.size() - m_posicion);
    std::memcpy(destino, m_texto.data() + m_posicion, cuantos);
    m_posicion += cuantos;
    if (leidos)
        *leidos = static_cast<ULONG>(cuantos);
    return cuantos == bytes ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE FlujoDeTexto::Write(const void*, ULONG, ULONG*)
{
    return STG_E_ACCESSDENIED;
}

}  // namespace Nadir::OpenGIS::WMS
