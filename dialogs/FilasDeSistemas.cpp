// FilasDeSistemas.cpp: FilasDeSistemas, TextosDeFilas.
#include "FilasDeSistemas.h"

#include <cstdint>
#include <unordered_map>

using Vectra::CSistemaReferencia;

std::vector<CString> FilasDeSistemas(const std::vector<CString>& identificadores)
{
    std::vector<CString> filas;
    filas.reserve(identificadores.size());
    for (const CString& identificador : identificadores) {
        if (!identificador.IsEmpty())
            filas.push_back(identificador);
    }
    return filas;
}

std::vector<CString> TextosDeFilas(const std::vector<CString>& filas, const std::vector<CSistemaReferencia>& sistemas)
{
    std::unordered_map<std::int32_t, const CSistemaReferencia*> porCodigo(sistemas.size());
    for (const CSistemaReferencia& sistema : sistemas)
        porCodigo.emplace(sistema.m_codigo, &sistema);  // the first of each code stays
    std::vector<CString> textos;
    textos.reserve(filas.size());
    for (const CString& identificador : filas) {
        const std::int32_t codigo = CSistemaReferencia::CodigoDe(identificador);
        const auto conocido = codigo > 0 ? porCodigo.find(codigo) : porCodigo.end();
        textos.push_back(conocido != porCodigo.end() ? conocido->second->GetNombre() : identificador);
    }
    return textos;
}
