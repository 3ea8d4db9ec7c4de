// TablaEPSG.h: CTablaEPSG, the reference systems the host names: EPSG codes and names read from the
// table built beside quasar.exe (epsg/tabla_epsg.py), or a short list of the host's own without it.
#pragma once

#include <afx.h>

#include <Vectra/SistemaReferencia.h>

#include <string_view>
#include <vector>

class CTablaEPSG {
public:
    static constexpr LPCWSTR kArchivo = L"quasar-epsg.tsv";

    // Starts with the host's own list.
    CTablaEPSG();

    // Reads the table in the file ruta. False, with why in error, when it is missing or damaged: the
    // systems are then the host's own list.
    bool Carga(const CString& ruta, CString& error);
    // The same from the table's text, for a file already read.
    bool Lee(std::string_view utf8, CString& error);

    // Ascending by code, each code once. The dialog holds on to it while it runs.
    std::vector<Vectra::CSistemaReferencia>& Sistemas() { return m_sistemas; }
    // The name of the system an identifier stands for, read as the dialog reads it: the number after
    // its first colon (all of it without one). Empty when no system of the list has that code.
    CString NombreDe(const CString& identificador) const;

    static std::vector<Vectra::CSistemaReferencia> ListaPropia();

private:
    std::vector<Vectra::CSistemaReferencia> m_sistemas;
};
