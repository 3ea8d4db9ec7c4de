// ArchivoLocal.h: ArchivoLocal, a saved capabilities document named on the command line instead of a server.
#pragma once

#include <afx.h>

#include <string>

class ArchivoLocal {
public:
    // True for an existing file, and for what only a path looks like: a drive letter, a backslash,
    // a leading '.' or a single '/', or a name ending in .xml without a scheme. Anything else is
    // taken for a server address ("example.org/wms" included).
    static bool EsRuta(const CString& texto);

    // The whole file; throws ExcepcionNadir when it cannot be read or is larger than a server
    // would be allowed to send.
    static std::string Lee(const CString& ruta);
};
