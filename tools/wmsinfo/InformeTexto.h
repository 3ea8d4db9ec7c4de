// InformeTexto.h: InformeTexto, what a server offers as labelled lines and an indented layer tree.
#pragma once

#include "Consola.h"

#include "Nadir/OpenGIS/WMS/IClienteWMS.h"

class InformeTexto {
public:
    explicit InformeTexto(Consola& salida) : m_salida(salida) {}

    void Escribe(const Nadir::OpenGIS::WMS::IClienteWMS& cliente);

private:
    void EscribeCampo(const wchar_t* etiqueta, const CString& valor);
    void EscribeCapa(const Nadir::OpenGIS::WMS::Layer& capa, int profundidad);

    Consola& m_salida;
};
