// ConversionesC.cpp: entries, choices and reference systems across the C interface.
#include "ConversionesC.h"

#include "Frontera.h"

namespace {

// count texts at lista; null is an empty list only when count is 0.
std::vector<CString> TextosDe(const wchar_t* const* lista, uint32_t cuantos, LPCWSTR argumento)
{
    std::vector<CString> textos;
    if (cuantos == 0)
        return textos;
    Requiere(lista, argumento);
    textos.reserve(cuantos);
    for (uint32_t i = 0; i < cuantos; ++i)
        textos.push_back(TextoDe(lista[i]));
    return textos;
}

}  // namespace

CDireccionURL EntradaDe(const OrtusEntrada& entrada)
{
    RequiereTamanho(entrada.tamanho, sizeof(OrtusEntrada), L"OrtusEntrada");
    CDireccionURL resultado;
    resultado.m_nombre = TextoDe(entrada.nombre);
    resultado.m_url = TextoDe(entrada.url);
    resultado.m_metadato1 = TextoDe(entrada.metadato1);
    resultado.m_metadato2 = TextoDe(entrada.metadato2);
    resultado.m_metadato3 = TextoDe(entrada.metadato3);
    resultado.m_metadato4 = TextoDe(entrada.metadato4);
    resultado.m_capas = TextosDe(entrada.capas, entrada.numeroCapas, L"OrtusEntrada.capas");
    resultado.m_sistemasReferencia = TextosDe(entrada.sistemas, entrada.numeroSistemas, L"OrtusEntrada.sistemas");
    return resultado;
}

OrtusEntrada* EntregaEntrada(const CDireccionURL& entrada, CBloquesEntregados& bloques)
{
    return bloques.Entrega<OrtusEntrada>([&](CComposicion& bloque, OrtusEntrada& salida) {
        salida.tamanho = sizeof(OrtusEntrada);
        salida.nombre = bloque.Texto(entrada.m_nombre);
        salida.url = bloque.Texto(entrada.m_url);
        salida.metadato1 = bloque.Texto(entrada.m_metadato1);
        salida.metadato2 = bloque.Texto(entrada.m_metadato2);
        salida.metadato3 = bloque.Texto(entrada.m_metadato3);
        salida.metadato4 = bloque.Texto(entrada.m_metadato4);
        salida.numeroCapas = static_cast<uint32_t>(entrada.m_capas.size());
        salida.capas = bloque.Lista(entrada.m_capas);
        salida.numeroSistemas = static_cast<uint32_t>(entrada.m_sistemasReferencia.size());
        salida.sistemas = bloque.Lista(entrada.m_sistemasReferencia);
    });
}

OrtusEleccion* EntregaEleccion(const CDataConectaURL& catalogo, CBloquesEntregados& bloques)
{
    return bloques.Entrega<OrtusEleccion>([&](CComposicion& bloque, OrtusEleccion& salida) {
        salida.tamanho = sizeof(OrtusEleccion);
        salida.seleccionURL = catalogo.m_seleccionURL;
        salida.seleccionCapa = bloque.Texto(catalogo.m_seleccionCapa);
        salida.seleccionSR = bloque.Texto(catalogo.m_seleccionSR);
        salida.archivoSalida = bloque.Texto(catalogo.m_archivoSalida);
        salida.cargar = catalogo.m_cargar;
    });
}

void AplicaEleccion(const OrtusEleccion& eleccion, CDataConectaURL& catalogo)
{
    RequiereTamanho(eleccion.tamanho, sizeof(OrtusEleccion), L"OrtusEleccion");
    catalogo.m_seleccionURL = eleccion.seleccionURL;
    catalogo.m_seleccionCapa = TextoDe(eleccion.seleccionCapa);
    catalogo.m_seleccionSR = TextoDe(eleccion.seleccionSR);
    catalogo.m_archivoSalida = TextoDe(eleccion.archivoSalida);
    catalogo.m_cargar = eleccion.cargar;
}

std::vector<Vectra::CSistemaReferencia> SistemasDe(const OrtusDialogo& dialogo)
{
    std::vector<Vectra::CSistemaReferencia> sistemas;
    if (dialogo.numeroSistemas == 0)
        return sistemas;
    Requiere(dialogo.sistemas, L"OrtusDialogo.sistemas");
    sistemas.reserve(dialogo.numeroSistemas);
    for (uint32_t i = 0; i < dialogo.numeroSistemas; ++i)
        sistemas.emplace_back(dialogo.sistemas[i].codigo, TextoDe(dialogo.sistemas[i].nombre));
    return sistemas;
}
