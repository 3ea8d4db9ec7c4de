// ClienteWMS.h: ClienteWMS, IClienteWMS over the capabilities read from one document.
#pragma once

#include "Capacidades.h"

#include "Nadir/OpenGIS/WMS/IClienteWMS.h"

namespace Nadir::OpenGIS::WMS {

class ClienteWMS : public IClienteWMS {
public:
    explicit ClienteWMS(Capacidades capacidades);

    CString GetVersion() const override;
    CString GetMetadato1() const override;
    CString GetMetadato2() const override;
    CString GetUrlGetMap() const override;
    std::vector<CString> GetFormatosGetMap() const override;
    CString GetMetadato3() const override;
    CString GetMetadato4() const override;
    std::shared_ptr<Layer> GetCapaRaiz() const override;

private:
    Capacidades m_capacidades;
};

}  // namespace Nadir::OpenGIS::WMS
