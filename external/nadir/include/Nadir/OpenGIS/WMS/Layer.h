// Layer.h: one layer of a server's layer tree.
#pragma once

#include "Nadir/OpenGIS/WMS/BoundingBox.h"

#include <memory>
#include <vector>

namespace Nadir::OpenGIS::WMS {

class NADIR_WMS_API Layer {
public:
    // srs: the reference systems the layer itself states; extensiones: its own BoundingBoxes. The
    // layers become its children and inherit both (see GetSRS); a layer has one parent at most.
    Layer(const CString& name, const CString& title, const CString& abstract, std::vector<CString> srs,
          std::vector<BoundingBox> extensiones, std::vector<std::shared_ptr<Layer>> layers);
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
    // layer's own, each once (identifiers compared without regard to case, first spelling kept),
    // with the extents of the nearest BoundingBox stated for it: the layer's own, else the
    // nearest ancestor's. Computed on each call: large servers state thousands of systems once at
    // the root, and a copy in every layer would cost hundreds of megabytes.
    std::vector<BoundingBox> GetSRS() const;

private:
    struct Sistemas;  // the layer's own, linked to its parent's

    CString m_name;
    CString m_title;
    CString m_abstract;
    std::shared_ptr<Sistemas> m_sistemas;
    std::vector<std::shared_ptr<Layer>> m_layers;
};

}  // namespace Nadir::OpenGIS::WMS
