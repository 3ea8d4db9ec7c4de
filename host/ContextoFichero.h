// ContextoFichero.h: CContextoFichero, what the host's file prompt remembers from one prompt to the
// next, and from one run to the next through the profile: the folder and the filter last chosen.
// Libraries see only its address, as the application's m_contextoFichero.
#pragma once

#include <afx.h>

struct CContextoFichero {
    CString m_carpeta;
    DWORD m_filtro = 1;  // 1-based, as OPENFILENAME counts
};
