// ListaControlMFC.h: CListaControlMFC, a list view whose columns keep a minimum width.
#pragma once

#include <afxcmn.h>

#include <vector>

#ifdef NUCLEO_BUILD
#define NUCLEO_API __declspec(dllexport)
#else
#define NUCLEO_API __declspec(dllimport)
#endif

class NUCLEO_API CListaControlMFC : public CListCtrl {
    DECLARE_DYNAMIC(CListaControlMFC)
public:
    // anchosMinimos: for the first cantidad columns, the narrowest width (pixels at 96 DPI, scaled
    // to the window's DPI) the user may drag each to; null and 0 leave every column free.
    CListaControlMFC(const int* anchosMinimos, int cantidad);
    ~CListaControlMFC() override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    bool AnchoPermitido(int columna, int ancho) const;

    std::vector<int> m_anchosMinimos;
};
