// DialogoDeConexion.cpp: list-view and combo-box messages to the dialog's controls.
#include "DialogoDeConexion.h"

#include <commctrl.h>

#include <array>

#include "resource.h"

namespace DialogoDeConexion {

namespace {

HWND Lista(HWND dialogo) { return ::GetDlgItem(dialogo, IDC_LISTA_URL); }

std::wstring TextoDeFila(HWND lista, int fila, int columna)
{
    std::array<WCHAR, 1024> texto{};
    LVITEMW item = {};
    item.iSubItem = columna;
    item.pszText = texto.data();
    item.cchTextMax = static_cast<int>(texto.size());
    ::SendMessageW(lista, LVM_GETITEMTEXTW, fila, reinterpret_cast<LPARAM>(&item));
    return texto.data();
}

}  // namespace

std::vector<std::wstring> Filas(HWND dialogo)
{
    std::vector<std::wstring> filas;
    for (int i = 0; i < ::SendMessageW(Lista(dialogo), LVM_GETITEMCOUNT, 0, 0); ++i)
        filas.push_back(TextoDeFila(Lista(dialogo), i, 0) + L" | " + TextoDeFila(Lista(dialogo), i, 1));
    return filas;
}

std::vector<int> FilasSeleccionadas(HWND dialogo)
{
    std::vector<int> filas;
    for (int i = -1; (i = static_cast<int>(::SendMessageW(Lista(dialogo), LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;)
        filas.push_back(i);
    return filas;
}

int FilaDe(HWND dialogo, const std::wstring& nombre)
{
    for (int i = 0; i < ::SendMessageW(Lista(dialogo), LVM_GETITEMCOUNT, 0, 0); ++i) {
        if (TextoDeFila(Lista(dialogo), i, 0) == nombre)
            return i;
    }
    return -1;
}

POINT CentroDeFila(HWND dialogo, int fila)
{
    RECT r = {};
    r.left = LVIR_LABEL;
    ::SendMessageW(Lista(dialogo), LVM_GETITEMRECT, fila, reinterpret_cast<LPARAM>(&r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::vector<std::wstring> Elementos(HWND dialogo, int idCombo)
{
    const HWND combo = ::GetDlgItem(dialogo, idCombo);
    std::vector<std::wstring> elementos;
    for (int i = 0; i < ::SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
        std::wstring texto(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(texto.data()));
        texto.resize(texto.size() - 1);
        elementos.push_back(texto);
    }
    return elementos;
}

}  // namespace DialogoDeConexion
