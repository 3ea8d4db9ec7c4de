// HandleInternet.h: HandleInternet, the owner of one WinHTTP handle (session, connection or request).
#pragma once

#include <windows.h>
#include <winhttp.h>

#include "Manejador.h"

namespace Nadir::Sockets {

using HandleInternet = Manejador<HINTERNET, WinHttpCloseHandle>;

}  // namespace Nadir::Sockets
