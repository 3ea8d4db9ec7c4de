// NegociadorWMS.cpp: a client over a capabilities document already at hand.
#include "Nadir/OpenGIS/WMS/NegociadorWMS.h"

#include "ClienteWMS.h"
#include "LectorCapacidades.h"

namespace Nadir::OpenGIS::WMS {

std::shared_ptr<IClienteWMS> NegociadorWMS::CreaClienteWMS(const std::string& documento, const CString& origen)
{
    return std::make_shared<ClienteWMS>(LectorCapacidades::Lee(documento, CString(), origen));
}

}  // namespace Nadir::OpenGIS::WMS
