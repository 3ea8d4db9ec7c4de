// ListaControlMFC.cpp: CListaControlMFC.
#include "Nucleo/ListaControlMFC.h"

IMPLEMENT_DYNAMIC(CListaControlMFC, CListCtrl)

CListaControlMFC::CListaControlMFC(const int* anchosMinimos, int cantidad)
    : m_anchosMinimos(anchosMinimos, anchosMinimos + (anchosMinimos != nullptr && cantidad > 0 ? cantidad : 0))
{
}

CListaControlMFC::~CListaControlMFC() = default;

bool CListaControlMFC::AnchoPermitido(int columna, int ancho) const
{
    if (columna < 0 || columna >= static_cast<int>(m_anchosMinimos.size()))
        return true;
    return ancho >= MulDiv(m_anchosMinimos[columna], static_cast<int>(::GetDpiForWindow(m_hWnd)), 96);
}

// The header tells its parent, the list itself, before a column changes width.
BOOL CListaControlMFC::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pHeader = reinterpret_cast<const NMHEADERW*>(lParam);
    if (pHeader->hdr.code == HDN_ITEMCHANGINGW && pHeader->pitem != nullptr && (pHeader->pitem->mask & HDI_WIDTH) &&
        !AnchoPermitido(pHeader->iItem, pHeader->pitem->cxy)) {
        *pResult = TRUE;  // refused
        return TRUE;
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}
