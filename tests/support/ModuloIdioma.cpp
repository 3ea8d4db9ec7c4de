// ModuloIdioma.cpp: CModuloIdioma.
#include "ModuloIdioma.h"

#include <gtest/gtest.h>

#include <string>

CModuloIdioma::CModuloIdioma(LPCWSTR archivo)
    : m_modulo(::LoadLibraryExW(archivo, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
{
    EXPECT_NE(nullptr, m_modulo) << "cannot load " << std::wstring(archivo) << ": error " << ::GetLastError();
    AfxInitExtensionModule(m_extension, m_modulo);
    m_enlace = std::make_unique<CDynLinkLibrary>(m_extension);
}

CModuloIdioma::~CModuloIdioma()
{
    m_enlace.reset();
    ::FreeLibrary(m_modulo);
}
