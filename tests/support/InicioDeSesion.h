// InicioDeSesion.h: the logins the loopback fixtures ask for, a Credential Manager entry for a scope, what
// the fixtures saw, and a user who types into the system's credential prompt.
#pragma once

#include "NadirTestSupport.h"
#include "support/UsuarioSimulado.h"

#include <wincred.h>
#include <wincrypt.h>

#include <Win32/Manejadores.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace InicioDeSesion {

inline const CString kUsuario = L"ana";
inline const CString kContrasena = L"contrase\u00f1a:@/ 1";
// kContrasena as an address carries it.
inline const CString kContrasenaEnDireccion = L"contrase%C3%B1a%3A%40%2F%201";
inline const CString kUsuarioDelProxy = L"pepe";
inline const CString kContrasenaDelProxy = L"secreto del proxy";

// The credential prompt's controls (credui): the user name, the password, the message, "remember".
constexpr int kUsuarioDelPrompt = 101;
constexpr int kContrasenaDelPrompt = 102;
constexpr int kMensajeDelPrompt = 103;
constexpr int kRecordar = 104;

using ::RutaPropia;

// ruta on the http listener, with user:password@ in the address.
inline CString ConCredenciales(const CString& ruta, const CString& usuario, const CString& contrasena)
{
    CString url;
    url.Format(L"http://%s:%s@127.0.0.1:%u%s", usuario.GetString(), contrasena.GetString(), Puerto("http"),
               ruta.GetString());
    return url;
}

// The name Nadir gives a server's credential in Credential Manager.
inline CString Destino(const std::string& listener)
{
    return L"Nadir:http://" + HostDe(listener);
}

// A generic credential in Credential Manager while the object lives; removed (with whatever Nadir
// stored under the same name meanwhile) when it goes.
class CredencialGuardada {
public:
    explicit CredencialGuardada(const CString& destino) : m_destino(destino) {}
    CredencialGuardada(const CString& destino, const CString& usuario, const CString& contrasena)
        : m_destino(destino)
    {
        CREDENTIALW credencial = {};
        credencial.Type = CRED_TYPE_GENERIC;
        credencial.TargetName = const_cast<LPWSTR>(m_destino.GetString());
        credencial.UserName = const_cast<LPWSTR>(usuario.GetString());
        credencial.CredentialBlobSize = static_cast<DWORD>(contrasena.GetLength() * sizeof(wchar_t));
        credencial.CredentialBlob = reinterpret_cast<LPBYTE>(const_cast<LPWSTR>(contrasena.GetString()));
        credencial.Persist = CRED_PERSIST_LOCAL_MACHINE;
        EXPECT_TRUE(::CredWriteW(&credencial, 0)) << "CredWriteW: " << ::GetLastError();
    }
    ~CredencialGuardada() { ::CredDeleteW(m_destino, CRED_TYPE_GENERIC, 0); }
    CredencialGuardada(const CredencialGuardada&) = delete;
    CredencialGuardada& operator=(const CredencialGuardada&) = delete;

    // "user password" as Credential Manager holds it now; empty when it holds none.
    std::wstring Leida() const
    {
        Win32::MemoriaDeCredenciales<CREDENTIALW> leida;
        if (!::CredReadW(m_destino, CRED_TYPE_GENERIC, 0, leida.Recibe()))
            return {};
        return std::wstring(leida->UserName ? leida->UserName : L"") + L" " +
               std::wstring(reinterpret_cast<const wchar_t*>(leida->CredentialBlob),
                            leida->CredentialBlobSize / sizeof(wchar_t));
    }

private:
    CString m_destino;
};

// The Authorization headers the http listener was sent for ruta, in order ("-" for none).
inline std::vector<std::string> LoginsVistos(const CString& ruta)
{
    return Vistos(L"/seen-logins", ruta);
}

// "Basic " and the base64 of "user:password", as the fixture sees a Basic login.
inline std::string Basic(const CString& usuario, const CString& contrasena)
{
    const std::string texto = Utf8(usuario + L":" + contrasena);
    char codificado[256] = "";
    DWORD largo = sizeof codificado;
    ::CryptBinaryToStringA(reinterpret_cast<const BYTE*>(texto.data()), static_cast<DWORD>(texto.size()),
                           CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF, codificado, &largo);
    return "Basic " + std::string(codificado, largo);
}

// The steps of a user who types each password in turn into the prompt (the user name first, the
// first time), ticking "remember" on the last; that the prompt's message starts with aviso, and its
// being a retry, checked.
inline void Teclea(CUsuarioSimulado& pasos, const std::function<HWND()>& prompt,
                   const std::vector<CString>& contrasenas, bool recordar, const wchar_t* aviso)
{
    // The prompt filled last: a refusal's next prompt can be up before a tick sees none, so "gone" means
    // that window destroyed, not no prompt at all.
    const auto rellenado = std::make_shared<HWND>();
    for (size_t i = 0; i < contrasenas.size(); ++i) {
        const CString contrasena = contrasenas[i];
        const bool ultima = i + 1 == contrasenas.size();
        pasos.Cuando("prompt " + std::to_string(i + 1) + " is up",
                     [prompt, i] {
                         const HWND ventana = prompt();
                         // A retry keeps the user name and waits in the password box.
                         return ventana && Ventanas::Activa(ventana) &&
                                (i == 0 || ::GetFocus() == ::GetDlgItem(ventana, kContrasenaDelPrompt));
                     },
                     [=] {
                         const HWND ventana = *rellenado = prompt();
                         EXPECT_EQ(0u, Ventanas::Texto(::GetDlgItem(ventana, kMensajeDelPrompt)).find(aviso));
                         if (i == 0) {
                             Usuario::Escribe(kUsuario.GetString());
                             Usuario::Tecla(VK_TAB);
                         }
                         Usuario::Escribe(contrasena.GetString());
                         if (recordar && ultima)
                             Usuario::Clic(::GetDlgItem(ventana, kRecordar));
                     })
            .Cuando("prompt " + std::to_string(i + 1) + " filled",
                    [prompt, contrasena] {
                        return Ventanas::Texto(::GetDlgItem(prompt(), kContrasenaDelPrompt)).size() ==
                               static_cast<size_t>(contrasena.GetLength());
                    },
                    [] { Usuario::Tecla(VK_RETURN); });
        // After the last one the call ends, and no loop runs the steps any more.
        if (!ultima)
            pasos.Cuando("prompt " + std::to_string(i + 1) + " gone", [rellenado] { return !::IsWindow(*rellenado); }, [] {});
    }
}

}  // namespace InicioDeSesion
