// DireccionURL.cpp: CDireccionURL.
#include "DireccionURL.h"

CDireccionURL::CDireccionURL() = default;
CDireccionURL::CDireccionURL(const CDireccionURL& other) = default;
CDireccionURL& CDireccionURL::operator=(const CDireccionURL& other) = default;
CDireccionURL::~CDireccionURL() = default;

bool CDireccionURL::operator<(const CDireccionURL& other) const
{
    const int porNombre = m_nombre.Compare(other.m_nombre);
    if (porNombre != 0)
        return porNombre < 0;
    return m_url.Compare(other.m_url) < 0;
}
