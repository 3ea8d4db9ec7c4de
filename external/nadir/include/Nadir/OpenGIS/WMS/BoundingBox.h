// BoundingBox.h: a reference system a layer is offered in, with its extents when known.
#pragma once

#include "Nadir/NadirExport.h"

#include <afx.h>

namespace Nadir::OpenGIS::WMS {

struct NADIR_WMS_API BoundingBox {
    CString srs;  // identifier as the server states it, e.g. "EPSG:4326"
    // Extents in the reference system's own axis order (as the document gives them); meaningful
    // only when tieneExtension.
    double minx = 0, miny = 0, maxx = 0, maxy = 0;
    bool tieneExtension = false;

    ~BoundingBox();
};

}  // namespace Nadir::OpenGIS::WMS
