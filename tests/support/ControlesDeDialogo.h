// ControlesDeDialogo.h: ControlesDeDialogo, the child controls of a live dialog in tab order, and the
// room each one's text needs in its own font.
#pragma once

#include "ControlDeDialogo.h"

#include <windows.h>

#include <string>
#include <vector>

class ControlesDeDialogo {
public:
    explicit ControlesDeDialogo(HWND dialogo);

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
