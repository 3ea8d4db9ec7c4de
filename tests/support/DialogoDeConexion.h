// DialogoDeConexion.h: the connection dialog as its user reads it, from its controls: the server
// list's rows and selection, where a row lies, a combo box's items.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace DialogoDeConexion {

// One "name | address" a row.
std::vector<std::wstring> Filas(HWND dialogo);
std::vector<int> FilasSeleccionadas(HWND dialogo);
// The row whose name is nombre; -1 if none.
int FilaDe(HWND dialogo, const std::wstring& nombre);
// The middle of a row's label, in the list's client coordinates.
POINT CentroDeFila(HWND dialogo, int fila);
std::vector<std::wstring> Elementos(HWND dialogo, int idCombo);

}  // namespace DialogoDeConexion
