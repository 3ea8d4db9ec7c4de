// ExcepcionNadir.h: the one exception type the Nadir libraries throw.
#pragma once

#include "Nadir/NadirExport.h"

#include <afx.h>

namespace Nadir {

// A failure a user can act on: m_mensaje says what failed, on which host, and in the server's
// own words where it gave any. It is written in the UI language of the thread that called Nadir
// (a host chooses it with SetThreadPreferredUILanguages; under Wine, the process's LC_MESSAGES), from
// the language modules beside the libraries (es-ES\NadirWMS.dll.mui), else in English.
class NADIR_SOCKETS_API ExcepcionNadir {
public:
    explicit ExcepcionNadir(const CString& mensaje);
    virtual ~ExcepcionNadir();

    CString m_mensaje;
};

}  // namespace Nadir
