// main.cpp: wmsinfo, which prints what a WMS server or a saved capabilities document offers.
// Asks the server exactly as Ortus does. Exit status: 0 read, 1 the server or document failed, 2 bad usage.
#include "ArchivoLocal.h"
#include "Consola.h"
#include "InformeJson.h"
#include "InformeTexto.h"
#include "LineaDeOrdenes.h"

#include "Nadir/OpenGIS/WMS/NegociadorWMS.h"

#include <InterrogaServidor.h>

#include <memory>
#include <new>

using Nadir::ExcepcionNadir;
using Nadir::OpenGIS::WMS::IClienteWMS;
using Nadir::OpenGIS::WMS::NegociadorWMS;

namespace {

constexpr wchar_t kAyuda[] =
    L"Prints what a WMS server offers: version, service texts and the layer tree with each layer's\n"
    L"effective reference systems.\n"
    L"  ADDRESS          the server's address (http:// is assumed when none is given), or the path of a\n"
    L"                   saved capabilities document\n"
    L"  --json           one JSON object instead of text\n"
    L"  --timeout S      give up connecting, or waiting for data, after S seconds\n";

std::shared_ptr<IClienteWMS> Abre(const LineaDeOrdenes& orden)
{
    const CString& direccion = orden.Direccion();
    if (ArchivoLocal::EsRuta(direccion))
        return NegociadorWMS::CreaClienteWMS(ArchivoLocal::Lee(direccion), direccion);
    const auto conexion = CreaConexion();
    if (const auto limites = orden.Limites())
        conexion->SetLimites(*limites);
    return NegociadorWMS::CreaClienteWMS(conexion, direccion);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Consola salida(STD_OUTPUT_HANDLE);
    Consola errores(STD_ERROR_HANDLE);
    LineaDeOrdenes orden;
    CString error;
    if (!orden.Lee(argc, argv, error)) {
        errores.Escribe(std::wstring(L"wmsinfo: ") + error.GetString() + L"\n" + LineaDeOrdenes::kUso + L"\n");
        return 2;
    }
    if (orden.Ayuda()) {
        salida.Escribe(std::wstring(LineaDeOrdenes::kUso) + L"\n" + kAyuda);
        return 0;
    }
    try {
        const std::shared_ptr<IClienteWMS> cliente = Abre(orden);
        if (orden.Json())
            InformeJson(salida).Escribe(*cliente);
        else
            InformeTexto(salida).Escribe(*cliente);
        return 0;
    } catch (const ExcepcionNadir& e) {
        errores.Escribe(std::wstring(L"wmsinfo: ") + e.m_mensaje.GetString() + L"\n");
    } catch (const std::bad_alloc&) {
        errores.Escribe(L"wmsinfo: not enough memory for this document\n");
    }
    return 1;
}
