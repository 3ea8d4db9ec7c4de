// AlmacenCatalogo.h: CAlmacenCatalogo, where the host keeps the catalogue: a section of its registry
// profile under a key prefix, or a section of an INI file.
#pragma once

#include <DataConectaURL.h>

#include "OpcionesQuasar.h"

class CAlmacenCatalogo {
public:
    // The INI file of the options (made absolute: the profile functions would look for a relative
    // name in the Windows folder), or the application's registry profile.
    explicit CAlmacenCatalogo(const COpcionesQuasar& opciones);

    // Appends what is stored; a store that holds nothing leaves the catalogue as it was.
    void Lee(CDataConectaURL& catalogo) const;
    // Replaces the section with the catalogue.
    void Escribe(const CDataConectaURL& catalogo) const;
    // Where, as the user would look for it.
    CString Descripcion() const;

    // The absolute path of an INI file name.
    static CString RutaCompleta(const CString& ruta);

private:
    CString m_ini;  // empty: the registry profile
    CString m_seccion;
    CString m_prefijo;
};
