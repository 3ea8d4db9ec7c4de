// Layer.cpp: a layer, and its effective reference systems worked out through its ancestors.
#include "Nadir/OpenGIS/WMS/Layer.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <numeric>

namespace Nadir::OpenGIS::WMS {

namespace {

wchar_t SinMayuscula(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// Reference system identifiers are compared without regard to ASCII case ("EpsG:4326").
int Compara(const CString& a, const CString& b)
{
    const int comun = std::min(a.GetLength(), b.GetLength());
    const wchar_t* pa = a.GetString();
    const wchar_t* pb = b.GetString();
    for (int i = 0; i < comun; ++i) {
        const wchar_t ca = SinMayuscula(pa[i]), cb = SinMayuscula(pb[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.GetLength() - b.GetLength();
}

// Positions of the elements sorted by identifier; equal identifiers in document order.
template <class T, class Identificador>
std::vector<uint32_t> Orden(const std::vector<T>& elementos, Identificador identificador)
{
    std::vector<uint32_t> orden(elementos.size());
    std::iota(orden.begin(), orden.end(), 0u);
    std::stable_sort(orden.begin(), orden.end(), [&](uint32_t a, uint32_t b) {
        return Compara(identificador(elementos[a]), identificador(elementos[b])) < 0;
    });
    return orden;
}

// Keeps the first of each identifier, in document order, and returns the sorted order of those kept.
template <class T, class Identificador>
std::vector<uint32_t> QuitaRepetidos(std::vector<T>& elementos, Identificador identificador)
{
    const std::vector<uint32_t> orden = Orden(elementos, identificador);
    std::vector<bool> repetido(elementos.size());
    for (size_t i = 1; i < orden.size(); ++i)
        repetido[orden[i]] = Compara(identificador(elementos[orden[i - 1]]), identificador(elementos[orden[i]])) == 0;
    std::vector<uint32_t> nuevaPosicion(elementos.size());
    uint32_t quedan = 0;
    for (size_t i = 0; i < elementos.size(); ++i) {
        if (repetido[i])
            continue;
        nuevaPosicion[i] = quedan;
        std::swap(elementos[quedan++], elementos[i]);
    }
    elementos.resize(quedan);
    std::vector<uint32_t> ordenFinal;
    ordenFinal.reserve(quedan);
    for (uint32_t i : orden)
        if (!repetido[i])
            ordenFinal.push_back(nuevaPosicion[i]);
    return ordenFinal;
}

template <class T, class Identificador>
const T* Busca(const std::vector<T>& elementos, const std::vector<uint32_t>& orden, const CString& srs,
               Identificador identificador)
{
    const auto p = std::lower_bound(orden.begin(), orden.end(), srs, [&](uint32_t i, const CString& buscado) {
        return Compara(identificador(elementos[i]), buscado) < 0;
    });
    return p != orden.end() && Compara(identificador(elementos[*p]), srs) == 0 ? &elementos[*p] : nullptr;
}

const CString& Identificador(const CString& srs)
{
    return srs;
}

const CString& IdentificadorDeCaja(const BoundingBox& caja)
{
    return caja.srs;
}

void CopiaExtension(const BoundingBox& de, BoundingBox& a)
{
    a.minx = de.minx;
    a.miny = de.miny;
    a.maxx = de.maxx;
    a.maxy = de.maxy;
    a.tieneExtension = de.tieneExtension;
}

}  // namespace

// The layer's own systems, each once, with sorted indexes, linked to its parent's. A layer with
// children also keeps its effective list, worked out when a child first asks: a leaf under a root
// that states 6,000 systems then copies that list and looks up only its own systems in it.
struct Layer::Sistemas {
    Sistemas(std::vector<CString> propios, std::vector<BoundingBox> cajas)
        : srs(std::move(propios)), extensiones(std::move(cajas))
    {
        ordenSrs = QuitaRepetidos(srs, Identificador);
        ordenExtensiones = QuitaRepetidos(extensiones, IdentificadorDeCaja);
    }

    const BoundingBox* Extension(const CString& buscado) const
    {
        return Busca(extensiones, ordenExtensiones, buscado, IdentificadorDeCaja);
    }

    std::vector<BoundingBox> Efectivos() const;
    // This layer's effective list, kept for its children, with its order by identifier.
    const std::vector<BoundingBox>& EfectivosGuardados() const;
    const BoundingBox* Efectivo(const CString& buscado) const;

    std::vector<CString> srs;
    std::vector<BoundingBox> extensiones;
    std::vector<uint32_t> ordenSrs;  // positions in srs, sorted by identifier
    std::vector<uint32_t> ordenExtensiones;
    // Shared, not the parent layer itself: a child kept alone still knows what it inherits.
    std::shared_ptr<const Sistemas> padre;

private:
    mutable std::once_flag m_guardados;
    mutable std::vector<BoundingBox> m_efectivos;
    mutable std::vector<uint32_t> m_ordenEfectivos;
};

// The parent's effective systems, then this layer's own that none of its ancestors states, with the
// extents of this layer's own box for each, else those already found for it above.
std::vector<BoundingBox> Layer::Sistemas::Efectivos() const
{
    std::vector<BoundingBox> efectivos;
    if (padre) {
        const std::vector<BoundingBox>& heredados = padre->EfectivosGuardados();
        // In one block: large ones cost page faults each time they are made (Wine's heap gives
        // their pages back when they are freed), so the list must not grow after the copy.
        efectivos.reserve(heredados.size() + srs.size());
        efectivos.insert(efectivos.end(), heredados.begin(), heredados.end());
    }
    const size_t heredados = efectivos.size();
    for (const CString& propio : srs) {
        if (padre && padre->Efectivo(propio))
            continue;
        efectivos.emplace_back();
        efectivos.back().srs = propio;
    }
    for (size_t i = heredados; i < efectivos.size(); ++i)  // stated here first: boxed here or above
        for (const Sistemas* s = padre.get(); s && !efectivos[i].tieneExtension; s = s->padre.get())
            if (const BoundingBox* caja = s->Extension(efectivos[i].srs))
                CopiaExtension(*caja, efectivos[i]);
    for (const BoundingBox& caja : extensiones) {
        const BoundingBox* heredado = padre ? padre->Efectivo(caja.srs) : nullptr;
        if (heredado) {
            CopiaExtension(caja, efectivos[static_cast<size_t>(heredado - padre->EfectivosGuardados().data())]);
            continue;
        }
        for (size_t i = heredados; i < efectivos.size(); ++i)
            if (Compara(efectivos[i].srs, caja.srs) == 0)
                CopiaExtension(caja, efectivos[i]);
    }
    return efectivos;
}

const std::vector<BoundingBox>& Layer::Sistemas::EfectivosGuardados() const
{
    std::call_once(m_guardados, [this] {
        m_efectivos = Efectivos();
        m_ordenEfectivos = Orden(m_efectivos, IdentificadorDeCaja);
    });
    return m_efectivos;
}

const BoundingBox* Layer::Sistemas::Efectivo(const CString& buscado) const
{
    EfectivosGuardados();
    return Busca(m_efectivos, m_ordenEfectivos, buscado, IdentificadorDeCaja);
}

Layer::Layer(const CString& name, const CString& title, const CString& abstract, std::vector<CString> srs,
             std::vector<BoundingBox> extensiones, std::vector<std::shared_ptr<Layer>> layers)
    : m_name(name),
      m_title(title),
      m_abstract(abstract),
      m_sistemas(std::make_shared<Sistemas>(std::move(srs), std::move(extensiones))),
      m_layers(std::move(layers))
{
    for (const std::shared_ptr<Layer>& hija : m_layers) {
        ASSERT(!hija->m_sistemas->padre);
        hija->m_sistemas->padre = m_sistemas;
    }
}

Layer::~Layer() = default;

const std::vector<std::shared_ptr<Layer>>& Layer::GetLayers() const
{
    return m_layers;
}

CString Layer::GetName() const
{
    return m_name;
}

CString Layer::GetTitle() const
{
    return m_title;
}

CString Layer::GetAbstract() const
{
    return m_abstract;
}

std::vector<BoundingBox> Layer::GetSRS() const
{
    return m_sistemas->Efectivos();
}

}  // namespace Nadir::OpenGIS::WMS
