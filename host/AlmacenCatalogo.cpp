// AlmacenCatalogo.cpp: CAlmacenCatalogo over the catalogue's own storage operations.
#include "AlmacenCatalogo.h"

#include <afxwin.h>

CAlmacenCatalogo::CAlmacenCatalogo(const COpcionesQuasar& opciones)
    : m_ini(opciones.Ini().IsEmpty() ? CString() : RutaCompleta(opciones.Ini())),
      m_seccion(opciones.Seccion()),
      m_prefijo(opciones.Prefijo())
{
}

CString CAlmacenCatalogo::RutaCompleta(const CString& ruta)
{
    const DWORD longitud = ::GetFullPathNameW(ruta, 0, nullptr, nullptr);
    if (longitud == 0)
        return ruta;
    CString completa;
    ::GetFullPathNameW(ruta, longitud, completa.GetBuffer(static_cast<int>(longitud)), nullptr);
    completa.ReleaseBuffer();
    return completa;
}

void CAlmacenCatalogo::Lee(CDataConectaURL& catalogo) const
{
    if (m_ini.IsEmpty())
        catalogo.GetProfile(m_seccion, m_prefijo);
    else
        catalogo.GetPrivateProfile(m_ini, m_seccion);
}

void CAlmacenCatalogo::Escribe(const CDataConectaURL& catalogo) const
{
    if (m_ini.IsEmpty())
        catalogo.WriteProfile(m_seccion, m_prefijo);
    else
        catalogo.WritePrivateProfile(m_ini, m_seccion);
}

CString CAlmacenCatalogo::Descripcion() const
{
    if (!m_ini.IsEmpty())
        return L"INI file " + m_ini + L", section [" + m_seccion + L"]";
    const CWinApp* pApp = AfxGetApp();
    CString donde;
    donde.Format(L"registry HKCU\\Software\\%s\\%s\\%s, key prefix \"%s\"", pApp->m_pszRegistryKey,
                 pApp->m_pszProfileName, m_seccion.GetString(), m_prefijo.GetString());
    return donde;
}
