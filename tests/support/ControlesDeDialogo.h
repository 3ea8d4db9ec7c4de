// ControlesDeDialogo.h: ControlesDeDialogo, the child controls of a live dialog in tab order, as the
// user sees them: kind, style, text and place, and the room each one's text needs in its own font.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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

class ControlesDeDialogo {
public:
    explicit ControlesDeDialogo(HWND dialogo);

    HWND Dialogo() const { return m_dialogo; }
    RECT AreaCliente() const;
    const std::vector<ControlDeDialogo>& Todos() const { return m_controles; }
    // The control with this identifier, or null (labels share IDC_STATIC and are not found this way).
    const ControlDeDialogo* PorId(int id) const;
    // Dialog units in pixels for this dialog's font, as the template's coordinates were mapped.
    int UnidadesX(int unidades) const;
    int UnidadesY(int unidades) const;

    // Size of the control's text drawn on one line in its font, access key marks removed.
    SIZE TamanoDelTexto(const ControlDeDialogo& control) const;
    // Width and height the control needs to show its whole text: the text plus the button's edges,
    // the option's glyph, the group box's inset.
    SIZE EspacioNecesario(const ControlDeDialogo& control) const;

private:
    HWND m_dialogo;
    std::vector<ControlDeDialogo> m_controles;
};
