// TestSupport.h: helpers the catalogue, storage and module suites share: CString printing, entries, choices.
#pragma once

#include <DataConectaURL.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const CString& texto, std::ostream* os)
{
    *os << ::testing::PrintToString(std::wstring(texto.GetString()));
}

inline CDireccionURL Entrada(LPCWSTR nombre, LPCWSTR url)
{
    CDireccionURL entrada;
    entrada.m_nombre = nombre;
    entrada.m_url = url;
    return entrada;
}

// Three entries, a name outside ASCII among them, and every member of the choice away from its default.
inline CDataConectaURL CatalogoCompleto()
{
    CDataConectaURL catalogo;
    catalogo.m_direcciones = {Entrada(L"PNOA", L"http://a/wms"), Entrada(L"Cartografia IGN", L"http://b/wms?x=1&y=2"),
                              Entrada(L"\u00d1and\u00fa", L"http://c/\u00e1")};
    catalogo.m_seleccionURL = 2;
    catalogo.m_seleccionCapa = L"OI.OrthoimageCoverage";
    catalogo.m_seleccionSR = L"EPSG:25830";
    catalogo.m_archivoSalida = L"C:\\salida\\mapa final.tif";
    catalogo.m_cargar = 2;
    return catalogo;
}

// One member of every entry, in catalogue order.
inline std::vector<CString> Columna(const CDataConectaURL& catalogo, CString CDireccionURL::*miembro)
{
    std::vector<CString> columna;
    for (const CDireccionURL& entrada : catalogo.m_direcciones)
        columna.push_back(entrada.*miembro);
    return columna;
}

inline std::vector<CString> Nombres(const CDataConectaURL& catalogo) { return Columna(catalogo, &CDireccionURL::m_nombre); }
inline std::vector<CString> Urls(const CDataConectaURL& catalogo) { return Columna(catalogo, &CDireccionURL::m_url); }

// The user's choice: every member but the entries.
inline void ExpectSameChoice(const CDataConectaURL& esperado, const CDataConectaURL& real)
{
    EXPECT_EQ(esperado.m_seleccionURL, real.m_seleccionURL);
    EXPECT_EQ(esperado.m_seleccionCapa, real.m_seleccionCapa);
    EXPECT_EQ(esperado.m_seleccionSR, real.m_seleccionSR);
    EXPECT_EQ(esperado.m_archivoSalida, real.m_archivoSalida);
    EXPECT_EQ(esperado.m_cargar, real.m_cargar);
}
