// ConversionesC.cpp: entries, choices and reference systems across the C interface.
#include "ConversionesC.h"

#include "Frontera.h"

namespace {

// cuantos elements at lista, each as convierte makes it; null is an empty list only when cuantos is 0.
template <typename T, typename Elemento, typename Convierte>
std::vector<T> ListaDe(const Elemento* lista, uint32_t cuantos, LPCWSTR argumento, Convierte convierte)
{
    std::vector<T> elementos;
    if (cuantos == 0)
        return elementos;
    Requiere(lista, argumento);
    elementos.reserve(cuantos);
    for (uint32_t i = 0; i < cuantos; ++i)
        elementos.push_back(convierte(lista[i]));
    return elementos;
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
    resultado.m_capas = ListaDe<CString>(entrada.capas, entrada.numeroCapas, L"OrtusEntrada.capas", TextoDe);
    resultado.m_sistemasReferencia =
        ListaDe<CString>(entrada.sistemas, entrada.numeroSistemas, L"OrtusEntrada.sistemas", TextoDe);
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
    const auto delAnfitrion = [](const OrtusSistemaReferencia& sistema) {
        return Vectra::CSistemaReferencia(sistema.codigo, TextoDe(sistema.nombre));
    };
    return ListaDe<Vectra::CSistemaReferencia>(dialogo.sistemas, dialogo.numeroSistemas, L"OrtusDialogo.sistemas",
                                               delAnfitrion);
}
