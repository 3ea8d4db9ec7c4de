// UltimosErrores.h: CUltimosErrores, the message of each thread's last failed call.
#pragma once

#include <afx.h>

#include <mutex>
#include <unordered_map>

class CUltimosErrores {
public:
    // The calling thread's last failure from now on. Never fails: without memory the thread keeps none.
    void Registra(const CString& mensaje) noexcept;
    // The calling thread's last failure; empty when it has had none.
    CString Ultimo() const;

private:
    mutable std::mutex m_cerrojo;
    std::unordered_map<DWORD, CString> m_porHilo;  // a thread that ends leaves its entry to the next of its id
};
