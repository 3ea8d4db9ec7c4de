// ControlDeDialogo.cpp: a control's kind read from its window class and style bits.
#include "ControlDeDialogo.h"

#include <cwctype>

namespace {

bool EsClase(const ControlDeDialogo& control, const wchar_t* clase)
{
    return ::lstrcmpiW(control.clase.c_str(), clase) == 0;
}

DWORD TipoDeBoton(const ControlDeDialogo& control) { return control.estilo & BS_TYPEMASK; }

}  // namespace

bool ControlDeDialogo::EsTextoFijo() const
{
    const DWORD tipo = estilo & SS_TYPEMASK;
    return EsClase(*this, L"Static") && (tipo == SS_LEFT || tipo == SS_CENTER || tipo == SS_RIGHT || tipo == SS_LEFTNOWORDWRAP);
}

bool ControlDeDialogo::EsBotonPulsable() const
{
    return EsClase(*this, L"Button") && (TipoDeBoton(*this) == BS_PUSHBUTTON || TipoDeBoton(*this) == BS_DEFPUSHBUTTON);
}

bool ControlDeDialogo::EsOpcion() const
{
    const DWORD tipo = TipoDeBoton(*this);
    return EsClase(*this, L"Button") && (tipo == BS_RADIOBUTTON || tipo == BS_AUTORADIOBUTTON || tipo == BS_CHECKBOX ||
                                         tipo == BS_AUTOCHECKBOX || tipo == BS_3STATE || tipo == BS_AUTO3STATE);
}

bool ControlDeDialogo::EsGrupo() const { return EsClase(*this, L"Button") && TipoDeBoton(*this) == BS_GROUPBOX; }

bool ControlDeDialogo::EsEntrada() const
{
    return EsClase(*this, L"Edit") || EsClase(*this, L"ComboBox") || EsClase(*this, L"ListBox") ||
           EsClase(*this, L"SysListView32") || EsClase(*this, L"SysTreeView32") || EsBotonPulsable() || EsOpcion();
}

wchar_t ControlDeDialogo::TeclaDeAcceso() const
{
    for (size_t i = 0; i + 1 < texto.size(); ++i) {
        if (texto[i] != L'&')
            continue;
        if (texto[i + 1] != L'&')
            return static_cast<wchar_t>(std::towlower(texto[i + 1]));
        ++i;  // "&&" shows one '&'
    }
    return 0;
}
