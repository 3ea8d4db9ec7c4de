// OpcionesQuasar.cpp: COpcionesQuasar: the options, their values and the rules between them.
#include "OpcionesQuasar.h"

#include <algorithm>
#include <cwctype>
#include <iterator>
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
    // The options that take a value: what to say when it is missing, and what to do with it.
    const struct {
        LPCWSTR opcion;
        LPCWSTR sinValor;
        bool unaVez;
        bool (COpcionesQuasar::*toma)(const CString&, CString&);
    } conValor[] = {
        {L"--ini", L"--ini needs the name of an INI file", true, &COpcionesQuasar::TomaIni},
        {L"--section", L"--section needs a section name", true, &COpcionesQuasar::TomaSeccion},
        {L"--prefix", L"--prefix needs a key prefix (--prefix \"\" for none)", true, &COpcionesQuasar::TomaPrefijo},
        {L"--add", L"--add needs a server as NAME=URL", false, &COpcionesQuasar::TomaServidor},
        {L"--lang", L"--lang needs a language: es-ES or en-US", true, &COpcionesQuasar::TomaIdioma},
        {L"--screenshot", L"--screenshot needs the name of a .png file", true, &COpcionesQuasar::TomaCaptura},
    };
    std::set<CString> vistas;
    for (size_t i = 0; i < argumentos.size(); ++i) {
        const CString& opcion = argumentos[i];
        if (opcion == L"--help" || opcion == L"-h" || opcion == L"/?") {
            m_ayuda = true;
            continue;
        }
        if (opcion == L"--third-option" || opcion == L"--auto") {
            (opcion == L"--auto" ? m_automatico : m_terceraOpcion) = true;
            continue;
        }
        const auto tipo = std::find_if(std::begin(conValor), std::end(conValor),
                                       [&](const auto& t) { return opcion == t.opcion; });
        if (tipo == std::end(conValor)) {
            error = !opcion.IsEmpty() && opcion[0] == L'-' ? L"unknown option " + Citado(opcion)
                                                            : L"unexpected argument " + Citado(opcion) +
                                                                  L": quasar takes options only";
            return false;
        }
        if (i + 1 >= argumentos.size()) {
            error = tipo->sinValor;
            return false;
        }
        if (tipo->unaVez && !vistas.insert(opcion).second) {
            error = opcion + L" is given twice";
            return false;
        }
        if (!(this->*tipo->toma)(argumentos[++i], error))
            return false;
    }
    return m_ayuda || Comprueba(error);
}

bool COpcionesQuasar::TomaIni(const CString& ruta, CString& error)
{
    if (ruta.IsEmpty()) {
        error = L"--ini needs the name of an INI file";
        return false;
    }
    m_ini = ruta;
    return true;
}

bool COpcionesQuasar::TomaSeccion(const CString& seccion, CString& error)
{
    if (seccion.IsEmpty())
        error = L"--section needs a section name";
    else if (TieneAlguno(seccion, L"[]\\"))
        error = L"--section " + Citado(seccion) + L": a section name cannot hold [, ], \\ or control characters";
    else if (seccion.CompareNoCase(kSeccionDelAnfitrion) == 0)
        error = L"--section " + seccion + L": that section holds the host's own settings";
    else
        m_seccion = seccion;
    return error.IsEmpty();
}

bool COpcionesQuasar::TomaPrefijo(const CString& prefijo, CString&)
{
    m_prefijo = prefijo;
    m_prefijoDado = true;
    return true;
}

bool COpcionesQuasar::TomaIdioma(const CString& idioma, CString& error)
{
    if (idioma != L"es-ES" && idioma != L"en-US") {
        error = L"--lang " + Citado(idioma) + L": the languages are es-ES and en-US";
        return false;
    }
    m_idioma = idioma;
    return true;
}

bool COpcionesQuasar::TomaCaptura(const CString& ruta, CString& error)
{
    if (!TerminaEnPng(ruta)) {
        error = L"--screenshot needs the name of a .png file";
        return false;
    }
    m_captura = ruta;
    return true;
}

bool COpcionesQuasar::TomaServidor(const CString& valor, CString& error)
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
