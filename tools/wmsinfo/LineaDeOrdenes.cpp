// LineaDeOrdenes.cpp: reading wmsinfo's arguments.
#include "LineaDeOrdenes.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace {

// Longer than any server is worth waiting for; it also keeps the milliseconds in range.
constexpr double kSegundosMaximos = 24 * 3600;

bool LeeSegundos(const wchar_t* texto, double& segundos)
{
    wchar_t* fin = nullptr;
    segundos = std::wcstod(texto, &fin);
    return fin != texto && *fin == L'\0' && std::isfinite(segundos) && segundos > 0 &&
           segundos <= kSegundosMaximos;
}

}  // namespace

bool LineaDeOrdenes::Lee(int argc, const wchar_t* const* argv, CString& error)
{
    for (int i = 1; i < argc; ++i) {
        const CString argumento = argv[i];
        if (argumento == L"--help" || argumento == L"-h") {
            m_ayuda = true;
        } else if (argumento == L"--json") {
            m_json = true;
        } else if (argumento == L"--timeout") {
            if (i + 1 == argc || !LeeSegundos(argv[i + 1], m_segundos)) {
                error = L"--timeout needs a number of seconds, more than 0 and at most 86400";
                return false;
            }
            ++i;
        } else if (argumento.Left(1) == L"-") {
            error.Format(L"unknown option %s", argumento.GetString());
            return false;
        } else if (!m_direccion.IsEmpty()) {
            error = L"only one ADDRESS can be given";
            return false;
        } else {
            m_direccion = argumento;
        }
    }
    if (m_direccion.IsEmpty() && !m_ayuda) {
        error = L"no ADDRESS given";
        return false;
    }
    return true;
}

std::optional<Nadir::Sockets::ConexionHttp::Limites> LineaDeOrdenes::Limites() const
{
    if (m_segundos == 0)
        return std::nullopt;
    using std::chrono::milliseconds;
    Nadir::Sockets::ConexionHttp::Limites limites;
    const double proporcion = static_cast<double>(limites.total.count()) / limites.inactividad.count();
    const auto plazo = milliseconds(std::max(1LL, std::llround(m_segundos * 1000)));
    limites.conexion = plazo;
    limites.inactividad = plazo;
    limites.total = milliseconds(std::llround(plazo.count() * proporcion));
    return limites;
}
