// FlujoDeTexto.h: FlujoDeTexto, an ISequentialStream that hands XmlLite a text it owns.
#pragma once

#include <objidl.h>

#include <string>

namespace Nadir::OpenGIS::WMS {

// Reference-counted like any COM object: Crea returns one reference, the last Release deletes it.
// Takes the text over instead of copying it (SHCreateMemStream copies; at 20 MB that costs more
// under Wine than reading the prolog).
class FlujoDeTexto : public ISequentialStream {
public:
    static FlujoDeTexto* Crea(std::string texto);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** objeto) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE Read(void* destino, ULONG bytes, ULONG* leidos) override;
    HRESULT STDMETHODCALLTYPE Write(const void* origen, ULONG bytes, ULONG* escritos) override;

    const std::string& Texto() const { return m_texto; }

private:
    explicit FlujoDeTexto(std::string texto);
    virtual ~FlujoDeTexto() = default;

    LONG m_referencias = 1;
    std::string m_texto;
    size_t m_posicion = 0;
};

}  // namespace Nadir::OpenGIS::WMS
