// InformeTexto.cpp: one line per service text, then one per layer: name - title [effective systems].
#include "InformeTexto.h"

using Nadir::OpenGIS::WMS::IClienteWMS;
using Nadir::OpenGIS::WMS::Layer;

void InformeTexto::Escribe(const IClienteWMS& cliente)
{
    EscribeCampo(L"Version:  ", cliente.GetVersion());
    EscribeCampo(L"Title:    ", cliente.GetMetadato1());
    EscribeCampo(L"Abstract: ", cliente.GetMetadato2());
    EscribeCampo(L"Provider: ", cliente.GetMetadato3());
    EscribeCampo(L"Service:  ", cliente.GetMetadato4());
    const auto raiz = cliente.GetCapaRaiz();
    m_salida.Escribe(raiz ? L"Layers:\n" : L"Layers:   none\n");
    if (raiz)
        EscribeCapa(*raiz, 1);
}

void InformeTexto::EscribeCampo(const wchar_t* etiqueta, const CString& valor)
{
    m_salida.Escribe(etiqueta);
    m_salida.Escribe(valor.GetString());
    m_salida.Escribe(L"\n");
}

void InformeTexto::EscribeCapa(const Layer& capa, int profundidad)
{
    m_salida.Escribe(std::wstring(static_cast<size_t>(profundidad) * 2, L' '));
    const CString nombre = capa.GetName();
    m_salida.Escribe(nombre.IsEmpty() ? L"(no name)" : nombre.GetString());
    m_salida.Escribe(L" - ");
    m_salida.Escribe(capa.GetTitle().GetString());
    m_salida.Escribe(L" [");
    bool primero = true;
    for (const auto& sistema : capa.GetSRS()) {
        if (!primero)
            m_salida.Escribe(L" ");
        primero = false;
        m_salida.Escribe(sistema.srs.GetString());
    }
    m_salida.Escribe(L"]\n");
    for (const auto& hija : capa.GetLayers())
        EscribeCapa(*hija, profundidad + 1);
}
