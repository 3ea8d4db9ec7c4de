// ConversionesC.h: the structures of the C interface to and from the catalogue's own types.
#pragma once

#include <DataConectaURL.h>
#include <Vectra/SistemaReferencia.h>

#include <vector>

#include "BloquesEntregados.h"
#include "OrtusC.h"

// The host's entry as the catalogue takes it. Throws CFalloOrtusC for a size or a list it cannot read.
CDireccionURL EntradaDe(const OrtusEntrada& entrada);
// A copy of entrada in one block handed out through bloques.
OrtusEntrada* EntregaEntrada(const CDireccionURL& entrada, CBloquesEntregados& bloques);

// The catalogue's choice in one block handed out through bloques.
OrtusEleccion* EntregaEleccion(const CDataConectaURL& catalogo, CBloquesEntregados& bloques);
// Sets the catalogue's choice from the host's. Throws CFalloOrtusC for a size it does not know.
void AplicaEleccion(const OrtusEleccion& eleccion, CDataConectaURL& catalogo);

// The host's reference systems as the dialog takes them.
std::vector<Vectra::CSistemaReferencia> SistemasDe(const OrtusDialogo& dialogo);
