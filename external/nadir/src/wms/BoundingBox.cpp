// BoundingBox.cpp: BoundingBox's out-of-line destructor, so its CString is freed by this module.
#include "Nadir/OpenGIS/WMS/BoundingBox.h"

namespace Nadir::OpenGIS::WMS {

BoundingBox::~BoundingBox() = default;

}  // namespace Nadir::OpenGIS::WMS
