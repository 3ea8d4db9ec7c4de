// NegociadorWMS.h: finds the WMS version a server speaks and reads its capabilities.
#pragma once

#include "Nadir/OpenGIS/WMS/IClienteWMS.h"
#include "Nadir/Sockets/ConexionHttp.h"

#include <memory>
#include <string>

namespace Nadir::OpenGIS::WMS {

class NADIR_WMS_API NegociadorWMS {
public:
    // Asks the server at url (as the user typed it) for its capabilities, negotiating the
    // version, and returns a client over the answer. Throws ExcepcionNadir on any failure.
    static std::shared_ptr<IClienteWMS> CreaClienteWMS(std::shared_ptr<Sockets::ConexionHttp> conexion,
                                                       const CString& url);

    // Reads a capabilities document already at hand; origen names it in error messages.
    static std::shared_ptr<IClienteWMS> CreaClienteWMS(const std::string& documento, const CString& origen);
};

}  // namespace Nadir::OpenGIS::WMS
