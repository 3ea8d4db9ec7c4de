// ControlDeDialogo.h: ControlDeDialogo, one control of a live dialog as the user sees it: kind,
// style, text and place.
#pragma once

#include <windows.h>

#include <string>

struct ControlDeDialogo {
    HWND ventana = nullptr;
    int id = 0;
    std::wstring clase;  // window class, e.g. "Button", "Static", "SysListView32"
    DWORD estilo = 0;
    std::wstring texto;
    RECT rect = {};  // in the dialog's client coordinates

    bool EsTextoFijo() const;    // a static text: a label or a hint
    bool EsBotonPulsable() const;
    bool EsOpcion() const;       // radio button or check box
    bool EsGrupo() const;        // group box
    bool EsEntrada() const;      // takes input: edit, combo box, list, push button, option
    bool PideFoco() const { return (estilo & WS_TABSTOP) != 0; }
    // The access key, lower case, or 0: the character after a single '&'.
    wchar_t TeclaDeAcceso() const;
};
