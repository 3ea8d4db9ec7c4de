// OpcionesQuasar.cpp: COpcionesQuasar: the options, their values and the rules between them.
#include "OpcionesQuasar.h"

#include <cwctype>
#include <optional>
#include <set>

namespace {

CString Citado(const CString& texto) { return L"\"" + texto + L"\""; }

bool TieneAlguno(const CString& texto, LPCWSTR caracteres)
{
    for (int i = 0; i < texto.GetLength(); ++i) {
        if (wcschr(caracteres, texto[i]) != nullptr || std::iswcntrl(texto[i]))
            return true;
    }
    return false;
}

bool TerminaEnPng(const CString& ruta)
{
    return ruta.GetLength() > 4 && ruta.Right(4).CompareNoCase(L".png") == 0;
}

}  // namespace

CString COpcionesQuasar::Uso()
{
    CString uso;
    uso.Format(
        L"usage: quasar [OPTIONS]\r\n"
        L"Runs the connection dialog over the host's window and prints the choice.\r\n"
        L"\r\n"
        L"  --ini FILE          keep the catalogue in this INI file (default: the registry profile,\r\n"
        L"                      HKCU\\Software\\Ortus Samples\\Quasar)\r\n"
        L"  --section S         section of the catalogue (default: %s)\r\n"
        L"  --prefix P          key prefix in the registry profile (default: %s)\r\n"
        L"  --third-option      offer the third load option\r\n"
        L"  --add NAME=URL      add a server (or give that name a new address) before the dialog; repeatable\r\n"
        L"  --lang es-ES|en-US  language of the dialogs (default: the user's)\r\n"
        L"  --auto              unattended: pick the first server that has layers, its first layer and\r\n"
        L"                      reference system, and press OK\r\n"
        L"  --screenshot FILE   with --auto: a PNG picture of the dialog just before OK\r\n"
        L"  --help              this text\r\n"
        L"\r\n"
        L"Exit status: 0 OK, 1 Cancel, 2 a bad argument, 3 the dialog could not run,\r\n"
        L"4 (--auto) no server answered with layers.\r\n",
        kSeccionPorDefecto, kPrefijoPorDefecto);
    return uso;
}

bool COpcionesQuasar::Lee(const std::vector<CString>& argumentos, CString& error)
{
    std::set<CString> vistas;
    for (size_t i = 0; i < argumentos.size(); ++i) {
        const CString& opcion = argumentos[i];
        // The value after an option; none at the end of the line.
        auto valor = [&]() -> std::optional<CString> {
            if (i + 1 >= argumentos.size())
                return std::nullopt;
            return argumentos[++i];
        };
        auto unaVez = [&]() {
            if (vistas.insert(opcion).second)
                return true;
            error = opcion + L" is given twice";
            return false;
        };
        if (opcion == L"--help" || opcion == L"-h" || opcion == L"/?") {
            m_ayuda = true;
        } else if (opcion == L"--third-option") {
            m_terceraOpcion = true;
        } else if (opcion == L"--auto") {
            m_automatico = true;
        } else if (opcion == L"--ini") {
            const auto ruta = valor();
            if (!ruta || ruta->IsEmpty()) {
                error = L"--ini needs the name of an INI file";
                return false;
            }
            if (!unaVez())
                return false;
            m_ini = *ruta;
        } else if (opcion == L"--section") {
            const auto seccion = valor();
            if (!seccion || seccion->IsEmpty()) {
                error = L"--section needs a section name";
                return false;
            }
            if (TieneAlguno(*seccion, L"[]\\")) {
                error = L"--section " + Citado(*seccion) + L": a section name cannot hold [, ], \\ or control characters";
                return false;
            }
            if (seccion->CompareNoCase(kSeccionDelAnfitrion) == 0) {
                error = L"--section " + *seccion + L": that section holds the host's own settings";
                return false;
            }
            if (!unaVez())
                return false;
            m_seccion = *seccion;
        } else if (opcion == L"--prefix") {
            const auto prefijo = valor();
            if (!prefijo) {
                error = L"--prefix needs a key prefix (--prefix \"\" for none)";
                return false;
            }
            if (!unaVez())
                return false;
            m_prefijo = *prefijo;
            m_prefijoDado = true;
        } else if (opcion == L"--add") {
            const auto servidor = valor();
            if (!servidor) {
                error = L"--add needs a server as NAME=URL";
                return false;
            }
            if (!LeeServidor(*servidor, error))
                return false;
        } else if (opcion == L"--lang") {
            const auto idioma = valor();
            if (!idioma) {
                error = L"--lang needs a language: es-ES or en-US";
                return false;
            }
            if (*idioma != L"es-ES" && *idioma != L"en-US") {
                error = L"--lang " + Citado(*idioma) + L": the languages are es-ES and en-US";
                return false;
            }
            if (!unaVez())
                return false;
            m_idioma = *idioma;
        } else if (opcion == L"--screenshot") {
            const auto ruta = valor();
            if (!ruta || !TerminaEnPng(*ruta)) {
                error = L"--screenshot needs the name of a .png file";
                return false;
            }
            if (!unaVez())
                return false;
            m_captura = *ruta;
        } else if (!opcion.IsEmpty() && opcion[0] == L'-') {
            error = L"unknown option " + Citado(opcion);
            return false;
        } else {
            error = L"unexpected argument " + Citado(opcion) + L": quasar takes options only";
            return false;
        }
    }
    return m_ayuda || Comprueba(error);
}

bool COpcionesQuasar::LeeServidor(const CString& valor, CString& error)
{
    const int igual = valor.Find(L'=');
    if (igual < 0) {
        error = L"--add " + Citado(valor) + L": expected NAME=URL";
        return false;
    }
    CDireccionURL servidor;
    servidor.m_nombre = valor.Left(igual);
    servidor.m_url = valor.Mid(igual + 1);
    // What the catalogue's stores could not give back as it was given.
    if (servidor.m_nombre.IsEmpty() || servidor.m_url.IsEmpty()) {
        error = L"--add " + Citado(valor) + L": both the name and the address are needed";
        return false;
    }
    if (servidor.m_nombre.Find(L'"') >= 0) {
        error = L"--add " + Citado(valor) + L": a name cannot hold a double quotation mark";
        return false;
    }
    if (TieneAlguno(servidor.m_url, L" \t")) {
        error = L"--add " + Citado(valor) + L": an address cannot hold blanks or control characters";
        return false;
    }
    m_servidores.push_back(servidor);
    return true;
}

bool COpcionesQuasar::Comprueba(CString& error) const
{
    if (m_prefijoDado && !m_ini.IsEmpty()) {
        error = L"--prefix applies to the registry profile: the keys of an INI file have no prefix";
        return false;
    }
    if (!m_captura.IsEmpty() && !m_automatico) {
        error = L"--screenshot needs --auto: the picture is taken just before the host presses OK";
        return false;
    }
    return true;
}
