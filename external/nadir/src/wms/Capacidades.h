// Capacidades.h: Capacidades, what a capabilities document says, as LectorCapacidades found it.
#pragma once

#include "Nadir/OpenGIS/WMS/Layer.h"

#include <memory>
#include <vector>

namespace Nadir::OpenGIS::WMS {

// Texts have their whitespace collapsed to single blanks and trimmed; absent ones are empty.
struct Capacidades {
    CString version;  // the root's version attribute, e.g. "1.1.1"
    CString titulo;
    CString resumen;
    CString tarifas;
    CString restricciones;
    CString organizacion;
    CString persona;
    CString correo;
    CString urlGetMap;  // first HTTP Get address of GetMap (Map in 1.0.0)
    std::vector<CString> formatosGetMap;
    std::shared_ptr<Layer> capaRaiz;  // null when the document has no layer
};

}  // namespace Nadir::OpenGIS::WMS
