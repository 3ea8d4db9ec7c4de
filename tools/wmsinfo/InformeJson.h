// InformeJson.h: InformeJson, what a server offers written as one JSON object.
#pragma once

#include "Consola.h"

#include "Nadir/OpenGIS/WMS/IClienteWMS.h"

// {"version": "...", "metadato": [four texts], "layers": [root, if any]}; each layer is
// {"name": "...", "title": "...", "srs": [effective identifiers], "layers": [children]}.
class InformeJson {
public:
    explicit InformeJson(Consola& salida) : m_salida(salida) {}

    void Escribe(const Nadir::OpenGIS::WMS::IClienteWMS& cliente);

private:
    void EscribeCapa(const Nadir::OpenGIS::WMS::Layer& capa);
    void EscribeCadena(const CString& texto);

    Consola& m_salida;
};
