// ExcepcionNadir.cpp
#include "Nadir/ExcepcionNadir.h"

namespace Nadir {

ExcepcionNadir::ExcepcionNadir(const CString& mensaje) : m_mensaje(mensaje) {}
ExcepcionNadir::~ExcepcionNadir() = default;

}  // namespace Nadir
