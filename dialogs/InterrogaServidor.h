// InterrogaServidor.h: InterrogaServidor, asking one server for what the connection dialog keeps of
// it (the four service texts, the leaf layers, the reference systems), over the connection Ortus
// makes; the leaf walk it uses. No window: the dialog writes the answer into the entry.
#pragma once

#include <afx.h>

#include <Nadir/OpenGIS/WMS/IClienteWMS.h>
#include <Nadir/Sockets/ConexionHttp.h>

#include <functional>
#include <memory>
#include <vector>

// Makes the client of the server at an address over a connection: NegociadorWMS::CreaClienteWMS,
// or a test's own. Throws ExcepcionNadir when the server cannot be asked.
using FabricaDeClientes = std::function<std::shared_ptr<Nadir::OpenGIS::WMS::IClienteWMS>(
    std::shared_ptr<Nadir::Sockets::ConexionHttp>, const CString&)>;

struct RespuestaDelServidor {
    enum class Estado {
        kSinCliente,  // no client and no failure: nothing to record
        kContestada,  // the texts and lists below hold the answer
        kFallida,     // fallo holds what the user reads in the second service text
    };
    Estado estado = Estado::kSinCliente;
    CString metadato1, metadato2, metadato3, metadato4;
    std::vector<CString> capas;     // leaf layers, in the tree's order, empty names too
    std::vector<CString> sistemas;  // their reference systems: ascending by CString's order, each once
    CString fallo;
};

// The connection servers are asked over: agent "Quasar", through the proxy the user set for Windows.
std::shared_ptr<Nadir::Sockets::ConexionHttp> CreaConexion();

// Asks the server at url through NegociadorWMS::CreaClienteWMS, or through fabrica. An ExcepcionNadir
// from the client's creation, or one of the standard ones from reading the answer, comes back as a
// failure; anything else thrown leaves the call, after the client and then the connection are released.
RespuestaDelServidor InterrogaServidor(const CString& url);
RespuestaDelServidor InterrogaServidor(const CString& url, const FabricaDeClientes& fabrica);

// Appends the leaves under capa (capa itself when it has no children; nothing when it is empty) to
// capas, and the reference systems of each leaf to sistemas in the server's order; a repeat that shares
// its text with one taken already may be left out, since the list is sorted and cleared of repeats after.
void AnhadeHojas(std::shared_ptr<Nadir::OpenGIS::WMS::Layer> capa, std::vector<CString>& capas,
                 std::vector<CString>& sistemas);
