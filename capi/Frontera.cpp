// Frontera.cpp: a failure of any kind becomes a status and a message the host can show.
#include "Frontera.h"

#include <afxwin.h>

#include <exception>
#include <new>

#include "OrtusCApp.h"

namespace {

CFalloOrtusC FalloDeExcepcionActual()
{
    try {
        throw;
    } catch (const CFalloOrtusC& fallo) {
        return fallo;
    } catch (const std::bad_alloc&) {
        return CFalloOrtusC(ORTUS_ERROR_MEMORIA, Mensaje(IDS_ERROR_MEMORIA));
    } catch (const std::exception& e) {
        return CFalloOrtusC(ORTUS_ERROR_INTERNO, Mensaje(IDS_ERROR_INTERNO, CString(e.what()).GetString()));
    } catch (CException* e) {
        e->Delete();
        return CFalloOrtusC(ORTUS_ERROR_INTERNO, Mensaje(IDS_ERROR_INTERNO, L"CException"));
    } catch (...) {
        return CFalloOrtusC(ORTUS_ERROR_INTERNO, Mensaje(IDS_ERROR_INTERNO, L"?"));
    }
}

}  // namespace

OrtusEstado RegistraExcepcionActual() noexcept
{
    try {
        const CFalloOrtusC fallo = FalloDeExcepcionActual();
        COrtusCApp::Modulo().Errores().Registra(fallo.m_mensaje);
        return fallo.m_estado;
    } catch (...) {
        // Not even the message could be made: the status alone tells.
        COrtusCApp::Modulo().Errores().Registra(CString());
        return ORTUS_ERROR_MEMORIA;
    }
}

void PreparaModulo() { COrtusCApp::Modulo().AseguraIdioma(); }

void RequiereTamanho(uint32_t tamanho, size_t conocido, LPCWSTR estructura)
{
    if (tamanho != conocido)
        Falla(ORTUS_ERROR_TAMANHO, IDS_ERROR_TAMANHO, estructura, tamanho, static_cast<unsigned>(conocido));
}

std::shared_ptr<CDataConectaURL> CatalogoVivo(OrtusCatalogo catalogo)
{
    std::shared_ptr<CDataConectaURL> encontrado = COrtusCApp::Modulo().Catalogos().Busca(catalogo);
    if (!encontrado)
        Falla(ORTUS_ERROR_MANEJADOR, IDS_ERROR_MANEJADOR);
    return encontrado;
}
