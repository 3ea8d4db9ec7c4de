// ConexionQuasar.cpp: CConexionQuasar: store, dialog, store, and the printed choice.
#include "ConexionQuasar.h"

#include <ConectaURLDlg.h>

#include <optional>

#include "PilotoAutomatico.h"

namespace {

LPCWSTR SignificadoDeCarga(int cargar)
{
    switch (cargar) {
    case 0:
        return L"just save the file";
    case 1:
        return L"save the file and open it in a new map";
    case 2:
        return L"save the file and add it to the current map";
    default:
        return L"unknown";
    }
}

LPCWSTR Final(INT_PTR respuesta)
{
    return respuesta == IDOK ? L"OK" : respuesta == IDCANCEL ? L"Cancel" : L"the dialog did not run";
}

}  // namespace

CConexionQuasar::CConexionQuasar(const COpcionesQuasar& opciones, CTablaEPSG& tabla)
    : m_opciones(opciones), m_tabla(tabla), m_almacen(opciones)
{
}

INT_PTR CConexionQuasar::Ejecuta(CWnd* padre)
{
    LeeCatalogo();
    CConectaURLDlg dialogo(m_catalogo, m_opciones.TerceraOpcion() ? 1 : 0, m_tabla.Sistemas(), padre);
    std::optional<CPilotoAutomatico> piloto;
    if (m_opciones.Automatico())
        piloto.emplace(dialogo, m_opciones.Captura());
    const INT_PTR respuesta = dialogo.DoModal();
    m_almacen.Escribe(m_catalogo);
    if (piloto) {
        m_sinServidorConCapas = piloto->SinServidorConCapas();
        if (!piloto->ProblemaDeCaptura().IsEmpty())
            m_avisos.push_back(L"no picture: " + piloto->ProblemaDeCaptura());
    }
    return respuesta;
}

void CConexionQuasar::LeeCatalogo()
{
    m_catalogo = CDataConectaURL();
    m_almacen.Lee(m_catalogo);
    if (m_catalogo.Cantidad() == 0)
        m_catalogo.CargaURLPorDefecto();
    for (const CDireccionURL& servidor : m_opciones.Servidores())
        AnhadeServidor(servidor);
}

void CConexionQuasar::AnhadeServidor(const CDireccionURL& servidor)
{
    bool aceptado = false;
    unsigned int i = 0;
    while (i < m_catalogo.Cantidad() && m_catalogo[i].m_nombre != servidor.m_nombre)
        ++i;
    if (i < m_catalogo.Cantidad()) {
        CDireccionURL entrada = m_catalogo[i];
        entrada.m_url = servidor.m_url;
        aceptado = m_catalogo.Modifica(i, entrada);
    } else {
        aceptado = m_catalogo.Inserta(servidor);
    }
    if (!aceptado)
        m_avisos.push_back(L"--add " + servidor.m_nombre + L": another server has the address " + servidor.m_url);
}

CString CConexionQuasar::Informe(INT_PTR respuesta) const
{
    const CDireccionURL servidor = m_catalogo.Seleccion();
    CString sistema = m_catalogo.m_seleccionSR;
    const CString nombre = m_tabla.NombreDe(sistema);
    if (!nombre.IsEmpty())
        sistema += L" (" + nombre + L")";
    CString informe;
    informe.Format(L"Dialog ended with: %s\r\n"
                   L"Server:            %s\r\n"
                   L"Address:           %s\r\n"
                   L"Layer:             %s\r\n"
                   L"Reference system:  %s\r\n"
                   L"Output file:       %s\r\n"
                   L"Load option:       %d (%s)\r\n"
                   L"Catalogue stored:  %s\r\n",
                   Final(respuesta), servidor.m_nombre.GetString(), servidor.m_url.GetString(),
                   m_catalogo.m_seleccionCapa.GetString(), sistema.GetString(), m_catalogo.m_archivoSalida.GetString(),
                   m_catalogo.m_cargar, SignificadoDeCarga(m_catalogo.m_cargar), m_almacen.Descripcion().GetString());
    return informe;
}
