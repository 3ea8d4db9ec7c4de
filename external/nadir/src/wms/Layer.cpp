// Layer.cpp: a layer, and its effective reference systems worked out through its ancestors.
#include "Nadir/OpenGIS/WMS/Layer.h"

#include <algorithm>
#include <cstdint>
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

}  // namespace

// The layer's own systems, each once, with sorted indexes: GetSRS on a leaf under a root that
// states 6,000 systems looks each of its own up there without building any table.
struct Layer::Sistemas {
    Sistemas(std::vector<CString> propios, std::vector<BoundingBox> cajas)
        : srs(std::move(propios)), extensiones(std::move(cajas))
    {
        ordenSrs = QuitaRepetidos(srs, Identificador);
        ordenExtensiones = QuitaRepetidos(extensiones, IdentificadorDeCaja);
    }

    bool Declara(const CString& buscado) const { return Busca(srs, ordenSrs, buscado, Identificador) != nullptr; }
    const BoundingBox* Extension(const CString& buscado) const
    {
        return Busca(extensiones, ordenExtensiones, buscado, IdentificadorDeCaja);
    }

    std::vector<CString> srs;
    std::vector<BoundingBox> extensiones;
    std::vector<uint32_t> ordenSrs;  // positions in srs, sorted by identifier
    std::vector<uint32_t> ordenExtensiones;
    // Shared, not the parent layer itself: a child kept alone still knows what it inherits.
    std::shared_ptr<const Sistemas> padre;
};

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
    std::vector<const Sistemas*> cadena;  // this layer first, the outermost ancestor last
    size_t total = 0;
    for (const Sistemas* s = m_sistemas.get(); s; s = s->padre.get()) {
        cadena.push_back(s);
        total += s->srs.size();
    }

    std::vector<BoundingBox> efectivos;
    efectivos.reserve(total);
    for (size_t k = cadena.size(); k-- > 0;) {
        for (const CString& srs : cadena[k]->srs) {
            const bool heredado = std::any_of(cadena.begin() + static_cast<ptrdiff_t>(k) + 1, cadena.end(),
                                              [&](const Sistemas* ancestro) { return ancestro->Declara(srs); });
            if (!heredado) {
                efectivos.emplace_back();
                efectivos.back().srs = srs;
            }
        }
    }
    for (BoundingBox& efectivo : efectivos) {
        for (const Sistemas* s : cadena) {
            if (const BoundingBox* caja = s->Extension(efectivo.srs)) {
                efectivo.minx = caja->minx;
                efectivo.miny = caja->miny;
                efectivo.maxx = caja->maxx;
                efectivo.maxy = caja->maxy;
                efectivo.tieneExtension = true;
                break;
            }
        }
    }
    return efectivos;
}

}  // namespace Nadir::OpenGIS::WMS
