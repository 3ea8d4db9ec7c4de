// ConectaURLDlg.h: CConectaURLDlg, the modal dialog in which the user picks a map server, one of
// its layers and reference systems, an output file and a load option.
#pragma once

#include <afxwin.h>

#include <Nucleo/ListaControlMFC.h>
#include <Vectra/SistemaReferencia.h>

#include <memory>
#include <vector>

#include "DataConectaURL.h"
#include "OrtusExport.h"

namespace Nadir::OpenGIS::WMS {
class Layer;
}

// Runs on the host's catalogue and edits it in place: the host reads the choice from the catalogue
// after DoModal. Servers are asked for their capabilities while the dialog opens and after each
// edit, one after another; the dialog waits for each.
class ORTUS_API CConectaURLDlg : public CDialog {
    DECLARE_DYNAMIC(CConectaURLDlg)
public:
    // terceraOpcion: zero hides the third load option. datos and sistemas must outlive the dialog;
    // sistemas names the reference systems the servers offer by their numeric codes.
    CConectaURLDlg(CDataConectaURL& datos, int terceraOpcion, std::vector<Vectra::CSistemaReferencia>& sistemas,
                   CWnd* pParent);
    virtual ~CConectaURLDlg();

    // Stores the chosen layer and the server's identifier of the chosen reference system.
    void OnOK() override;
    virtual void OnHelp();

    afx_msg void OnBnClickedNuevo();
    afx_msg void OnBnClickedBorrar();
    afx_msg void OnBnClickedEditar();
    afx_msg void OnBnClickedBuscarFichero();
    afx_msg void OnLvnItemchangedListaUrl(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLvnKeydownListaUrl(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNMDblclkListaUrl(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    CDataConectaURL& m_datos;
    CListaControlMFC m_listaUrl;
    // New, Edit or Delete changed the catalogue.
    bool m_modificado;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // Rebuilds every row from the catalogue, asking the servers not yet asked.
    void RellenaTabla();
    // Row indice for entrada, with its name; the new row's index or -1.
    int ElementoNuevo(const CDireccionURL& entrada, int indice);
    // Shows the entry's address in its row and, unless it has layers already, asks its server.
    void ModificaElemento(CDireccionURL& entrada, int fila);
    // Appends the leaf layers under capa, and their reference systems, to the entry.
    void AnhadeCapa(std::shared_ptr<Nadir::OpenGIS::WMS::Layer> capa, CDireccionURL& entrada);
    // Follows the list's selection: the catalogue's selection, buttons, texts, layers, systems.
    void HayCambioSeleccion();

    DECLARE_MESSAGE_MAP()

    CString m_textoMetadato1;
    CString m_textoMetadato2;
    CString m_textoMetadato3;
    CString m_textoMetadato4;
    void* m_contextoFichero;
    int m_terceraOpcion;
    std::vector<Vectra::CSistemaReferencia>& m_sistemas;

private:
    int PrimeraFilaSeleccionada() const;
    void AvisaDeRepetida();
};
