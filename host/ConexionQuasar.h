// ConexionQuasar.h: CConexionQuasar, one use of the connection dialog as the host makes it: the
// catalogue from its store (the default servers when nothing is stored, then the servers of --add),
// the dialog over the host's window, the catalogue back to its store, and the choice told.
#pragma once

#include <DataConectaURL.h>

#include <afxwin.h>

#include <vector>

#include "AlmacenCatalogo.h"
#include "OpcionesQuasar.h"
#include "TablaEPSG.h"

class CConexionQuasar {
public:
    // opciones and tabla must outlive the object.
    CConexionQuasar(const COpcionesQuasar& opciones, CTablaEPSG& tabla);

    // Fills the catalogue, runs the dialog over padre (with the automatic user when the options say
    // so) and stores the catalogue, whichever way the dialog ended. The dialog's DoModal result.
    INT_PTR Ejecuta(CWnd* padre);

    const CDataConectaURL& Catalogo() const { return m_catalogo; }
    // --auto found no server with layers and cancelled.
    bool SinServidorConCapas() const { return m_sinServidorConCapas; }
    // Notes for the user: servers of --add the catalogue refused, a picture not taken.
    const std::vector<CString>& Avisos() const { return m_avisos; }
    // The choice as the host prints it, one "label: value" a line.
    CString Informe(INT_PTR respuesta) const;

private:
    void LeeCatalogo();
    // Adds the server, or gives the entry of its name its address.
    void AnhadeServidor(const CDireccionURL& servidor);

    const COpcionesQuasar& m_opciones;
    CTablaEPSG& m_tabla;
    CAlmacenCatalogo m_almacen;
    CDataConectaURL m_catalogo;
    bool m_sinServidorConCapas = false;
    std::vector<CString> m_avisos;
};
