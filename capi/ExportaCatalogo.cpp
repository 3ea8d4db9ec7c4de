// ExportaCatalogo.cpp: the catalogue in the C interface: handles, entries, edits with the catalogue's
// own refusals, order, default servers and the choice.
#include <afxwin.h>

#include "ConversionesC.h"
#include "Frontera.h"
#include "OrtusCApp.h"

namespace {

void RequiereIndice(const CDataConectaURL& catalogo, uint32_t indice)
{
    if (indice >= catalogo.Cantidad())
        Falla(ORTUS_ERROR_INDICE, IDS_ERROR_INDICE, indice, catalogo.Cantidad());
}

[[noreturn]] void Rechaza(const CDireccionURL& entrada)
{
    Falla(ORTUS_ERROR_RECHAZADA, IDS_ERROR_RECHAZADA, entrada.m_nombre.GetString(), entrada.m_url.GetString());
}

}  // namespace

OrtusEstado WINAPI OrtusCatalogoCrea(OrtusCatalogo* catalogo)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        OrtusCatalogo& nuevo = Requiere(catalogo, L"catalogo");
        nuevo = nullptr;
        nuevo = COrtusCApp::Modulo().Catalogos().Crea();
    });
}

OrtusEstado WINAPI OrtusCatalogoDestruye(OrtusCatalogo catalogo)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        if (!COrtusCApp::Modulo().Catalogos().Destruye(catalogo))
            Falla(ORTUS_ERROR_MANEJADOR, IDS_ERROR_MANEJADOR);
    });
}

OrtusEstado WINAPI OrtusCatalogoCantidad(OrtusCatalogo catalogo, uint32_t* cantidad)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] { Requiere(cantidad, L"cantidad") = CatalogoVivo(catalogo)->Cantidad(); });
}

OrtusEstado WINAPI OrtusCatalogoEntrada(OrtusCatalogo catalogo, uint32_t indice, OrtusEntrada** entrada)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        OrtusEntrada*& salida = Requiere(entrada, L"entrada");
        salida = nullptr;
        const auto datos = CatalogoVivo(catalogo);
        RequiereIndice(*datos, indice);
        salida = EntregaEntrada((*datos)[indice], COrtusCApp::Modulo().Bloques());
    });
}

OrtusEstado WINAPI OrtusCatalogoInserta(OrtusCatalogo catalogo, const OrtusEntrada* entrada)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        const CDireccionURL nueva = EntradaDe(Requiere(entrada, L"entrada"));
        if (!CatalogoVivo(catalogo)->Inserta(nueva))
            Rechaza(nueva);
    });
}

OrtusEstado WINAPI OrtusCatalogoModifica(OrtusCatalogo catalogo, uint32_t indice, const OrtusEntrada* entrada)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        const CDireccionURL nueva = EntradaDe(Requiere(entrada, L"entrada"));
        const auto datos = CatalogoVivo(catalogo);
        RequiereIndice(*datos, indice);
        if (!datos->Modifica(indice, nueva))
            Rechaza(nueva);
    });
}

OrtusEstado WINAPI OrtusCatalogoBorra(OrtusCatalogo catalogo, uint32_t indice)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        const auto datos = CatalogoVivo(catalogo);
        RequiereIndice(*datos, indice);
        datos->Borra(indice);
    });
}

OrtusEstado WINAPI OrtusCatalogoOrdenar(OrtusCatalogo catalogo)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] { CatalogoVivo(catalogo)->Ordenar(); });
}

OrtusEstado WINAPI OrtusCatalogoCargaURLPorDefecto(OrtusCatalogo catalogo)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] { CatalogoVivo(catalogo)->CargaURLPorDefecto(); });
}

OrtusEstado WINAPI OrtusCatalogoLeeEleccion(OrtusCatalogo catalogo, OrtusEleccion** eleccion)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        OrtusEleccion*& salida = Requiere(eleccion, L"eleccion");
        salida = nullptr;
        salida = EntregaEleccion(*CatalogoVivo(catalogo), COrtusCApp::Modulo().Bloques());
    });
}

OrtusEstado WINAPI OrtusCatalogoEstableceEleccion(OrtusCatalogo catalogo, const OrtusEleccion* eleccion)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        const OrtusEleccion& nueva = Requiere(eleccion, L"eleccion");
        AplicaEleccion(nueva, *CatalogoVivo(catalogo));
    });
}
