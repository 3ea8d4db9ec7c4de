// Layer.h: one layer of a server's layer tree.
#pragma once

#include "Nadir/OpenGIS/WMS/BoundingBox.h"

#include <memory>
#include <vector>

namespace Nadir::OpenGIS::WMS {

class NADIR_WMS_API Layer {
public:
    // srs is the effective list (see GetSRS).
    Layer(const CString& name, const CString& title, const CString& abstract, std::vector<BoundingBox> srs,
          std::vector<std::shared_ptr<Layer>> layers);
    ~Layer();
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    // Children in document order; empty for a leaf.
    const std::vector<std::shared_ptr<Layer>>& GetLayers() const;
    // Empty for a layer that cannot be requested by itself (a group).
    CString GetName() const;
    CString GetTitle() const;
    CString GetAbstract() const;
    // The effective reference systems: those inherited from ancestors (outermost first), then the
    // layer's own, each once, with the extents of the nearest BoundingBox stated for it.
    std::vector<BoundingBox> GetSRS() const;

private:
    CString m_name;
    CString m_title;
    CString m_abstract;
    std::vector<BoundingBox> m_srs;
    std::vector<std::shared_ptr<Layer>> m_layers;
};

}  // namespace Nadir::OpenGIS::WMS
