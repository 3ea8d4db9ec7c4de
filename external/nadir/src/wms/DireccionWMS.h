// DireccionWMS.h: DireccionWMS, a server address as the user typed it, made into GetCapabilities requests.
#pragma once

#include "Nadir/ExcepcionNadir.h"
#include "Nadir/NadirExport.h"

#include <afx.h>

#include <vector>

namespace Nadir::OpenGIS::WMS {

// Works on the text alone: nothing is sent anywhere. The user's own query parameters (a map=, a
// vendor key) stay in their order and encoding; SERVICE and REQUEST are replaced where they stand,
// keys compared without regard to case, and the version goes last unless the address pins one.
class NADIR_WMS_API DireccionWMS {
public:
    // Trims surrounding blanks, drops a fragment, and reads "example.org/wms" as http://example.org/wms.
    // Throws ExcepcionNadir for an empty address, a scheme other than http and https, or no host.
    explicit DireccionWMS(const CString& escrita);

    // The version the address asks for with VERSION= (or else WMTVER=), empty when it asks for none.
    const CString& VersionFijada() const { return m_versionFijada; }

    // The GetCapabilities request for version: VERSION= for 1.1.0 and later, WMTVER= and the
    // request's 1.0.0 name for 1.0.0. With a pinned version the address's own parameter stays.
    CString Peticion(const CString& version) const;

    // Host for messages, with the port when it is not the scheme's own.
    const CString& Host() const { return m_host; }

private:
    enum class Clave { Propia, Servicio, Peticion };
    struct Parametro {
        Clave clave;
        CString texto;  // as written, for the user's own
    };

    void LeeConsulta(const CString& consulta);

    CString m_base;  // scheme, host and path: all before the '?'
    std::vector<Parametro> m_parametros;
    bool m_conServicio = false;
    bool m_conPeticion = false;
    CString m_versionFijada;
    CString m_host;
};

}  // namespace Nadir::OpenGIS::WMS
