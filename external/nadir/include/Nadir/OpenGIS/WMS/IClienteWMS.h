// IClienteWMS.h: what a WMS server offers, as read from its capabilities document.
#pragma once

#include "Nadir/OpenGIS/WMS/Layer.h"

#include <memory>
#include <vector>

namespace Nadir::OpenGIS::WMS {

class IClienteWMS {
public:
    virtual ~IClienteWMS() = default;

    // Version of the capabilities document the server answered with, e.g. "1.3.0".
    virtual CString GetVersion() const = 0;
    // Service title.
    virtual CString GetMetadato1() const = 0;
    // Service abstract.
    virtual CString GetMetadato2() const = 0;
    // Address GetMap requests go to (HTTP GET), and the image formats it offers.
    virtual CString GetUrlGetMap() const = 0;
    virtual std::vector<CString> GetFormatosGetMap() const = 0;
    // Provider: organisation, person and e-mail, those given, joined with " - ".
    virtual CString GetMetadato3() const = 0;
    // "WMS " and the version, then fees and access constraints when given and not "none".
    virtual CString GetMetadato4() const = 0;
    // Root of the layer tree: the document's single top layer, an unnamed layer holding several
    // top layers, or empty when the document has no layer.
    virtual std::shared_ptr<Layer> GetCapaRaiz() const = 0;
};

}  // namespace Nadir::OpenGIS::WMS
