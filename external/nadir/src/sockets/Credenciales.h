// Credenciales.h: Credencial, a user name and password that wipes its memory; Windows Credential
// Manager's generic credentials and the system's prompt for them.
#pragma once

#include <afx.h>

#include <windows.h>

#include <optional>
#include <string>

namespace Nadir::Sockets {

class Credencial {
public:
    Credencial(const CString& usuario, std::wstring contrasena);
    ~Credencial();
    Credencial(const Credencial& otra);
    Credencial& operator=(const Credencial& otra);

    const CString& Usuario() const { return m_usuario; }
    const wchar_t* Contrasena() const { return m_contrasena.c_str(); }
    bool operator==(const Credencial& otra) const;

private:
    void Borra();

    CString m_usuario;
    std::wstring m_contrasena;
};

// The generic credential of Credential Manager named destino ("Nadir:https://host:443"), if any.
std::optional<Credencial> LeeDelAdministrador(const CString& destino);
// Stored for this user on this computer; false when Windows refused it.
bool GuardaEnAdministrador(const CString& destino, const Credencial& credencial);

enum class RespuestaDelUsuario { Dada, Cancelada, SinPregunta };

// The system's prompt, owned by propietario, for the credential named destino. titulo and mensaje
// name the server; reintento says the last password given was refused. recordar: the user ticked
// "remember" (nothing is stored here). SinPregunta when the system could not show it.
RespuestaDelUsuario PideAlUsuario(HWND propietario, const CString& destino, const CString& titulo,
                                  const CString& mensaje, bool reintento, std::optional<Credencial>& credencial,
                                  bool& recordar);

}  // namespace Nadir::Sockets
