// Credenciales.cpp: CredReadW, CredWriteW and CredUIPromptForCredentialsW, with every copy of a
// password wiped once used.
#include "Credenciales.h"

#include "VentanaDeEspera.h"

#include <wincred.h>

#include <Win32/Manejadores.h>

namespace Nadir::Sockets {

namespace {

// The prompt's fields, wiped when the prompt is over.
template <size_t N>
struct CampoSecreto {
    wchar_t texto[N] = L"";
    ~CampoSecreto() { SecureZeroMemory(texto, sizeof texto); }
};

// Wine's prompt puts "destino\" before a name typed without a domain, generic credentials or not.
CString SinPrefijoDeDestino(const CString& usuario, const CString& destino)
{
    const CString prefijo = destino + L"\\";
    return usuario.Left(prefijo.GetLength()) == prefijo ? usuario.Mid(prefijo.GetLength()) : usuario;
}

// Wine opens the prompt where new windows go by default, Windows over its owner: over the owner on
// both, placed once, when it is first activated.
class CentradoSobrePropietario {
public:
    explicit CentradoSobrePropietario(HWND propietario)
        : m_gancho(SetWindowsHookExW(WH_CBT, &CentradoSobrePropietario::Gancho, nullptr, GetCurrentThreadId()))
    {
        s_propietario = propietario;
    }
    ~CentradoSobrePropietario() { s_propietario = nullptr; }
    CentradoSobrePropietario(const CentradoSobrePropietario&) = delete;
    CentradoSobrePropietario& operator=(const CentradoSobrePropietario&) = delete;

private:
    static LRESULT CALLBACK Gancho(int codigo, WPARAM wParam, LPARAM lParam)
    {
        const HWND ventana = reinterpret_cast<HWND>(wParam);
        if (codigo == HCBT_ACTIVATE && s_propietario && GetWindow(ventana, GW_OWNER) == s_propietario) {
            CentraSobre(ventana, s_propietario);
            s_propietario = nullptr;
        }
        return CallNextHookEx(nullptr, codigo, wParam, lParam);
    }

    static inline thread_local HWND s_propietario = nullptr;
    Win32::Gancho m_gancho;
};

}  // namespace

Credencial::Credencial(const CString& usuario, std::wstring contrasena)
    : m_usuario(usuario), m_contrasena(std::move(contrasena))
{
}

Credencial::~Credencial()
{
    Borra();
}

Credencial::Credencial(const Credencial& otra) : m_usuario(otra.m_usuario), m_contrasena(otra.m_contrasena) {}

Credencial& Credencial::operator=(const Credencial& otra)
{
    if (this != &otra) {
        Borra();
        m_usuario = otra.m_usuario;
        m_contrasena = otra.m_contrasena;
    }
    return *this;
}

bool Credencial::operator==(const Credencial& otra) const
{
    return m_usuario == otra.m_usuario && m_contrasena == otra.m_contrasena;
}

void Credencial::Borra()
{
    SecureZeroMemory(m_contrasena.data(), m_contrasena.size() * sizeof(wchar_t));
    m_contrasena.clear();
}

std::optional<Credencial> LeeDelAdministrador(const CString& destino)
{
    Win32::MemoriaDeCredenciales<CREDENTIALW> leida;
    if (!CredReadW(destino, CRED_TYPE_GENERIC, 0, leida.Recibe()))
        return std::nullopt;
    // Credential Manager and cmdkey keep generic passwords as UTF-16.
    std::wstring contrasena(reinterpret_cast<const wchar_t*>(leida->CredentialBlob),
                            leida->CredentialBlobSize / sizeof(wchar_t));
    return Credencial(leida->UserName ? leida->UserName : L"", std::move(contrasena));
}

bool GuardaEnAdministrador(const CString& destino, const Credencial& credencial)
{
    std::wstring contrasena = credencial.Contrasena();
    CREDENTIALW nueva = {};
    nueva.Type = CRED_TYPE_GENERIC;
    nueva.TargetName = const_cast<LPWSTR>(destino.GetString());
    nueva.UserName = const_cast<LPWSTR>(credencial.Usuario().GetString());
    nueva.CredentialBlobSize = static_cast<DWORD>(contrasena.size() * sizeof(wchar_t));
    nueva.CredentialBlob = reinterpret_cast<LPBYTE>(contrasena.data());
    nueva.Persist = CRED_PERSIST_LOCAL_MACHINE;
    const bool guardada = CredWriteW(&nueva, 0) != FALSE;
    SecureZeroMemory(contrasena.data(), contrasena.size() * sizeof(wchar_t));
    return guardada;
}

RespuestaDelUsuario PideAlUsuario(HWND propietario, const CString& destino, const CString& titulo,
                                  const CString& mensaje, bool reintento, std::optional<Credencial>& credencial,
                                  bool& recordar)
{
    CREDUI_INFOW datos = {sizeof datos, propietario, mensaje, titulo, nullptr};
    CampoSecreto<CREDUI_MAX_USERNAME_LENGTH + 1> usuario;
    CampoSecreto<CREDUI_MAX_PASSWORD_LENGTH + 1> contrasena;
    if (credencial)
        lstrcpynW(usuario.texto, credencial->Usuario(), CREDUI_MAX_USERNAME_LENGTH + 1);
    BOOL guardar = FALSE;
    // Stored by the caller, and only once the server has accepted them.
    DWORD banderas = CREDUI_FLAGS_GENERIC_CREDENTIALS | CREDUI_FLAGS_ALWAYS_SHOW_UI | CREDUI_FLAGS_DO_NOT_PERSIST |
                     CREDUI_FLAGS_SHOW_SAVE_CHECK_BOX;
    if (reintento)
        banderas |= CREDUI_FLAGS_INCORRECT_PASSWORD;
    const CentradoSobrePropietario centrado(propietario);
    const DWORD resultado = CredUIPromptForCredentialsW(&datos, destino, nullptr, 0, usuario.texto,
                                                        CREDUI_MAX_USERNAME_LENGTH + 1, contrasena.texto,
                                                        CREDUI_MAX_PASSWORD_LENGTH + 1, &guardar, banderas);
    if (resultado == ERROR_CANCELLED)
        return RespuestaDelUsuario::Cancelada;
    if (resultado != NO_ERROR)
        return RespuestaDelUsuario::SinPregunta;
    credencial.emplace(SinPrefijoDeDestino(usuario.texto, destino), std::wstring(contrasena.texto));
    recordar = guardar != FALSE;
    return RespuestaDelUsuario::Dada;
}

}  // namespace Nadir::Sockets
