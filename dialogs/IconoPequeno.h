// IconoPequeno.h: the dialogs' small icons, found through the host's resource search.
#pragma once

#include <afxwin.h>

// The icon group's image at the small-icon size of this screen; shared, never destroyed by the
// caller. Null when no module in the chain has the icon.
inline HICON CargaIconoPequeno(UINT idIcono)
{
    const HINSTANCE modulo = AfxFindResourceHandle(MAKEINTRESOURCEW(idIcono), RT_GROUP_ICON);
    return static_cast<HICON>(::LoadImageW(modulo, MAKEINTRESOURCEW(idIcono), IMAGE_ICON,
                                           ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                           LR_DEFAULTCOLOR | LR_SHARED));
}
