// HandleInternet.h: move-only owner of one WinHTTP handle (session, connection or request).
#pragma once

#include <windows.h>
#include <winhttp.h>

#include <utility>

namespace Nadir::Sockets {

class HandleInternet {
public:
    HandleInternet() = default;
    explicit HandleInternet(HINTERNET handle) : m_handle(handle) {}
    ~HandleInternet() { Cerrar(); }

    HandleInternet(HandleInternet&& otro) noexcept : m_handle(std::exchange(otro.m_handle, nullptr)) {}
    HandleInternet& operator=(HandleInternet&& otro) noexcept
    {
        if (this != &otro) {
            Cerrar();
            m_handle = std::exchange(otro.m_handle, nullptr);
        }
        return *this;
    }
    HandleInternet(const HandleInternet&) = delete;
    HandleInternet& operator=(const HandleInternet&) = delete;

    HINTERNET Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    void Cerrar()
    {
        if (m_handle)
            WinHttpCloseHandle(m_handle);
        m_handle = nullptr;
    }

    HINTERNET m_handle = nullptr;
};

}  // namespace Nadir::Sockets
